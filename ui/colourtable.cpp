#include "ui/colourtable.h"

namespace tessel::colourdialog {

std::optional<int> hitSwatch(long x, long y, const std::array<Box, kSwatches>& swatches) {
    std::optional<int> hit;
    for (int i = 0; i < kSwatches; ++i) {
        const Box& b = swatches[static_cast<std::size_t>(i)];
        if (x >= b.left && x < b.right && y >= b.top && y < b.bottom) hit = i;
    }
    return hit;
}

}  // namespace tessel::colourdialog
