#pragma once
// In-place run averaging along one line (a row or a column of a colour plane), for the
// mixing passes that sum the plane as it stands.
//
// Positions are visited in increasing order. Below the current position the line holds
// new values, from it on the values it had before the pass. A position is a border while
// its channel 0 is 0. For each non-border position the run reaches at most `radius` each
// way and stops before the nearest border; its pixel becomes the run's average (integer
// division), unless the run is that pixel alone.
//
// Both run ends only ever move forward: the nearest border below is the last visited
// border, and the nearest border above lies among unvisited positions, which do not
// change until they are visited. So one window of channel sums slides along the line,
// and each write corrects the sum by the change it makes. This gives the same bytes as
// scanning outward and summing each run afresh.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "run_divider.h"

namespace lumetra {

class SlidingRun {
public:
    // first points at channel 0 of the line's first pixel; stride is the distance between
    // two pixels; count the line's length; 0 <= radius <= count; divide handles lengths up
    // to 2 * radius + 1.
    [[gnu::always_inline]] void Average(uint8_t* first, std::ptrdiff_t stride, int pos, int count, int radius,
                                        const RunDivider& divide)
    {
        uint8_t* pixel = first + pos * stride;
        if (pixel[0] == 0) {
            lastBorder_ = pos;
            return;
        }
        if (nextBorder_ <= pos) {
            nextBorder_ = pos + 1;
            while (nextBorder_ < count && first[nextBorder_ * stride] != 0) ++nextBorder_;
        }
        const int low = std::max({lastBorder_ + 1, pos - radius, 0});
        const int high = std::min({nextBorder_ - 1, pos + radius, count - 1});

        if (low > high_) {  // the window has fallen behind the run: start it afresh
            low_ = low;
            high_ = low - 1;
            sum_[0] = sum_[1] = sum_[2] = 0;
        }
        for (; high_ < high; ++high_) Add(first + (high_ + 1) * stride, 1);
        for (; low_ < low; ++low_) Add(first + low_ * stride, -1);

        const int n = high - low + 1;
        if (n < 2) return;
        for (int c = 0; c < 3; ++c) {
            const int average = divide(sum_[c], n);
            sum_[c] += average - pixel[c];
            pixel[c] = static_cast<uint8_t>(average);
        }
        if (pixel[0] == 0) lastBorder_ = pos;
    }

private:
    void Add(const uint8_t* p, int sign)
    {
        sum_[0] += sign * p[0];
        sum_[1] += sign * p[1];
        sum_[2] += sign * p[2];
    }

    int lastBorder_ = -1;  // last visited border
    int nextBorder_ = -1;  // first border above the position (count if none); stale when <= pos
    int low_ = 0;          // the window of positions summed in sum_
    int high_ = -1;
    int sum_[3] = {0, 0, 0};
};

}  // namespace lumetra
