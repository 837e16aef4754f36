// The line detector: colour differences between neighbouring pixels become a
// black-on-white line drawing. Used by the sketch pass and by the colour mixing.

#include <cstdlib>
#include <stdexcept>

#include "engine.h"

namespace lumetra {
namespace {

bool IsEdge(const uint8_t* a, const uint8_t* b, int threshold)
{
    return std::abs(a[0] - b[0]) > threshold || std::abs(a[1] - b[1]) > threshold ||
           std::abs(a[2] - b[2]) > threshold;
}

// The rows around row y that the vote count of a pixel reads.
struct VoteRows {
    const uint8_t* colour;
    const uint8_t* colourAbove;  // null on the top row
    const uint8_t* colourBelow;  // null on the bottom row
    const uint8_t* grey;
    const uint8_t* greyAbove;
    const uint8_t* greyBelow;
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
    const uint8_t* p = r.colour + 3 * x;
    const int q = r.grey[x];
    int votes = 0;
    int missingForward = 0;
    if (r.colourAbove) {
        if constexpr (kHasRight) {
            votes += r.greyAbove[x + 1] >= q && IsEdge(p, r.colourAbove + 3 * (x + 1), threshold);
        } else {
            ++missingForward;
        }
        votes += r.greyAbove[x] >= q && IsEdge(p, r.colourAbove + 3 * x, threshold);
        if constexpr (kHasLeft) {
            votes += r.greyAbove[x - 1] >= q && IsEdge(p, r.colourAbove + 3 * (x - 1), threshold);
        } else {
            ++missingForward;
        }
    } else {
        missingForward += 3;
    }
    if constexpr (kHasRight) {
        votes += r.grey[x + 1] >= q && IsEdge(p, r.colour + 3 * (x + 1), threshold);
    } else {
        ++missingForward;
    }

    if (r.colourBelow) {
        if constexpr (kHasLeft) {
            votes += q < r.greyBelow[x - 1] && IsEdge(p, r.colourBelow + 3 * (x - 1), threshold);
        }
        votes += q < r.greyBelow[x] && IsEdge(p, r.colourBelow + 3 * x, threshold);
        if constexpr (kHasRight) {
            votes += q < r.greyBelow[x + 1] && IsEdge(p, r.colourBelow + 3 * (x + 1), threshold);
        }
    }
    if constexpr (kHasLeft) {
        votes += q < r.grey[x - 1] && IsEdge(p, r.colour + 3 * (x - 1), threshold);
    }

    if (threshold < 0) votes += missingForward;
    return votes;
}

void CountVotes(const ColorPlane& colour, const GrayPlane& grey, GrayPlane& votes, int threshold)
{
    const int w = colour.Width();
    const int h = colour.Height();
#pragma omp parallel for schedule(static)
    for (int y = 0; y < h; ++y) {
        const bool above = y + 1 < h;
        const bool below = y > 0;
        const VoteRows r{colour.Row(y),
                         above ? colour.Row(y + 1) : nullptr,
                         below ? colour.Row(y - 1) : nullptr,
                         grey.Row(y),
                         above ? grey.Row(y + 1) : nullptr,
                         below ? grey.Row(y - 1) : nullptr};
        uint8_t* out = votes.Row(y);
        if (w == 1) {
            out[0] = static_cast<uint8_t>(out[0] + VotesReceived<false, false>(r, 0, threshold));
            continue;
        }
        out[0] = static_cast<uint8_t>(out[0] + VotesReceived<false, true>(r, 0, threshold));
        for (int x = 1; x < w - 1; ++x)
            out[x] = static_cast<uint8_t>(out[x] + VotesReceived<true, true>(r, x, threshold));
        out[w - 1] = static_cast<uint8_t>(out[w - 1] + VotesReceived<true, false>(r, w - 1, threshold));
    }
}

void MarkLines(const GrayPlane& votes, const GrayPlane& grey, ColorPlane& output, int voteThreshold,
               int darkThreshold)
{
    const int w = output.Width();
    const int h = output.Height();
#pragma omp parallel for schedule(static)
    for (int y = 0; y < h; ++y) {
        const uint8_t* v = votes.Row(y);
        const uint8_t* g = grey.Row(y);
        uint8_t* out = output.Row(y);
        for (int x = 0; x < w; ++x) {
            const bool line = v[x] >= voteThreshold || g[x] < darkThreshold;
            const uint8_t value = line ? 0 : 255;
            out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = value;
        }
    }
}

// Clears line pixels none of whose eight neighbours is a line; the outermost rows and
// columns are left alone. Works in place in parallel rows without a conflict: a pixel
// is only cleared when no neighbour is a line, so a pixel that looks at its neighbours
// (a line pixel) never has one that is being cleared, and a cleared pixel could never
// have changed another pixel's outcome.
void ClearIsolatedDots(ColorPlane& output)
{
    const int w = output.Width();
    const int h = output.Height();
#pragma omp parallel for schedule(static)
    for (int y = 1; y < h - 1; ++y) {
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
    }
}

template <typename A, typename B>
bool SameSize(const A& a, const B& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height();
}

}  // namespace

void DetectLines(const ColorPlane& colourInput, const GrayPlane& greyReference, GrayPlane& votes,
                 ColorPlane& output, int edgeThreshold, int voteThreshold, int darkThreshold)
{
    if (!SameSize(colourInput, greyReference) || !SameSize(colourInput, votes) ||
        !SameSize(colourInput, output))
        throw std::invalid_argument("line detector planes differ in size");
    CountVotes(colourInput, greyReference, votes, edgeThreshold);
    MarkLines(votes, greyReference, output, voteThreshold, darkThreshold);
    ClearIsolatedDots(output);
}

void Engine::DetectSketchLines()
{
    DetectLines(OrigPixels, GrayPixels, EdgeVotes, SketchPixels, params.EdgeThreshold, params.VoteThreshold,
                params.DarkThreshold);
}

}  // namespace lumetra
