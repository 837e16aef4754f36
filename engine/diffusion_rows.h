#pragma once
// The dot diffusion one row, or part of a row, at a time: the tables a pixel's step looks
// up, the error rows and the state a row hands on where it is cut. The rows run on one
// thread in dot_layer.cpp and on two in two_thread_diffusion.cpp.

#include <array>
#include <cstdint>
#include <vector>

#include "plane.h"

namespace lumetra::diffusion {

// The shares one pixel's error gives the cells of the rows above, each packed with the
// one for the row two above (see PackShares).
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

    DiffusionTables(int meanGray, int sensitivity);

    std::array<int32_t, 511> scaled{};  // the waiting error e x 10 / sensitivity, at e + 255
    std::array<PackedShares, 511> shares{};
    std::vector<Outcome> outcome;
    int offset = 0;
};

// Where a row's step stands after pixel x: the error waiting for the pixels x+1 and x+2
// and the shares gathered so far for the cells x-1..x+2 of the rows above.
struct RowState {
    int32_t carry1 = 0, carry2 = 0;
    int32_t cellLeft = 0, cellHere = 0, cellRight = 0, cellRight2 = 0;
};

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

// Pixels x0..x1-1 of row y (x1 at most the last pixel), then with finish the last pixel
// and the cells still open. The upper guards stop one row short of the top.
void DiffuseRowPart(const DiffusionTables& tables, const ColorPlane& color, ColorPlane& dots, ErrorRing& ring, int y,
                    RowState& state, int x0, int x1, bool finish);

}  // namespace lumetra::diffusion
