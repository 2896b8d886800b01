#pragma once

#include "model/problem_model.h"
#include "setup/panel_texts.h"

#include <array>
#include <string>
#include <vector>

namespace tavex {

// The whole problem at a glance: one row per variable, as its panel stands.
inline constexpr std::array<const char*, 7> kOverviewColumns = {"Name",   "Kind",   "Lower", "Upper",
                                                                 "Center", "Period", "Values"};

using OverviewRow = std::array<std::string, kOverviewColumns.size()>;

// Rows for the variables 0..count-1 of the panels: the name accepted (empty
// before), "Power" or "Trigonometric", the limits, center and count as typed,
// a "*" with the number it stands for ("* = 0.5"), and the period only for a
// trigonometric variable, whose expansion alone has one.
std::vector<OverviewRow> OverviewRows(const ProblemModel& model, const Panels& panels, int count);

} // namespace tavex
