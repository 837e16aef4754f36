#include "dot_layer.h"

#include <omp.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "colour_math.h"
#include "row_threads.h"
#include "shade_rows.h"
#include "engine.h"
#include "layer_allocation.h"
#include "plane_sizes.h"

namespace lumetra {

namespace {

// The share of an error -255..255 that goes to a neighbour of weight w (of 42), truncated
// toward zero so that a negative error gives a share of the same size as the positive one.
constexpr int32_t Share(int weight, int error) { return error * weight / 42; }

// A pixel hands its error to the cells x-2..x+2 of the row above (weights 2 4 8 4 2) and
// of the row two above (1 2 4 2 1). Both shares a cell gets from one pixel travel in one
// integer, the row above in the low 16 bits and the row two above in the rest, so that a
// cell's five contributions are gathered with four additions. Every sum stays within
// -255..255 per row, far from the 16-bit limit.
constexpr int32_t PackShares(int32_t above, int32_t twoAbove) { return above + twoAbove * 65536; }

struct PackedShares {
    int32_t centre = 0;  // for the cell straight above the pixel
    int32_t near = 0;    // for the cells one to the left and right
    int32_t far = 0;     // for the cells two to the left and right
};

// What one pixel's step looks up, for the picture's mean grey and sensitivity.
struct DiffusionTables {
    // What the diffused grey u (grey plus scaled waiting error) becomes, at u + offset.
    struct Outcome {
        int16_t nextShare = 0;    // error share for the pixel to the right
        int16_t secondShare = 0;  // and for the pixel after it
        uint16_t errorIndex = 0;  // the error + 255, for the shares of the rows above
        uint8_t dot = 0;
    };

    DiffusionTables(int meanGrey, int sensitivity)
    {
        // A cell receives at most 42/42 of errors of at most 255, so its waiting error
        // stays within -255..255 and so does every scaled error below.
        int reach = 0;
        for (int e = -255; e <= 255; ++e) {
            scaled[e + 255] = e * 10 / sensitivity;
            reach = std::max(reach, std::abs(scaled[e + 255]));
            shares[e + 255] = {PackShares(Share(8, e), Share(4, e)), PackShares(Share(4, e), Share(2, e)),
                               PackShares(Share(2, e), Share(1, e))};
        }
        offset = reach;
        outcome.resize(256 + 2 * reach);
        for (int u = -reach; u <= 255 + reach; ++u) {
            const int v = ClampByte(u);
            const int dot = v < meanGrey ? 0 : 255;
            const int e = v - dot;
            outcome[u + offset] = {static_cast<int16_t>(Share(8, e)), static_cast<int16_t>(Share(4, e)),
                                   static_cast<uint16_t>(e + 255), static_cast<uint8_t>(dot)};
        }
    }

