#include "app/coefficient_list_model.h"
#include "main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <memory>

namespace tavex {
namespace {

using Names = std::vector<std::string>;

TEST_F(MainWindowTest, OpensReadyForTheCount)
{
    EXPECT_EQ(window->windowTitle(), "Tavex (Tabulated)  www.tavex.example");
    EXPECT_EQ(window->objectName(), "frmTavex");
    EXPECT_EQ(FocusName(), "txtOrder");
    EXPECT_EQ(Box("txtOrder")->selectedText(), "2");
    EXPECT_EQ(Box("txtVarNams")->text(), "x,y");
    EXPECT_EQ(Box("txtOrder")->font().family(), "Verdana");
    EXPECT_EQ(Find<QLabel>("lblVarNam")->text(),
              "Enter the names of the independent variables, separated by commas:");
    EXPECT_EQ(Box("txtExpansion_0")->toolTip(), "Enter \"*\" for center of interval");
    EXPECT_EQ(Find<QCheckBox>("chkPower_0")->toolTip(), "Uncheck for Trigonometric");
    EXPECT_EQ(Find("cmdCompute")->toolTip(), "Compute coefficients");
    EXPECT_EQ(Find("lstCoeff")->toolTip(), "Coefficients");
    EXPECT_TRUE(Find("lstCoeff")->font().fixedPitch());
    EXPECT_FALSE(Find("cmdEvaluations")->isEnabled());

    EXPECT_TRUE(Menu("mnuOpen")->isEnabled());
    EXPECT_TRUE(Menu("mnuHelp")->isEnabled());
    EXPECT_FALSE(Menu("mnuSave")->isEnabled());
    EXPECT_FALSE(Menu("mnuSaveAs")->isEnabled());
    EXPECT_FALSE(Menu("mnuPrint")->isEnabled());
    EXPECT_FALSE(Menu("mnuAbout")->isVisible());

    EXPECT_EQ(window->session().curVarNo, 1);
    EXPECT_EQ(window->model().funTable.size(), 1u);
    EXPECT_FALSE(window->session().startDir.empty());
}

TEST_F(MainWindowTest, TypicalRoadDeclaresTheProblem)
{
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
    for (const char* name : {"txtLL_2", "txtUL_2", "txtExpansion_2", "txtPeriod_2", "txtTerms_2", "lblVar_2",
                             "chkPower_2", "chkSpaced_2", "cmdAddVars_2", "cmdEditVars_2"})
        EXPECT_FALSE(Find(name)->isVisible()) << name;
    EXPECT_TRUE(Find<QCheckBox>("chkPower_2")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("chkSpaced_2")->isChecked());
    EXPECT_FALSE(Menu("mnuSave")->isEnabled());

    Type("x,y,z");
    Tab();
    EXPECT_EQ(model.varName, (Names{"x", "y", "z"}));
    EXPECT_EQ(Find<QLabel>("lblVar_0")->text(), "x");
    EXPECT_FALSE(Box("txtVarNams")->isEnabled());
    EXPECT_TRUE(Menu("mnuSave")->isEnabled());
    EXPECT_TRUE(Menu("mnuSaveAs")->isEnabled());
    EXPECT_TRUE(Menu("mnuPrint")->isEnabled());
    EXPECT_TRUE(Menu("mnuAbout")->isVisible());
    EXPECT_EQ(FocusName(), "txtLL_0");

    ASSERT_TRUE(window->ReadSpecs());
    EXPECT_EQ(model.valueUpper, (PerVariable<int>{1, 1, 1, 0}));
    EXPECT_EQ(model.VarX(2), (std::vector<double>{-5.0, 5.0}));
}

TEST_F(MainWindowTest, RefusedCountHoldsTheFocusButMenusStillWork)
{
    for (const char* count : {"abc", "5", "0.3"}) {
        Type(count);
        Tab();
        EXPECT_EQ(FocusName(), "txtOrder") << count;
        Click("cmdCompute");
        Click("txtVarNams");
        EXPECT_EQ(FocusName(), "txtOrder") << count;
        EXPECT_TRUE(Box("txtOrder")->isEnabled());
        EXPECT_EQ(Box("txtOrder")->text().toStdString(), count);
    }
    EXPECT_EQ(window->findChild<QLineEdit*>("txtLL_1"), nullptr);

    QMenuBar* bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(Menu("mnuHelp")).center());
    EXPECT_TRUE(QApplication::topLevelWidgets().contains(window->findChild<QWidget*>("frmHelp")));
    EXPECT_EQ(Focus(), Box("txtOrder"));
    EXPECT_TRUE(Box("txtOrder")->isEnabled());
}

TEST_F(MainWindowTest, ClickOnAnotherControlConfirmsTheCount)
{
    Type("2.5");
    Click("txtUL_0");
    EXPECT_EQ(window->model().lastVar, 2);
    EXPECT_EQ(FocusName(), "txtVarNams"); // the count's lost-focus handler moves it there
}

TEST_F(MainWindowTest, NewPanelsCopyPanelZeroAsItIsWhenTheCountIsConfirmed)
{
    Box("txtLL_0")->setText("-1");
    Box("txtTerms_0")->setText("4");
    Find<QCheckBox>("chkPower_0")->setChecked(false);
    Type("2");
    Tab();
    EXPECT_EQ(Box("txtLL_1")->text(), "-1");
    EXPECT_EQ(Box("txtUL_1")->text(), "5");
    EXPECT_EQ(Box("txtExpansion_1")->text(), "*");
    EXPECT_EQ(Box("txtPeriod_1")->text(), "*");
    EXPECT_EQ(Box("txtTerms_1")->text(), "4");
    EXPECT_EQ(Box("txtPeriod_1")->toolTip(), Box("txtPeriod_0")->toolTip());
    EXPECT_EQ(Find<QPushButton>("cmdAddVars_1")->text(), "Add values");
    // Every variable starts polynomial.
    EXPECT_TRUE(Find<QCheckBox>("chkPower_0")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("chkPower_1")->isChecked());
    EXPECT_EQ(window->model().funTable.extents(), (Table4::Extents{5, 5, 1, 1}));
}

TEST_F(MainWindowTest, NamesAreCheckedAgainstTheCount)
{
    Type("2");
    Tab();
    const ProblemModel& model = window->model();
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
        EXPECT_FALSE(Menu("mnuSave")->isEnabled());
    }
    Type("x, y");
    Click("cmdNextVar");
    EXPECT_EQ(model.varName, (Names{"x", " y"}));
    // The click went through: the second panel shows.
    EXPECT_EQ(FocusName(), "txtLL_1");
    EXPECT_EQ(Find<QLabel>("lblVar_1")->text(), " y");
}

