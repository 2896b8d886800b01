#include "commands/compute_command.h"

#include "base/parallel_for.h"
#include "engine/compute.h"
#include "setup/read_specs.h"
#include "setup/results.h"

#include <new>

namespace tavex::command {

ComputeResult Compute(ProblemModel& model, const Session& session, const Panels& panels, bool measureFit)
{
    ComputeResult result;
    result.listCleared = ClearResults(model, session);
    const SpecsRead read = ReadSpecs(model, panels);
    if (!read) {
        result.refusal = read.refusal + " Nothing was computed.";
        return result;
    }
    try {
        model.coef = model.funTable;
    } catch (const std::bad_alloc&) {
        result.refusal = "There is not enough memory to compute the coefficients.";
        return result;
    }
    model.ClearComputed();

    PerVariable<bool> spaced{};
    for (int k = 0; k <= model.lastVar; ++k)
        spaced[static_cast<std::size_t>(k)] = panels[static_cast<std::size_t>(k)].spacedChecked;
    ComputeOptions options;
    options.measureFit = measureFit;
    ComputeOutcome outcome = tavex::Compute(model, spaced, options);
    result.computed = outcome.succeeded;
    result.failureLine = outcome.failureLine;
    result.figures = std::move(outcome.figures);
    return result;
}

FitMeasurement::FitMeasurement(const ProblemModel& model)
    : snapshot_(model)
{
}

std::optional<FitFigures> FitMeasurement::Run(int threads) const
{
    if (!snapshot_.IsComputed())
        return std::nullopt;
    return MeasureFit(snapshot_, ResolveThreadCount(threads));
}

} // namespace tavex::command
