// The windows beside the main one once a problem is computed: the
// evaluation window and the plot window.
#include "app/evaluation_window.h"
#include "app/plot_window.h"
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

    // While the coefficients are out of date the approximation has no value; the formula still has its own.
    window->model().MarkEdited(); // as any edit of the table or the variables
    dynamic_cast<EvaluationWindow*>(frmEvaluations)->ResultsChanged();
    EXPECT_EQ(Shown("lblApprox") + "|" + Shown("lblFuncValue") + "|" + Shown("lblError"), "out of date|4.25|out of date");
    Enter("txtVarx_0", "1");
    Compute();
    EXPECT_EQ(Shown("lblApprox") + "|" + Shown("lblFuncValue") + "|" + Shown("lblError"), "out of date|3.5|out of date");
    Click("cmdCompute");
    dynamic_cast<EvaluationWindow*>(frmEvaluations)->ResultsChanged();
    EXPECT_EQ(Shown("lblApprox") + "|" + Shown("lblError"), "3.5|0"); // at the point last computed at

    // A formula the host refuses is reported, and the approximation still shown.
    Enter("txtVarx_0", "2");
    Enter("txtFunction", "1 + q");
    Compute();
    EXPECT_EQ(told, (Names{"Variable is undefined 'q' at column 5: 1 + q"}));
    EXPECT_EQ(Shown("lblApprox"), "5");
    EXPECT_EQ(Shown("lblFuncValue") + Shown("lblError"), "");

    // Reopened, the window shows the last point and formula.
    QTest::keyClick(Box("txtVarx_0"), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window->findChild<QWidget*>("frmEvaluations"));
    Click("cmdEvaluations");
    EXPECT_EQ(Box("txtVarx_0")->text() + "|" + Box("txtVarx_1")->text() + "|" + Box("txtFunction")->text(),
              "2|0.5|1 + q");

    // It and the plot stay usable while the values grid is open over the main window.
    Click("cmdPlot");
    Click("cmdEditVars_0");
    ASSERT_FALSE(window->isEnabled());
    for (const char* beside : {"frmEvaluations", "frmPlot"})
        EXPECT_TRUE(Find(beside)->isEnabled() && Find(beside)->isVisible()) << beside;
    EXPECT_TRUE(Find("txtVarx_0")->isEnabled());
}

TEST_F(EvaluationWindowTest, ACoordinateBeyondTheRangeOfANumberIsRefusedByNameAndAValueSaidInWords)
{
    Enter("txtVarx_0", "2");
    Compute();
    const PerVariable<double> point = window->session().evalX;
    Enter("txtVarx_1", " -1e999");
    Compute();
    EXPECT_TRUE(Find("lblMessage")->isVisible());
    EXPECT_EQ(Shown("lblMessage"), "y: -1e999 is beyond the range of a number");
    EXPECT_EQ(Box("txtVarx_1")->accessibleDescription(), Find<QLabel>("lblMessage")->text());
    EXPECT_EQ(Shown("lblApprox"), "3"); // nothing evaluated, nothing kept
    EXPECT_EQ(window->session().evalX, point);
    EXPECT_TRUE(told.empty()); // not a script error

    Enter("txtVarx_1", "1");
    Compute();
    EXPECT_FALSE(Find("lblMessage")->isVisible());
    EXPECT_EQ(Shown("lblApprox"), "7");

    // A value beyond the doubles is a word, not digits; none outlives its coefficients.
    Enter("txtVarx_0", "1e308");
    Compute();
    EXPECT_EQ(Shown("lblApprox"), "overflow");
    window->ClearResults();
    Enter("txtVarx_0", "0");
    Compute();
    EXPECT_EQ(Shown("lblApprox"), "not computed");
}

