// What every window of the program does alike: Enter on a focused button,
// F1, Escape on Help and About, how a screen reader knows the window and
// where it opens.
#include "app/help_window.h"
#include "app/toolkit/toolkit_application.h"
#include "main_window_fixture.h"

namespace tavex {
namespace {

// A computed problem of two variables, x with three values; the function
// window's starting set is answered "0,0".
class TopWindowsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window->Prompts() = InputBox([](QWidget*, const std::string&, const std::string&) { return "0,0"; });
        Declare("2", "x,y");
        Fields({"0", "2", "0", "*", "3"});
        Click("cmdCompute");
        ASSERT_TRUE(window->model().IsComputed());
    }

    // The window called so, opened by its button or menu; the main window is open already.
    QWidget* Open(const std::string& name)
    {
        const std::map<std::string, const char*> commands{
            {"frmFun", "cmdEditFun"},   {"frmVars", "cmdEditVars_0"}, {"frmEvaluations", "cmdEvaluations"},
            {"frmPlot", "cmdPlot"},     {"frmHelp", "mnuHelp"},       {"frmAbout", "mnuAbout"}};
        if (name == "frmTavex")
            return window.get();
        const char* command = commands.at(name);
        command[0] == 'm' ? Menu(command)->trigger() : Click(command);
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
};

TEST_F(TopWindowsTest, EnterClicksTheFocusedButtonInEveryWindowAndEscapeClosesHelpAndAbout)
{
    // The control tabbed to; none: the one that has the focus as the window opens.
    struct Case { const char *window, *control; Qt::Key key; std::function<bool()> done; };
    window->ClearResults();
    QPointer<QWidget> shown;
    const auto closed = [&] { return shown.isNull() || !shown->isVisible(); };
    // The values grid last: its Delete leaves the coefficients out of date.
    const Case cases[] = {
        {"frmTavex", "cmdCompute", Qt::Key_Return, [this] { return window->model().IsComputed(); }},
        {"frmFun", "cmdExit", Qt::Key_Enter, closed},
        {"frmEvaluations", "cmdCompute", Qt::Key_Enter, [this] { return Find<QLabel>("lblApprox")->text() != ""; }},
        {"frmPlot", "cmdExit", Qt::Key_Return, closed},
        {"frmAbout", "cmdClose", Qt::Key_Enter, closed},
        {"frmHelp", nullptr, Qt::Key_Escape, closed},
        {"frmAbout", nullptr, Qt::Key_Escape, closed},
        {"frmVars", "cmdDelete", Qt::Key_Return, [this] { return window->model().Var(0).valueUpper == 1; }},
    };
    for (const Case& c : cases) {
        shown = Open(c.window);
        ASSERT_TRUE(shown) << c.window;
        if (c.control)
            TabTo(shown, c.control);
        EXPECT_FALSE(c.done()) << c.window;
        Press(shown, c.key, c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_TRUE(c.done()) << c.window;
        Close(shown);
    }
    EXPECT_TRUE(told.empty());
}

TEST(WindowKeys, InADialogEnterStillClicksTheDefaultButton)
{
    QDialog dialog;
    auto* layout = new QHBoxLayout(&dialog);
    auto* box = new QLineEdit;
    auto* other = new QPushButton("Other");
    auto* ok = new QPushButton("OK");
    for (QWidget* control : std::initializer_list<QWidget*>{box, other, ok})
        layout->addWidget(control);
    other->setAutoDefault(false);
    ok->setDefault(true);
    int oks = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] { ++oks; });
    dialog.show();
    for (QWidget* focused : std::initializer_list<QWidget*>{box, other}) {
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key_Return);
    }
    EXPECT_EQ(oks, 2);
}

