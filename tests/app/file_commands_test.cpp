#include "app/report_printer.h"
#include "app/toolkit/common_dialog.h"
#include "app/toolkit/print_dialog.h"
#include "main_window_fixture.h"

#include <QtPrintSupport>

#include <memory>
#include <optional>
#include <set>
#include <sstream>

namespace tavex {
namespace {

// The File menu's commands through their shortcuts, with the dialogs
// scripted: the file dialog answers `answer` (nothing: Cancel), the print
// dialog picks the PDF file `pdf`.
class FileCommandsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        window->FileDialog() = CommonDialog([this](QWidget*, CommonDialog::Kind kind, const QString& fileName) {
            shown.push_back(kind);
            openedOn = fileName;
            return answer;
        });
        window->PrinterDialog() = PrintDialog([this](QWidget*, QPrinter& printer) {
            ++printDialogs;
            printer.setOutputFileName(pdf);
        });
    }

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
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void Write(const char* name, const char* text) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) > 0);
    }

    // Prints to `name` and reads the pages back, columns kept.
    std::vector<std::string> PrintedPages(const char* name)
    {
        pdf = Path(name);
        Key(Qt::Key_P);
        EXPECT_EQ(printDialogs, 1);
        QProcess tool;
        tool.start("pdftotext", {"-layout", pdf, "-"});
        EXPECT_TRUE(tool.waitForFinished(30000));
        std::istringstream text(tool.readAllStandardOutput().toStdString());
        std::vector<std::string> pages;
        for (std::string page; std::getline(text, page, '\f');)
            pages.push_back(page);
        return pages;
    }

    QTemporaryDir dir;
    std::optional<QString> answer;
    std::vector<CommonDialog::Kind> shown;
    QString openedOn, pdf;
    int printDialogs = 0;
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
    answer = Path("problem");
    Save();
    EXPECT_EQ(shown, std::vector{CommonDialog::Kind::Save});

    FileCommandsTest::SetUp(); // a later run
    shown.clear();
    Open();
    EXPECT_EQ(window->session().problemFile, Path("problem").toStdString());
    EXPECT_EQ(window->model().funTable(1, 1, 0, 0), 10.0);
    EXPECT_TRUE(window->model().IsComputed() && Find("cmdEvaluations")->isEnabled());
    EXPECT_EQ(Listing(), listed);
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
    // Save writes to the file opened without asking; computing again lists the same.
    Save();
    EXPECT_EQ(shown.size(), 1u);
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
    EXPECT_EQ(window->model().funTable(1, 1, 0, 0), 7.0);
    EXPECT_TRUE(window->session().problemFile.empty()); // a table is no problem file
    for (const auto& [box, text] : {std::pair("txtVarNams", "x,y"), std::pair("txtLL_0", "0"),
                                    std::pair("txtUL_1", "1"), std::pair("txtExpansion_0", "*")})
        EXPECT_EQ(Box(box)->text(), text) << box;
    for (const char* closed : {"txtOrder", "txtVarNams", "txtTerms_0"})
        EXPECT_FALSE(Box(closed)->isEnabled()) << closed;
    EXPECT_TRUE(Menu("mnuOpen")->isEnabled() && Menu("mnuImport")->isEnabled());
    EXPECT_TRUE(window->windowTitle().startsWith("Untitled[*]") && !window->isWindowModified());

    Click("cmdCompute");
    ASSERT_TRUE(window->model().IsComputed());
    answer = Path("p");
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

TEST_F(FileCommandsTest, HandWrittenStarsShowAsStarsAndNothingIsListed)
{
    Write("hand", " 0 \r\n\"x\",0,2,*,#TRUE#,*,2\r\n#FALSE#\r\n");
    Write("hand.dat", " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 5 \r\n 7 \r\n 9 \r\n");
    answer = Path("hand");
    Open();
    EXPECT_EQ(Box("txtExpansion_0")->text() + Box("txtPeriod_0")->text(), "**");
    EXPECT_TRUE(Listing().empty());
    EXPECT_FALSE(Find("cmdEvaluations")->isEnabled());
    Click("cmdCompute");
    EXPECT_TRUE(window->model().IsComputed());
}