// f = 1 + x + 2y + xy: df/dx = 1 + y, df/dy = 2 + x; over [0, 2] x [0, 1] its integral is 7.
TEST_F(EvaluationWindowTest, DerivativesAndTheIntegralAreShownOnlyFromCurrentCoefficients)
{
    EXPECT_EQ(Shown("lblIntegral") + "|" + Shown("lblMean"), "7|3.5");
    EXPECT_EQ(Shown("lblIntegralBox"), "over x\u00a0from\u00a00\u00a0to\u00a02, y\u00a0from\u00a00\u00a0to\u00a01");
    EXPECT_EQ(Shown("lblDerivative"), "f=");
    QTest::keyClick(Find("spnOrder_0"), Qt::Key_Up);
    EXPECT_EQ(Shown("lblDerivative"), "df/dx=");
    Enter("txtVarx_0", "1.5");
    Enter("txtVarx_1", "0.5");
    Compute();
    EXPECT_EQ(Shown("lblDerivValue"), "1.5");
    QTest::keyClick(Find("spnOrder_1"), Qt::Key_Up);
    EXPECT_EQ(Shown("lblDerivative") + "|" + Shown("lblDerivValue"), "d2f/dx dy=|"); // not computed for these orders
    EXPECT_FALSE(Find("lblGradient")->isVisible());
    Click("cmdGradient");
    EXPECT_EQ(Shown("lblDerivValue"), "1");
    EXPECT_EQ(Shown("lblGradient"), "df/dx = 1.5\ndf/dy = 3.5");

    window->model().MarkEdited();
    window->UpdateCommands();
    for (const char* value : {"lblDerivValue", "lblGradient", "lblIntegral", "lblMean"})
        EXPECT_EQ(Shown(value), "out of date") << value;
    EXPECT_FALSE(Find("cmdGradient")->isEnabled() || Find("cmdIntegrate")->isEnabled());
    Click("cmdCompute");
    EXPECT_EQ(Shown("lblGradient") + "|" + Shown("lblIntegral"), "df/dx = 1.5\ndf/dy = 3.5|7");
}

TEST_F(EvaluationWindowTest, IntegrateAsksForBoundsAndRefusesOneThatIsNoNumberByName)
{
    Click("cmdIntegrate");
    auto* dialog = Find<QDialog>("dlgBounds");
    ASSERT_TRUE(dialog && dialog->isVisible());
    EXPECT_EQ(Box("txtFrom_0")->text() + Box("txtTo_0")->text() + Box("txtFrom_1")->text() + Box("txtTo_1")->text(),
              "0201");
    Enter("txtTo_0", "1");
    Enter("txtTo_1", "abc");
    QTest::keyClick(Box("txtTo_1"), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Shown("lblBoundsMessage"), "y to: 'abc' is not a number");
    EXPECT_EQ(Box("txtTo_1")->accessibleDescription().toStdString(), Shown("lblBoundsMessage"));
    EXPECT_EQ(Shown("lblIntegral"), "7"); // nothing changed
    Enter("txtTo_1", "1");
    QTest::keyClick(Box("txtTo_1"), Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window->findChild<QDialog*>("dlgBounds"));
    EXPECT_EQ(Shown("lblIntegral") + "|" + Shown("lblMean"), "2.75|2.75");
    EXPECT_EQ(QString::fromStdString(Shown("lblIntegralBox")).replace(QChar::Nbsp, QLatin1Char(' ')),
              "over x from 0 to 1, y from 0 to 1");
    Click("cmdIntegrate"); // opens on the bounds given
    EXPECT_EQ(Box("txtTo_0")->text(), "1");
}

class BadNameTest : public EvaluationWindowTest {
protected:
    const char* NamesText() const override { return "2x,y"; }
};

TEST_F(BadNameTest, AStatementTheHostRefusesIsReportedAndTheEvaluationGoesOn)
{
    Compute();
    EXPECT_EQ(told, (Names{"Expected statement at column 1: 2x= 0"}));
    EXPECT_EQ(Shown("lblApprox"), "1");
}