TEST_F(MainWindowTest, OneVariableIsLabelled)
{
    Declare("1", "x");
    EXPECT_EQ(Find<QLabel>("lblVar_0")->text(), "x");
    Click("cmdNextVar");
    EXPECT_EQ(FocusName(), "txtLL_0");
    EXPECT_EQ(window->session().curVarNo, 1);
    Click("cmdPrevVar");
    EXPECT_EQ(FocusName(), "txtLL_0");
    EXPECT_EQ(window->session().curVarNo, 1);
}

TEST_F(MainWindowTest, NextAndPreviousWrapAround)
{
    Declare("3", "x,y,z");
    const auto shown = [this] {
        int visible = -1;
        for (int k = 0; k < 3; ++k) {
            const std::string name = "txtLL_" + std::to_string(k);
            if (Box(name.c_str())->isVisible()) {
                EXPECT_EQ(visible, -1);
                visible = k;
            }
        }
        EXPECT_EQ(FocusName(), "txtLL_" + std::to_string(visible));
        return visible;
    };
    Click("cmdNextVar");
    EXPECT_EQ(shown(), 1);
    EXPECT_EQ(Find<QLabel>("lblVar_1")->text(), "y");
    EXPECT_TRUE(Find("chkSpaced_1")->isVisible());
    EXPECT_FALSE(Find("cmdEditVars_0")->isVisible());
    Click("cmdNextVar");
    EXPECT_EQ(shown(), 2);
    Click("cmdNextVar");
    EXPECT_EQ(shown(), 0);
    Click("cmdPrevVar");
    EXPECT_EQ(shown(), 2);
    EXPECT_EQ(window->session().curVarNo, 3);
    Click("cmdPrevVar");
    EXPECT_EQ(shown(), 1);
}