// The fault: picking "hand.dat" asked for "hand.dat.dat".
TEST_F(FileCommandsTest, PickingTheDataFileOpensThePairUnderTheProblemsName)
{
    Write("hand", " 0 \r\n\"x\",0,2,*,#TRUE#,*,2\r\n#FALSE#\r\n");
    Write("hand.dat", " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 5 \r\n 7 \r\n 9 \r\n");
    answer = Path("hand.dat");
    Open();
    EXPECT_EQ(told, Names{});
    EXPECT_EQ(window->session().problemFile, Path("hand").toStdString());
    auto* recent = Find<QMenu>("mnuRecent");
    emit recent->aboutToShow();
    ASSERT_FALSE(recent->actions().empty());
    EXPECT_EQ(recent->actions().front()->toolTip(), Path("hand"));
    // Save As opens on the problem's name, and Save writes the pair there.
    answer.reset();
    SaveAs();
    EXPECT_EQ(openedOn, Path("hand"));
    EXPECT_FALSE(QFile::exists(Path("hand.dat.dat")));
}

TEST_F(FileCommandsTest, CancelledDialogsKeepTheRememberedName)
{
    Declare("1", "x");
    Save(); // no name yet, cancelled: nothing saved
    EXPECT_TRUE(QDir(dir.path()).isEmpty() && window->session().problemFile.empty());
    answer = Path("first");
    SaveAs();
    ASSERT_TRUE(QFile::remove(Path("first")));
    // A cancelled Save As opens on the name held and saves to it again; Save no longer asks.
    answer.reset();
    SaveAs();
    EXPECT_EQ(openedOn, Path("first"));
    EXPECT_TRUE(QFile::exists(Path("first")));
    const std::size_t asked = shown.size();
    Save();
    EXPECT_EQ(shown.size(), asked);
}

TEST_F(FileCommandsTest, FailuresAreToldAndChangeNothing)
{
    Open(); // cancelled
    answer = Path("missing");
    Open();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("missing"), std::string::npos) << told[0];
    // The window goes on as if Open had not been chosen.
    EXPECT_TRUE(Box("txtOrder")->isEnabled() && Menu("mnuOpen")->isEnabled());
    Declare("1", "x");
    answer = Path("no/such/folder/p");
    Save();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_NE(told[1].find("folder"), std::string::npos) << told[1];
    EXPECT_TRUE(window->session().problemFile.empty());
    // A count box holding one value, not left: Save settles it first, its
    // check refuses, and nothing is saved; the box keeps the focus.
    answer = Path("p");
    Click("txtTerms_0");
    Type("1");
    shown.clear();
    Save();
    EXPECT_TRUE(shown.empty() && !QFile::exists(Path("p")));
    EXPECT_EQ(FocusName(), "txtTerms_0");
}

TEST_F(FileCommandsTest, ReportGoesToThePdfFileChosenInAFixedPitchFontAcrossPages)
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
    const std::vector<std::string> pages = PrintedPages("report.pdf");
    ASSERT_GE(pages.size(), 2u);
    for (const char* line : {"TYPE: TRIGONOMETRIC", "# OF TERMS: 12", "COEFFICIENTS:"})
        EXPECT_NE(pages.front().find(line), std::string::npos) << line;
    // The last coefficient on the last page, none lost between, and on every
    // page the terms in one column, whatever the width of their numbers.
    EXPECT_NE(pages.back().find("*sin(6*x)*y^11"), std::string::npos);
    std::size_t withPowersOfY = 0;
    for (const std::string& page : pages) {
        std::istringstream lines(page);
        std::set<std::size_t> columns;
        for (std::string line; std::getline(lines, line);)
            if (line.find("*y^") != std::string::npos) {
                ++withPowersOfY;
                columns.insert(line.find('*'));
            }
        EXPECT_LE(columns.size(), 1u);
    }
    EXPECT_EQ(withPowersOfY, 12u * 10); // every term with a power of y above 1
    const QFontMetrics pitch(ReportPrinter::ReportFont());
    EXPECT_EQ(pitch.horizontalAdvance(QStringLiteral("iiii")), pitch.horizontalAdvance(QStringLiteral("WWWW")));
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
