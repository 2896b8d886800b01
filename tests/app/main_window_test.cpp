#include "app/coefficient_list_model.h"
#include "main_window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextBrowser>

namespace tavex {
namespace {

using Names = std::vector<std::string>;

TEST_F(MainWindowTest, TypicalRoadDeclaresTheProblem)
{
    EXPECT_EQ(Box("txtOrder")->selectedText(), "2");
    // A new panel starts as a copy of the first as it stands.
    Box("txtLL_0")->setText("-1");
    Find<QCheckBox>("chkPower_0")->setChecked(false);
    Type("3");
    Tab();
    const ProblemModel& model = window->model();
    EXPECT_EQ(model.lastVar, 2);
    EXPECT_FALSE(Box("txtOrder")->isEnabled());
    EXPECT_FALSE(Menu("mnuOpen")->isEnabled());
    EXPECT_EQ(FocusName(), "txtVarNams");
    EXPECT_EQ(Box("txtVarNams")->selectedText(), "x,y");
    // Dimension k of the tables runs up to the number in variable k's count box.
    EXPECT_EQ(model.funTable.extents(), (Table4::Extents{3, 3, 3, 1}));
    EXPECT_EQ(Box("txtLL_2")->text(), "-1");
    EXPECT_FALSE(Box("txtLL_2")->isVisible());
    EXPECT_TRUE(Find<QCheckBox>("chkPower_2")->isChecked()); // every variable starts polynomial
    EXPECT_FALSE(Menu("mnuSave")->isEnabled());

    Type("x,y,z");
    Tab();
    EXPECT_EQ(model.varName, (Names{"x", "y", "z"}));
    EXPECT_EQ(Find<QLabel>("lblVar_0")->text(), "x");
    EXPECT_FALSE(Box("txtVarNams")->isEnabled());
    for (const char* menu : {"mnuSave", "mnuSaveAs", "mnuPrint"})
        EXPECT_TRUE(Menu(menu)->isEnabled()) << menu;
    EXPECT_TRUE(Menu("mnuAbout")->isVisible());
    EXPECT_EQ(FocusName(), "txtLL_0");
    ASSERT_TRUE(window->ReadSpecs());
    EXPECT_EQ(model.VarX(2), (std::vector<double>{-1.0, 5.0}));
}

TEST_F(MainWindowTest, RefusedCountHoldsTheFocusButMenusStillWork)
{
    for (const char* count : {"abc", "5", "0.3"}) {
        Type(count);
        Tab();
        Click("cmdCompute");
        EXPECT_EQ(FocusName(), "txtOrder") << count;
        EXPECT_EQ(Box("txtOrder")->text().toStdString(), count);
    }
    QMenuBar* bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(Menu("mnuHelp")).center());
    EXPECT_TRUE(window->findChild<QWidget*>("frmHelp"));
    EXPECT_EQ(window->PanelCount(), 1);
}

TEST_F(MainWindowTest, NamesAreCheckedAgainstTheCount)
{
    Type("2");
    Tab();
    struct Case {
        const char* names;
        const char* label0;
        const char* label1;
    };
    for (const Case& c : {Case{"x", "x", ""}, Case{"a,b,c", "a", "b"}, Case{"p,,q", "p", "b"}, Case{"u,", "u", "b"}}) {
        Type(c.names);
        Tab();
        EXPECT_EQ(FocusName(), "txtVarNams") << c.names;
        EXPECT_EQ(Find<QLabel>("lblVar_0")->text().toStdString(), c.label0) << c.names;
        EXPECT_EQ(Find<QLabel>("lblVar_1")->text().toStdString(), c.label1) << c.names;
    }
    Type("x, y");
    Click("cmdNextVar");
    EXPECT_EQ(window->model().varName, (Names{"x", " y"}));
    EXPECT_EQ(FocusName(), "txtLL_1"); // the click went through
    EXPECT_EQ(Find<QLabel>("lblVar_1")->text(), " y");
}

TEST_F(MainWindowTest, NextAndPreviousWrapAround)
{
    Declare("3", "x,y,z");
    for (const auto& [button, shown] : std::initializer_list<std::pair<const char*, int>>{
             {"cmdNextVar", 1}, {"cmdNextVar", 2}, {"cmdNextVar", 0}, {"cmdPrevVar", 2}, {"cmdPrevVar", 1}}) {
        Click(button);
        const std::string k = std::to_string(shown);
        EXPECT_EQ(FocusName(), "txtLL_" + k);
        EXPECT_TRUE(Find(("cmdEditVars_" + k).c_str())->isVisible());
        EXPECT_EQ(window->session().curVarNo, shown + 1);
    }
}

TEST_F(MainWindowTest, FieldsOfFurtherVariablesFollowPowerOfTheFirst)
{
    Declare("2", "x,y");
    Names walked;
    for (int i = 0; i < 14; ++i) {
        walked.push_back(FocusName());
        Tab();
    }
    // Tab walks the controls shown and enabled; variable 1's fields, hidden,
    // keep their places after chkPower_0.
    EXPECT_EQ(walked, (Names{"txtLL_0", "txtUL_0", "txtExpansion_0", "txtPeriod_0", "txtTerms_0", "chkSpaced_0",
                             "chkPower_0", "cmdEditFun", "cmdCompute", "cmdExit", "cmdNextVar", "cmdPrevVar",
                             "lstCoeff", "cmdEditVars_0"}));
    EXPECT_EQ(Find("chkPower_0")->nextInFocusChain(), Find("txtLL_1"));
    EXPECT_EQ(Find("chkPower_1")->nextInFocusChain(), Find("cmdEditFun"));
}

TEST_F(MainWindowTest, UnacceptableLimitOrCountBlocksTheButtons)
{
    Declare("2", "x,y");
    for (const char* limit : {"abc", ""}) {
        Type(limit);
        Click("cmdNextVar");
        Click("chkPower_0");
        Tab();
        EXPECT_EQ(FocusName(), "txtLL_0") << limit;
    }
    EXPECT_TRUE(Find<QCheckBox>("chkPower_0")->isChecked()); // the refused clicks did not toggle it
    Type("1,000"); // the user's grouping passes; it reads as 1
    Click("txtTerms_0");
    for (const char* count : {"1", "x"}) {
        Type(count);
        Click("cmdCompute");
        EXPECT_EQ(FocusName(), "txtTerms_0") << count;
    }
    Type("2.5");
    Tab();
    EXPECT_EQ(window->model().valueUpper[0], 2);
    ASSERT_TRUE(window->ReadSpecs());
    EXPECT_EQ(window->model().lowerLimit[0], 1.0);
}

TEST_F(MainWindowTest, ChangedCountEmptiesTheTablesAndClearsTheResults)
{
    Declare("2", "x,y");
    ProblemModel& model = window->model();
    ASSERT_TRUE(window->ReadSpecs());
    model.ShapeTablesFromValueCounts();
    model.funTable(1, 1, 0, 0) = 7.0;
    model.isComputed = true;
    auto* lines = qobject_cast<CoefficientListModel*>(Find<QListView>("lstCoeff")->model());
    lines->AppendLine("a coefficient");
    struct Step {
        const char* count;
        bool kept;
    };
    // 2.4 is still two values; 3 and then 2 again are changes.
    for (const Step& step : {Step{"2.4", true}, Step{"3", false}, Step{"2", false}}) {
        model.funTable(1, 1, 0, 0) = 7.0;
        Click("txtTerms_0");
        Type(step.count);
        Tab();
        EXPECT_EQ(model.funTable(1, 1, 0, 0), step.kept ? 7.0 : 0.0) << step.count;
        EXPECT_EQ(model.isComputed, step.kept) << step.count;
        EXPECT_EQ(lines->rowCount(), step.kept ? 1 : 0) << step.count;
    }
}

TEST_F(MainWindowTest, CountWhoseTablesWouldNotFitIsRefusedWithAMessage)
{
    // Before anything is asked of the system: no freeze while terabytes are zeroed.
    Declare("4", "x,y,z,w");
    Click("txtTerms_0");
    for (const char* count : {"2147483647", "1e12"}) {
        Type(count);
        Tab();
        EXPECT_EQ(FocusName(), "txtTerms_0");
        ASSERT_EQ(told.size(), 1u) << count;
        EXPECT_NE(told.back().find("memory"), std::string::npos) << told.back();
        told.clear();
    }
    Type("3");
    Tab();
    EXPECT_EQ(window->model().funTable.extents(), (Table4::Extents{3, 2, 2, 2}));
}

TEST_F(MainWindowTest, ShowsAProblemReadFromAFile)
{
    Declare("2", "a,b");
    ProblemModel& model = window->model();
    model.varName = {"u", "v"};
    model.lowerLimit = {0.5, -2, 0, 0};
    model.valueUpper = {3, 1, 0, 0};
    model.kind = {Kind::Trigonometric, Kind::Polynomial, Kind::Polynomial, Kind::Polynomial};
    window->SetDisplayedSpecs();
    EXPECT_EQ(Box("txtVarNams")->text(), "u,v");
    EXPECT_EQ(Find<QLabel>("lblVar_1")->text(), "v");
    EXPECT_EQ(Box("txtLL_0")->text(), "0.5");
    EXPECT_EQ(Box("txtTerms_0")->text(), "4");
    EXPECT_FALSE(Find<QCheckBox>("chkPower_0")->isChecked());
    EXPECT_EQ(Box("txtExpansion_0")->text(), "*"); // not written here
}

TEST_F(MainWindowTest, HelpLooksInTheDirectoryOfStartUp)
{
    QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    MainWindow started(setting, ".", NumberFormat{});
    ASSERT_TRUE(QDir::setCurrent(before));
    started.findChild<QAction*>("mnuHelp")->trigger();
    auto* viewer = started.findChild<QTextBrowser*>("frmHelp");
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(viewer->toPlainText().contains(QDir(elsewhere.path()).filePath("tavex.hlp")));
}

TEST_F(MainWindowTest, ExitWritesTheSeparatorBackAndClosesEveryWindow)
{
    Type("abc"); // an unchecked count does not hold the exit up...
    Menu("mnuHelp")->trigger();
    QPointer<QWidget> helpWindow = window->findChild<QWidget*>("frmHelp");
    ASSERT_TRUE(helpWindow && helpWindow->isVisible());
    QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier); // ...but its check refuses the mnemonic
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(setting.writes.empty());

    Type("1");
    QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier);
    QTest::qWait(300); // the button's click is animated
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(setting.writes, (Names{","}));
    EXPECT_TRUE(helpWindow.isNull() || !helpWindow->isVisible());
}

} // namespace
} // namespace tavex
