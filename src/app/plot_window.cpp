#include "app/plot_window.h"

#include "app/readable_ticks.h"
#include "app/toolkit/choice_box.h"
#include "app/toolkit/common_dialog.h"
#include "app/toolkit/message_box.h"
#include "app/toolkit/named.h"
#include "app/toolkit/window_keys.h"
#include "model/number_text.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QVBoxLayout>

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

namespace tavex {

namespace {

const char kNoTableValues[] = "no table values on this line";

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

QCustomPlot* NewPlot(const char* name, const QString& accessibleName, QWidget* parent)
{
    auto* plot = Named<QCustomPlot>(name, parent);
    plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    plot->setMinimumSize(480, 360);
    plot->setAccessibleName(accessibleName);
    plot->setAutoAddPlottableToLegend(false);
    KeepTicksReadable(plot);
    return plot;
}

void ClearPlot(QCustomPlot* plot)
{
    // Items refer to axis rects, which the layout's clear deletes.
    plot->clearItems();
    plot->clearPlottables();
    plot->plotLayout()->clear();
}

void AddTitle(QCustomPlot* plot, const std::string& title)
{
    QFont font = plot->font();
    font.setPointSizeF(font.pointSizeF() * 1.2);
    font.setBold(true);
    plot->plotLayout()->addElement(0, 0, new QCPTextElement(plot, Q(title), font));
}

// A legend of entries side by side, in a row of its own under the title,
// where it hides no part of the plot.
QCPLegend* AddLegendRow(QCustomPlot* plot)
{
    auto* row = new QCPLayoutGrid;
    plot->plotLayout()->addElement(1, 0, row);
    auto* legend = new QCPLegend;
    legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    for (int column : {0, 2}) {
        auto* spacer = new QCPLayoutElement;
        spacer->setMaximumSize(QWIDGETSIZE_MAX, 0);
        row->addElement(0, column, spacer);
    }
    row->addElement(0, 1, legend);
    legend->setLayer(QStringLiteral("legend"));
    plot->legend = legend;
    return legend;
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    buddy->setAccessibleName(QString(text).remove(QLatin1Char('&')).chopped(1));
    return label;
}

} // namespace

PlotWindow::PlotWindow(const ProblemModel& model, const Session& session, CommonDialog& exportDialog,
                       MessageBox& messages, QWidget* parent)
    : ToolWindow(parent, Placement::Beside), model_(model), session_(session), exportDialog_(exportDialog), messages_(messages)
{
    setObjectName(QStringLiteral("frmPlot"));
    setWindowTitle(QStringLiteral("Plot"));
    SetHelpSection(this, QStringLiteral("plot"));

    lblStatus = Named<QLabel>("lblStatus", this);
    lblStatus->setWordWrap(true);
    lblStatus->setAccessibleName(QStringLiteral("Status"));
    // The warning look of the main window's fit line.
    lblStatus->setStyleSheet(QStringLiteral("QLabel { background: #fff3cd; color: #5c4400; "
                                            "border: 1px solid #e0b000; padding: 3px; }"));

    tabViews = Named<QTabWidget>("tabViews", this);
    auto* slicePage = new QWidget(tabViews);
    cboSliceVariable = Named<ChoiceBox>("cboSliceVariable", slicePage);
    plotSlice = NewPlot("plotSlice", QStringLiteral("Slice"), slicePage);
    auto* sliceBar = new QHBoxLayout;
    sliceBar->addWidget(Caption(QStringLiteral("&Along:"), cboSliceVariable, slicePage));
    sliceBar->addWidget(cboSliceVariable);
    spnSliceOrder = Named<QSpinBox>("spnSliceOrder", slicePage);
    spnSliceOrder->setRange(0, command::kMaxSliceOrder);
    spnSliceOrder->setToolTip(QStringLiteral("0 draws the approximation with the table; 1 to 3, its derivative "
                                             "along the slice"));
    sliceBar->addSpacing(fontMetrics().averageCharWidth() * 2);
    sliceBar->addWidget(Caption(QStringLiteral("Derivative &order:"), spnSliceOrder, slicePage));
    sliceBar->addWidget(spnSliceOrder);
    sliceBar->addStretch();
    auto* sliceLayout = new QVBoxLayout(slicePage);
    sliceLayout->addLayout(sliceBar);
    sliceLayout->addWidget(plotSlice, 1);
    tabViews->addTab(slicePage, QStringLiteral("Slice"));

    mapPage_ = new QWidget(tabViews);
    cboMapFirst = Named<ChoiceBox>("cboMapFirst", mapPage_);
    cboMapSecond = Named<ChoiceBox>("cboMapSecond", mapPage_);
    plotMap = NewPlot("plotMap", QStringLiteral("Map"), mapPage_);
    auto* mapBar = new QHBoxLayout;
    mapBar->addWidget(Caption(QStringLiteral("A&cross:"), cboMapFirst, mapPage_));
    mapBar->addWidget(cboMapFirst);
    mapBar->addWidget(Caption(QStringLiteral("&Up:"), cboMapSecond, mapPage_));
    mapBar->addWidget(cboMapSecond);
    mapBar->addStretch();
    auto* mapLayout = new QVBoxLayout(mapPage_);
    mapLayout->addLayout(mapBar);
    mapLayout->addWidget(plotMap, 1);
    tabViews->addTab(mapPage_, QStringLiteral("Map"));

    fraPoint = Named<QGroupBox>("fraPoint", QStringLiteral("Through the point"), this);
    pointGrid_ = new QGridLayout;
    pointGrid_->setColumnStretch(1, 1);
    chkBetween = Named<QCheckBox>("chkBetween", QStringLiteral("Stop &between grid values"), fraPoint);
    chkBetween->setToolTip(QStringLiteral("Let the sliders stop between grid values too, where the table has no "
                                          "values to compare with"));
    auto* pointLayout = new QVBoxLayout(fraPoint);
    pointLayout->addLayout(pointGrid_);
    pointLayout->addWidget(chkBetween);

    cmdExport = Named<QPushButton>("cmdExport", QStringLiteral("&Export..."), this);
    cmdExport->setToolTip(QStringLiteral("Save the view shown as a PNG, PDF or SVG file"));
    cmdExit = Named<QPushButton>("cmdExit", QStringLiteral("E&xit"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdExport);
    buttons->addWidget(cmdExit);

    auto* layout = new QVBoxLayout(Body());
    layout->addWidget(lblStatus);
    layout->addWidget(tabViews, 1);
    layout->addWidget(fraPoint);
    layout->addLayout(buttons);

    FitControlsToModel();
    for (QComboBox* choice : {cboSliceVariable, cboMapFirst, cboMapSecond})
        connect(choice, &QComboBox::currentIndexChanged, this, [this] { Redraw(); });
    connect(spnSliceOrder, &QSpinBox::valueChanged, this, [this] { Redraw(); });
    connect(chkBetween, &QCheckBox::toggled, this, [this] { StopBetweenChanged(); });
    connect(tabViews, &QTabWidget::currentChanged, this, [this] { ShowState(); });
    connect(cmdExport, &QPushButton::clicked, this, [this] { ExportCommand(); });
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    Redraw();
    shownResults_ = {model_.ResultsState(), model_.Revision()};
}

PlotWindow::~PlotWindow() = default;

void PlotWindow::FitControlsToModel()
{
    std::vector<std::string> names;
    for (int k = 0; k <= model_.lastVar; ++k)
        names.emplace_back(model_.NameOf(k));
    const auto count = static_cast<int>(names.size());
    const PerVariable<double> start = command::DefaultPlotPoint(model_, session_);
    const PerVariable<double> kept = Point();
    const std::vector<std::string> keptNames = namesShown_;

    if (names != namesShown_) {
        for (const auto& [choice, fallback] : {std::pair{cboSliceVariable, 0}, std::pair{cboMapFirst, 0},
                                               std::pair{cboMapSecond, std::min(1, count - 1)}}) {
            const QSignalBlocker quiet(choice);
            const int chosen = choice->currentIndex();
            choice->clear();
            for (const std::string& name : names)
                choice->addItem(Q(name));
            choice->setCurrentIndex(chosen >= 0 && chosen < count ? chosen : fallback);
        }
        tabViews->setTabVisible(tabViews->indexOf(mapPage_), count > 1);
        for (; static_cast<int>(rows_.size()) > count; rows_.pop_back())
            for (QWidget* widget : std::initializer_list<QWidget*>{rows_.back().lblPoint, rows_.back().sldPoint,
                                                                   rows_.back().lblPointValue})
                delete widget;
        while (static_cast<int>(rows_.size()) < count)
            AddPointRow(static_cast<int>(rows_.size()));
        for (int k = 0; k < count; ++k) {
            const QString name = Q(names[static_cast<std::size_t>(k)]);
            rows_[static_cast<std::size_t>(k)].lblPoint->setText(name + QLatin1Char('='));
            rows_[static_cast<std::size_t>(k)].sldPoint->setAccessibleName(name);
        }
        namesShown_ = names;
        // New rows join the focus chain at its end: put the buttons back after them.
        QWidget* previous = chkBetween;
        for (QWidget* next : {static_cast<QWidget*>(cmdExport), static_cast<QWidget*>(cmdExit)}) {
            setTabOrder(previous, next);
            previous = next;
        }
    }
    // A variable that is still the same keeps its coordinate, moved to its nearest stop.
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        PointRow& row = rows_[k];
        SetStops(row, command::StopsOf(command::SortedGridValues(model_, static_cast<int>(k)), chkBetween->isChecked()));
        const bool same = k < keptNames.size() && keptNames[k] == names[k];
        SetCoordinate(row, same ? kept[k] : start[k]);
    }
}

void PlotWindow::AddPointRow(int k)
{
    PointRow row{};
    row.lblPoint = Named<QLabel>(ElementName("lblPoint", k), fraPoint);
    row.sldPoint = Named<QSlider>(ElementName("sldPoint", k), Qt::Horizontal, fraPoint);
    row.sldPoint->setTickPosition(QSlider::TicksBelow);
    row.lblPoint->setBuddy(row.sldPoint);
    row.lblPointValue = Named<QLabel>(ElementName("lblPointValue", k), fraPoint);
    row.lblPointValue->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-0.00000000000000E-000")));
    pointGrid_->addWidget(row.lblPoint, k, 0, Qt::AlignRight);
    pointGrid_->addWidget(row.sldPoint, k, 1);
    pointGrid_->addWidget(row.lblPointValue, k, 2);
    setTabOrder(k == 0 ? static_cast<QWidget*>(cboMapSecond) : rows_.back().sldPoint, row.sldPoint);
    setTabOrder(row.sldPoint, chkBetween);
    connect(row.sldPoint, &QSlider::valueChanged, this, [this] { Redraw(); });
    rows_.push_back(row);
}

void PlotWindow::SetStops(PointRow& row, command::SliderStops stops)
{
    row.stops = std::move(stops);
    const QSignalBlocker quiet(row.sldPoint);
    row.sldPoint->setRange(0, row.stops.LastPosition());
    row.sldPoint->setPageStep(row.stops.perGap); // Page Up and Page Down: from one grid value to the next
    row.sldPoint->setTickInterval(row.stops.perGap);
}

double PlotWindow::Coordinate(const PointRow& row) const
{
    return row.stops.CoordinateAt(row.sldPoint->value());
}

void PlotWindow::SetCoordinate(PointRow& row, double x)
{
    const QSignalBlocker quiet(row.sldPoint);
    row.sldPoint->setValue(row.stops.PositionNearest(x));
}

PerVariable<double> PlotWindow::Point() const
{
    PerVariable<double> point{};
    for (std::size_t k = 0; k < rows_.size(); ++k)
        point[k] = Coordinate(rows_[k]);
    return point;
}

void PlotWindow::StopBetweenChanged()
{
    for (PointRow& row : rows_) {
        const double x = Coordinate(row);
        SetStops(row, command::StopsOf(row.stops.values, chkBetween->isChecked()));
        SetCoordinate(row, x);
    }
    Redraw();
}

QWidget* PlotWindow::FirstField() const
{
    return cboSliceVariable;
}

void PlotWindow::ResultsChanged()
{
    const std::pair shown(model_.ResultsState(), model_.Revision());
    if (shown == shownResults_)
        return;
    shownResults_ = shown;
    // Only coefficients that are current say which variables and grid they belong to.
    if (model_.IsComputed())
        FitControlsToModel();
    Redraw();
}

void PlotWindow::Redraw()
{
    sliceTitle_.clear();
    mapTitle_.clear();
    DrawSlice();
    DrawMap();
    ShowState();
}

std::string PlotWindow::ShownViewUnavailable() const
{
    if (tabViews->currentWidget() == mapPage_)
        return command::MapUnavailable(model_, cboMapFirst->currentIndex(), cboMapSecond->currentIndex());
    return command::PlotsUnavailable(model_);
}

void PlotWindow::ShowState()
{
    const bool current = model_.IsComputed();
    if (!current && (plotSlice->plottableCount() > 0 || plotMap->plottableCount() > 0)) {
        // Drawn before the coefficients went out of date, and not told since.
        for (QCustomPlot* plot : {plotSlice, plotMap}) {
            ClearPlot(plot);
            plot->replot();
        }
        sliceTitle_.clear();
        mapTitle_.clear();
    }
    const std::string why = ShownViewUnavailable();
    lblStatus->setText(Q(why));
    lblStatus->setVisible(!why.empty());
    cmdExport->setEnabled(why.empty());
    for (QWidget* control : std::initializer_list<QWidget*>{cboSliceVariable, spnSliceOrder, cboMapFirst, cboMapSecond,
                                                                    chkBetween})
        control->setEnabled(current);

    const bool map = tabViews->currentWidget() == mapPage_;
    for (int k = 0; k < static_cast<int>(rows_.size()); ++k) {
        const bool free = map ? k == cboMapFirst->currentIndex() || k == cboMapSecond->currentIndex()
                              : k == cboSliceVariable->currentIndex();
        PointRow& row = rows_[static_cast<std::size_t>(k)];
        row.sldPoint->setEnabled(current && !free);
        // A free variable's coordinate is the plot's own axis.
        row.lblPointValue->setText(free ? QStringLiteral("(on the axis)") : Q(TextOfNumber(Coordinate(row))));
    }
}

void PlotWindow::DrawSlice()
{
    const int v = cboSliceVariable->currentIndex();
    const int order = spnSliceOrder->value();
    const PerVariable<double> point = Point();
    ClearPlot(plotSlice);
    std::optional<command::SlicePlot> slice;
    if (command::PlotsUnavailable(model_).empty())
        slice = command::PlotSlice(model_, derivatives_, v, order, point);
    if (!slice) {
        plotSlice->replot();
        return;
    }
    sliceTitle_ = command::SliceTitle(model_, v, point, order);
    AddTitle(plotSlice, sliceTitle_);
    const QString curveName = Q(command::CurveName(model_, v, order));
    auto* top = new QCPAxisRect(plotSlice);
    plotSlice->plotLayout()->addElement(2, 0, top);
    // A derivative has no table to differ from: its curve takes the whole height.
    QCPAxisRect* bottom = nullptr;
    if (order == 0) {
        bottom = new QCPAxisRect(plotSlice);
        plotSlice->plotLayout()->addElement(3, 0, bottom);
        plotSlice->plotLayout()->setRowStretchFactor(3, 0.4);
        auto* margins = new QCPMarginGroup(plotSlice);
        top->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
        bottom->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
        bottom->axis(QCPAxis::atLeft)->setLabel(QStringLiteral("difference"));
    }
    top->axis(QCPAxis::atLeft)->setLabel(order == 0 ? QStringLiteral("f") : curveName);
    (bottom ? bottom : top)->axis(QCPAxis::atBottom)->setLabel(Q(std::string(model_.NameOf(v))));
    QCPLegend* legend = AddLegendRow(plotSlice);

    QCPGraph* curve = plotSlice->addGraph(top->axis(QCPAxis::atBottom), top->axis(QCPAxis::atLeft));
    curve->setName(curveName);
    curve->setData(Plottable(slice->xs), Plottable(slice->approximation), true);
    curve->setPen(QPen(QColor(31, 119, 180), 1.5));
    curve->addToLegend(legend);
    if (slice->onGridLine) {
        QCPGraph* table = plotSlice->addGraph(top->axis(QCPAxis::atBottom), top->axis(QCPAxis::atLeft));
        table->setName(QStringLiteral("table"));
        table->setLineStyle(QCPGraph::lsNone);
        table->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QColor(214, 39, 40), 7));
        table->setData(Plottable(slice->gridXs), Plottable(slice->tabulated));
        table->addToLegend(legend);
        QCPGraph* difference = plotSlice->addGraph(bottom->axis(QCPAxis::atBottom), bottom->axis(QCPAxis::atLeft));
        difference->setName(QStringLiteral("difference"));
        difference->setLineStyle(QCPGraph::lsImpulse);
        difference->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, QColor(214, 39, 40), 5));
        difference->setPen(QPen(QColor(214, 39, 40)));
        difference->setData(Plottable(slice->gridXs), Plottable(slice->difference));
    } else if (bottom) {
        // An entry with no mark: the legend says why there are no circles.
        QCPGraph* none = plotSlice->addGraph(top->axis(QCPAxis::atBottom), top->axis(QCPAxis::atLeft));
        none->setName(QString::fromLatin1(kNoTableValues));
        none->setPen(Qt::NoPen);
        none->setLineStyle(QCPGraph::lsNone);
        none->addToLegend(legend);
        auto* note = new QCPItemText(plotSlice);
        note->setClipAxisRect(bottom);
        note->position->setType(QCPItemPosition::ptAxisRectRatio);
        note->position->setAxisRect(bottom);
        note->position->setCoords(0.5, 0.5);
        note->setText(QString::fromLatin1(kNoTableValues));
        bottom->axis(QCPAxis::atLeft)->setTickLabels(false);
    }

    // As wide as its entries, between two spacers that take the rest of the row.
    legend->setMaximumSize(legend->minimumOuterSizeHint());
    for (QCPAxisRect* rect : plotSlice->axisRects()) {
        rect->setRangeDrag(Qt::Horizontal | Qt::Vertical);
        rect->setRangeZoom(Qt::Horizontal | Qt::Vertical);
        for (QCPGraph* graph : rect->graphs())
            graph->rescaleAxes(graph != rect->graphs().front());
        // Room around the marks, so that none sits on the frame.
        QCPAxis* values = rect->axis(QCPAxis::atLeft);
        if (!rect->graphs().isEmpty() && values->range().size() > 0)
            values->scaleRange(1.15, values->range().center());
        else
            values->setRange(values->range().center() - 1.0, values->range().center() + 1.0);
    }
    const std::pair<double, double> range = command::PlotRange(model_, v);
    QCPAxis* upper = top->axis(QCPAxis::atBottom);
    upper->setRange(range.first, range.second);
    if (bottom) {
        // The two share the variable's axis: a zoom or pan of one moves both.
        QCPAxis* lower = bottom->axis(QCPAxis::atBottom);
        lower->setRange(range.first, range.second);
        connect(upper, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), lower, qOverload<const QCPRange&>(&QCPAxis::setRange));
        connect(lower, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), upper, qOverload<const QCPRange&>(&QCPAxis::setRange));
    }
    UseReadableTicks(plotSlice);
    plotSlice->replot();
}

