// The printed report's pages: a heading and a page number on each, inside margins of 15 mm.
#include "app/report_printer.h"
#include "main_window_fixture.h"

#include <regex>

namespace tavex {
namespace {

constexpr double kMarginPoints = 15.0 / 25.4 * 72.0;

// Each page's lines that hold something, blanks at their ends dropped.
std::vector<Names> PageLines(const QString& pdf)
{
    std::vector<Names> pages;
    for (const std::string& page : PdfPages(pdf)) {
        std::istringstream lines(page);
        Names kept;
        for (std::string line; std::getline(lines, line);)
            if (const std::size_t first = line.find_first_not_of(' '); first != std::string::npos)
                kept.push_back(line.substr(first, line.find_last_not_of(' ') - first + 1));
        pages.push_back(kept);
    }
    return pages;
}

struct Box { double left, top, right, bottom; };

// The page's size and the box of every word on it, in points from its top left.
struct PageWords { double width = 0, height = 0; std::vector<Box> words; };

std::vector<PageWords> WordBoxes(const QString& pdf)
{
    const std::string html = PdfToText({QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
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

TEST(ReportPrinter, EveryPageCarriesTheHeadingAndItsNumberInsideMarginsOfFifteenMillimetres)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(pdf);
    // A name too long for its room gives way to the time.
    ReportPrinter report(printer, {"ftp_problem_" + std::string(150, 'n'), "2026-12-07 14:05"});
    ASSERT_TRUE(report.Begin());
    Names body;
    for (int i = 1; i <= 100; ++i) {
        body.push_back("line " + std::to_string(i) + " " + std::string(60, 'w'));
        report.Line(body.back());
        report.Line(""); // a line of its own on the page, not in the text read back
    }
    ASSERT_TRUE(report.End());

    const std::vector<Names> pages = PageLines(pdf);
    ASSERT_GE(pages.size(), 3u);
    Names printed;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const Names& lines = pages[p];
        ASSERT_GE(lines.size(), 3u) << p;
        EXPECT_TRUE(std::regex_match(lines.front(), std::regex("ftp_problem_n+\\S*n+ +2026-12-07 14:05 +Tavex")))
            << lines.front();
        EXPECT_EQ(lines.back(), "page " + std::to_string(p + 1) + " of " + std::to_string(pages.size()));
        printed.insert(printed.end(), lines.begin() + 1, lines.end() - 1);
    }
    EXPECT_EQ(printed, body); // in order, none lost or repeated between pages

    // The text reaches its margins and no further: the lines' left edge,
    // "Tavex"'s right edge, the heading's top and the page number's foot.
    for (const PageWords& page : WordBoxes(pdf)) {
        Box reach{page.width, page.height, 0, 0};
        for (const Box& word : page.words)
            reach = {std::min(reach.left, word.left), std::min(reach.top, word.top),
                     std::max(reach.right, word.right), std::max(reach.bottom, word.bottom)};
        const double letterRoom = 2.0; // points beside, above and below a letter's shape
        const Box margins{reach.left, reach.top, page.width - reach.right, page.height - reach.bottom};
        for (const double margin : {margins.left, margins.top, margins.right, margins.bottom}) {
            EXPECT_NEAR(margin, kMarginPoints, letterRoom);
            EXPECT_GE(margin, kMarginPoints - 0.5);
        }
    }
}

} // namespace
} // namespace tavex
