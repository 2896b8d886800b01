// What every window of the program does alike: Enter on a focused button,
// F1, Escape on Help and About, and how a screen reader knows the window.
#include "app/about_window.h"
#include "app/help_window.h"
#include "app/toolkit/input_box.h"
#include "app/toolkit/toolkit_application.h"
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
        ToolkitApplication::Instance()->SetHelpOpener(window.get(), [this](const QString& anchor) {
            opened.push_back(anchor.toStdString());
        });
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
    // Tabs, as the user would, until the control called so has the focus.
    static void TabTo(QWidget* shown, const char* name)
    {
        for (int i = 0; i < 40 && shown->focusWidget()->objectName() != QLatin1String(name); ++i)
            Press(shown, Qt::Key_Tab);
        ASSERT_EQ(shown->focusWidget()->objectName().toStdString(), name);
    }

    // The anchors F1 asked Help for.
    Names opened;
};

TEST_F(TopWindowsTest, EnterClicksTheFocusedButtonInEveryWindow)
{
    struct Case {
        const char* window;
        const char* button;
        Qt::Key key;
        std::function<bool()> clicked;
    };
    window->ClearResults();
    QPointer<QWidget> shown;
    // The values grid last: its Delete leaves the coefficients out of date.
    const Case cases[] = {
        {"frmTavex", "cmdCompute", Qt::Key_Return, [this] { return window->model().IsComputed(); }},
        {"frmFun", "cmdExit", Qt::Key_Enter, [&] { return shown.isNull() || !shown->isVisible(); }},
        {"frmEvaluations", "cmdCompute", Qt::Key_Enter, [this] { return !Find<QLabel>("lblApprox")->text().isEmpty(); }},
        {"frmPlot", "cmdExit", Qt::Key_Return, [&] { return shown.isNull() || !shown->isVisible(); }},
        {"frmAbout", "cmdClose", Qt::Key_Enter, [&] { return shown.isNull() || !shown->isVisible(); }},
        {"frmVars", "cmdDelete", Qt::Key_Return, [this] { return window->model().valueUpper[0] == 1; }},
    };
    for (const Case& c : cases) {
        shown = Open(c.window);
        ASSERT_TRUE(shown) << c.window;
        TabTo(shown, c.button);
        EXPECT_FALSE(c.clicked()) << c.window;
        Press(shown, c.key, c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_TRUE(c.clicked()) << c.window;
        Close(shown);
    }
    EXPECT_TRUE(told.empty());
}

TEST(WindowKeys, InADialogEnterStillClicksTheDefaultButton)
{
    QDialog dialog;
    auto* box = new QLineEdit(&dialog);
    auto* other = new QPushButton("Other", &dialog);
    auto* ok = new QPushButton("OK", &dialog);
    other->setAutoDefault(false);
    ok->setDefault(true);
    new QHBoxLayout(&dialog);
    for (QWidget* control : std::initializer_list<QWidget*>{box, other, ok})
        dialog.layout()->addWidget(control);
    Names clicked;
    QObject::connect(other, &QPushButton::clicked, [&] { clicked.push_back("other"); });
    QObject::connect(ok, &QPushButton::clicked, [&] { clicked.push_back("ok"); });
    dialog.show();
    for (QWidget* focused : {static_cast<QWidget*>(box), static_cast<QWidget*>(other)}) {
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key_Return);
    }
    EXPECT_EQ(clicked, (Names{"ok", "ok"}));
}

TEST_F(TopWindowsTest, F1OpensHelpAtTheSectionOfTheWindowItIsPressedIn)
{
    const std::pair<const char*, const char*> cases[] = {
        {"frmTavex", ""},       {"frmFun", "function"}, {"frmVars", "values"}, {"frmEvaluations", "evaluate"},
        {"frmPlot", "plot"},    {"frmHelp", ""},        {"frmAbout", ""},
    };
    for (const auto& [name, anchor] : cases) {
        QWidget* shown = Open(name);
        ASSERT_TRUE(shown) << name;
        opened.clear();
        Press(shown, Qt::Key_F1);
        EXPECT_EQ(opened, Names{anchor}) << name;
        Close(shown);
    }
    // Over a modal dialog Help could not be read: F1 is left to the dialog.
    opened.clear();
    WhenDialogShows([](QDialog* dialog) { QTest::keyClick(dialog->focusWidget(), Qt::Key_F1); });
    QInputDialog::getText(window.get(), "Title", "Label");
    EXPECT_TRUE(opened.empty());
}

TEST_F(TopWindowsTest, HelpOpensAtTheAnchorItIsGivenAndF1InItGoesToTheTop)
{
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("tavex.hlp");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<h1>Top</h1>");
    for (int i = 0; i < 60; ++i)
        file.write("<p>Line.</p>");
    file.write("<h2><a name=\"values\">Values</a></h2><p>About the grid.</p>");
    for (int i = 0; i < 60; ++i)
        file.write("<p>Line.</p>");
    file.close();
    ToolkitApplication::Instance()->SetHelpOpener(window.get(), [this, path](const QString& anchor) {
        ShowHelp(path, window.get(), anchor);
    });
    const auto viewer = [this] { return Find("frmHelp")->findChild<QTextBrowser*>("txtHelp"); };
    const auto topLine = [](QTextBrowser* browser) { return browser->cursorForPosition({4, 4}).block().text(); };

    QWidget* grid = Open("frmVars");
    Press(grid, Qt::Key_F1);
    QTextBrowser* browser = viewer();
    ASSERT_TRUE(browser && browser->window()->isVisible());
    EXPECT_EQ(topLine(browser), "Values");
    EXPECT_EQ(browser->textCursor().block().text(), "Values"); // where a screen reader reads on
    Press(browser->window(), Qt::Key_F1);
    EXPECT_EQ(viewer(), browser); // the same viewer
    EXPECT_EQ(topLine(browser), "Top");
    EXPECT_EQ(browser->textCursor().position(), 0);
}

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
