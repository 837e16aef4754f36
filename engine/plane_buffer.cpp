#include "plane_buffer.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace lumetra {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this the heap serves the buffer: small planes come and go often and a mapping of
// their own would waste most of a huge page.
constexpr std::size_t kMapThreshold = std::size_t{1} << 20;

std::size_t RoundUp(std::size_t n, std::size_t step) { return (n + step - 1) / step * step; }

// Maps `bytes` (a multiple of kHugePage) at a kHugePage boundary. The mapping is made one
// huge page larger, then trimmed, so that no address space beyond the buffer stays taken.
uint8_t* MapAligned(std::size_t bytes)
{
    const std::size_t reserved = bytes + kHugePage;
    void* raw = mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = RoundUp(start, kHugePage);
    if (aligned > start) munmap(raw, aligned - start);
    const std::size_t tail = start + reserved - (aligned + bytes);
    if (tail > 0) munmap(reinterpret_cast<void*>(aligned + bytes), tail);
    auto* data = reinterpret_cast<uint8_t*>(aligned);
#ifdef MADV_HUGEPAGE
    madvise(data, bytes, MADV_HUGEPAGE);   // a hint only: without huge pages it still works
#endif
    return data;
}

}  // namespace

PlaneBuffer::PlaneBuffer(std::size_t size)
{
    if (size == 0) return;
    if (size >= kMapThreshold) {
        const std::size_t bytes = RoundUp(size, kHugePage);
        data_ = MapAligned(bytes);
        mappedBytes_ = bytes;
    } else {
        data_ = static_cast<uint8_t*>(std::calloc(size, 1));
        if (!data_) throw std::bad_alloc();
    }
    size_ = size;
}

PlaneBuffer::PlaneBuffer(const PlaneBuffer& other) : PlaneBuffer(other.size_)
{
    if (size_ > 0) std::memcpy(data_, other.data_, size_);
}

PlaneBuffer::PlaneBuffer(PlaneBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mappedBytes_(std::exchange(other.mappedBytes_, 0))
{
}

PlaneBuffer& PlaneBuffer::operator=(const PlaneBuffer& other)
{
    if (this == &other) return *this;
    if (size_ == other.size_) {
        if (size_ > 0) std::memcpy(data_, other.data_, size_);   // same size: reuse the memory
        return *this;
    }
    PlaneBuffer copy(other);
    return *this = std::move(copy);
}

PlaneBuffer& PlaneBuffer::operator=(PlaneBuffer&& other) noexcept
{
    if (this == &other) return *this;
    Free();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    mappedBytes_ = std::exchange(other.mappedBytes_, 0);
    return *this;
}

PlaneBuffer::~PlaneBuffer() { Free(); }

void PlaneBuffer::Zero()
{
    if (size_ > 0) std::memset(data_, 0, size_);
}

void PlaneBuffer::Free() noexcept
{
    if (mappedBytes_ > 0)
        munmap(data_, mappedBytes_);
    else
        std::free(data_);
    data_ = nullptr;
    size_ = mappedBytes_ = 0;
}

bool operator==(const PlaneBuffer& a, const PlaneBuffer& b)
{
    return a.size_ == b.size_ && (a.size_ == 0 || std::memcmp(a.data_, b.data_, a.size_) == 0);
}

}  // namespace lumetra
