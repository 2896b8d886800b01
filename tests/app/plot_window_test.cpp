#include "app/toolkit/common_dialog.h"
#include "main_window_fixture.h"

#include <qcustomplot.h>

namespace tavex {
namespace {

// The plot window on f = x^2 y tabulated on x in {-1, 0, 1, 2} and y in {1, 2, 3}.
class PlotWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        Declare("2", "x,y");
        for (const char* text : {"-1", "2", "*", "*", "4"})
            Field(text);
        Click("cmdNextVar");
        for (const char* text : {"1", "3", "*", "*", "3"})
            Field(text);
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 3; ++j)
                window->model().funTable(i, j, 0, 0) = (i - 1.0) * (i - 1.0) * (j + 1.0);
        Click("cmdCompute");
        ASSERT_TRUE(window->model().isComputed);
        window->ExportDialog() = CommonDialog([this](QWidget*, CommonDialog::Kind, const QString&) {
            return std::optional<QString>(dir.filePath(exportName));
        });
        Click("cmdPlot");
        plot = Find("frmPlot");
        ASSERT_TRUE(plot && plot->isVisible());
    }

    void Field(const char* text)
    {
        Type(text);
        Tab();
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
