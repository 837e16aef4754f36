#pragma once
// Division of a run's channel sum by the run's length, the innermost operation of the
// colour mixing (three per pixel and pass). A hardware division takes tens of cycles;
// multiplying by a reciprocal rounded up to 40 bits gives the same quotient for every sum
// below 2^40 / length: with m = ceil(2^40 / n) = (2^40 + e) / n, 0 <= e < n, the product
// sum * m / 2^40 exceeds sum / n by sum * e / (n * 2^40) < 1 / n, too little to reach the
// next integer. A channel sum is at most 255 * n, so lengths up to 2^16 keep every sum in
// range; longer runs (only for absurd brush widths) are divided as they stand.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace lumetra {

class RunDivider {
public:
    // Ready for run lengths 1..longest.
    explicit RunDivider(int longest) : reciprocal_(std::clamp(longest, 0, kLongestTabled) + 1)
    {
        for (std::size_t n = 1; n < reciprocal_.size(); ++n) reciprocal_[n] = ((uint64_t{1} << kShift) + n - 1) / n;
    }

    // sum / n for 0 <= sum <= 255 * n, n >= 1.
    int operator()(int sum, int n) const
    {
        if (static_cast<std::size_t>(n) < reciprocal_.size())
            return static_cast<int>((static_cast<uint64_t>(sum) * reciprocal_[n]) >> kShift);
        return sum / n;
    }

private:
    static constexpr int kShift = 40;
    static constexpr int kLongestTabled = 1 << 16;
    std::vector<uint64_t> reciprocal_;
};

}  // namespace lumetra
