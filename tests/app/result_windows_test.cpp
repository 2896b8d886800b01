// The windows beside the main one once a problem is computed: the
// evaluation window and the plot window.
#include "app/toolkit/common_dialog.h"
#include "main_window_fixture.h"

#include <qcustomplot.h>

#include <cmath>

namespace tavex {
namespace {

// The evaluation window on f = 1 + x + 2y + xy, tabulated on x in {0, 1, 2}
// and y in {0, 1} and computed; message boxes recorded in `told`.
class EvaluationWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Declare("2", NamesText());
        Fields({"0", "2", "0", "*", "3"});
        Box("txtLL_1")->setText("0");
        Box("txtUL_1")->setText("1");
        Box("txtExpansion_1")->setText("0");
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 2; ++j)
                window->model().funTable(i, j, 0, 0) = 1 + i + 2 * j + i * j;
        Click("cmdCompute");
        ASSERT_TRUE(window->model().IsComputed());
        Click("cmdEvaluations");
    }
    virtual const char* NamesText() const { return "x,y"; }

    // Types into an entry of the evaluation window, replacing its text.
    void Enter(const char* entry, const char* text)
    {
        QLineEdit* box = Box(entry);
        box->selectAll();
        QTest::keyClicks(box, QString::fromUtf8(text));
    }
    void Compute() { QTest::keyClick(Box("txtVarx_0"), Qt::Key_Return); }
    std::string Shown(const char* label) const { return Find<QLabel>(label)->text().toStdString(); }
};

TEST_F(EvaluationWindowTest, ShowsTheApproximationTheFunctionAndTheirDifference)
{
    EXPECT_EQ(window->ScriptMath().pi, 4 * std::atan(1.0)); // the host was started with its constants
    auto* frmEvaluations = Find("frmEvaluations");
    ASSERT_TRUE(frmEvaluations && frmEvaluations->isVisible());
    EXPECT_TRUE(window->isEnabled()); // beside the main window, not over it
    EXPECT_EQ(Box("txtVarx_0")->text() + Box("txtVarx_1")->text(), "00");
    EXPECT_EQ(Find<QLabel>("lblVarx_1")->text(), "y=");
    EXPECT_FALSE(window->findChild<QWidget*>("txtVarx_2"));

    // A number followed by letters evaluates at the number; no formula: no comparison.
    Enter("txtVarx_0", "1.5");
    Enter("txtVarx_1", "0.5abc");
    Compute();
    EXPECT_EQ(Shown("lblApprox"), "4.25");
    EXPECT_FALSE(Find("lblFuncValue")->isVisible());
    EXPECT_EQ(window->ScriptHost().Value("x"), 1.5); // the object's field takes it
    EXPECT_EQ(window->ScriptMath().x, 1.5);

    Enter("txtFunction", "1 + x + 2*y + x*y");
    Compute();
    EXPECT_EQ(Shown("lblFuncValue"), "4.25");
    EXPECT_EQ(Shown("lblError"), "0");
    EXPECT_TRUE(told.empty());

    // A formula the host refuses is reported, and the approximation still shown.
    Enter("txtVarx_0", "2");
    Enter("txtFunction", "1 + q");
    Compute();
    EXPECT_EQ(told, (Names{"Variable is undefined"}));
    EXPECT_EQ(Shown("lblApprox"), "5");
    EXPECT_EQ(Shown("lblFuncValue") + Shown("lblError"), "");

    // Reopened, the window shows the last point and formula.
    QTest::keyClick(Box("txtVarx_0"), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window->findChild<QWidget*>("frmEvaluations"));
    Click("cmdEvaluations");
    EXPECT_EQ(Box("txtVarx_0")->text() + "|" + Box("txtVarx_1")->text() + "|" + Box("txtFunction")->text(),
              "2|0.5|1 + q");
}

TEST_F(EvaluationWindowTest, AnOverflowIsSaidInWordsAndStaysShownOnceTheResultsAreCleared)
{
    Enter("txtVarx_1", "1");
    Enter("txtVarx_0", "1e308"); // beyond the doubles: a word, not digits
    Compute();
    EXPECT_EQ(Shown("lblApprox"), "overflow");
    window->ClearResults();
    Enter("txtVarx_0", "0");
    Compute();
    EXPECT_EQ(Shown("lblApprox"), "overflow");
}

