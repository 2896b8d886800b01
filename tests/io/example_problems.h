#pragma once

#include "model/problem_model.h"
#include "model/star_value.h"

#include <cmath>
#include <string>
#include <vector>

namespace tavex::testing {

// One polynomial variable x on [0, 2], three equally spaced values, center 1,
// period "*" (2 pi), function values 5, 7, 9, not computed: the worked
// example of the file layout.
inline ProblemModel MakeExampleModel()
{
    ProblemModel model;
    model.lastVar = 0;
    model.AllocateVariableArrays();
    model.varName = {"x"};
    model.kind[0] = Kind::Polynomial;
    model.isEquallySpaced[0] = true;
    model.lowerLimit[0] = 0.0;
    model.upperLimit[0] = 2.0;
    model.center[0] = 1.0;
    model.period[0] = 2.0 * PiValue();
    model.valueUpper[0] = 2;
    model.valueStep[0] = 1.0;
    model.FillSpacedValues(0);
    model.ShapeTablesFromValueCounts();
    model.funTable(0, 0, 0, 0) = 5;
    model.funTable(1, 0, 0, 0) = 7;
    model.funTable(2, 0, 0, 0) = 9;
    return model;
}

inline const std::string kExampleProblemFile = " 0 \r\n\"x\",0,2,1,#TRUE#,6.28318530717959,2\r\n#FALSE#\r\n";
inline const std::string kExampleDataFile =
    " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 5 \r\n 7 \r\n 9 \r\n";

// A problem of `counts.size()` variables, kinds alternating, values and
// table filled with numbers that need all 15 digits, coefficients stored.
ProblemModel MakeMixedModel(const std::vector<int>& counts, unsigned seed);

} // namespace tavex::testing
