#include "app/coefficient_list_model.h"
#include "main_window_fixture.h"

#include <QCheckBox>
#include <QListView>
#include <QScrollBar>

namespace tavex {
namespace {

class ComputeCommandTest : public MainWindowTest {
protected:
    const CoefficientListModel& Lines() const { return window->CoefficientLines(); }
    std::string Line(int row) const
    {
        // The line as the list box shows it.
        const QModelIndex index = Find<QListView>("lstCoeff")->model()->index(row, 0);
        return index.data().toString().toStdString();
    }
    static std::string Trimmed(std::string line) { return line.erase(line.find_last_not_of(' ') + 1); }
};

TEST_F(ComputeCommandTest, ListsTheCoefficientsAndEnablesEvaluations)
{
    // f(x) = 5 + x, tabulated at -5 and 5.
    Declare("1", "x");
    window->model().funTable(0, 0, 0, 0) = 0.0;
    window->model().funTable(1, 0, 0, 0) = 10.0;
    Click("cmdCompute");

    EXPECT_TRUE(window->model().isComputed);
    EXPECT_TRUE(Find("cmdEvaluations")->isEnabled());
    ASSERT_GE(Lines().rowCount(), 3);
    EXPECT_EQ(Line(0), "COEFFICIENTS:");
    EXPECT_EQ(Trimmed(Line(1)), "5");
    EXPECT_EQ(Trimmed(Line(2)), "1                       *x");
    EXPECT_EQ(window->model().funTable(1, 0, 0, 0), 10.0); // the function values stay as entered
}

TEST_F(ComputeCommandTest, ListScrollsToTheEndOfTheLongestTerm)
{
    Declare("4", "first,second,third,fourth");
    Click("cmdCompute");
    auto* list = Find<QListView>("lstCoeff");
    list->resize(200, list->height());
    QCoreApplication::processEvents();
    int last = Lines().rowCount() - 1; // the last coefficient, before the closing empty lines
    while (Trimmed(Line(last)).empty())
        --last;
    const std::string longest = Trimmed(Line(last));
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
    const int rows = Lines().rowCount();
    std::vector<std::string> listed;
    for (int row = 0; row < rows; ++row)
        listed.push_back(Line(row));

    window->model().coef(0, 0, 0, 0) = 123.0;
    window->model().varName = {"renamed", "too"};
    ASSERT_EQ(Lines().rowCount(), rows);
    for (int row = 0; row < rows; ++row)
        EXPECT_EQ(Line(row), listed[static_cast<std::size_t>(row)]) << row;
}

TEST_F(ComputeCommandTest, SingularSystemIsOneLineAndLeavesEvaluationsAlone)
{
    Declare("1", "x");
    // Equal limits: two equal values, two equal rows of the basis matrix.
    Box("txtLL_0")->setText("1");
    Box("txtUL_0")->setText("1");
    Click("cmdCompute");
    EXPECT_FALSE(window->model().isComputed);
    ASSERT_EQ(Lines().rowCount(), 1);
    EXPECT_EQ(Line(0), "YIELDS SINGULAR MATRIX.");
    EXPECT_FALSE(Find("cmdEvaluations")->isEnabled());

    // A second compute starts from an empty list.
    Box("txtUL_0")->setText("2");
    Click("cmdCompute");
    EXPECT_TRUE(window->model().isComputed);
    EXPECT_EQ(Line(0), "COEFFICIENTS:");
}

TEST_F(ComputeCommandTest, ComputeReadsThePanelsAndTheSpacedBoxes)
{
    Declare("1", "x");
    Box("txtLL_0")->setText("1");
    Box("txtUL_0")->setText("2");
    Click("txtTerms_0");
    Type("3");
    Click("cmdCompute");
    EXPECT_EQ(window->model().VarX(0), (std::vector<double>{1.0, 1.5, 2.0}));
    EXPECT_EQ(window->model().valueUpper[0], 2);
}

} // namespace
} // namespace tavex