class BadNameTest : public EvaluationWindowTest {
protected:
    const char* NamesText() const override { return "2x,y"; }
};

TEST_F(BadNameTest, AStatementTheHostRefusesIsReportedAndTheEvaluationGoesOn)
{
    Compute();
    EXPECT_EQ(told, (Names{"Expected statement"})); // "2x= 0" is no statement
    EXPECT_EQ(Shown("lblApprox"), "1");
}

// The plot window on f = x^2 y tabulated on x in {-1, 0, 1, 2} and y in {1, 2, 3}.
class PlotWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        Declare("2", "x,y");
        Fields({"-1", "2", "*", "*", "4"});
        Click("cmdNextVar");
        Fields({"1", "3", "*", "*", "3"});
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 3; ++j)
                window->model().funTable(i, j, 0, 0) = (i - 1.0) * (i - 1.0) * (j + 1.0);
        Click("cmdCompute");
        ASSERT_TRUE(window->model().IsComputed());
        window->ExportDialog() = CommonDialog([this](QWidget*, CommonDialog::Kind, const QString&) {
            return std::optional<QString>(dir.filePath(exportName));
        });
        Click("cmdPlot");
        plot = Find("frmPlot");
        ASSERT_TRUE(plot && plot->isVisible());
    }

    QCPGraph* Graph(const char* plotName, int i) const { return Find<QCustomPlot>(plotName)->graph(i); }
    QByteArray Exported(const char* name)
    {
        exportName = QString::fromLatin1(name);
        Click("cmdExport");
        QFile file(dir.filePath(exportName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString exportName;
    QWidget* plot = nullptr;
};

TEST_F(PlotWindowTest, SliceFollowsTheSliderAndTheMapMarksTheGrid)
{
    EXPECT_TRUE(window->isEnabled()); // beside the main window
    // Along x through the middle of the grid (y = 2): the curve over [-1.3, 2.3], the table's line y = 2.
    QCPGraph* curve = Graph("plotSlice", 0);
    ASSERT_GE(curve->dataCount(), 400);
    EXPECT_DOUBLE_EQ(curve->data()->begin()->key, -1.3);
    EXPECT_NEAR(curve->data()->begin()->value, 1.69 * 2, 1e-12);
    QCPGraph* table = Graph("plotSlice", 1);
    ASSERT_EQ(table->dataCount(), 4);
    EXPECT_EQ(table->data()->at(0)->value, 2.0);
    for (auto point = Graph("plotSlice", 2)->data()->begin(); point != Graph("plotSlice", 2)->data()->end(); ++point)
        EXPECT_NEAR(point->value, 0.0, 1e-12);
    EXPECT_FALSE(Find("sldPoint_0")->isEnabled()); // the free variable's slider
    EXPECT_EQ(Find<QLabel>("lblPointValue_0")->text(), "(on the axis)");

    // Page Up moves y to its next grid value, 3; the curve follows.
    auto* slider = Find<QSlider>("sldPoint_1");
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_EQ(Find<QLabel>("lblPointValue_1")->text(), "3");
    EXPECT_NEAR(Graph("plotSlice", 0)->data()->begin()->value, 1.69 * 3, 1e-12);
    EXPECT_EQ(Graph("plotSlice", 1)->data()->at(0)->value, 3.0);

    auto* map = Find<QCustomPlot>("plotMap");
    ASSERT_EQ(map->plottableCount(), 2); // the colour map and the grid points
    EXPECT_EQ(map->graph(0)->dataCount(), 12);
    auto* colours = qobject_cast<QCPColorMap*>(map->plottable(0));
    ASSERT_TRUE(colours);
    EXPECT_EQ(colours->data()->keySize() * colours->data()->valueSize(), 200 * 200);
}

TEST_F(PlotWindowTest, ExportsEachFormatAndRefusesOthers)
{
    EXPECT_TRUE(Exported("slice.png").startsWith("\x89PNG"));
    Find<QTabWidget>("tabViews")->setCurrentIndex(1);
    EXPECT_TRUE(Exported("map.pdf").startsWith("%PDF"));
    EXPECT_TRUE(Exported("map.svg").contains("<svg"));
    EXPECT_TRUE(Exported("map.txt").isEmpty());
    EXPECT_EQ(told, (Names{"Please choose a file name ending in .png, .pdf or .svg; nothing was saved."}));
}

} // namespace
} // namespace tavex
