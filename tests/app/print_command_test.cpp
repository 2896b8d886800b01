#include "app/report_printer.h"
#include "app/toolkit/print_dialog.h"
#include "main_window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <sstream>

namespace tavex {
namespace {

// Print through Ctrl+P with the print dialog scripted: the user picks a PDF
// file, or does nothing (Cancel).
class PrintCommandTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        window->PrinterDialog() = PrintDialog([this](QWidget*, QPrinter& printer) {
            ++dialogsShown;
            if (!pdf.isEmpty())
                printer.setOutputFileName(pdf);
        });
    }

    void Print() { QTest::keyClick(Focus() ? Focus() : window.get(), Qt::Key_P, Qt::ControlModifier); }

    // pdftotext of the pages first..last (0: to the end), columns kept.
    std::vector<std::string> PdfLines(int first = 1, int last = 0) const
    {
        QStringList arguments{"-layout", "-f", QString::number(first)};
        if (last > 0)
            arguments << "-l" << QString::number(last);
        arguments << pdf << "-";
        QProcess tool;
        tool.start("pdftotext", arguments);
        EXPECT_TRUE(tool.waitForFinished(30000));
        std::istringstream text(tool.readAllStandardOutput().toStdString());
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);)
            lines.push_back(line);
        return lines;
    }
    int PdfPages() const
    {
        QProcess tool;
        tool.start("pdfinfo", {pdf});
        EXPECT_TRUE(tool.waitForFinished(30000));
        std::istringstream info(tool.readAllStandardOutput().toStdString());
        for (std::string line; std::getline(info, line);)
            if (line.rfind("Pages:", 0) == 0)
                return std::stoi(line.substr(6));
        return 0;
    }
    static bool Has(const std::vector<std::string>& lines, const std::string& text)
    {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.find(text) != std::string::npos; });
    }

    QTemporaryDir dir;
    QString pdf;
    int dialogsShown = 0;
};

TEST_F(PrintCommandTest, DataReportGoesToThePdfFileChosen)
{
    // One trigonometric variable on [0, 1] with 3 values, not computed.
    Declare("1", "x");
    Box("txtLL_0")->setText("0");
    Box("txtUL_0")->setText("1");
    Box("txtTerms_0")->setText("3");
    Find<QCheckBox>("chkPower_0")->setChecked(false);
    window->model().ShapeTables({2, 0, 0, 0});
    window->model().funTable(2, 0, 0, 0) = 7.5;

    pdf = dir.filePath("report.pdf");
    Print();
    ASSERT_EQ(dialogsShown, 1);
    ASSERT_TRUE(QFile::exists(pdf));
    const std::vector<std::string> lines = PdfLines();
    EXPECT_TRUE(Has(lines, "VARIABLE: x"));
    EXPECT_TRUE(Has(lines, "TYPE: TRIGONOMETRIC"));
    EXPECT_TRUE(Has(lines, "# OF TERMS: 3"));
    EXPECT_TRUE(Has(lines, "INTERVAL: [ 0 , 1 ]"));
    EXPECT_TRUE(Has(lines, "CENTER OF EXPANSION: 0.5")); // the panels as they stand
    EXPECT_TRUE(Has(lines, "PERIOD: 6.28318530717959"));
    EXPECT_TRUE(Has(lines, "DATA:"));

    // The value lines in a fixed-pitch font: "FUNCTION=" stands in one column.
    std::vector<std::size_t> columns;
    for (const std::string& line : lines)
        if (line.find("x=") != std::string::npos) {
            columns.push_back(line.find("FUNCTION="));
            EXPECT_NE(columns.back(), std::string::npos) << line;
        }
    const QFontMetrics pitch(ReportPrinter::ReportFont());
    EXPECT_EQ(pitch.horizontalAdvance(QStringLiteral("iiii")), pitch.horizontalAdvance(QStringLiteral("WWWW")));
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0], columns[1]);
    EXPECT_EQ(columns[1], columns[2]);
    EXPECT_TRUE(Has(lines, "FUNCTION=7.5"));
    EXPECT_TRUE(Has(lines, "x=0.5"));
}

TEST_F(PrintCommandTest, LongReportBreaksAcrossPages)
{
    // 12 x 12 coefficients: about 170 lines, more than one page holds.
    Declare("2", "x,y");
    Box("txtTerms_0")->setText("12");
    Box("txtTerms_1")->setText("12");
    window->model().ShapeTables({11, 11, 0, 0});
    for (int i = 0; i < 12; ++i)
        window->model().funTable(i, i, 0, 0) = i;
    Click("cmdCompute");
    ASSERT_TRUE(window->model().isComputed);

    pdf = dir.filePath("long.pdf");
    Print();
    const int pages = PdfPages();
    ASSERT_GE(pages, 2);
    EXPECT_TRUE(Has(PdfLines(1, 1), "COEFFICIENTS:"));
    // The last coefficient, of x^11 y^11, on the last page, none lost between.
    EXPECT_TRUE(Has(PdfLines(pages, pages), "*x^11*y^11"));
    int terms = 0;
    for (const std::string& line : PdfLines())
        terms += line.find("*y^") != std::string::npos ? 1 : 0;
    EXPECT_EQ(terms, 12 * 10); // every line with a power of y above 1
}

// Presses Cancel on the platform's print dialog once it is up.
void CancelPrintDialogWhenShown(std::shared_ptr<bool> cancelled, int polls = 0)
{
    QTimer::singleShot(10, qApp, [cancelled, polls] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (polls < 300)
                CancelPrintDialogWhenShown(cancelled, polls + 1);
            return;
        }
        *cancelled = true;
        dialog->reject();
    });
}

TEST_F(PrintCommandTest, CancelledDialogGoesOnAndNoPrinterIsSaid)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a printer: the report would go to it";
    window->PrinterDialog() = PrintDialog();
    Declare("1", "x");
    const auto cancelled = std::make_shared<bool>(false);
    CancelPrintDialogWhenShown(cancelled);
    Print();
    EXPECT_TRUE(*cancelled);
    // Printing went on past the dialog, to find no printer to go to.
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("No printer"), std::string::npos) << told[0];
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

} // namespace
} // namespace tavex
