#pragma once
// The byte storage of a plane: zero-filled on creation, copied and compared by value.
//
// A 12-megapixel layer is tens of megabytes, and touching fresh memory one 4 KB page at a
// time costs far more than writing it. Large buffers are therefore mapped directly from
// the system, aligned to 2 MB and marked for huge pages, so the kernel hands them out
// already zeroed in 2 MB steps. A released buffer is kept for a while for the next plane
// of its size (see plane_buffer.cpp), since memory written before is far cheaper than new.

#include <cstddef>
#include <cstdint>

namespace lumetra {

// Released buffers are kept for reuse up to 192 MB in all; a caller that allocates far
// more again and again (the window, one gallery after another) makes room for up to
// `bytes`. Never less than the 192 MB; the oldest kept buffers go when it shrinks.
void KeepReleasedBuffers(std::size_t bytes);

// Gives every kept buffer back to the system.
void ReleaseKeptBuffers();

// Makes the heap keep large blocks for reuse (each program calls it first thing). Every
// picture passes through heap blocks of tens of megabytes (decoded pictures, the pictures
// handed to the encoders); served by mappings of their own, each would be given back on
// release and taken afresh, page by page, for the next picture, which costs more than the
// effects themselves. Kept in the heap, the next picture of the same size reuses them.
// One heap serves every thread: a picture encoded on one thread and the next decoded or
// encoded on another then reuse the same blocks instead of each thread growing its own.
void KeepLargeHeapBlocks();

class PlaneBuffer {
public:
    PlaneBuffer() = default;
    // `size` zero bytes. Throws std::bad_alloc when the memory cannot be had.
    explicit PlaneBuffer(std::size_t size);
    // `size` bytes whose contents are whatever the memory held, for a caller that writes
    // every byte before reading any: reused memory is not cleared first.
    static PlaneBuffer ForOverwrite(std::size_t size) { return {size, false}; }
    PlaneBuffer(const PlaneBuffer& other);
    PlaneBuffer(PlaneBuffer&& other) noexcept;
    PlaneBuffer& operator=(const PlaneBuffer& other);
    PlaneBuffer& operator=(PlaneBuffer&& other) noexcept;
    ~PlaneBuffer();

    uint8_t* data() { return data_; }
    const uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    uint8_t& operator[](std::size_t i) { return data_[i]; }
    uint8_t operator[](std::size_t i) const { return data_[i]; }

    // Sets every byte to zero, keeping the memory.
    void Zero();

    friend bool operator==(const PlaneBuffer& a, const PlaneBuffer& b);

private:
    // `size` bytes, zero only when `zeroed` (a copy overwrites them all anyway).
    PlaneBuffer(std::size_t size, bool zeroed);
    void Free() noexcept;

    uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t mappedBytes_ = 0;  // 0 when the memory came from the heap
};

}  // namespace lumetra
