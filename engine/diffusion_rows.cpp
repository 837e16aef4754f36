// The step of one pixel of the dot diffusion and the loops over a row around it.

#include "diffusion_rows.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

#include "color_math.h"

namespace lumetra::diffusion {

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

}  // namespace

DiffusionTables::DiffusionTables(int meanGray, int sensitivity)
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
        const int dot = v < meanGray ? 0 : 255;
        const int e = v - dot;
        outcome[u + offset] = {static_cast<int16_t>(Share(8, e)), static_cast<int16_t>(Share(4, e)),
                               static_cast<uint16_t>(e + 255), static_cast<uint8_t>(dot)};
    }
}

namespace {

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
// pixel to pixel; with it the load adds base and index itself. The empty asm only steers
// code generation: it emits no instruction and is no fence, so it orders nothing between
// threads (the two-thread diffusion orders its rows through atomics).
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
        const DiffusionTables::Outcome* forGray = outcome + kGrayTable[px[0] + px[1] + px[2]];
        const int32_t* forBelow = scaled + r.here[x];
        SeparateBase(forGray);
        SeparateBase(forBelow);
        const DiffusionTables::Outcome& o = forGray[forBelow[carry1]];
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

template <Reach reach>
void DiffusePart(const DiffusionTables& tables, const RowBuffers& rows, RowState& state, int x0, int x1, bool finish,
                 int maxX)
{
    DiffuseSpan<reach>(tables, rows, state, x0, x1);
    if (finish) FinishRow<reach>(tables, rows, state, maxX);
}

}  // namespace

// Pixels x0..x1-1 of row y (x1 at most the last pixel), then with finish the last pixel
// and the cells still open. The upper guards stop one row short of the top.
void DiffuseRowPart(const DiffusionTables& tables, const ColorPlane& color, ColorPlane& dots, ErrorRing& ring, int y,
                    RowState& state, int x0, int x1, bool finish)
{
    const int maxY = color.Height() - 1;
    const int maxX = color.Width() - 1;
    const RowBuffers rows{color.Row(y), dots.Row(y), ring.Row(y), ring.Row(y + 1), ring.Row(y + 2)};
    if (y < maxY - 2)
        DiffusePart<Reach::TwoRows>(tables, rows, state, x0, x1, finish, maxX);
    else if (y < maxY - 1)
        DiffusePart<Reach::OneRow>(tables, rows, state, x0, x1, finish, maxX);
    else
        DiffusePart<Reach::None>(tables, rows, state, x0, x1, finish, maxX);
}

}  // namespace lumetra::diffusion