    std::array<int32_t, 511> scaled{};  // the waiting error e x 10 / sensitivity, at e + 255
    std::array<PackedShares, 511> shares{};
    std::vector<Outcome> outcome;
    int offset = 0;
};

// How far up a row hands on its error: the rows above and two above exist and take it,
// only the row above does (the one two above is the top row, which takes none), or none.
enum class Reach { TwoRows, OneRow, None };

// The error rows a row works on. The error for the row two above is stored, not added:
// this row is the first to touch it, so a recycled buffer needs no clearing. Index -2 and
// -1 are a margin that absorbs the shares meant for cells left of the picture.
struct RowBuffers {
    const uint8_t* src;
    uint8_t* out;
    const int32_t* here;
    int32_t* above;
    int32_t* twoAbove;
};

// Where a row's step stands after pixel x: the error waiting for the pixels x+1 and x+2
// and the shares gathered so far for the cells x-1..x+2 of the rows above.
struct RowState {
    int32_t carry1 = 0, carry2 = 0;
    int32_t cellLeft = 0, cellHere = 0, cellRight = 0, cellRight2 = 0;
};

template <Reach reach>
inline void StoreCell(const RowBuffers& rows, int c, int32_t packed)
{
    if constexpr (reach != Reach::None) {
        const int32_t above = static_cast<int16_t>(static_cast<uint16_t>(packed));
        rows.above[c] += above;
        rows.twoAbove[c] = reach == Reach::TwoRows ? (packed - above) >> 16 : 0;
    }
}

// Hides how a pointer was computed. Without it the compiler folds the early base and the
// late index of a look-up into one sum and spends an extra instruction on the chain from
// pixel to pixel; with it the load adds base and index itself.
template <class T>
inline void SeparateBase(T*& pointer)
{
    asm("" : "+r"(pointer));
}

// Pixels x0..x1-1 of a row. Pixel x's error reaches the pixels x+1 and x+2 through the
// carries, and completes cell x-2 of the rows above, which is written once.
template <Reach reach>
void DiffuseSpan(const DiffusionTables& tables, const RowBuffers& rows, RowState& state, int x0, int x1)
{
    // Everything in locals: the byte stores would otherwise make the compiler reload
    // each pointer for every pixel. The chain from one pixel to the next is two table
    // look-ups and an addition, with the grey and the error from the rows below folded
    // into the tables' base addresses and all indices in 64 bits.
    const RowBuffers r = rows;
    const int32_t* scaled = tables.scaled.data() + 255;
    const DiffusionTables::Outcome* outcome = tables.outcome.data() + tables.offset;
    const PackedShares* shares = tables.shares.data();
    std::ptrdiff_t carry1 = state.carry1, carry2 = state.carry2;
    int32_t cellLeft = state.cellLeft, cellHere = state.cellHere;
    int32_t cellRight = state.cellRight, cellRight2 = state.cellRight2;
    for (int x = x0; x < x1; ++x) {
        const uint8_t* px = r.src + 3 * x;
        const DiffusionTables::Outcome* forGrey = outcome + kGrayTable[px[0] + px[1] + px[2]];
        const int32_t* forBelow = scaled + r.here[x];
        SeparateBase(forGrey);
        SeparateBase(forBelow);
        const DiffusionTables::Outcome& o = forGrey[forBelow[carry1]];
        carry1 = carry2 + o.nextShare;
        carry2 = o.secondShare;
        r.out[3 * x] = r.out[3 * x + 1] = r.out[3 * x + 2] = o.dot;
        const PackedShares& p = shares[o.errorIndex];
        StoreCell<reach>(r, x - 2, cellLeft + p.far);
        cellLeft = cellHere + p.near;
        cellHere = cellRight + p.centre;
        cellRight = cellRight2 + p.near;
        cellRight2 = p.far;
    }
    state = {static_cast<int32_t>(carry1), static_cast<int32_t>(carry2), cellLeft, cellHere, cellRight, cellRight2};
}

// The last pixel of a row takes no error from its left and passes none to the last
// column above; then the cells still open are written.
template <Reach reach>
void FinishRow(const DiffusionTables& tables, const RowBuffers& rows, RowState& state, int maxX)
{
    state.carry1 = 0;
    state.cellRight = 0;  // becomes the last column's cell, which keeps only its own share
    DiffuseSpan<reach>(tables, rows, state, maxX, maxX + 1);
    StoreCell<reach>(rows, maxX - 1, state.cellLeft);
    StoreCell<reach>(rows, maxX, state.cellHere);
}

// The picture's error rows: three in a ring, each with a margin of two cells on the left.
// Row y reads its own and writes the next two; the buffer it stores into for row y + 2 is
// the one of row y - 1, which is already past every cell this row stores.
class ErrorRing {
public:
    explicit ErrorRing(int width)
    {
        for (auto& row : rows_) row.assign(width + 2, 0);
    }
    int32_t* Row(int y) { return rows_[y % 3].data() + 2; }

private:
    std::array<std::vector<int32_t>, 3> rows_;
};

template <Reach reach>
void DiffusePart(const DiffusionTables& tables, const RowBuffers& rows, RowState& state, int x0, int x1,
                 bool finish, int maxX)
{
    DiffuseSpan<reach>(tables, rows, state, x0, x1);
    if (finish) FinishRow<reach>(tables, rows, state, maxX);
}

// Pixels x0..x1-1 of row y (x1 at most the last pixel), then with finish the last pixel
// and the cells still open. The upper guards stop one row short of the top.
void DiffuseRowPart(const DiffusionTables& tables, const ColorPlane& colour, ColorPlane& dots, ErrorRing& ring,
                    int y, RowState& state, int x0, int x1, bool finish)
{
    const int maxY = colour.Height() - 1;
    const int maxX = colour.Width() - 1;
    const RowBuffers rows{colour.Row(y), dots.Row(y), ring.Row(y), ring.Row(y + 1), ring.Row(y + 2)};
    if (y < maxY - 2)
        DiffusePart<Reach::TwoRows>(tables, rows, state, x0, x1, finish, maxX);
    else if (y < maxY - 1)
        DiffusePart<Reach::OneRow>(tables, rows, state, x0, x1, finish, maxX);
    else
        DiffusePart<Reach::None>(tables, rows, state, x0, x1, finish, maxX);
}

// A hint to the core that this thread is spinning on a value another thread will change.
inline void CpuRelax()
{
#if defined(__x86_64__) || defined(__i386__)
    _mm_pause();
#endif
}

// How far a row has come: the pixels done from its left end, kRowDone when finished.
// One cache line each, so that the thread waiting on one row does not disturb another.
struct alignas(64) RowProgress {
    std::atomic<int> pixels{0};
};
constexpr int kRowDone = std::numeric_limits<int>::max();

// Spins until the row has come far enough or the time is up; false when the time is up.
bool SpinUntil(const RowProgress& progress, int needed, std::chrono::microseconds patience)
{
    const auto start = std::chrono::steady_clock::now();
    for (int spins = 1; progress.pixels.load(std::memory_order_acquire) < needed; ++spins) {
        CpuRelax();
        if (spins % 64 == 0 && std::chrono::steady_clock::now() - start > patience) return false;
    }
    return true;
}

// Spins for about as long as a hundred wide rows take, then sleeps until the row has
// come far enough: on a busy machine the thread being waited for may itself be waiting
// for a core, which a spinning thread would keep from it. A thread woken from sleep can
// take a millisecond to run again, so sleeping early would cost more than it saves.
void WaitUntil(const RowProgress& progress, int needed)
{
    if (SpinUntil(progress, needed, std::chrono::milliseconds{2})) return;
    for (int seen = progress.pixels.load(std::memory_order_acquire); seen < needed;
         seen = progress.pixels.load(std::memory_order_acquire))
        progress.pixels.wait(seen, std::memory_order_acquire);
}

void Publish(RowProgress& progress, int pixels)
{
    progress.pixels.store(pixels, std::memory_order_release);
    progress.pixels.notify_all();
}

// The diffusion on two threads: every row is cut at the middle; the left thread does
// the left half of each row and hands the row's state at the cut on, the right thread
// continues the row from there while the left thread starts on the next row.
//
// Cell c of an error row is written only while pixel c + 2 is processed, by the thread
// that owns that pixel, so the threads write disjoint cells. The left half of row y may
// start once the right half of row y - 1 has done its first two pixels, which write the
// last two cells of the left half of row y; the rest of row y - 1 writes cells right of
// the cut. Integer additions give the same sums in any order, so the bytes are those of
// one thread. Little crosses between the cores: the state and two cells per row.
//
// A wavefront stalls whenever one thread waits for a core on a busy machine, and each
// stall costs the other thread a wait as well. So when the right half of a row has not
// begun in good time, the left thread takes it over and does the rest of the picture
// alone; the right thread stops at the first row taken from it. At worst the diffusion
// then takes as long as on one thread plus the patience spent.
//
// A stop is seen by the left thread before it starts a row; it then shows the right
// thread that row with its right half already taken, which ends that thread too.
class TwoThreadDiffusion {
public:
    TwoThreadDiffusion(const DiffusionTables& tables, const ColorPlane& colour, ColorPlane& dots, ErrorRing& ring,
                       std::chrono::microseconds patience, const std::stop_token& stop)
        : tables_(tables), colour_(colour), dots_(dots), ring_(ring), split_(colour.Width() / 2),
          patience_(patience), stop_(stop), progress_(colour.Height()), handedOn_(colour.Height()),
          rightTaken_(colour.Height())
    {
    }

