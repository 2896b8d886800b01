#pragma once

#include "engine/kinds/basis_kind.h"

namespace tavex {

// 1, u, u^2, ... with u = x - center: powers by repeated products, never pow(),
// so that every build gives the same bits; the evaluation sums them by Horner's scheme.
const BasisKind& PowersKind();

} // namespace tavex
