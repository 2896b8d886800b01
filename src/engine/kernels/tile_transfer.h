#pragma once

#include "engine/kernels/lane_layout.h"
#include "engine/lu_factors.h"

#include <cstddef>
#include <memory>

namespace tavex {

// A tile: order rows of kTileLanes doubles, 64-byte aligned (line_kernels.h).
struct AlignedDoubleDelete {
    void operator()(double* p) const;
};
using TileBuffer = std::unique_ptr<double[], AlignedDoubleDelete>;
TileBuffer MakeTile(int order);

// Reads lanes [first, last) of the layout into the tile, row k from entry
// rowOrigin[k]: the row exchanges of the elimination, all done at once, which
// moves values without changing them. Unused lanes are zeroed.
void GatherTile(double* tile, const double* table, const LaneLayout& layout, std::size_t first,
                std::size_t last, const LuFactors& factors);

// Writes the tile's rows back over lanes [first, last), row k to entry k.
void ScatterTile(const double* tile, double* table, const LaneLayout& layout, std::size_t first,
                 std::size_t last, int order);

} // namespace tavex
