#include "app/plot_window.h"

#include "app/toolkit/common_dialog.h"
#include "app/toolkit/message_box.h"
#include "app/toolkit/named.h"
#include "commands/plot_data.h"
#include "model/number_text.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QVBoxLayout>

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

namespace tavex {

namespace {

// Slider positions from one grid value to the next.
constexpr int kStops = 10;

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// QCustomPlot leaves a gap at NaN; an infinity would spoil its ranges.
QVector<double> Plottable(const std::vector<double>& values)
{
    QVector<double> plottable(values.begin(), values.end());
    for (double& value : plottable)
        if (!std::isfinite(value))
            value = std::nan("");
    return plottable;
}

QCustomPlot* NewPlot(const char* name, QWidget* parent)
{
    auto* plot = Named<QCustomPlot>(name, parent);
    plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    plot->setMinimumSize(480, 360);
    plot->setAccessibleName(QString::fromLatin1(name) == QLatin1String("plotSlice") ? QStringLiteral("Slice")
                                                                                     : QStringLiteral("Map"));
    return plot;
}

QComboBox* VariableChoice(const char* name, const ProblemModel& model, int chosen, QWidget* parent)
{
    auto* choice = Named<QComboBox>(name, parent);
    for (int k = 0; k <= model.lastVar; ++k)
        choice->addItem(Q(std::string(model.NameOf(k))));
    choice->setCurrentIndex(chosen);
    return choice;
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    buddy->setAccessibleName(text.chopped(1));
    return label;
}

} // namespace

PlotWindow::PlotWindow(const ProblemModel& model, const Session& session, CommonDialog& exportDialog,
                       MessageBox& messages, QWidget* parent)
    : ToolWindow(parent), model_(model), exportDialog_(exportDialog), messages_(messages)
{
    setObjectName(QStringLiteral("frmPlot"));
    setWindowTitle(QStringLiteral("Plot"));

    tabViews = Named<QTabWidget>("tabViews", this);
    auto* slicePage = new QWidget(tabViews);
    cboSliceVariable = VariableChoice("cboSliceVariable", model, 0, slicePage);
    plotSlice = NewPlot("plotSlice", slicePage);
    auto* sliceBar = new QHBoxLayout;
    sliceBar->addWidget(Caption(QStringLiteral("Along:"), cboSliceVariable, slicePage));
    sliceBar->addWidget(cboSliceVariable);
    sliceBar->addStretch();
    auto* sliceLayout = new QVBoxLayout(slicePage);
    sliceLayout->addLayout(sliceBar);
    sliceLayout->addWidget(plotSlice, 1);
    tabViews->addTab(slicePage, QStringLiteral("Slice"));

    if (model.lastVar >= 1) {
        auto* mapPage = new QWidget(tabViews);
        cboMapFirst = VariableChoice("cboMapFirst", model, 0, mapPage);
        cboMapSecond = VariableChoice("cboMapSecond", model, 1, mapPage);
        plotMap = NewPlot("plotMap", mapPage);
        auto* mapBar = new QHBoxLayout;
        mapBar->addWidget(Caption(QStringLiteral("Across:"), cboMapFirst, mapPage));
        mapBar->addWidget(cboMapFirst);
        mapBar->addWidget(Caption(QStringLiteral("Up:"), cboMapSecond, mapPage));
        mapBar->addWidget(cboMapSecond);
        mapBar->addStretch();
        auto* mapLayout = new QVBoxLayout(mapPage);
        mapLayout->addLayout(mapBar);
        mapLayout->addWidget(plotMap, 1);
        tabViews->addTab(mapPage, QStringLiteral("Map"));
    }

    auto* pointBox = Named<QGroupBox>("fraPoint", QStringLiteral("Through the point"), this);
    BuildPointRows(pointBox);
    const PerVariable<double> start = command::DefaultPlotPoint(model, session);
    for (std::size_t k = 0; k < rows_.size(); ++k)
        SetCoordinate(rows_[k], start[k]);

    auto* exportButton = Named<QPushButton>("cmdExport", QStringLiteral("&Export..."), this);
    exportButton->setToolTip(QStringLiteral("Save the view shown as a PNG, PDF or SVG file"));
    auto* exit = Named<QPushButton>("cmdExit", QStringLiteral("E&xit"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabViews, 1);
    layout->addWidget(pointBox);
    layout->addLayout(buttons);

    for (QComboBox* choice : {cboSliceVariable, cboMapFirst, cboMapSecond})
        if (choice)
            connect(choice, &QComboBox::currentIndexChanged, this, [this] { Redraw(); });
    connect(tabViews, &QTabWidget::currentChanged, this, [this] { ShowFreeVariables(); });
    connect(exportButton, &QPushButton::clicked, this, [this] { ExportCommand(); });
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    Redraw();
}

PlotWindow::~PlotWindow() = default;

void PlotWindow::BuildPointRows(QWidget* parent)
{
    auto* grid = new QGridLayout(parent);
    for (int k = 0; k <= model_.lastVar; ++k) {
        PointRow row{};
        const QString name = Q(std::string(model_.NameOf(k)));
        row.stops = command::SortedGridValues(model_, k);
        row.lblPoint = Named<QLabel>(ElementName("lblPoint", k), name + QLatin1Char('='), parent);
        row.sldPoint = Named<QSlider>(ElementName("sldPoint", k), Qt::Horizontal, parent);
        row.sldPoint->setRange(0, kStops * (static_cast<int>(row.stops.size()) - 1));
        row.sldPoint->setPageStep(kStops); // Page Up and Page Down: from one grid value to the next
        row.sldPoint->setTickInterval(kStops);
        row.sldPoint->setTickPosition(QSlider::TicksBelow);
        row.sldPoint->setAccessibleName(name);
        row.lblPoint->setBuddy(row.sldPoint);
        row.lblPointValue = Named<QLabel>(ElementName("lblPointValue", k), parent);
        row.lblPointValue->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-0.00000000000000E-000")));
        grid->addWidget(row.lblPoint, k, 0, Qt::AlignRight);
        grid->addWidget(row.sldPoint, k, 1);
        grid->addWidget(row.lblPointValue, k, 2);
        connect(row.sldPoint, &QSlider::valueChanged, this, [this] { Redraw(); });
        rows_.push_back(row);
    }
    grid->setColumnStretch(1, 1);
}

double PlotWindow::Coordinate(const PointRow& row) const
{
    const int position = row.sldPoint->value();
    const auto below = static_cast<std::size_t>(position / kStops);
    if (below + 1 >= row.stops.size())
        return row.stops.back();
    const double fraction = static_cast<double>(position % kStops) / kStops;
    return row.stops[below] + fraction * (row.stops[below + 1] - row.stops[below]);
}

void PlotWindow::SetCoordinate(PointRow& row, double x)
{
    // The slider's nearest position; the coordinate is then the one it shows.
    const auto above = std::lower_bound(row.stops.begin(), row.stops.end(), x);
    int position = 0;
    if (above == row.stops.end()) {
        position = row.sldPoint->maximum();
    } else if (above != row.stops.begin()) {
        const auto below = above - 1;
        const double fraction = (x - *below) / (*above - *below);
        position = static_cast<int>(below - row.stops.begin()) * kStops + static_cast<int>(std::lround(fraction * kStops));
    }
    const QSignalBlocker quiet(row.sldPoint);
    row.sldPoint->setValue(position);
    row.lblPointValue->setText(Q(TextOfNumber(Coordinate(row))));
}

PerVariable<double> PlotWindow::Point() const
{
    PerVariable<double> point{};
    for (std::size_t k = 0; k < rows_.size(); ++k)
        point[k] = Coordinate(rows_[k]);
    return point;
}

QWidget* PlotWindow::FirstField() const
{
    return cboSliceVariable;
}

void PlotWindow::Redraw()
{
    DrawSlice();
    if (plotMap)
        DrawMap();
    ShowFreeVariables();
}

void PlotWindow::ShowFreeVariables()
{
    const bool map = plotMap && tabViews->currentIndex() == 1;
    for (int k = 0; k < static_cast<int>(rows_.size()); ++k) {
        const bool free = map ? k == cboMapFirst->currentIndex() || k == cboMapSecond->currentIndex()
                              : k == cboSliceVariable->currentIndex();
        PointRow& row = rows_[static_cast<std::size_t>(k)];
        row.sldPoint->setEnabled(!free);
        // A free variable's coordinate is the plot's own axis.
        row.lblPointValue->setText(free ? QStringLiteral("(on the axis)") : Q(TextOfNumber(Coordinate(row))));
    }
}

void PlotWindow::DrawSlice()
{
    const int v = cboSliceVariable->currentIndex();
    const std::optional<command::SlicePlot> slice = command::PlotSlice(model_, v, Point());
    plotSlice->clearPlottables();
    plotSlice->plotLayout()->clear();
    if (!slice) {
        plotSlice->replot();
        return;
    }
    auto* top = new QCPAxisRect(plotSlice);
    auto* bottom = new QCPAxisRect(plotSlice);
    plotSlice->plotLayout()->addElement(0, 0, top);
    plotSlice->plotLayout()->addElement(1, 0, bottom);
    plotSlice->plotLayout()->setRowStretchFactor(1, 0.4);
    auto* margins = new QCPMarginGroup(plotSlice);
    top->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
    bottom->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
    const QString name = Q(std::string(model_.NameOf(v)));
    top->axis(QCPAxis::atLeft)->setLabel(QStringLiteral("f: approximation (line), table (circles)"));
    bottom->axis(QCPAxis::atBottom)->setLabel(name);
    bottom->axis(QCPAxis::atLeft)->setLabel(QStringLiteral("difference"));

    QCPGraph* curve = plotSlice->addGraph(top->axis(QCPAxis::atBottom), top->axis(QCPAxis::atLeft));
    curve->setName(QStringLiteral("approximation"));
    curve->setData(Plottable(slice->xs), Plottable(slice->approximation), true);
    curve->setPen(QPen(QColor(31, 119, 180), 1.5));
    QCPGraph* table = plotSlice->addGraph(top->axis(QCPAxis::atBottom), top->axis(QCPAxis::atLeft));
    table->setName(QStringLiteral("table"));
    table->setLineStyle(QCPGraph::lsNone);
    table->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QColor(214, 39, 40), 7));
    table->setData(Plottable(slice->gridXs), Plottable(slice->tabulated));
    QCPGraph* difference = plotSlice->addGraph(bottom->axis(QCPAxis::atBottom), bottom->axis(QCPAxis::atLeft));
    difference->setName(QStringLiteral("difference"));
    difference->setLineStyle(QCPGraph::lsImpulse);
    difference->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, QColor(214, 39, 40), 5));
    difference->setPen(QPen(QColor(214, 39, 40)));
    difference->setData(Plottable(slice->gridXs), Plottable(slice->difference));

    for (QCPAxisRect* rect : {top, bottom}) {
        rect->setRangeDrag(Qt::Horizontal | Qt::Vertical);
        rect->setRangeZoom(Qt::Horizontal | Qt::Vertical);
        for (QCPGraph* graph : rect->graphs())
            graph->rescaleAxes(graph != rect->graphs().front());
        // Room around the marks, so that none sits on the frame.
        QCPAxis* values = rect->axis(QCPAxis::atLeft);
        if (values->range().size() > 0)
            values->scaleRange(1.15, values->range().center());
        else
            values->setRange(values->range().center() - 1.0, values->range().center() + 1.0);
    }
    // The two share the variable's axis: a zoom or pan of one moves both.
    QCPAxis* upper = top->axis(QCPAxis::atBottom);
    QCPAxis* lower = bottom->axis(QCPAxis::atBottom);
    const std::pair<double, double> range = command::PlotRange(model_, v);
    upper->setRange(range.first, range.second);
    lower->setRange(range.first, range.second);
    connect(upper, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), lower, qOverload<const QCPRange&>(&QCPAxis::setRange));
    connect(lower, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), upper, qOverload<const QCPRange&>(&QCPAxis::setRange));
    plotSlice->replot();
}

