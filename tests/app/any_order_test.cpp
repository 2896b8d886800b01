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
    ProblemModel saved;
    Session session;
    ASSERT_TRUE(command::Open(saved, session, Path("p").toStdString()).outcome.ok);
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

} // namespace
} // namespace tavex
