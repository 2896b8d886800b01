// The File menu's commands through their shortcuts and menu entries.
#include "app/report_printer.h"
#include "commands/print_command.h"
#include "main_window_fixture.h"

#include <ctime>
#include <regex>
#include <set>

namespace tavex {
namespace {

class FileCommandsTest : public MainWindowTest {
protected:
    void Open() { Key(Qt::Key_O); }
    void Save() { Key(Qt::Key_S); }
    void SaveAs() { Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); }
    // A File menu entry clicked, as a user does.
    void ChooseFromFileMenu(const char* name)
    {
        QMenuBar* bar = window->menuBar();
        QMenu* file = bar->actions().front()->menu();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
        QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(Menu(name)).center());
    }
};

TEST_F(FileCommandsTest, SavedProblemReopensInAFreshRun)
{
    // f = 1 + 2x + 3y + 4xy on x, y in {0, 1}; x expanded about the middle ("*").
    Declare("2", "x,y");
    for (const auto& [box, text] : {std::pair("txtLL_0", "0"), std::pair("txtLL_1", "0"), std::pair("txtUL_0", "1"),
                                    std::pair("txtUL_1", "1"), std::pair("txtExpansion_1", "0")})
        Box(box)->setText(text);
    const double f[] = {1, 3, 4, 10}; // at (0, 0), (1, 0), (0, 1), (1, 1)
    for (int i = 0; i < 4; ++i)
        window->model().funTable(i % 2, i / 2, 0, 0) = f[i];
    Click("cmdCompute");
    const Names listed = Listing();
    fileAnswer = Path("problem");
    Save();
    EXPECT_EQ(fileDialogs, std::vector{CommonDialog::Kind::Save});

    SetUp(); // a later run
    Open();
    EXPECT_EQ(window->session().problemFile, Path("problem").toStdString());
    EXPECT_EQ(window->model().funTable(1, 1, 0, 0), 10.0);
    EXPECT_TRUE(window->model().IsComputed() && Find("cmdEvaluations")->isEnabled());
    EXPECT_EQ(Listing(), listed);
    ASSERT_TRUE(window->WaitForFitFigures());
    EXPECT_TRUE(window->FitLineText().startsWith("Fit reproduces the table")) << window->FitLineText().toStdString();
    // The window shows the problem ("*" stored as the middle); the count, names and count boxes are closed.
    for (const auto& [box, text] : {std::pair("txtVarNams", "x,y"), std::pair("txtExpansion_0", "0.5"),
                                    std::pair("txtUL_1", "1")})
        EXPECT_EQ(Box(box)->text(), text) << box;
    EXPECT_EQ(Find<QLabel>("lblVar_1")->text(), "y");
    for (const char* closed : {"txtOrder", "txtVarNams", "txtTerms_0", "txtTerms_1"})
        EXPECT_FALSE(Box(closed)->isEnabled()) << closed;
    // The title names the file, unmodified; another problem may be opened.
    EXPECT_TRUE(window->windowTitle().startsWith("problem[*] - Tavex (Tabulated)") && !window->isWindowModified());
    for (const char* menu : {"mnuOpen", "mnuSave", "mnuPrint", "mnuAbout"})
        EXPECT_TRUE(Menu(menu)->isEnabled() && Menu(menu)->isVisible()) << menu;
    // The focus landed in a box whose text the open then set: leaving it is no edit.
    EXPECT_EQ(FocusName(), "txtLL_0");
    Click("cmdPlot");
    EXPECT_TRUE(window->model().IsComputed() && !window->isWindowModified());
    // Save writes to the file opened without asking; computing again lists the same.
    Save();
    EXPECT_EQ(fileDialogs, std::vector{CommonDialog::Kind::Open});
    Click("cmdCompute");
    EXPECT_EQ(Listing(), listed);
}

