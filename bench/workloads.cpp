#include "workloads.h"

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
    ProblemModel model;
    model.lastVar = static_cast<int>(workload.counts.size()) - 1;
    model.AllocateVariableArrays();
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        model.varName[slot] = std::string(1, static_cast<char>('a' + k));
        model.kind[slot] = trigonometric ? Kind::Trigonometric : Kind::Polynomial;
        model.isEquallySpaced[slot] = true;
        model.lowerLimit[slot] = -1.0;
        model.upperLimit[slot] = 1.0;
        model.valueUpper[slot] = workload.counts[slot] - 1;
        model.valueStep[slot] = 2.0 / model.valueUpper[slot];
        model.period[slot] = 2.5;
    }
    model.varName.resize(static_cast<std::size_t>(model.lastVar) + 1);
    model.RegenerateSpacedValues(kAllSpaced);
    model.ShapeTablesFromValueCounts();
    const auto& e = model.funTable.extents();
    for (int i3 = 0; i3 < e[3]; ++i3)
        for (int i2 = 0; i2 < e[2]; ++i2)
            for (int i1 = 0; i1 < e[1]; ++i1)
                for (int i0 = 0; i0 < e[0]; ++i0) {
                    const double x = model.GetVarX(0, i0), y = model.GetVarX(1, i1);
                    const double z = model.GetVarX(2, i2), w = model.GetVarX(3, i3);
                    model.funTable(i0, i1, i2, i3) = std::cos(x + 2 * y) * std::exp(0.5 * z) + x * w;
                }
    model.coef = model.funTable;
    return model;
}

} // namespace tavex::bench
