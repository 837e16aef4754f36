#pragma once
// The size the resize prompt settles on, as plain functions of the picture size and
// what the user chose, so the rules can be checked without a window.

#include <QSize>
#include <QStringView>

namespace lumetra {

// The automatic working size puts the long side at this many pixels.
inline constexpr int kAutoLongSide = 800;
// A custom side never goes below this many pixels.
inline constexpr int kSmallestCustomSide = 10;

enum class ResizeChoice { Auto, Custom };

// Long side 800, the other side keeping the picture's shape (rounded, halves to even,
// never below 1). A square picture becomes 800 x 800. An empty picture stays as it is.
QSize AutoSize(QSize picture);

// The number a size box starts with; digits beyond the range of int saturate to
// INT_MAX, and text without a leading number gives 0.
int LeadingNumber(QStringView text);

// A custom side as the box shows it after editing: at least 10, then at most the
// picture's own side, so a custom size can only shrink the picture.
int ClampCustomSide(int value, int bound);

// What OK resizes to. For Custom the two values are clamped again, because the boxes
// can hold unchecked text when OK is reached with Enter straight from a box.
QSize ChosenSize(QSize picture, ResizeChoice choice, QSize custom);

}  // namespace lumetra
