// The printed report's pages: a heading and a page number on each, inside margins of 15 mm.
#include "app/report_printer.h"
#include "app/toolkit/common_dialog.h"
#include "app/toolkit/print_dialog.h"
#include "main_window_fixture.h"

#include <QtPrintSupport>

#include <ctime>
#include <regex>
#include <sstream>

namespace tavex {
namespace {

constexpr double kMarginPoints = 15.0 / 25.4 * 72.0;

std::string Tool(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), arguments);
    EXPECT_TRUE(tool.waitForFinished(30000));
    return tool.readAllStandardOutput().toStdString();
}

// Each page's lines that hold something, blanks at their ends dropped.
std::vector<Names> PageLines(const QString& pdf)
{
    std::istringstream text(Tool({QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
    std::vector<Names> pages;
    for (std::string page; std::getline(text, page, '\f');) {
        std::istringstream lines(page);
        Names kept;
        for (std::string line; std::getline(lines, line);)
            if (line.find_first_not_of(' ') != std::string::npos)
                kept.push_back(line.substr(line.find_first_not_of(' '), line.find_last_not_of(' ') + 1));
        pages.push_back(kept);
    }
    return pages;
}

struct Box {
    double left, top, right, bottom;
};

// The page's size and the box of every word on it, in points from its top left.
struct PageWords {
    double width = 0, height = 0;
    std::vector<Box> words;
};

std::vector<PageWords> WordBoxes(const QString& pdf)
{
    const std::string html = Tool({QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const std::regex page(R"re(<page width="([0-9.]+)" height="([0-9.]+)">)re");
    const std::regex word(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">)re");
    std::vector<PageWords> pages;
    std::istringstream lines(html);
    for (std::string line; std::getline(lines, line);) {
        std::smatch found;
        if (std::regex_search(line, found, page))
            pages.push_back({std::stod(found[1]), std::stod(found[2]), {}});
        else if (std::regex_search(line, found, word) && !pages.empty())
            pages.back().words.push_back(
                {std::stod(found[1]), std::stod(found[2]), std::stod(found[3]), std::stod(found[4])});
    }
    return pages;
}

TEST(ReportPrinter, EveryPageCarriesTheHeadingAndItsNumberOfAll)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(pdf);
    ReportPrinter report(printer, {"ftp_problem", "2026-12-07 14:05"});
    ASSERT_TRUE(report.Begin());
    Names body;
    for (int i = 1; i <= 150; ++i) {
        body.push_back("line " + std::to_string(i));
        report.Line(body.back());
        report.Line(""); // a line of its own, on the page but not in the text read back
    }
    ASSERT_TRUE(report.End());

    const std::vector<Names> pages = PageLines(pdf);
    ASSERT_GE(pages.size(), 3u);
    Names printed;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const Names& lines = pages[p];
        ASSERT_GE(lines.size(), 3u) << p;
        EXPECT_TRUE(std::regex_match(lines.front(), std::regex("ftp_problem +2026-12-07 14:05 +Tavex")))
            << lines.front();
        EXPECT_EQ(lines.back(), "page " + std::to_string(p + 1) + " of " + std::to_string(pages.size()));
        printed.insert(printed.end(), lines.begin() + 1, lines.end() - 1);
    }
    EXPECT_EQ(printed, body); // in order, none lost or repeated between pages
}

TEST(ReportPrinter, NothingIsPrintedWithinFifteenMillimetresOfAnEdge)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(pdf);
    ReportPrinter report(printer, {std::string(300, 'n'), "2026-12-07 14:05"}); // a name too long for its room
    ASSERT_TRUE(report.Begin());
    for (int i = 0; i < 80; ++i)
        report.Line(std::string(60, 'w'));
    ASSERT_TRUE(report.End());

    const std::vector<PageWords> pages = WordBoxes(pdf);
    ASSERT_EQ(pages.size(), 2u);
    for (const PageWords& page : pages) {
        // The text fills the area up to its margins: the heading's and the lines' left
        // edge, "Tavex"'s right edge, the heading's top and the page number's foot.
        Box reach{page.width, page.height, 0, 0};
        for (const Box& word : page.words) {
            reach.left = std::min(reach.left, word.left);
            reach.top = std::min(reach.top, word.top);
            reach.right = std::max(reach.right, word.right);
            reach.bottom = std::max(reach.bottom, word.bottom);
        }
        const double tolerance = 2.0; // points: the letters' own room at their sides, above and below
        EXPECT_NEAR(reach.left, kMarginPoints, tolerance);
        EXPECT_NEAR(page.width - reach.right, kMarginPoints, tolerance);
        EXPECT_NEAR(reach.top, kMarginPoints, tolerance);
        EXPECT_NEAR(page.height - reach.bottom, kMarginPoints, tolerance);
        const double rounding = 0.5;
        EXPECT_GE(std::min({reach.left, reach.top, page.width - reach.right, page.height - reach.bottom}),
                  kMarginPoints - rounding);
    }
}

// Print from the main window: the heading names the problem's file, or "untitled".
class PrintedHeadingTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        window->FileDialog() = CommonDialog([this](QWidget*, CommonDialog::Kind, const QString&) {
            return std::optional<QString>(dir.filePath(QStringLiteral("ftp_problem")));
        });
        window->PrinterDialog() = PrintDialog([this](QWidget*, QPrinter& printer) {
            printer.setOutputFileName(dir.filePath(QStringLiteral("report.pdf")));
        });
    }

    // The first line of the first page printed, and the minutes it may give.
    std::string PrintedHeading(Names& minutes)
    {
        minutes = {command::HeadingOf("", std::time(nullptr)).printedAt};
        Key(Qt::Key_P);
        minutes.push_back(command::HeadingOf("", std::time(nullptr)).printedAt);
        const std::vector<Names> pages = PageLines(dir.filePath(QStringLiteral("report.pdf")));
        return pages.empty() || pages.front().empty() ? "" : pages.front().front();
    }

    QTemporaryDir dir;
};

TEST_F(PrintedHeadingTest, NamesTheProblemFileWithoutItsFolder)
{
    Declare("1", "x");
    Names minutes;
    const std::string untitled = PrintedHeading(minutes);
    EXPECT_TRUE(std::regex_match(untitled, std::regex("untitled +[-0-9]+ [0-9:]+ +Tavex"))) << untitled;
    EXPECT_TRUE(untitled.find(minutes[0]) != std::string::npos || untitled.find(minutes[1]) != std::string::npos)
        << untitled;

    Key(Qt::Key_S);
    ASSERT_EQ(window->session().problemFile, dir.filePath(QStringLiteral("ftp_problem")).toStdString());
    const std::string saved = PrintedHeading(minutes);
    EXPECT_EQ(saved.rfind("ftp_problem ", 0), 0u) << saved;
    EXPECT_TRUE(saved.find(minutes[0]) != std::string::npos || saved.find(minutes[1]) != std::string::npos) << saved;
    EXPECT_EQ(told, Names{});
}

} // namespace
} // namespace tavex