void PlotWindow::DrawMap()
{
    const int first = cboMapFirst->currentIndex();
    const int second = cboMapSecond->currentIndex();
    const PerVariable<double> point = Point();
    ClearPlot(plotMap);
    std::optional<command::MapPlot> map;
    if (command::MapUnavailable(model_, first, second).empty())
        map = command::PlotMap(model_, first, second, point);
    if (!map) {
        plotMap->replot();
        return;
    }
    mapTitle_ = command::MapTitle(model_, first, second, point);
    AddTitle(plotMap, mapTitle_);
    auto* rect = new QCPAxisRect(plotMap);
    plotMap->plotLayout()->addElement(1, 0, rect);
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
    plotMap->plotLayout()->addElement(1, 1, scale);
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
    UseReadableTicks(plotMap);
    plotMap->replot();
}

bool PlotWindow::Export(const QString& path, QSize size)
{
    if (!ShownViewUnavailable().empty())
        return false;
    const bool map = tabViews->currentWidget() == mapPage_;
    QCustomPlot* plot = map ? plotMap : plotSlice;
    const QString title = Q(map ? mapTitle_ : sliceTitle_);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        QImage image = plot->toPixmap(size.width(), size.height()).toImage();
        image.setText(QStringLiteral("Title"), title);
        return image.save(path, "PNG");
    }
    if (suffix == QLatin1String("pdf"))
        return plot->savePdf(path, size.width(), size.height(), QCP::epAllowCosmetic, QStringLiteral("Tavex"), title);
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(title);
        QCPPainter painter;
        if (!painter.begin(&svg))
            return false;
        plot->toPainter(&painter, size.width(), size.height());
        return painter.end();
    }
    return false;
}

void PlotWindow::ExportCommand()
{
    if (const std::string why = ShownViewUnavailable(); !why.empty()) {
        messages_.Tell(this, QStringLiteral("Nothing is plotted, so nothing was saved. ") + Q(why));
        return;
    }
    if (exportDialog_.fileName().isEmpty())
        exportDialog_.setFileName(QStringLiteral("plot.png"));
    if (!exportDialog_.ShowSave(this, QStringLiteral("Export plot"),
                                {QStringLiteral("PNG images (*.png)"), QStringLiteral("PDF documents (*.pdf)"),
                                 QStringLiteral("SVG images (*.svg)")}))
        return;
    const QString path = exportDialog_.fileName();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("pdf") && suffix != QLatin1String("svg")) {
        messages_.Tell(this, QStringLiteral("Please choose a file name ending in .png, .pdf or .svg; nothing was saved."));
        return;
    }
    const std::optional<QSize> size = exportSize_.Ask(this, QStringLiteral("Export size"));
    if (!size)
        return;
    if (!Export(path, *size))
        messages_.Tell(this, path + QStringLiteral(": cannot write the plot; nothing was saved."));
}

} // namespace tavex
