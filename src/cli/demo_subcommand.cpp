// demo: a worked example without files.
#include "commands.h"
#include "command_support.h"
#include "engine/compute.h"
#include "engine/evaluate.h"
#include "model/number_text.h"
#include "model/problem_model.h"

#include <cstdio>

namespace tavex::cli {

int RunDemo(Arguments arguments)
{
    if (ShowHelpIfAsked("demo", arguments))
        return kExitDone;
    if (!arguments.empty())
        return UsageError("demo", "takes no arguments");
    ProblemModel model;
    model.lastVar = 1;
    model.AllocateVariableArrays();
    constexpr const char* kNames[] = {"x", "y"};
    for (int k = 0; k < 2; ++k) {
        Variable& variable = model.Var(k);
        variable.name.assign(kNames[k]);
        variable.lowerLimit = 0.0;
        variable.upperLimit = 1.0;
        variable.valueUpper = 1;
    }
    model.ShapeTablesFromValueCounts();
    model.funTable(0, 0, 0, 0) = 1;
    model.funTable(1, 0, 0, 0) = 3;
    model.funTable(0, 1, 0, 0) = 4;
    model.funTable(1, 1, 0, 0) = 10;
    model.coef = model.funTable;
    const ComputeOutcome outcome = Compute(model, {true, true, false, false});
    if (!outcome.succeeded) {
        std::printf("%s\n", outcome.failureLine.c_str());
        return kExitNoResult;
    }
    for (int j1 = 0; j1 <= 1; ++j1)
        for (int j0 = 0; j0 <= 1; ++j0)
            std::printf("coef(%d, %d) = %s\n", j0, j1, TextOfNumber(model.coef(j0, j1, 0, 0)).c_str());
    std::printf("f(2, 3) = %s\n", TextOfNumber(Evaluate(model, {2.0, 3.0, 0.0, 0.0}).value()).c_str());
    return kExitDone;
}

} // namespace tavex::cli
