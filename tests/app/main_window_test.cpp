// The main window, and the windows around it: help, the decimal separator
// warning, the about window and its start-up pause.
#include "app/help_window.h"
#include "main_window_fixture.h"

namespace tavex {
namespace {

TEST_F(MainWindowTest, TypicalRoadDeclaresTheProblem)
{
    EXPECT_EQ(Box("txtOrder")->selectedText(), "2");
    // A new panel starts as a copy of the first as it stands, but polynomial.
    Box("txtLL_0")->setText("-1");
    Find<QCheckBox>("chkPower_0")->setChecked(false);
    Fields({"3"});
    EXPECT_FALSE(Box("txtOrder")->isEnabled() || Menu("mnuSave")->isEnabled());
    EXPECT_TRUE(Menu("mnuOpen")->isEnabled()); // another problem may be opened at any time
    EXPECT_EQ(Box("txtVarNams")->selectedText(), "x,y");
    // Dimension k of the tables runs up to the number in variable k's count box.
    EXPECT_EQ(window->model().funTable.extents(), (Table4::Extents{3, 3, 3, 1}));
    EXPECT_TRUE(Box("txtLL_2")->text() == "-1" && Find<QCheckBox>("chkPower_2")->isChecked());
    Fields({"x,y,z"});
    EXPECT_EQ(window->model().Names(), (Names{"x", "y", "z"}));
    for (const char* menu : {"mnuSave", "mnuSaveAs", "mnuPrint", "mnuAbout"})
        EXPECT_TRUE(Menu(menu)->isEnabled() && Menu(menu)->isVisible()) << menu;
    EXPECT_EQ(FocusName(), "txtLL_0");
}

// Which texts are refused, and that a refusal holds the focus however the
// field is left, the checks' and the field events' own tests show.
TEST_F(MainWindowTest, RefusedCountsAndNamesHoldTheFocusButMenusStillWork)
{
    Fields({"abc"});
    ASSERT_EQ(FocusName(), "txtOrder");
    QMenuBar* bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(Menu("mnuHelp")).center());
    EXPECT_TRUE(Find("frmHelp")->isVisible() && window->PanelCount() == 1);
    Fields({"2"});
    // The labels show the names as far as they went.
    const char* const cases[][3] = {{"x", "x", ""}, {"a,b,c", "a", "b"}, {"p,,q", "p", "b"}, {"u,", "u", "b"}};
    for (const auto& [names, label0, label1] : cases) {
        Fields({names});
        EXPECT_EQ(FocusName(), "txtVarNams") << names;
        EXPECT_EQ(Find<QLabel>("lblVar_0")->text() + "|" + Find<QLabel>("lblVar_1")->text(),
                  QString(label0) + "|" + label1) << names;
    }
    Type("x, y");
    Click("cmdNextVar");
    EXPECT_EQ(window->model().Names(), (Names{"x", " y"}));
    EXPECT_EQ(FocusName(), "txtLL_1"); // the click went through
}

TEST_F(MainWindowTest, TabSkipsHiddenPanelsNextAndPreviousWrapAroundAndEveryPanelLooksAlike)
{
    Declare("3", "x,y,z");
    Names walked;
    for (int i = 0; i < 14; ++i, Tab())
        walked.push_back(FocusName());
    EXPECT_EQ(walked, (Names{"txtLL_0", "txtUL_0", "txtExpansion_0", "txtPeriod_0", "txtTerms_0", "chkSpaced_0",
                             "chkPower_0", "cmdEditFun", "cmdCompute", "cmdExit", "cmdNextVar", "cmdPrevVar",
                             "lstCoeff", "cmdEditVars_0"}));
    // Further variables' fields, hidden, keep their places after chkPower_0, in panel order.
    EXPECT_EQ(Find("chkPower_0")->nextInFocusChain(), Find("txtLL_1"));
    EXPECT_EQ(Find("chkPower_1")->nextInFocusChain(), Find("txtLL_2"));
    EXPECT_EQ(Find("chkPower_2")->nextInFocusChain(), Find("cmdEditFun"));
    const auto where = [this](const std::string& name) { return Find(name.c_str())->mapTo(window.get(), QPoint()); };
    const QPoint next = where("cmdNextVar");
    const std::pair<const char*, int> steps[] = {
        {"cmdNextVar", 2}, {"cmdNextVar", 3}, {"cmdNextVar", 1}, {"cmdPrevVar", 3}, {"cmdPrevVar", 2}};
    for (const auto& [button, shown] : steps) {
        Click(button);
        EXPECT_EQ(window->session().curVarNo, shown);
        EXPECT_EQ(FocusName(), "txtLL_" + std::to_string(shown - 1));
    }
    // Every panel's controls sit in the same places.
    EXPECT_EQ(where("cmdNextVar"), next);
    for (const std::string role : {"txtLL_", "txtTerms_", "chkPower_", "chkSpaced_", "cmdAddVars_", "lblVar_"})
        EXPECT_EQ(where(role + "1"), where(role + "0")) << role;
}

TEST_F(MainWindowTest, ACountWhoseTablesWouldNotFitIsRefusedAndAChangedCountEmptiesTheTables)
{
    Declare("2", "x,y");
    Type("1,000"); // the user's grouping passes
    Click("txtTerms_0");
    // Refused before anything is asked of the system: no freeze while
    // terabytes are zeroed. Which counts are too many is the count's own test.
    Fields({"1e12"});
    EXPECT_EQ(FocusName(), "txtTerms_0");
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("memory"), std::string::npos) << told[0];
    Fields({"2.5"});
    ProblemModel& model = window->model();
    EXPECT_EQ(model.Var(0).valueUpper, 2);
    qobject_cast<CoefficientListModel*>(Find<QListView>("lstCoeff")->model())->AppendLine("a coefficient");
    model.SetComputed();
    // 3.4 is still three values; 2 and then 3 again are changes.
    for (const auto& [count, kept] : {std::pair("3.4", true), std::pair("2", false), std::pair("3", false)}) {
        model.funTable(1, 1, 0, 0) = 7.0;
        Click("txtTerms_0");
        Fields({count});
        EXPECT_EQ(std::tuple(model.funTable(1, 1, 0, 0), model.IsComputed(), window->CoefficientLines().rowCount()),
                  std::tuple(kept ? 7.0 : 0.0, kept, kept ? 1 : 0)) << count;
    }
}

