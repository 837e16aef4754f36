#pragma once
// Pixel planes of the effect engine.
//
// A plane is a width x height grid of bytes with C channels per pixel. Storage is
// contiguous: channel fastest, then x, then y. Rows are bottom-up: y = 0 is the
// bottom row of the picture and y = MaxY() the top row. Channel 0 is blue, 1 green,
// 2 red, 3 (four-channel planes only) unused. A four-channel plane is therefore the
// same bytes as a bottom-up 32-bit BGRX bitmap.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "plane_buffer.h"

namespace lumetra {

template <int Channels>
class Plane {
public:
    static constexpr int kChannels = Channels;

    Plane() = default;
    Plane(int width, int height) { Allocate(width, height); }

    // Re-creates the plane zero-filled, discarding earlier contents. Memory of the same
    // size is kept and cleared rather than given back and taken afresh.
    // Throws std::bad_alloc when the memory cannot be had.
    void Allocate(int width, int height)
    {
        assert(width >= 0 && height >= 0);
        const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * Channels;
        if (bytes == data_.size()) {
            data_.Zero();
        } else {
            Release();  // the old memory goes before the new is taken
            data_ = PlaneBuffer(bytes);
        }
        width_ = width;
        height_ = height;
    }

    // Re-creates the plane for a caller that writes every byte before reading any: its
    // contents are left as the memory held them. Throws std::bad_alloc.
    void AllocateForOverwrite(int width, int height)
    {
        assert(width >= 0 && height >= 0);
        const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * Channels;
        if (bytes != data_.size()) {
            Release();
            data_ = PlaneBuffer::ForOverwrite(bytes);
        }
        width_ = width;
        height_ = height;
    }

    // Frees the memory; the plane becomes empty.
    void Release()
    {
        data_ = PlaneBuffer();
        width_ = height_ = 0;
    }

    bool Empty() const { return data_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int MaxX() const { return width_ - 1; }
    int MaxY() const { return height_ - 1; }
    std::size_t RowBytes() const { return static_cast<std::size_t>(width_) * Channels; }
    std::size_t SizeBytes() const { return data_.size(); }

    uint8_t* Row(int y) { return data_.data() + static_cast<std::size_t>(y) * RowBytes(); }
    const uint8_t* Row(int y) const { return data_.data() + static_cast<std::size_t>(y) * RowBytes(); }
    uint8_t* Data() { return data_.data(); }
    const uint8_t* Data() const { return data_.data(); }

    // Checked accessors, for tests and code that is not on a hot path.
    uint8_t& operator()(int c, int x, int y) { return data_[Index(c, x, y)]; }
    uint8_t operator()(int c, int x, int y) const { return data_[Index(c, x, y)]; }
    uint8_t& operator()(int x, int y)
    {
        static_assert(Channels == 1, "grey planes only");
        return data_[Index(0, x, y)];
    }
    uint8_t operator()(int x, int y) const
    {
        static_assert(Channels == 1, "grey planes only");
        return data_[Index(0, x, y)];
    }

    bool operator==(const Plane& other) const = default;

private:
    std::size_t Index(int c, int x, int y) const
    {
        assert(c >= 0 && c < Channels && x >= 0 && x < width_ && y >= 0 && y < height_);
        return (static_cast<std::size_t>(y) * width_ + x) * Channels + c;
    }

    int width_ = 0;
    int height_ = 0;
    PlaneBuffer data_;
};

using GrayPlane = Plane<1>;
using ColorPlane = Plane<3>;
using PixelPlane = Plane<4>;  // SrcPixels, PencilTexture, finished pictures

// A finished picture shared by whoever still needs it (the run that made it, the writer
// of its file); nobody changes it any more.
using SharedPicture = std::shared_ptr<const PixelPlane>;

}  // namespace lumetra
