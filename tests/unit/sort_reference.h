// The sort the slow way: a stable exchange sort that compares neighbours and
// reads both numbers at every comparison. The merge sort must give the same
// order.
#pragma once

#include <algorithm>
#include <string_view>
#include <vector>

#include "textops/sorting.h"

namespace reference {

inline std::vector<std::string_view> exchangeSort(std::vector<std::string_view> v,
                                                  tessel::sorting::SortOptions options) {
    using namespace tessel::sorting;
    for (std::size_t p = v.size() > 0 ? v.size() - 1 : 0; p >= 1; --p) {
        for (std::size_t k = 1; k <= p; ++k) {
            if (compareLines(v[k - 1], readNumber(v[k - 1]), v[k], readNumber(v[k]), options.numeric) > 0)
                std::swap(v[k - 1], v[k]);
        }
    }
    if (options.descending) std::reverse(v.begin(), v.end());
    return v;
}

}  // namespace reference