// F1 opens the main window's own help, which reads the file of the
// directory the program started in and names it while it is missing; how a
// file shows, and F1 in the other windows, are the help window's tests.
TEST_F(MainWindowTest, F1OpensHelpOnTheFileOfTheStartUpDirectory)
{
    QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    MainWindow started(setting, ".", NumberFormat{});
    ASSERT_TRUE(QDir::setCurrent(before));
    started.show();
    ASSERT_TRUE(Activate(&started));
    QTest::keyClick(started.focusWidget() ? started.focusWidget() : &started, Qt::Key_F1);
    QWidget* help = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&help] { return (help = ShownWindow("frmHelp")) != nullptr; }, 2000));
    EXPECT_TRUE(help->findChild<QTextBrowser*>("txtHelp")->toPlainText().contains(
        QDir(elsewhere.path()).filePath("tavex.hlp")));
}

TEST(HelpFilePath, TheStartUpDirectorysFileFirstThenTheInstalledOne)
{
    QTemporaryDir root;
    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath("start") && dir.mkpath("usr/bin") && dir.mkpath("usr/share/tavex"));
    const QString start = dir.filePath("start"), programs = dir.filePath("usr/bin");
    const QString inStart = dir.filePath("start/tavex.hlp"), installed = dir.filePath("usr/share/tavex/tavex.hlp");
    EXPECT_EQ(HelpFilePath(start, programs), inStart); // neither: the viewer names the usual place
    ASSERT_TRUE(QFile(installed).open(QIODevice::WriteOnly));
    EXPECT_EQ(HelpFilePath(start, programs), installed);
    ASSERT_TRUE(QFile(inStart).open(QIODevice::WriteOnly));
    EXPECT_EQ(HelpFilePath(start, programs), inStart);
}

