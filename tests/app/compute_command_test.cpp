#include "app/coefficient_list_model.h"
#include "main_window_fixture.h"

#include <QListView>
#include <QScrollBar>

namespace tavex {
namespace {

class ComputeCommandTest : public MainWindowTest {
protected:
    const CoefficientListModel& Lines() const { return window->CoefficientLines(); }
    std::string Line(int row) const { return Trimmed(Lines().Line(row)); }
    static std::string Trimmed(std::string line) { return line.erase(line.find_last_not_of(' ') + 1); }
};

TEST_F(ComputeCommandTest, ListsTheCoefficientsOrTheSingularMatrix)
{
    // f(x) = 5 + x, tabulated at -5 and 5.
    Declare("1", "x");
    window->model().funTable(1, 0, 0, 0) = 10.0;
    Click("cmdCompute");
    EXPECT_TRUE(window->model().isComputed);
    EXPECT_TRUE(Find("cmdEvaluations")->isEnabled());
    EXPECT_EQ(Line(0), "COEFFICIENTS:");
    EXPECT_EQ(Line(1), "5");
    EXPECT_EQ(Line(2), "1                       *x");
    EXPECT_EQ(window->model().funTable(1, 0, 0, 0), 10.0); // the function values stay as entered

    // Equal limits: two equal values, two equal rows of the basis matrix. The list starts afresh.
    Box("txtUL_0")->setText("-5");
    Click("cmdCompute");
    EXPECT_FALSE(window->model().isComputed);
    ASSERT_EQ(Lines().rowCount(), 1);
    EXPECT_EQ(Line(0), "YIELDS SINGULAR MATRIX.");
}

TEST_F(ComputeCommandTest, ListScrollsToTheEndOfTheLongestTerm)
{
    Declare("4", "first,second,third,fourth");
    Click("cmdCompute");
    auto* list = Find<QListView>("lstCoeff");
    list->resize(200, list->height());
    QCoreApplication::processEvents();
    int last = Lines().rowCount() - 1; // the last coefficient, before the closing empty lines
    while (Line(last).empty())
        --last;
    const std::string longest = Line(last);
    ASSERT_NE(longest.find("*first*second*third*fourth"), std::string::npos);
    const QFontMetrics metrics = list->fontMetrics();
    const int reach = list->horizontalScrollBar()->maximum() + list->viewport()->width();
    EXPECT_GE(reach, metrics.horizontalAdvance(QString::fromStdString(longest)));
    // Not out to the trailing blanks.
    EXPECT_LT(reach, metrics.horizontalAdvance(QString::fromStdString(longest + "        ")));
}

TEST_F(ComputeCommandTest, ListingKeepsShowingWhatWasListed)
{
    Declare("2", "x,t");
    window->model().funTable(1, 1, 0, 0) = 4.0;
    Click("cmdCompute");
    std::vector<std::string> listed;
    for (int row = 0; row < Lines().rowCount(); ++row)
        listed.push_back(Line(row));
    window->model().coef(0, 0, 0, 0) = 123.0;
    window->model().varName = {"renamed", "too"};
    ASSERT_EQ(Lines().rowCount(), static_cast<int>(listed.size()));
    for (int row = 0; row < Lines().rowCount(); ++row)
        EXPECT_EQ(Line(row), listed[static_cast<std::size_t>(row)]) << row;
}

} // namespace
} // namespace tavex
