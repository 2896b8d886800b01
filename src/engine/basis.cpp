#include "engine/basis.h"

#include "base/parallel_for.h"

#include <cassert>

namespace tavex {

SquareMatrix BuildBasisMatrix(const VariableBasis& basis, int threads)
{
    const int order = basis.count;
    assert(order >= 1 && basis.values->size() >= static_cast<std::size_t>(order));
    SquareMatrix a(order);
    // Rows are independent; a big matrix of costly functions has its rows shared out.
    const double work = static_cast<double>(order) * order * basis.kind->EntryCost();
    ParallelFor(static_cast<std::size_t>(order), work > 2e5 ? threads : 1, [&](std::size_t begin, std::size_t end) {
        for (std::size_t k = begin; k < end; ++k)
            basis.kind->BasisRow((*basis.values)[k], basis.center, basis.period, order, a.Row(static_cast<int>(k)));
    });
    return a;
}

} // namespace tavex