TEST_F(MainWindowTest, ExitWritesTheSeparatorBackAndClosesEveryWindow)
{
    Type("abc"); // an unchecked count does not hold the exit up...
    Menu("mnuHelp")->trigger();
    QPointer<QWidget> helpWindow = Find("frmHelp");
    ASSERT_TRUE(helpWindow && helpWindow->isVisible());
    QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier); // ...but its check refuses the mnemonic
    EXPECT_TRUE(window->isVisible() && setting.writes.empty());
    Type("1");
    QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier);
    QTest::qWait(300); // the button's click is animated
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(questions.empty()); // a count alone is no problem to save
    EXPECT_EQ(setting.writes, (Names{","}));
    EXPECT_TRUE(helpWindow.isNull() || !helpWindow->isVisible());
}

TEST_F(MainWindowTest, ComputeListsTheCoefficientsOrTheSingularMatrix)
{
    // f(x) = 5 + x, tabulated at -5 and 5.
    Declare("1", "x");
    window->model().funTable(1, 0, 0, 0) = 10.0;
    Click("cmdCompute");
    EXPECT_TRUE(window->model().IsComputed() && Find("cmdEvaluations")->isEnabled());
    const Names listed = Listing();
    ASSERT_GE(listed.size(), 3u);
    EXPECT_EQ(Names(listed.begin(), listed.begin() + 3), (Names{"COEFFICIENTS:", "5", "1                       *x"}));
    EXPECT_EQ(window->model().funTable(1, 0, 0, 0), 10.0); // the function values stay as entered
    // The list shows what was listed, whatever the problem holds later.
    window->model().coef(0, 0, 0, 0) = 123.0;
    window->model().Var(0).name = "renamed";
    EXPECT_EQ(Listing(), listed);
    // Equal limits: two equal values, two equal rows of the basis matrix. The list starts afresh.
    Box("txtUL_0")->setText("-5");
    Click("cmdCompute");
    EXPECT_FALSE(window->model().IsComputed());
    EXPECT_EQ(Listing(), Names{"YIELDS SINGULAR MATRIX."});
}

TEST_F(MainWindowTest, ListScrollsToTheEndOfTheLongestTerm)
{
    Declare("4", "first,second,third,fourth");
    Click("cmdCompute");
    auto* list = Find<QListView>("lstCoeff");
    ASSERT_TRUE(window->WaitForFitFigures());
    // The layout settles first, the fit line shown, so that it sets the list's width no more.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    Find("centralWidget")->layout()->activate();
    QCoreApplication::processEvents();
    list->resize(200, list->height());
    QCoreApplication::processEvents();
    Names listed = Listing(); // the last coefficient comes before the closing empty lines
    while (listed.back().empty())
        listed.pop_back();
    const QString longest = QString::fromStdString(listed.back());
    ASSERT_TRUE(longest.contains("*first*second*third*fourth"));
    const int reach = list->horizontalScrollBar()->maximum() + list->viewport()->width();
    EXPECT_GE(reach, list->fontMetrics().horizontalAdvance(longest));
    EXPECT_LT(reach, list->fontMetrics().horizontalAdvance(longest + "        ")); // not out to the trailing blanks
}

// exp(x) at 40 equally spaced values of [-1, 1]: an exact fit that has lost
// every digit, which the line under the listing must say.
TEST_F(MainWindowTest, FitLineWarnsOfABasisThatLosesMostDigits)
{
    Declare("1", "x");
    Fields({"-1", "1", "0", "*", "40"});
    for (int i = 0; i < 40; ++i)
        window->model().funTable(i, 0, 0, 0) = std::exp(-1.0 + 2.0 * i / 39.0);
    Click("cmdCompute");
    ASSERT_TRUE(window->WaitForFitFigures());
    auto* fit = Find<QLabel>("lblFit");
    EXPECT_TRUE(fit->isVisible());
    EXPECT_EQ(fit->text().left(35), "Warning: Fit reproduces the table t");
    EXPECT_TRUE(fit->text().contains("Condition: x ") && fit->text().contains("E+1"));
    // The advice under the figures, and as the line's tip.
    EXPECT_TRUE(fit->text().contains("\nx may lose ") && fit->text().contains("Use fewer values"));
    EXPECT_TRUE(fit->toolTip().contains("Use fewer values")) << fit->toolTip().toStdString();
    window->ClearResults(); // the figures go with the listing
    EXPECT_FALSE(fit->isVisible());
}

} // namespace
} // namespace tavex