// The plot window on f = x^2 y tabulated on x in {-1, 0, 1, 2} and y in {1, 2, 3};
// an export's size answered with `exportSize`.
class PlotWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
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
        OpenPlot();
    }

    void OpenPlot()
    {
        Click("cmdPlot");
        plot = dynamic_cast<PlotWindow*>(Find("frmPlot"));
        ASSERT_TRUE(plot && plot->isVisible());
        plot->ExportSize() = SizeBox([this](QWidget*, const QString&, QSize) { return exportSize; });
    }

    QCustomPlot* View(const char* name) const { return Find<QCustomPlot>(name); }
    QCPGraph* Graph(const char* view, int i) const { return View(view)->graph(i); }
    std::string Title(const char* view) const
    {
        auto* title = qobject_cast<QCPTextElement*>(View(view)->plotLayout()->element(0, 0));
        return title ? title->text().toStdString() : "";
    }
    Names Legend() const
    {
        Names entries;
        for (int i = 0; QCPLegend* legend = View("plotSlice")->legend; ++i) {
            if (i == legend->itemCount())
                break;
            entries.push_back(qobject_cast<QCPPlottableLegendItem*>(legend->item(i))->plottable()->name().toStdString());
        }
        return entries;
    }
    std::string PointValue(int k) const
    {
        return Find<QLabel>(("lblPointValue_" + std::to_string(k)).c_str())->text().toStdString();
    }
    QByteArray Exported(const char* name)
    {
        exportName = QString::fromLatin1(name);
        Click("cmdExport");
        QFile file(dir.filePath(exportName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString exportName;
    std::optional<QSize> exportSize = QSize(320, 200);
    PlotWindow* plot = nullptr;
};

TEST_F(PlotWindowTest, SliceFollowsTheSliderOnTheGridOrBetweenAndTheMapMarksTheGrid)
{
    EXPECT_TRUE(window->isEnabled()); // beside the main window
    // Along x through the middle of the grid (y = 2): the curve over [-1.3, 2.3], the table's line y = 2.
    EXPECT_EQ(Title("plotSlice"), "along x at y = 2");
    EXPECT_EQ(Legend(), (Names{"approximation", "table"}));
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
    EXPECT_EQ(PointValue(0), "(on the axis)");

    // Page Up moves y to its next grid value, 3; the curve follows.
    auto* slider = Find<QSlider>("sldPoint_1");
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_EQ(PointValue(1), "3");
    EXPECT_EQ(Title("plotSlice"), "along x at y = 3");
    EXPECT_NEAR(Graph("plotSlice", 0)->data()->begin()->value, 1.69 * 3, 1e-12);
    EXPECT_EQ(Graph("plotSlice", 1)->data()->at(0)->value, 3.0);

    EXPECT_EQ(Title("plotMap"), "x and y");
    auto* map = View("plotMap");
    ASSERT_EQ(map->plottableCount(), 2); // the colour map and the grid points
    EXPECT_EQ(map->graph(0)->dataCount(), 12);
    auto* colours = qobject_cast<QCPColorMap*>(map->plottable(0));
    ASSERT_TRUE(colours);
    EXPECT_EQ(colours->data()->keySize() * colours->data()->valueSize(), 200 * 200);

    // Between grid values the table is not shown, and the legend says so. A
    // user plotted at y = 1.5, the point last evaluated, and saw the curve
    // miss every circle: the circles were the line y = 1's.
    window->session().evalX = {0.7, 1.5};
    window->session().pointEvaluated = true;
    OpenPlot();
    slider = Find<QSlider>("sldPoint_1");
    auto* between = Find<QCheckBox>("chkBetween");
    EXPECT_FALSE(between->isChecked());
    EXPECT_EQ(slider->maximum(), 2); // the grid values only
    EXPECT_EQ(PointValue(1), "1"); // the nearest, the lower of two as near
    EXPECT_EQ(Legend(), (Names{"approximation", "table"}));

    QTest::keyClick(between, Qt::Key_Space);
    EXPECT_EQ(slider->maximum(), 20);
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(Title("plotSlice"), "along x at y = 1.1");
    EXPECT_EQ(Legend(), (Names{"approximation", "no table values on this line"}));
    EXPECT_EQ(Graph("plotSlice", 1)->dataCount(), 0);
    EXPECT_EQ(View("plotSlice")->graphCount(), 2); // no differences either
    EXPECT_NEAR(Graph("plotSlice", 0)->data()->begin()->value, 1.69 * 1.1, 1e-12);

    QTest::keyClick(between, Qt::Key_Space); // back to the grid: y snaps to 1
    EXPECT_EQ(PointValue(1), "1");
    EXPECT_EQ(Legend(), (Names{"approximation", "table"}));
}

// The plot keeps the user's zoom until the coefficients change; coefficients
// out of date are never drawn.
TEST_F(PlotWindowTest, CoefficientsOutOfDateAreNeverDrawnAndTheWindowSaysWhy)
{
    QTest::keyClick(Find<QSlider>("sldPoint_1"), Qt::Key_PageUp);
    View("plotSlice")->xAxis->setRange(-1, 1);
    Click("txtLL_1");
    Tab(); // a step in the main window that changes nothing
    EXPECT_EQ(View("plotSlice")->xAxis->range(), QCPRange(-1, 1));
    Click("txtLL_1");
    Type("0");
    Tab();
    auto* status = Find<QLabel>("lblStatus");
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(status->text(), "The coefficients are out of date: compute again to plot.");
    EXPECT_EQ(View("plotSlice")->plottableCount() + View("plotMap")->plottableCount(), 0);
    EXPECT_FALSE(Find("cmdExport")->isEnabled());
    EXPECT_FALSE(Find("sldPoint_1")->isEnabled());
    EXPECT_FALSE(plot->Export(dir.filePath("stale.png"), QSize(100, 100)));
    EXPECT_FALSE(QFile::exists(dir.filePath("stale.png")));

    // Computed again: drawn afresh through the point chosen.
    Click("cmdCompute");
    EXPECT_NE(View("plotSlice")->xAxis->range(), QCPRange(-1, 1));
    EXPECT_FALSE(status->isVisible());
    EXPECT_EQ(PointValue(1), "3");
    EXPECT_EQ(Graph("plotSlice", 1)->data()->at(0)->value, 3.0);
    EXPECT_TRUE(Find("cmdExport")->isEnabled());

    // A window opened on coefficients out of date says so from the start.
    window->model().MarkEdited();
    OpenPlot();
    EXPECT_EQ(Find<QLabel>("lblStatus")->text(), "The coefficients are out of date: compute again to plot.");
    EXPECT_EQ(View("plotSlice")->plottableCount(), 0);
}

TEST_F(PlotWindowTest, ExportsEachFormatAtTheSizeAskedWithItsTitleAndRefusesOthers)
{
    const QByteArray png = Exported("slice.png");
    const QImage image = QImage::fromData(png, "PNG");
    EXPECT_EQ(image.size(), QSize(320, 200));
    EXPECT_EQ(image.text(QStringLiteral("Title")), "along x at y = 2");
    Find<QTabWidget>("tabViews")->setCurrentIndex(1);
    const QByteArray pdf = Exported("map.pdf");
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains(QByteArray::fromRawData("\0x\0 \0a\0n\0d\0 \0y", 14))); // the title, in UTF-16
    EXPECT_TRUE(Exported("map.svg").contains("<title>x and y</title>"));
    EXPECT_TRUE(Exported("map.txt").isEmpty());
    EXPECT_EQ(told, (Names{"Please choose a file name ending in .png, .pdf or .svg; nothing was saved."}));
    exportSize.reset(); // the size question cancelled
    EXPECT_TRUE(Exported("cancelled.png").isEmpty());

    // A map of one variable against itself shows nothing: nothing to export.
    Find<QComboBox>("cboMapSecond")->setCurrentIndex(0);
    EXPECT_EQ(Find<QLabel>("lblStatus")->text(), "Across and Up are the same variable: choose two to draw the map.");
    EXPECT_FALSE(Find("cmdExport")->isEnabled());
    EXPECT_FALSE(plot->Export(dir.filePath("empty.png"), QSize(100, 100)));
    EXPECT_FALSE(QFile::exists(dir.filePath("empty.png")));
}

// The derivative's values, titles and curve names are the plot data's test.
TEST_F(PlotWindowTest, TheSliceDrawsADerivativeWithoutTheTable)
{
    auto* order = Find<QSpinBox>("spnSliceOrder");
    QTest::keyClick(order, Qt::Key_Up);
    EXPECT_EQ(Title("plotSlice"), "df/dx along x at y = 2");
    EXPECT_EQ(Legend(), (Names{"df/dx"}));
    EXPECT_EQ(View("plotSlice")->graphCount(), 1);
    EXPECT_EQ(View("plotSlice")->axisRectCount(), 1);
    window->model().MarkEdited();
    plot->ResultsChanged();
    EXPECT_EQ(View("plotSlice")->plottableCount(), 0);
    EXPECT_FALSE(order->isEnabled());
    Click("cmdCompute");
    plot->ResultsChanged();
    QTest::keyClick(order, Qt::Key_Down);
    EXPECT_EQ(Legend(), (Names{"approximation", "table"}));
}

// Each file dialog says in its title what it is for, with the filters of what
// it reads or writes; the plot and the coefficients share one export dialog,
// whose filter chosen gives a name typed without an extension its own.
TEST_F(PlotWindowTest, EachFileDialogSaysWhatItIsForAndAnExportsFilterGivesTheExtension)
{
    window->FileDialog() = CommonDialog(); // the real dialogs
    window->ExportDialog() = CommonDialog();
    window->ExportDialog().setFileName(dir.filePath("plot.png"));
    // No filters: a problem's file has any name. Typed after moving the filter down one; none: cancelled.
    struct Case { std::function<void()> command; const char* title; QStringList filters; const char* typed; };
    const Case cases[] = {
        {[this] { Click("cmdExport"); }, "Export plot",
         {"PNG images (*.png)", "PDF documents (*.pdf)", "SVG images (*.svg)", "All files (*)"}, "figure"},
        {[this] { Menu("mnuExport")->trigger(); }, "Export coefficients",
         {"CSV files (*.csv)", "JSON files (*.json)", "C source (*.c)", "C++ header (*.hpp)", "Python (*.py)",
          "Fortran (*.f90)", "JavaScript (*.js)", "MATLAB/Octave (*.m)", "All files (*)"},
         "coefficients"},
        {[this] { Key(Qt::Key_O); }, "Open problem", {}, nullptr},
        {[this] { Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); }, "Save problem as", {}, nullptr},
        {[this] { Menu("mnuImport")->trigger(); }, "Import table", {"Tables (*.csv *.tsv *.txt)", "All files (*)"}, nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Activate(window.get())); // a dialog just closed leaves it to become active again
        auto seen = std::make_shared<std::pair<std::string, QStringList>>();
        WhenDialogShows([seen, typed = c.typed](QDialog* shown) {
            auto* files = qobject_cast<QFileDialog*>(shown);
            ASSERT_TRUE(files);
            *seen = {files->windowTitle().toStdString(), files->nameFilters()};
            auto* typeBox = files->findChild<QComboBox*>("fileTypeCombo");
            auto* nameBox = files->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_TRUE(typeBox && nameBox);
            if (!typed)
                return;
            QTest::keyClick(typeBox, Qt::Key_Down);
            nameBox->selectAll();
            QTest::keyClicks(nameBox, QString::fromLatin1(typed));
            QTest::keyClick(nameBox, Qt::Key_Return);
        });
        c.command();
        EXPECT_EQ(seen->first, c.title);
        if (c.filters.isEmpty())
            EXPECT_LE(seen->second.size(), 1) << c.title;
        else
            EXPECT_EQ(seen->second, c.filters) << c.title;
    }
    EXPECT_TRUE(QFile::exists(dir.filePath("figure.pdf")));
    QFile json(dir.filePath("coefficients.json"));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    EXPECT_TRUE(json.readAll().startsWith("{"));
    EXPECT_EQ(told, Names{});
}

