#pragma once

#include "engine/kinds/basis_kind.h"

namespace tavex {

// 1, sin u, cos u, sin 2u, cos 2u, ... with u = 2 pi (x - center) / period, so
// an even count ends on a sine; multiples of the angle by repeated addition.
const BasisKind& TrigonometricKind();

// The weights of a level with upper index m, weights[0..m] = cos 0, sin t,
// cos t, sin 2t, ..., exactly as the running angle meets them.
void TrigonometricWeights(double angle, int m, double* weights);

} // namespace tavex
