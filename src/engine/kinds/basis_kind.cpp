#include "engine/kinds/basis_kind.h"

#include "engine/kinds/powers.h"
#include "engine/kinds/trigonometric.h"

namespace tavex {

const BasisKind& BasisKindOf(Kind kind)
{
    switch (kind) {
    case Kind::Trigonometric: return TrigonometricKind();
    case Kind::Polynomial: break;
    }
    return PowersKind();
}

} // namespace tavex