// Every window reaches a screen reader as a window named by its title, with
// a name for each control it takes input with (in the main and the plot
// window a label's control the label's words, whatever the control holds);
// it lies wholly on the screen; F1 in it opens Help at its own section.
TEST_F(TopWindowsTest, EveryWindowIsNamedForAScreenReaderOnTheScreenAndOpensHelpAtItsSection)
{
    // A help file whose sections lie a screen or more apart.
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("tavex.hlp");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray lines = QByteArray("<p>Line.</p>").repeated(60);
    file.write("<h1>Top</h1>" + lines);
    for (const QByteArray section : {"function", "values", "evaluate", "plot"})
        file.write("<h2><a name=\"" + section + "\">" + section + "</a></h2>" + lines);
    file.close();
    ToolkitApplication::Instance()->SetHelpOpener(window.get(), [this, path](const QString& anchor) {
        ShowHelp(path, window.get(), anchor);
    });
    const auto help = [] { return ShownWindow("frmHelp"); };
    // Help last: F1 in an open viewer shows the file afresh.
    const std::array<const char*, 3> cases[] = {
        {"frmTavex", "Untitled* - Tavex (Tabulated)", "Top"}, {"frmFun", "Enter/Edit values of function", "function"},
        {"frmVars", "Enter/edit values of variable: x", "values"}, {"frmEvaluations", "Evaluations", "evaluate"},
        {"frmPlot", "Plot", "plot"}, {"frmAbout", "About Tavex", "Top"}, {"frmHelp", "Tavex Help", "Top"},
    };
    for (const auto& [name, title, heading] : cases) {
        QPointer<QWidget> shown = Open(name);
        ASSERT_TRUE(shown) << name;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(shown);
        ASSERT_TRUE(accessible) << name;
        EXPECT_EQ(accessible->role(), QAccessible::Window) << name;
        EXPECT_TRUE(accessible->text(QAccessible::Name).startsWith(title)) << name;
        if (shown != window.get()) {
            EXPECT_TRUE(shown->screen()->availableGeometry().contains(shown->frameGeometry())) << name;
        }
        if (auto* along = shown->findChild<QComboBox*>("cboSliceVariable"))
            along->setCurrentIndex(1); // a combo box once said its value for its name
        for (QWidget* control : shown->findChildren<QWidget*>()) {
            // A spin box speaks for the entry inside it.
            const bool takesInput = (qobject_cast<QLineEdit*>(control) && !qobject_cast<QAbstractSpinBox*>(control->parentWidget()))
                                 || qobject_cast<QAbstractButton*>(control)
                                 || qobject_cast<QAbstractItemView*>(control) || qobject_cast<QComboBox*>(control)
                                 || qobject_cast<QAbstractSlider*>(control) || qobject_cast<QAbstractSpinBox*>(control);
            EXPECT_TRUE(!takesInput || !control->isVisible() || !Spoken(control).empty())
                << name << " " << control->objectName().toStdString();
            const bool labelsName = name == std::string("frmTavex") || name == std::string("frmPlot");
            if (auto* label = qobject_cast<QLabel*>(control); labelsName && label && label->buddy() && label->isVisible()) {
                EXPECT_EQ(Spoken(label->buddy()), label->text().remove(QLatin1Char('&')).chopped(1).toStdString());
            }
        }

        Press(shown, Qt::Key_F1);
        ASSERT_TRUE(help()) << name;
        auto* browser = help()->findChild<QTextBrowser*>("txtHelp");
        // The heading at the top, and the cursor, which a screen reader reads from, on it.
        EXPECT_EQ(browser->cursorForPosition({4, 4}).block().text(), heading) << name;
        EXPECT_EQ(browser->textCursor().block().text(), heading) << name;
        Close(help());
        Close(shown);
    }
    // Over a modal dialog Help could not be read: F1 is left to the dialog.
    WhenDialogShows([](QDialog* dialog) { QTest::keyClick(dialog->focusWidget(), Qt::Key_F1); });
    QInputDialog::getText(window.get(), "Title", "Label");
    EXPECT_FALSE(help());
}

} // namespace
} // namespace tavex
