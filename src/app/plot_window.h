#pragma once

#include "app/toolkit/tool_window.h"
#include "model/problem_model.h"
#include "setup/session.h"

#include <vector>

class QComboBox;
class QCustomPlot;
class QLabel;
class QSlider;
class QTabWidget;

namespace tavex {

class CommonDialog;
class MessageBox;

// frmPlot: the approximation against the table. A slice along one variable
// through a point (the curve, the tabulated values of the nearest grid line,
// and below it their differences) and, for two or more variables, a colour
// map over two of them with the grid points marked. The other variables'
// coordinates are set by sliders that stop at their grid values and between
// them. Beside the main window, which stays usable; zoom and pan with the
// mouse; export to PNG, PDF or SVG.
class PlotWindow final : public ToolWindow {
public:
    PlotWindow(const ProblemModel& model, const Session& session, CommonDialog& exportDialog,
               MessageBox& messages, QWidget* parent);
    ~PlotWindow() override;

    // Draws both views afresh for the point the sliders show.
    void Redraw();
    // The main window's results changed.
    void ResultsChanged() {}
    // Writes the view shown to `path`, its format taken from the extension
    // (.png, .pdf or .svg); false when it could not be written.
    bool Export(const QString& path);

protected:
    QWidget* FirstField() const override;

private:
    // One variable's coordinate of the point: a slider over its grid values,
    // kStops positions from one value to the next, and the value it shows.
    struct PointRow {
        QLabel* lblPoint;
        QSlider* sldPoint;
        QLabel* lblPointValue;
        std::vector<double> stops; // the variable's values, ascending
    };

    void BuildPointRows(QWidget* parent);
    double Coordinate(const PointRow& row) const;
    void SetCoordinate(PointRow& row, double x);
    PerVariable<double> Point() const;
    void DrawSlice();
    void DrawMap();
    void ExportCommand();
    // The free variables of the view shown: their sliders mean nothing there.
    void ShowFreeVariables();

    const ProblemModel& model_;
    CommonDialog& exportDialog_;
    MessageBox& messages_;
    std::vector<PointRow> rows_;
    QTabWidget* tabViews = nullptr;
    QComboBox* cboSliceVariable = nullptr;
    QComboBox* cboMapFirst = nullptr;
    QComboBox* cboMapSecond = nullptr;
    QCustomPlot* plotSlice = nullptr;
    QCustomPlot* plotMap = nullptr;
};

} // namespace tavex