TEST_F(FileCommandsTest, ASpreadsheetsTableIsImportedComputedAndItsCoefficientsExported)
{
    std::vector<QString> importAsked, exportAsked;
    const auto scripted = [](std::vector<QString>& asked, std::vector<QString> answers) {
        return CommonDialog([&asked, answers](QWidget*, CommonDialog::Kind, const QString& fileName) {
            asked.push_back(fileName);
            return std::optional(answers.at(asked.size() - 1));
        });
    };
    window->ImportDialog() = scripted(importAsked, {Path("gappy.csv"), Path("sheet.csv")});
    window->ExportDialog() = scripted(exportAsked, {Path("p"), Path("c.csv")});
    // As a spreadsheet saves a block: a byte-order mark, CR LF, a label in the corner.
    Write("sheet.csv", "\xEF\xBB\xBFx\\y,0,1\r\n0,1,3\r\n1,3,7\r\n");
    Write("gappy.csv", "0,0,1\n0,1,2\n1,0,3\n");
    EXPECT_FALSE(Menu("mnuExport")->isEnabled());

    ChooseFromFileMenu("mnuImport");
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("gappy.csv"), std::string::npos) << told[0];
    EXPECT_TRUE(Box("txtOrder")->isEnabled() && Menu("mnuImport")->isEnabled()); // nothing changed

    ChooseFromFileMenu("mnuImport");
    EXPECT_EQ(told.size(), 1u);
    // What the problem and the boxes then hold, the import command's test shows.
    EXPECT_EQ(window->model().funTable(1, 1, 0, 0), 7.0);
    EXPECT_EQ(Box("txtExpansion_0")->text(), "*");
    EXPECT_TRUE(Menu("mnuOpen")->isEnabled() && Menu("mnuImport")->isEnabled());
    EXPECT_TRUE(window->windowTitle().startsWith("Untitled[*]") && !window->isWindowModified());

    Click("cmdCompute");
    ASSERT_TRUE(window->model().IsComputed());
    fileAnswer = Path("p");
    Save();
    ChooseFromFileMenu("mnuExport"); // onto the problem's own file: refused
    ASSERT_EQ(told.size(), 2u);
    EXPECT_NE(told[1].find("file of the problem"), std::string::npos) << told[1];
    ChooseFromFileMenu("mnuExport");
    // The dialog offers a coefficients' name, in the folder last chosen.
    EXPECT_EQ(exportAsked, (std::vector<QString>{"coefficients.csv", Path("coefficients.csv")}));
    QFile exported(Path("c.csv"));
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = exported.readAll().split('\n');
    EXPECT_EQ(rows.front(), "j0,j1,term,coefficient\r");
    EXPECT_EQ(rows.size(), 1 + 4 + 1); // the header, a row per coefficient, the empty rest after the last line end
}

// The fault: picking "hand.dat" asked for "hand.dat.dat".
TEST_F(FileCommandsTest, AHandWrittenPairOpensFromItsDataFileWithItsStarsShownAsStars)
{
    Write("hand", " 0 \r\n\"x\",0,2,*,#TRUE#,*,2\r\n#FALSE#\r\n");
    Write("hand.dat", " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 5 \r\n 7 \r\n 9 \r\n");
    fileAnswer = Path("hand.dat");
    Open();
    EXPECT_EQ(told, Names{});
    EXPECT_EQ(window->session().problemFile, Path("hand").toStdString());
    EXPECT_EQ(Box("txtExpansion_0")->text() + Box("txtPeriod_0")->text(), "**");
    EXPECT_TRUE(Listing().empty());
    EXPECT_FALSE(Find("cmdEvaluations")->isEnabled());
    auto* recent = Find<QMenu>("mnuRecent");
    emit recent->aboutToShow();
    ASSERT_FALSE(recent->actions().empty());
    EXPECT_EQ(recent->actions().front()->toolTip(), Path("hand"));
    Click("cmdCompute");
    EXPECT_TRUE(window->model().IsComputed());
    // Save As opens on the problem's name, and Save writes the pair there.
    fileAnswer.reset();
    SaveAs();
    EXPECT_EQ(offered, Path("hand"));
    EXPECT_FALSE(QFile::exists(Path("hand.dat.dat")));
}

