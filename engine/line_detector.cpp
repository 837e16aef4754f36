// The line detector: colour differences between neighbouring pixels become a
// black-on-white line drawing. Used by the sketch pass and by the colour mixing.

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <utility>
#include <vector>

#include "engine.h"
#include "row_threads.h"
#include "vector_clones.h"

namespace lumetra {
namespace {

bool IsEdge(const uint8_t* a, const uint8_t* b, int threshold)
{
    return std::abs(a[0] - b[0]) > threshold || std::abs(a[1] - b[1]) > threshold || std::abs(a[2] - b[2]) > threshold;
}

// The rows around row y that the vote count of a pixel reads.
struct VoteRows {
    const uint8_t* color;
    const uint8_t* colorAbove;  // null on the top row
    const uint8_t* colorBelow;  // null on the bottom row
    const uint8_t* gray;
    const uint8_t* grayAbove;
    const uint8_t* grayBelow;
};

// Each pixel P is compared with its forward neighbours (x + 1, y + 1), (x, y + 1),
// (x + 1, y) and (x - 1, y + 1); of an edge pair the darker pixel gets the vote, P on a
// tie. Counting, for every pixel, the votes it receives as P from its forward
// neighbours and as the neighbour of the pixels behind it gives the same totals as
// casting the votes in scan order, and lets rows be counted independently.
// A missing neighbour stands for P itself, which is an edge only for a negative
// threshold (and then votes for P).
template <bool kHasLeft, bool kHasRight>
int VotesReceived(const VoteRows& r, int x, int threshold)
{
    const uint8_t* p = r.color + 3 * x;
    const int q = r.gray[x];
    int votes = 0;
    int missingForward = 0;
    if (r.colorAbove) {
        if constexpr (kHasRight) {
            votes += r.grayAbove[x + 1] >= q && IsEdge(p, r.colorAbove + 3 * (x + 1), threshold);
        } else {
            ++missingForward;
        }
        votes += r.grayAbove[x] >= q && IsEdge(p, r.colorAbove + 3 * x, threshold);
        if constexpr (kHasLeft) {
            votes += r.grayAbove[x - 1] >= q && IsEdge(p, r.colorAbove + 3 * (x - 1), threshold);
        } else {
            ++missingForward;
        }
    } else {
        missingForward += 3;
    }
    if constexpr (kHasRight) {
        votes += r.gray[x + 1] >= q && IsEdge(p, r.color + 3 * (x + 1), threshold);
    } else {
        ++missingForward;
    }

    if (r.colorBelow) {
        if constexpr (kHasLeft) {
            votes += q < r.grayBelow[x - 1] && IsEdge(p, r.colorBelow + 3 * (x - 1), threshold);
        }
        votes += q < r.grayBelow[x] && IsEdge(p, r.colorBelow + 3 * x, threshold);
        if constexpr (kHasRight) {
            votes += q < r.grayBelow[x + 1] && IsEdge(p, r.colorBelow + 3 * (x + 1), threshold);
        }
    }
    if constexpr (kHasLeft) {
        votes += q < r.gray[x - 1] && IsEdge(p, r.color + 3 * (x - 1), threshold);
    }

    if (threshold < 0) votes += missingForward;
    return votes;
}

// Edge flags (0 or 1) of the forward pairs of every pixel of one row that has a row
// above it: to (x + 1, y), (x, y + 1), (x + 1, y + 1) and (x - 1, y + 1). A flag whose
// neighbour lies outside the plane is 0; those pixels are counted by VotesReceived.
struct RowEdges {
    std::vector<uint8_t> right, up, upRight, upLeft;
    explicit RowEdges(int width) : right(width, 0), up(width, 0), upRight(width, 0), upLeft(width, 0) {}
};

// What one thread of CountVotes works in: the flags of the row it counts and of the
// row below, and the bytes FindRowEdges compares in.
struct CountScratch {
    RowEdges cur, below;
    std::vector<uint8_t> bytes;
    explicit CountScratch(int width) : cur(width), below(width), bytes(3 * static_cast<std::size_t>(width) + 1, 0) {}
};

// exceeds[i] = 1 where the bytes a[i] and b[i] differ by more than threshold. The
// bytes are compared channel by channel in one contiguous run of byte arithmetic,
// which vectorises.
LUMETRA_VECTOR_CLONES void MarkExceedingBytes(const uint8_t* a, const uint8_t* b, int n, uint8_t threshold,
                                              uint8_t* __restrict exceeds)
{
#pragma omp simd
    for (int i = 0; i < n; ++i) {
        const uint8_t d = a[i] > b[i] ? static_cast<uint8_t>(a[i] - b[i]) : static_cast<uint8_t>(b[i] - a[i]);
        exceeds[i] = d > threshold;
    }
}

// flags[x] = 1 where any of the three channel bytes of pixel x exceeded (each is 0 or 1).
LUMETRA_VECTOR_CLONES void PixelsWithAnyChannel(const uint8_t* __restrict exceeds, int pixels,
                                                uint8_t* __restrict flags)
{
#pragma omp simd
    for (int x = 0; x < pixels; ++x)
        flags[x] = static_cast<uint8_t>(exceeds[3 * x] | exceeds[3 * x + 1] | exceeds[3 * x + 2]);
}

// scratch holds at least 3 x width bytes.
void FindRowEdges(const ColorPlane& color, int y, int threshold, RowEdges& e, std::vector<uint8_t>& scratch)
{
    const int w = color.Width();
    if (threshold < 0 || threshold >= 255) {
        // Every pair is an edge, or none is.
        const uint8_t all = threshold < 0;
        for (auto* flags : {&e.up, &e.right, &e.upRight, &e.upLeft}) std::fill(flags->begin(), flags->end(), all);
        e.right[w - 1] = e.upRight[w - 1] = e.upLeft[0] = 0;
        return;
    }
    const auto t = static_cast<uint8_t>(threshold);
    const uint8_t* row = color.Row(y);
    const uint8_t* above = color.Row(y + 1);
    uint8_t* bytes = scratch.data();
    MarkExceedingBytes(row, above, 3 * w, t, bytes);
    PixelsWithAnyChannel(bytes, w, e.up.data());
    MarkExceedingBytes(row, row + 3, 3 * (w - 1), t, bytes);
    PixelsWithAnyChannel(bytes, w - 1, e.right.data());
    MarkExceedingBytes(row, above + 3, 3 * (w - 1), t, bytes);
    PixelsWithAnyChannel(bytes, w - 1, e.upRight.data());
    MarkExceedingBytes(row + 3, above, 3 * (w - 1), t, bytes);
    PixelsWithAnyChannel(bytes, w - 1, e.upLeft.data() + 1);
}

// Votes of the pixels 1..w - 2 of a row below the top row, from the edge flags of the
// row (cur) and of the row below it (below: all zero on the bottom row).
void VotesOfInnerPixels(const uint8_t* gray, const uint8_t* grayAbove, const uint8_t* grayBelow, const RowEdges& cur,
                        const RowEdges& below, uint8_t* votes, int w)
{
    // Plain pointers: through the vectors every byte store could change them, which
    // would keep the loop from being vectorised.
    const uint8_t *up = cur.up.data(), *upRight = cur.upRight.data(), *upLeft = cur.upLeft.data();
    const uint8_t* right = cur.right.data();
    const uint8_t *belowUp = below.up.data(), *belowUpRight = below.upRight.data(), *belowUpLeft = below.upLeft.data();
#pragma omp simd
    for (int x = 1; x < w - 1; ++x) {
        const uint8_t q = gray[x];
        const int asFirst = (upRight[x] & (grayAbove[x + 1] >= q)) + (up[x] & (grayAbove[x] >= q)) +
                            (upLeft[x] & (grayAbove[x - 1] >= q)) + (right[x] & (gray[x + 1] >= q));
        const int asNeighbour = (belowUpRight[x - 1] & (q < grayBelow[x - 1])) + (belowUp[x] & (q < grayBelow[x])) +
                                (belowUpLeft[x + 1] & (q < grayBelow[x + 1])) + (right[x - 1] & (q < gray[x - 1]));
        votes[x] = static_cast<uint8_t>(votes[x] + asFirst + asNeighbour);
    }
}

VoteRows RowsAround(const ColorPlane& color, const GrayPlane& gray, int y)
{
    const bool above = y + 1 < color.Height();
    const bool below = y > 0;
    return VoteRows{color.Row(y), above ? color.Row(y + 1) : nullptr, below ? color.Row(y - 1) : nullptr,
                    gray.Row(y),  above ? gray.Row(y + 1) : nullptr,  below ? gray.Row(y - 1) : nullptr};
}

// Counts one row pixel by pixel, every neighbour checked against the plane bounds.
void CountRowVotesDirectly(const VoteRows& r, uint8_t* votes, int w, int threshold)
{
    if (w == 1) {
        votes[0] = static_cast<uint8_t>(votes[0] + VotesReceived<false, false>(r, 0, threshold));
        return;
    }
    votes[0] = static_cast<uint8_t>(votes[0] + VotesReceived<false, true>(r, 0, threshold));
    for (int x = 1; x < w - 1; ++x)
        votes[x] = static_cast<uint8_t>(votes[x] + VotesReceived<true, true>(r, x, threshold));
    votes[w - 1] = static_cast<uint8_t>(votes[w - 1] + VotesReceived<true, false>(r, w - 1, threshold));
}

// Each pair's edge test is made once, into per-row flags; every thread keeps the flags
// of the row below the one it counts, so the rows it is given are counted in order.
void CountVotes(const ColorPlane& color, const GrayPlane& gray, GrayPlane& votes, int threshold,
                const std::stop_token& stop)
{
    const int w = color.Width();
    const int h = color.Height();
    const RowEdges none(w);
    std::vector<CountScratch> scratches = ScratchPerThread<CountScratch>(w);
#pragma omp parallel if (UseRowThreads(w, h))
    {
        CountScratch& mine = scratches[static_cast<std::size_t>(omp_get_thread_num())];
        RowEdges& cur = mine.cur;
        RowEdges& below = mine.below;
        std::vector<uint8_t>& scratch = mine.bytes;
        int belowRow = -1;  // the row whose flags `below` holds
#pragma omp for schedule(static)
        for (int y = 0; y < h; ++y) {
            if (stop.stop_requested()) continue;
            const VoteRows r = RowsAround(color, gray, y);
            uint8_t* out = votes.Row(y);
            if (y == h - 1 || w < 3) {
                CountRowVotesDirectly(r, out, w, threshold);
                continue;
            }
            if (y > 0 && belowRow != y - 1) FindRowEdges(color, y - 1, threshold, below, scratch);
            FindRowEdges(color, y, threshold, cur, scratch);
            VotesOfInnerPixels(r.gray, r.grayAbove, y > 0 ? r.grayBelow : r.gray, cur, y > 0 ? below : none, out, w);
            out[0] = static_cast<uint8_t>(out[0] + VotesReceived<false, true>(r, 0, threshold));
            out[w - 1] = static_cast<uint8_t>(out[w - 1] + VotesReceived<true, false>(r, w - 1, threshold));
            std::swap(cur, below);
            belowRow = y;
        }
    }
    ThrowIfStopped(stop);
}

LUMETRA_VECTOR_CLONES void MarkLineRow(const uint8_t* __restrict v, const uint8_t* __restrict g,
                                       uint8_t* __restrict out, int w, int voteThreshold, int darkThreshold)
{
#pragma omp simd
    for (int x = 0; x < w; ++x) {
        const int line = (v[x] >= voteThreshold) | (g[x] < darkThreshold);
        const auto value = static_cast<uint8_t>(line - 1);  // 0 on a line, 255 elsewhere
        out[3 * x] = value;
        out[3 * x + 1] = value;
        out[3 * x + 2] = value;
    }
}

void MarkLines(const GrayPlane& votes, const GrayPlane& gray, ColorPlane& output, int voteThreshold, int darkThreshold,
               const std::stop_token& stop)
{
    const int w = output.Width();
    ForEachRow(w, output.Height(), stop,
               [&](int y) { MarkLineRow(votes.Row(y), gray.Row(y), output.Row(y), w, voteThreshold, darkThreshold); });
}

// Clears line pixels none of whose eight neighbours is a line; the outermost rows and
// columns are left alone. Works in place in parallel rows without a conflict: a pixel
// is only cleared when no neighbour is a line, so a pixel that looks at its neighbours
// (a line pixel) never has one that is being cleared, and a cleared pixel could never
// have changed another pixel's outcome.
void ClearIsolatedDots(ColorPlane& output, const std::stop_token& stop)
{
    const int w = output.Width();
    const int h = output.Height();
    ForEachRow(w, h, stop, [&](int y) {
        if (y == 0 || y == h - 1) return;
        const uint8_t* below = output.Row(y - 1);
        const uint8_t* above = output.Row(y + 1);
        uint8_t* row = output.Row(y);
        for (int x = 1; x < w - 1; ++x) {
            if (row[3 * x] != 0) continue;
            const int l = 3 * (x - 1);
            const int m = 3 * x;
            const int r = 3 * (x + 1);
            if (below[l] == 255 && below[m] == 255 && below[r] == 255 && row[l] == 255 && row[r] == 255 &&
                above[l] == 255 && above[m] == 255 && above[r] == 255)
                row[m] = row[m + 1] = row[m + 2] = 255;
        }
    });
}

template <typename A, typename B>
bool SameSize(const A& a, const B& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height();
}

}  // namespace

void DetectLines(const ColorPlane& colorInput, const GrayPlane& grayReference, GrayPlane& votes, ColorPlane& output,
                 int edgeThreshold, int voteThreshold, int darkThreshold, const std::stop_token& stop)
{
    if (!SameSize(colorInput, grayReference) || !SameSize(colorInput, votes) || !SameSize(colorInput, output))
        throw std::invalid_argument("line detector planes differ in size");
    CountVotes(colorInput, grayReference, votes, edgeThreshold, stop);
    MarkLines(votes, grayReference, output, voteThreshold, darkThreshold, stop);
    ClearIsolatedDots(output, stop);
}

void Engine::DetectSketchLines()
{
    DetectLines(OrigPixels, GrayPixels, EdgeVotes, SketchPixels, params.EdgeThreshold, params.VoteThreshold,
                params.DarkThreshold, stop);
}

}  // namespace lumetra