TEST_F(MainWindowTest, FieldsOfFurtherVariablesFollowPowerOfTheFirst)
{
    Declare("3", "x,y,z");
    const Names panel0 = {"txtLL_0", "txtUL_0", "txtExpansion_0", "txtPeriod_0", "txtTerms_0", "chkSpaced_0", "chkPower_0"};
    Names expected = {"txtOrder", "txtVarNams"};
    expected.insert(expected.end(), panel0.begin(), panel0.end());
    for (const char* k : {"1", "2"})
        for (const char* field : {"txtLL_", "txtUL_", "txtExpansion_", "txtPeriod_", "txtTerms_", "chkSpaced_", "chkPower_"})
            expected.push_back(std::string(field) + k);
    for (const char* name : {"cmdEditFun", "cmdCompute", "cmdEvaluations", "cmdExit", "cmdNextVar", "cmdPrevVar",
                             "lstCoeff", "cmdEditVars_0", "cmdAddVars_0"})
        expected.push_back(name);
    Names chain = FocusChain();
    chain.resize(std::min(chain.size(), expected.size()));
    EXPECT_EQ(chain, expected);

    // Tab walks the controls that are shown and enabled.
    Names walked;
    for (int i = 0; i < 14; ++i) {
        walked.push_back(FocusName());
        Tab();
    }
    EXPECT_EQ(walked, (Names{"txtLL_0", "txtUL_0", "txtExpansion_0", "txtPeriod_0", "txtTerms_0", "chkSpaced_0",
                             "chkPower_0", "cmdEditFun", "cmdCompute", "cmdExit", "cmdNextVar", "cmdPrevVar",
                             "lstCoeff", "cmdEditVars_0"}));
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
    Tab();
    EXPECT_EQ(FocusName(), "txtUL_0");
    Type("-1");
    Tab();
    Tab();
    Tab();
    ASSERT_EQ(FocusName(), "txtTerms_0");
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
    EXPECT_EQ(window->model().upperLimit[0], -1.0);
    EXPECT_EQ(window->model().valueStep[0], -1.0);
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
    ASSERT_TRUE(lines);
    lines->AppendLine("a coefficient");

    Click("txtTerms_0");
    EXPECT_EQ(Box("txtTerms_0")->selectedText(), "2");
    Type("2.4"); // still two values
    Tab();
    EXPECT_EQ(model.funTable(1, 1, 0, 0), 7.0);
    EXPECT_TRUE(model.isComputed);
    EXPECT_EQ(lines->rowCount(), 1);

    Click("txtTerms_0");
    Type("3");
    Tab();
    EXPECT_EQ(model.funTable.extents(), (Table4::Extents{3, 2, 1, 1}));
    EXPECT_EQ(model.funTable(1, 1, 0, 0), 0.0);
    EXPECT_FALSE(model.isComputed);
    EXPECT_EQ(lines->rowCount(), 0);

    model.funTable(1, 1, 0, 0) = 7.0;
    Click("txtTerms_0");
    Type("2");
    Tab();
    EXPECT_EQ(model.funTable(1, 1, 0, 0), 0.0);
}

TEST_F(MainWindowTest, CountWhoseTablesWouldNotFitIsRefusedWithAMessage)
{
    // Before anything is asked of the system: no freeze while terabytes are zeroed.
    std::vector<std::string> told;
    window->Messages() = MessageBox([&told](QWidget*, const QString&, const QString& text) {
        told.push_back(text.toStdString());
    });
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
    EXPECT_EQ(window->model().funTable.extents(), (Table4::Extents{3, 3, 3, 3}));
    Type("3");
    Tab();
    EXPECT_EQ(window->model().funTable.extents(), (Table4::Extents{3, 2, 2, 2}));
    EXPECT_TRUE(told.empty());
}

TEST_F(MainWindowTest, ShowsAProblemReadFromAFile)
{
    Declare("2", "a,b");
    ProblemModel& model = window->model();
    model.varName = {"u", "v"};
    model.lowerLimit = {0.5, -2, 0, 0};
    model.valueUpper = {3, 1, 0, 0};
    model.kind = {Kind::Trigonometric, Kind::Polynomial, Kind::Trigonometric, Kind::Trigonometric};
    window->SetDisplayedSpecs();
    EXPECT_EQ(Box("txtOrder")->text(), "2");
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
    ASSERT_TRUE(elsewhere.isValid());
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
    Type("abc"); // an unchecked count does not hold the exit up
    QAction* help = Menu("mnuHelp");
    help->trigger();
    QPointer<QWidget> helpWindow = window->findChild<QWidget*>("frmHelp");
    ASSERT_TRUE(helpWindow && helpWindow->isVisible());
    QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier); // refused: the count is invalid
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(setting.writes.empty());

    Type("1");
    QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier);
    QTest::qWait(300); // the button's click is animated
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(setting.writes, (Names{","}));
    EXPECT_TRUE(helpWindow.isNull() || !helpWindow->isVisible());
}

TEST_F(MainWindowTest, CloseBoxRightAfterStartWritesTheSeparatorBack)
{
    window->close();
    EXPECT_EQ(setting.writes, (Names{","}));
}

} // namespace
} // namespace tavex
