#pragma once
// Picture sizes for comparing an optimised step with its plain version: widths whose
// rows fill the vector loop bodies exactly or leave a remainder, and one size above the
// threading threshold. The tests add their own tiny sizes for the edge rules.

#include <utility>
#include <vector>

namespace lumetra::test {

inline std::vector<std::pair<int, int>> FastPathSizes(std::vector<std::pair<int, int>> tiny = {})
{
    for (std::pair<int, int> size : {std::pair{64, 3}, {67, 2}, {129, 2}, {1000, 2}, {300, 300}}) tiny.push_back(size);
    return tiny;
}

}  // namespace lumetra::test