    void RunLeft()
    {
        bool alone = false;
        for (int y = 0; y < colour_.Height(); ++y) {
            if (stop_.stop_requested()) {
                TakeRight(y);
                Publish(progress_[y], split_);
                return;
            }
            if (y > 0 && !alone && !SpinUntil(progress_[y - 1], split_ + 2, patience_)) {
                alone = true;
                if (TakeRight(y - 1))
                    RunRight(y - 1, handedOn_[y - 1]);
                else
                    WaitUntil(progress_[y - 1], split_ + 2);
            }
            RowState state;
            DiffuseRowPart(tables_, colour_, dots_, ring_, y, state, 0, split_, false);
            if (alone) {
                TakeRight(y);  // always succeeds: the other thread has not been shown the row
                RunRight(y, state);
            } else {
                handedOn_[y] = state;
                Publish(progress_[y], split_);
            }
        }
    }

    void RunRight()
    {
        for (int y = 0; y < colour_.Height(); ++y) {
            WaitUntil(progress_[y], split_);
            if (!TakeRight(y)) return;
            RunRight(y, handedOn_[y]);
        }
    }

private:
    bool TakeRight(int y) { return !rightTaken_[y].exchange(true, std::memory_order_acq_rel); }

    // The right half of a row follows the whole of the row below, which the other
    // thread may still be finishing when this row has been taken from it.
    void RunRight(int y, RowState state)
    {
        if (y > 0) WaitUntil(progress_[y - 1], kRowDone);
        const int maxX = colour_.Width() - 1;
        DiffuseRowPart(tables_, colour_, dots_, ring_, y, state, split_, split_ + 2, false);
        Publish(progress_[y], split_ + 2);
        DiffuseRowPart(tables_, colour_, dots_, ring_, y, state, split_ + 2, maxX, true);
        Publish(progress_[y], kRowDone);
    }