// Neighbouring tick labels of every axis keep apart: the faults were the
// difference panel's labels drawn over each other in a small window, and
// ticks chosen for the axis's length before a resize.
TEST_F(PlotWindowTest, TickLabelsNeverOverlapAtTheSmallestSize)
{
    for (const int tab : {0, 1}) {
        Find<QTabWidget>("tabViews")->setCurrentIndex(tab);
        plot->resize(1400, 1200);
        QCoreApplication::processEvents();
        plot->resize(plot->minimumSizeHint());
        QCoreApplication::processEvents(); // the replot a resize asks for
        QCustomPlot* view = View(tab == 0 ? "plotSlice" : "plotMap");
        for (QCPAxis* axis : view->findChildren<QCPAxis*>()) {
            if (!axis->visible() || !axis->tickLabels())
                continue;
            const QFontMetrics metrics(axis->tickLabelFont());
            const QVector<double> ticks = axis->tickVector();
            const QVector<QString> labels = axis->tickVectorLabels();
            for (int i = 1; i < ticks.size(); ++i) {
                const double apart = std::fabs(axis->coordToPixel(ticks[i]) - axis->coordToPixel(ticks[i - 1]));
                const double needed = axis->orientation() == Qt::Vertical
                                        ? metrics.height()
                                        : (metrics.horizontalAdvance(labels[i]) + metrics.horizontalAdvance(labels[i - 1])) / 2.0;
                EXPECT_GT(apart, needed) << axis->label().toStdString() << ": " << labels[i - 1].toStdString() << " / "
                                         << labels[i].toStdString();
            }
        }
    }
}

} // namespace
} // namespace tavex
