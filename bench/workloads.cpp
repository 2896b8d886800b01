#include "workloads.h"

#include "support/problem_builder.h"

#include <cmath>

namespace tavex::bench {

const std::vector<Workload>& Workloads()
{
    static const std::vector<Workload> workloads{
        {"W1", {20}}, {"W2", {200, 200}}, {"W3", {64, 64, 64}},
        {"W4", {40, 40, 40, 40}}, {"W5", {64, 64, 64, 64}}};
    return workloads;
}

ProblemModel MakeWorkloadProblem(const Workload& workload, bool trigonometric)
{
    std::vector<testing::VariableSpec> variables;
    for (std::size_t k = 0; k < workload.counts.size(); ++k) {
        testing::VariableSpec& v = variables.emplace_back(
            testing::SpacedVariable(std::string(1, static_cast<char>('a' + k)), -1.0, 1.0, workload.counts[k]));
        v.trigonometric = trigonometric;
        v.period = 2.5;
    }
    ProblemModel model = testing::MakeProblem(variables);
    testing::TabulateFunction(model, [](const PerVariable<double>& p) {
        const double x = p[0], y = p[1], z = p[2], w = p[3];
        return std::cos(x + 2 * y) * std::exp(0.5 * z) + x * w;
    });
    return model;
}

} // namespace tavex::bench