TEST_F(FileCommandsTest, FailuresAreToldAndChangeNothingAndCancelledDialogsKeepTheRememberedName)
{
    Open(); // cancelled
    fileAnswer = Path("missing");
    Open();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("missing"), std::string::npos) << told[0];
    // The window goes on as if Open had not been chosen.
    EXPECT_TRUE(Box("txtOrder")->isEnabled() && Menu("mnuOpen")->isEnabled());
    Declare("1", "x");
    fileAnswer = Path("no/such/folder/p");
    Save();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_NE(told[1].find("folder"), std::string::npos) << told[1];
    EXPECT_TRUE(window->session().problemFile.empty());
    // A count box holding one value, not left: Save settles it first, its
    // check refuses, and nothing is saved; the box keeps the focus.
    fileAnswer = Path("p");
    Click("txtTerms_0");
    Type("1");
    fileDialogs.clear();
    Save();
    EXPECT_TRUE(fileDialogs.empty() && !QFile::exists(Path("p")));
    EXPECT_EQ(FocusName(), "txtTerms_0");

    // With no name yet, a cancelled Save saves nothing; a cancelled Save As
    // opens on the name held and saves to it again; Save no longer asks.
    Type("2");
    fileAnswer.reset();
    Save();
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    fileAnswer = Path("first");
    SaveAs();
    ASSERT_TRUE(QFile::remove(Path("first")));
    fileAnswer.reset();
    SaveAs();
    EXPECT_EQ(offered, Path("first"));
    EXPECT_TRUE(QFile::exists(Path("first")));
    const std::size_t dialogs = fileDialogs.size();
    Save();
    EXPECT_EQ(fileDialogs.size(), dialogs);
}

// The report goes to the PDF file chosen, in a fixed-pitch font; each page's
// heading names the problem's file without its folder, or "untitled", and
// the minute of printing.
TEST_F(FileCommandsTest, ReportGoesToThePdfFileChosenInAFixedPitchFontUnderTheProblemsName)
{
    // 12 x 12 coefficients, x trigonometric, the count boxes not left: about
    // 170 lines, more than one page holds.
    Declare("2", "x,y");
    Box("txtTerms_0")->setText("12");
    Box("txtTerms_1")->setText("12");
    Find<QCheckBox>("chkPower_0")->setChecked(false);
    window->model().ShapeTables({11, 11, 0, 0});
    for (int i = 0; i < 12; ++i)
        window->model().funTable(i, i, 0, 0) = i;
    Click("cmdCompute");
    const auto print = [this](const std::string& name) {
        const std::string before = command::HeadingOf("", std::time(nullptr)).printedAt;
        Key(Qt::Key_P);
        const std::string after = command::HeadingOf("", std::time(nullptr)).printedAt;
        std::vector<std::string> pages = PdfPages(Path("report.pdf"));
        std::smatch at;
        EXPECT_TRUE(!pages.empty() && std::regex_search(pages.front(), at, std::regex(name + " +([-0-9]+ [0-9:]+) +Tavex")))
            << name;
        EXPECT_TRUE(at.size() == 2 && (at[1] == before || at[1] == after)) << name;
        return pages;
    };
    const std::vector<std::string> pages = print("untitled");
    EXPECT_EQ(printDialogs, 1);
    ASSERT_GE(pages.size(), 2u);
    for (const char* line : {"TYPE: TRIGONOMETRIC", "# OF TERMS: 12", "COEFFICIENTS:"})
        EXPECT_NE(pages.front().find(line), std::string::npos) << line;
    // The last coefficient on the last page (that none is lost between is the
    // printer's own test), and on every page the terms in one column, whatever
    // the width of their numbers.
    EXPECT_NE(pages.back().find("*sin(6*x)*y^11"), std::string::npos);
    for (const std::string& page : pages) {
        std::istringstream lines(page);
        std::set<std::size_t> columns;
        for (std::string line; std::getline(lines, line);)
            if (line.find("*y^") != std::string::npos)
                columns.insert(line.find('*'));
        EXPECT_LE(columns.size(), 1u);
    }
    const QFontMetrics pitch(ReportPrinter::ReportFont());
    EXPECT_EQ(pitch.horizontalAdvance(QStringLiteral("iiii")), pitch.horizontalAdvance(QStringLiteral("WWWW")));

    fileAnswer = Path("ftp_problem");
    Save();
    ASSERT_EQ(window->session().problemFile, Path("ftp_problem").toStdString());
    print("ftp_problem");
    EXPECT_EQ(told, Names{});
}

TEST_F(FileCommandsTest, CancelledPrintDialogGoesOnAndNoPrinterIsSaid)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a printer: the report would go to it";
    window->PrinterDialog() = PrintDialog();
    Declare("1", "x");
    const auto cancelled = std::make_shared<bool>(false);
    WhenDialogShows([cancelled](QDialog* shown) { *cancelled = qobject_cast<QPrintDialog*>(shown) != nullptr; });
    Key(Qt::Key_P);
    EXPECT_TRUE(*cancelled);
    // Printing went on past the dialog, to find no printer to go to.
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("No printer"), std::string::npos) << told[0];
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

} // namespace
} // namespace tavex
