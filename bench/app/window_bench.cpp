// Times what the user waits for in the windows, drawn offscreen: the values
// grid opening on a list of 200 values; a paste of 40,000 function values
// into the function window on W2 (200 x 200), from the key press to the
// window showing the point after the last; the plot window on W4 (40^4)
// opening with its slice and its 200 x 200 colour map, and redrawing for one
// step of a slider.
#include "app/function_window.h"
#include "app/plot_window.h"
#include "app/toolkit/common_dialog.h"
#include "app/toolkit/message_box.h"
#include "app/toolkit/toolkit_application.h"
#include "app/values_window.h"
#include "workloads.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <benchmark/benchmark.h>

#include <string>

namespace tavex::bench {
namespace {

void BM_OpenValuesGrid200(benchmark::State& state)
{
    ProblemModel model = MakeWorkloadProblem({"200 values", {200}}, false);
    model.Var(0).valuesExplicit = true;
    Session session;
    MessageBox messages([](QWidget*, const QString&, const QString&) {});
    for (auto _ : state) {
        ValuesWindow window(model, session, messages, nullptr);
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}

void BM_PasteIntoFunctionWindow(benchmark::State& state)
{
    ProblemModel model = MakeWorkloadProblem(Workloads()[1], false);
    Session session;
    QString clipboard;
    for (int i = 0; i < 40000; ++i)
        clipboard += QString::number(i * 0.001) + QLatin1Char(i % 200 == 199 ? '\n' : '\t');
    QApplication::clipboard()->setText(clipboard);
    const StartingSet start = *ReadStartingSet(model, "0,0");
    FunctionWindow window(model, session, start, nullptr);
    window.show();
    QCoreApplication::processEvents();
    auto* txtFun = window.findChild<QLineEdit*>(QStringLiteral("txtFun"));
    auto* next = window.findChild<QPushButton*>(QStringLiteral("cmdIncFunIndex"));
    for (auto _ : state) {
        QTest::keyClick(txtFun, Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::processEvents();
        state.PauseTiming();
        next->click(); // from the last point round to the first
        state.ResumeTiming();
    }
    if (model.funTable(199, 199, 0, 0) != 39.999)
        state.SkipWithError("the paste did not reach the last point");
}

// W4 with its tabulated values standing in for coefficients: the drawing
// costs the same whatever the numbers.
ProblemModel PlottableW4()
{
    ProblemModel model = MakeWorkloadProblem(Workloads()[3], false);
    model.SetComputed();
    return model;
}

void BM_OpenPlotWindowW4(benchmark::State& state)
{
    const ProblemModel model = PlottableW4();
    Session session;
    CommonDialog files([](QWidget*, CommonDialog::Kind, const QString&) { return std::optional<QString>(); });
    MessageBox messages([](QWidget*, const QString&, const QString&) {});
    for (auto _ : state) {
        PlotWindow window(model, session, files, messages, nullptr);
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}

void BM_PlotSliderStepW4(benchmark::State& state)
{
    const ProblemModel model = PlottableW4();
    Session session;
    CommonDialog files([](QWidget*, CommonDialog::Kind, const QString&) { return std::optional<QString>(); });
    MessageBox messages([](QWidget*, const QString&, const QString&) {});
    PlotWindow window(model, session, files, messages, nullptr);
    window.show();
    QCoreApplication::processEvents();
    auto* slider = window.findChild<QSlider*>(QStringLiteral("sldPoint_1"));
    int step = 0;
    for (auto _ : state) {
        slider->setValue(++step % slider->maximum());
        QCoreApplication::processEvents();
    }
}

BENCHMARK(BM_OpenPlotWindowW4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotSliderStepW4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenValuesGrid200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteIntoFunctionWindow)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavex::bench

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    tavex::ToolkitApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
