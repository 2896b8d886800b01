// What every window of the program does alike: where it opens, Escape on Help
// and About, and how a screen reader knows the window.
#include "app/about_window.h"
#include "app/toolkit/input_box.h"
#include "main_window_fixture.h"

#include <QAccessible>

namespace tavex {
namespace {

// A computed problem of two variables, x with three values; the function
// window's starting set is answered "0,0".
class TopWindowsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window->Prompts() = InputBox([](QWidget*, const std::string&, const std::string&) { return std::string("0,0"); });
        Declare("2", "x,y");
        Fields({"0", "2", "0", "*", "3"});
        Click("cmdCompute");
        ASSERT_TRUE(window->model().IsComputed());
    }

    // The window called so, opened by its command; the main window is open already.
    QWidget* Open(const std::string& name)
    {
        if (name == "frmTavex")
            return window.get();
        const std::map<std::string, std::function<void()>> commands{
            {"frmFun", [this] { Click("cmdEditFun"); }},
            {"frmVars", [this] { Click("cmdEditVars_0"); }},
            {"frmEvaluations", [this] { Click("cmdEvaluations"); }},
            {"frmPlot", [this] { Click("cmdPlot"); }},
            {"frmHelp", [this] { Menu("mnuHelp")->trigger(); }},
            {"frmAbout", [this] { Menu("mnuAbout")->trigger(); }}};
        commands.at(name)();
        QWidget* shown = Find(name.c_str());
        EXPECT_TRUE(shown && shown->isVisible()) << name;
        return shown;
    }
    void Close(QWidget* shown)
    {
        if (shown && shown != window.get() && shown->isVisible())
            shown->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static void Press(QWidget* shown, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(shown->focusWidget() ? shown->focusWidget() : shown, key, modifiers);
    }
};

TEST_F(TopWindowsTest, EscapeClosesHelpAndAbout)
{
    for (const char* name : {"frmHelp", "frmAbout"}) {
        QPointer<QWidget> shown = Open(name);
        ASSERT_TRUE(shown && shown->focusWidget()) << name;
        Press(shown, Qt::Key_Escape);
        EXPECT_TRUE(shown.isNull() || !shown->isVisible()) << name;
    }
}

TEST_F(TopWindowsTest, EveryWindowReachesAScreenReaderAsAWindowNamedByItsTitleAndIsWhollyOnTheScreen)
{
    const std::pair<const char*, const char*> cases[] = {
        {"frmTavex", "Untitled* - Tavex (Tabulated)"},
        {"frmFun", "Enter/Edit values of function"},
        {"frmVars", "Enter/edit values of variable: x"},
        {"frmEvaluations", "Evaluations"},
        {"frmPlot", "Plot"},
        {"frmHelp", "Tavex Help"},
        {"frmAbout", "About Tavex"},
    };
    for (const auto& [name, title] : cases) {
        QWidget* shown = Open(name);
        ASSERT_TRUE(shown) << name;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(shown);
        ASSERT_TRUE(accessible) << name;
        EXPECT_EQ(accessible->role(), QAccessible::Window) << name;
        EXPECT_TRUE(accessible->text(QAccessible::Name).startsWith(title)) << name;
        if (shown != window.get()) {
            EXPECT_TRUE(shown->screen()->availableGeometry().contains(shown->frameGeometry())) << name;
        }
        Close(shown);
    }
}

TEST(AboutWindow, IsTitledShowsTheVersionOfTheBuildAndCloses)
{
    QPointer<AboutWindow> about = ShowAbout();
    EXPECT_EQ(about->windowTitle(), "About Tavex");
    EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->text(), "Version " TAVEX_VERSION);
    EXPECT_EQ(about->focusWidget()->objectName(), "cmdClose");
    QTest::mouseClick(about->findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
}

} // namespace
} // namespace tavex
