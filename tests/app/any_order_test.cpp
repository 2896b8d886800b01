// The main window used in orders nobody planned: commands before the boxes
// are left, a window that was never activated. Each case once crashed,
// wrote garbage or lost input.
#include "commands/file_commands.h"
#include "main_window_fixture.h"

namespace tavex {
namespace {

// Files are saved as "p".
class AnyOrderTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        fileAnswer = Path("p");
    }

    // Keys go where the window system sends them: to the window's focus
    // widget, active or not. No select-all first: the window's own got-focus step does that.
    void Keys(const char* text) { QTest::keyClicks(Focus(), QString::fromUtf8(text)); }
    void ExpectSound() const { EXPECT_EQ(window->BrokenInvariant(), ""); }

    // The pair saved under "p", read back.
    ProblemModel Saved() const
    {
        ProblemModel saved;
        Session session;
        EXPECT_TRUE(command::Open(saved, session, Path("p").toStdString()).outcome.ok);
        return saved;
    }
};

// A window the X server never activated (no window manager, or a file
// dialog cancelled): Qt sends its controls no focus events at all.
class NeverActivatedTest : public AnyOrderTest {
protected:
    void SetUp() override
    {
        AnyOrderTest::SetUp();
        decoy.show();
        decoy.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&decoy));
        ASSERT_FALSE(window->isActiveWindow());
    }

    QWidget decoy;
};

TEST_F(NeverActivatedTest, TypingAndTabWorkAsInAnActiveWindow)
{
    Keys("3"); // replaces the count: its got-focus step selected it
    EXPECT_EQ(Box("txtOrder")->text(), "3");
    Tab();
    EXPECT_EQ(window->PanelCount(), 3);
    EXPECT_EQ(FocusName(), "txtVarNams");
    Keys("x,y,z");
    Tab();
    EXPECT_EQ(window->model().Names(), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(FocusName(), "txtLL_0");
    ExpectSound();
}

TEST_F(NeverActivatedTest, ButtonsFirstCompleteTheCountAndTheNames)
{
    for (const char* button : {"cmdNextVar", "cmdPrevVar", "cmdCompute"}) {
        window.reset();
        SetUp();
        Click(button);
        EXPECT_FALSE(Box("txtOrder")->isEnabled()) << button;
        EXPECT_FALSE(Box("txtVarNams")->isEnabled()) << button;
        EXPECT_EQ(window->model().Names(), (std::vector<std::string>{"x", "y"})) << button;
        ExpectSound();
    }
    EXPECT_EQ(window->CoefficientLines().Line(2).substr(24, 2), "*x");
}

TEST_F(NeverActivatedTest, ClicksFromCountBoxToCountBoxToLimit)
{
    Click("txtTerms_0"); // the count's lost-focus step sends the focus to the names
    Click("txtLL_0");
    Click("txtTerms_0");
    Keys("4");
    Click("txtLL_0");
    EXPECT_EQ(window->model().Var(0).valueUpper, 3);
    ExpectSound();
}

TEST_F(AnyOrderTest, CommandsConfirmACountTypedButNotLeft)
{
    // The count's lost-focus step once never came before Save read it: the
    // file held memory past the tables' end.
    Declare("1", "x");
    Click("txtTerms_0");
    Keys("100000");
    Key(Qt::Key_S);
    const ProblemModel saved = Saved();
    ASSERT_EQ(saved.Var(0).valueUpper, 99999);
    for (int i = 0; i <= 99999; ++i)
        ASSERT_EQ(saved.funTable(i, 0, 0, 0), 0.0) << i;
    EXPECT_EQ(FocusName(), "txtTerms_0");

    // Typed again, not left, then printed: the report reads the counts the tables have.
    Type("6");
    Key(Qt::Key_P);
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(window->model().Var(0).valueUpper, 5);
    EXPECT_EQ(window->model().funTable.extent(0), 6);

    // Typed again, not left, then computed: the tables follow first.
    Type("3");
    Click("cmdCompute");
    EXPECT_EQ(window->model().Var(0).valueUpper, 2);
    EXPECT_TRUE(window->model().IsComputed());
    ExpectSound();
}

TEST_F(AnyOrderTest, NextFromTheCountBoxChecksTheNamesBeforeItLeavesThem)
{
    // Three variables and two names: the names box keeps the focus, open.
    Keys("3");
    Click("cmdNextVar");
    EXPECT_EQ(FocusName(), "txtVarNams");
    EXPECT_TRUE(Box("txtVarNams")->isEnabled());
    EXPECT_EQ(window->session().curVarNo, 1);
    ExpectSound();
}

TEST_F(AnyOrderTest, NameTheFileCannotKeepIsRefusedWhileTheBoxIsOpen)
{
    Keys("2");
    Tab();
    Keys("x,\"y\"");
    Tab();
    EXPECT_EQ(FocusName(), "txtVarNams");
    EXPECT_TRUE(told.empty()); // said in the message line, not in a box
    EXPECT_TRUE(window->MessageLineText().contains("double quote"));
    EXPECT_FALSE(Menu("mnuSave")->isEnabled());
    Fields({"x,y"});
    Key(Qt::Key_S);
    EXPECT_EQ(Saved().Names(), (std::vector<std::string>{"x", "y"}));
}

TEST_F(AnyOrderTest, EveryPanelsControlsSitInTheSamePlaces)
{
    Declare("3", "x,y,z");
    const auto where = [this](const char* name) { return Find(name)->mapTo(window.get(), QPoint(0, 0)); };
    const QPoint next = where("cmdNextVar");
    Click("cmdNextVar");
    Click("cmdNextVar");
    EXPECT_EQ(where("cmdNextVar"), next);
    for (const char* role : {"txtLL_", "txtTerms_", "chkPower_", "chkSpaced_", "cmdAddVars_", "lblVar_"}) {
        const std::string first = std::string(role) + "0";
        const std::string third = std::string(role) + "2";
        EXPECT_EQ(where(third.c_str()), where(first.c_str())) << role;
    }
}

TEST_F(AnyOrderTest, EveryControlHasANameForAssistiveTechnology)
{
    Declare("2", "x,y");
    EXPECT_EQ(Spoken(Find("txtLL_1")), "Lower limit");
    EXPECT_EQ(Find<QLabel>("lblLL_1")->buddy(), Find("txtLL_1"));
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const bool takesInput = qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractButton*>(control)
                             || qobject_cast<QAbstractItemView*>(control);
        EXPECT_TRUE(!takesInput || !control->isVisible() || !Spoken(control).empty())
            << control->objectName().toStdString();
    }
}

} // namespace
} // namespace tavex