    const DiffusionTables& tables_;
    const ColorPlane& colour_;
    ColorPlane& dots_;
    ErrorRing& ring_;
    const int split_;
    const std::chrono::microseconds patience_;
    const std::stop_token& stop_;
    std::vector<RowProgress> progress_;
    std::vector<RowState> handedOn_;
    std::vector<std::atomic<bool>> rightTaken_;
};

// Below this many columns a row is not worth cutting in two.
constexpr int kMinWidthForThreads = 512;

void DiffuseRowsAlone(const DiffusionTables& tables, const ColorPlane& colour, ColorPlane& dots, ErrorRing& ring,
                      const std::stop_token& stop)
{
    for (int y = 0; y < colour.Height() && !stop.stop_requested(); ++y) {
        RowState state;
        DiffuseRowPart(tables, colour, dots, ring, y, state, 0, colour.Width() - 1, true);
    }
}

// Without error the dots are the grey thresholded at the mean, row by row.
void ThresholdDots(const ColorPlane& colour, int meanGrey, ColorPlane& dots, const std::stop_token& stop)
{
    const int width = colour.Width();
    ForEachRow(width, colour.Height(), stop, [&](int y) {
        const uint8_t* src = colour.Row(y);
        uint8_t* out = dots.Row(y);
        for (int x = 0; x < width; ++x) {
            const uint8_t dot = kGrayTable[src[3 * x] + src[3 * x + 1] + src[3 * x + 2]] < meanGrey ? 0 : 255;
            out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = dot;
        }
    });
}

}  // namespace

int64_t GreySum(const ColorPlane& colour)
{
    int64_t sum = 0;
    const int width = colour.Width();
#pragma omp parallel for schedule(static) reduction(+ : sum) if (UseRowThreads(colour.Width(), colour.Height()))
    for (int y = 0; y < colour.Height(); ++y) {
        const uint8_t* row = colour.Row(y);
        int64_t rowSum = 0;
        for (int x = 0; x < width; ++x) rowSum += kGrayTable[row[3 * x] + row[3 * x + 1] + row[3 * x + 2]];
        sum += rowSum;
    }
    return sum;
}

int MeanGrey(const ColorPlane& colour)
{
    const int64_t pixels = static_cast<int64_t>(colour.Width()) * colour.Height();
    return pixels == 0 ? 0 : static_cast<int>(GreySum(colour) / pixels);
}

void DiffuseDots(const ColorPlane& colour, int meanGrey, int sensitivity, ColorPlane& dots,
                 const std::stop_token& stop)
{
    // Far longer than the right-hand thread needs for two pixels while it has a core, or
    // to be woken at the start, and longer than most interruptions by other programs.
    DiffuseDotsWithPatience(colour, meanGrey, sensitivity, dots, std::chrono::microseconds{500}, stop);
}

void DiffuseDotsWithPatience(const ColorPlane& colour, int meanGrey, int sensitivity, ColorPlane& dots,
                             std::chrono::microseconds patience, const std::stop_token& stop)
{
    if (sensitivity == 0) {
        ThresholdDots(colour, meanGrey, dots, stop);
        return;
    }
    if (colour.Width() == 0) return;
    const DiffusionTables tables(meanGrey, sensitivity);
    ErrorRing ring(colour.Width());
    bool alone = omp_get_max_threads() < 2 || colour.Width() < kMinWidthForThreads ||
                 !UseRowThreads(colour.Width(), colour.Height());
    if (!alone) {
        TwoThreadDiffusion diffusion(tables, colour, dots, ring, patience, stop);
#pragma omp parallel num_threads(2)
        {
            if (omp_get_num_threads() < 2)
                alone = true;
            else if (omp_get_thread_num() == 0)
                diffusion.RunLeft();
            else
                diffusion.RunRight();
        }
    }
    if (alone) DiffuseRowsAlone(tables, colour, dots, ring, stop);
    ThrowIfStopped(stop);
}

void ShadeDots(const GrayPlane& grey, const ColorPlane& source, bool colour, ColorPlane& dots,
               const std::stop_token& stop)
{
    const int width = dots.Width();
    ForEachRow(width, dots.Height(), stop,
               [&](int y) { ShadeBlackPixelsRow(grey.Row(y), source.Row(y), dots.Row(y), width, colour); });
}

void Engine::BuildDotLayer()
{
    if (options.adjust) RequireSameSize("dot layer", ColorPixels, GrayPixels, OrigPixels);
    AllocateLayer(DotPixels, ColorPixels.Width(), ColorPixels.Height());
    DiffuseDots(ColorPixels, MeanGrey(ColorPixels), params.DotSensitivity, DotPixels, stop);
    if (options.adjust) ShadeDots(GrayPixels, OrigPixels, options.colorSketch, DotPixels, stop);
}

}  // namespace lumetra
