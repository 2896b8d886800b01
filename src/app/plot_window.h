#pragma once

#include "app/toolkit/size_box.h"
#include "app/toolkit/tool_window.h"
#include "commands/plot_data.h"
#include "model/problem_model.h"
#include "setup/session.h"

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QCustomPlot;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;

namespace tavex {

class CommonDialog;
class MessageBox;

// frmPlot: the approximation against the table. A slice along one variable
// through a point (the curve and, where the slice runs along a grid line,
// the tabulated values and below them their differences) and, for two or
// more variables, a colour map over two of them with the grid points marked.
// The slice may draw a derivative along its variable instead, with no table.
// The other variables' coordinates are set by sliders that stop at their
// grid values, or also between them when asked. Each view is titled with
// where it runs. Beside the main window, which stays usable; zoom and pan
// with the mouse; export to PNG, PDF or SVG at a size asked for. Nothing is
// drawn from coefficients that are not current: the window says so instead.
class PlotWindow final : public ToolWindow {
public:
    PlotWindow(const ProblemModel& model, const Session& session, CommonDialog& exportDialog,
               MessageBox& messages, QWidget* parent);
    ~PlotWindow() override;

    // After every command and edit: while the coefficients are not current
    // the views are emptied and the window says why; once they are, both
    // views are drawn afresh, the variables and point kept where still valid.
    void ResultsChanged();
    // Draws both views afresh for the point the sliders show.
    void Redraw();
    // Writes the view shown at `size` pixels to `path`, its format taken from
    // the extension (.png, .pdf or .svg), its title in the file; false when
    // it could not be written. Only a view that shows something is written.
    bool Export(const QString& path, QSize size);

    // The question for the export's size.
    SizeBox& ExportSize() { return exportSize_; }

protected:
    QWidget* FirstField() const override;

private:
    // One variable's coordinate of the point: a slider over its stops and
    // the value it shows.
    struct PointRow {
        QLabel* lblPoint;
        QSlider* sldPoint;
        QLabel* lblPointValue;
        command::SliderStops stops;
    };

    // Choices and sliders for the model's variables, keeping the choices
    // and coordinates of the variables that remain.
    void FitControlsToModel();
    void AddPointRow(int k);
    void SetStops(PointRow& row, command::SliderStops stops);
    double Coordinate(const PointRow& row) const;
    void SetCoordinate(PointRow& row, double x);
    PerVariable<double> Point() const;
    void StopBetweenChanged();
    void DrawSlice();
    void DrawMap();
    // Why the view shown shows nothing; empty when it shows a plot.
    std::string ShownViewUnavailable() const;
    // The one place that decides what the window says and offers.
    void ShowState();
    void ExportCommand();

    const ProblemModel& model_;
    const Session& session_;
    CommonDialog& exportDialog_;
    MessageBox& messages_;
    SizeBox exportSize_;
    // The results last drawn: the window lives within one problem, whose
    // revisions only grow, so an unchanged pair keeps the views as they are, zoom and all.
    std::pair<Results, std::uint64_t> shownResults_;
    std::vector<std::string> namesShown_;
    std::vector<PointRow> rows_;
    command::DerivativeCache derivatives_;
    std::string sliceTitle_, mapTitle_;
    QLabel* lblStatus = nullptr;
    QTabWidget* tabViews = nullptr;
    QWidget* mapPage_ = nullptr;
    QComboBox* cboSliceVariable = nullptr;
    QSpinBox* spnSliceOrder = nullptr;
    QComboBox* cboMapFirst = nullptr;
    QComboBox* cboMapSecond = nullptr;
    QCustomPlot* plotSlice = nullptr;
    QCustomPlot* plotMap = nullptr;
    QGroupBox* fraPoint = nullptr;
    QGridLayout* pointGrid_ = nullptr;
    QCheckBox* chkBetween = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdExit = nullptr;
};

} // namespace tavex