void PlotWindow::DrawMap()
{
    const int first = cboMapFirst->currentIndex();
    const int second = cboMapSecond->currentIndex();
    plotMap->clearPlottables();
    plotMap->plotLayout()->clear();
    std::optional<command::MapPlot> map;
    if (first != second)
        map = command::PlotMap(model_, first, second, Point());
    if (!map) {
        plotMap->replot();
        return;
    }
    auto* rect = new QCPAxisRect(plotMap);
    plotMap->plotLayout()->addElement(0, 0, rect);
    rect->setRangeDrag(Qt::Horizontal | Qt::Vertical);
    rect->setRangeZoom(Qt::Horizontal | Qt::Vertical);
    QCPAxis* across = rect->axis(QCPAxis::atBottom);
    QCPAxis* up = rect->axis(QCPAxis::atLeft);
    across->setLabel(Q(std::string(model_.NameOf(first))));
    up->setLabel(Q(std::string(model_.NameOf(second))));

    auto* colours = new QCPColorMap(across, up);
    const int columns = static_cast<int>(map->xs.size());
    const int rows = static_cast<int>(map->ys.size());
    colours->data()->setSize(columns, rows);
    colours->data()->setRange(QCPRange(map->xs.front(), map->xs.back()), QCPRange(map->ys.front(), map->ys.back()));
    const QVector<double> values = Plottable(map->values);
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i)
            colours->data()->setCell(i, j, values[i + columns * j]);
    auto* scale = new QCPColorScale(plotMap);
    plotMap->plotLayout()->addElement(0, 1, scale);
    scale->axis()->setLabel(QStringLiteral("approximation"));
    colours->setColorScale(scale);
    colours->setGradient(QCPColorGradient::gpThermal);
    colours->rescaleDataRange(true);
    auto* margins = new QCPMarginGroup(plotMap);
    rect->setMarginGroup(QCP::msTop | QCP::msBottom, margins);
    scale->setMarginGroup(QCP::msTop | QCP::msBottom, margins);

    QCPGraph* grid = plotMap->addGraph(across, up);
    grid->setName(QStringLiteral("grid points"));
    grid->setLineStyle(QCPGraph::lsNone);
    grid->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::white, 1.2), Qt::NoBrush, 5));
    grid->setData(Plottable(map->gridXs), Plottable(map->gridYs), false);
    across->setRange(map->xs.front(), map->xs.back());
    up->setRange(map->ys.front(), map->ys.back());
    plotMap->replot();
}

bool PlotWindow::Export(const QString& path)
{
    QCustomPlot* plot = plotMap && tabViews->currentIndex() == 1 ? plotMap : plotSlice;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return plot->savePng(path, plot->width(), plot->height());
    if (suffix == QLatin1String("pdf"))
        return plot->savePdf(path, plot->width(), plot->height());
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(plot->size());
        svg.setViewBox(plot->rect());
        svg.setTitle(windowTitle());
        QCPPainter painter;
        if (!painter.begin(&svg))
            return false;
        plot->toPainter(&painter, plot->width(), plot->height());
        return painter.end();
    }
    return false;
}

void PlotWindow::ExportCommand()
{
    if (exportDialog_.fileName().isEmpty())
        exportDialog_.setFileName(QStringLiteral("plot.png"));
    if (!exportDialog_.ShowSave(this))
        return;
    const QString path = exportDialog_.fileName();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("pdf") && suffix != QLatin1String("svg")) {
        messages_.Tell(this, QStringLiteral("Please choose a file name ending in .png, .pdf or .svg; nothing was saved."));
        return;
    }
    if (!Export(path))
        messages_.Tell(this, path + QStringLiteral(": cannot write the plot; nothing was saved."));
}

} // namespace tavex
