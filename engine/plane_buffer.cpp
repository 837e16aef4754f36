#include "plane_buffer.h"

#include <malloc.h>
#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace lumetra {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this the heap serves the buffer: small planes come and go often and a mapping of
// their own would waste most of a huge page.
constexpr std::size_t kMapThreshold = std::size_t{1} << 20;

std::size_t RoundUp(std::size_t n, std::size_t step) { return (n + step - 1) / step * step; }

// Maps `bytes` (a multiple of kHugePage) at a kHugePage boundary. The mapping is made one
// huge page larger, then trimmed, so that no address space beyond the buffer stays taken.
// Returns nullptr when the system has no memory to give.
uint8_t* MapAligned(std::size_t bytes)
{
    const std::size_t reserved = bytes + kHugePage;
    void* raw = mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    // The aligned start is the mapping's own pointer moved on, not one made from an integer.
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::size_t lead = RoundUp(start, kHugePage) - start;
    uint8_t* data = static_cast<uint8_t*>(raw) + lead;
    if (lead > 0) munmap(raw, lead);
    const std::size_t tail = reserved - lead - bytes;
    if (tail > 0) munmap(data + bytes, tail);
#ifdef MADV_HUGEPAGE
    madvise(data, bytes, MADV_HUGEPAGE);  // a hint only: without huge pages it still works
#endif
    return data;
}

// Released mappings kept for the next plane of the same size. Memory the process has
// written before costs a tenth of fresh memory, and a run allocates the same few sizes
// again and again (a batch, every picture of a gallery run, repeated runs of a window).
// The cache is small unless a caller makes room for more, and shared by all threads; when
// the system runs out of memory it is emptied before giving up.
class MappingCache {
public:
    static constexpr std::size_t kDefaultCapacity = std::size_t{192} << 20;

    void SetCapacity(std::size_t bytes) noexcept
    {
        const std::lock_guard lock(mutex_);
        capacity_ = bytes;
        TrimLocked(0);
    }

    // A kept mapping of exactly `bytes`, or nullptr.
    uint8_t* Take(std::size_t bytes)
    {
        const std::lock_guard lock(mutex_);
        for (std::size_t i = kept_.size(); i-- > 0;) {
            if (kept_[i].bytes != bytes) continue;
            uint8_t* data = kept_[i].data;
            total_ -= bytes;
            kept_.erase(kept_.begin() + static_cast<std::ptrdiff_t>(i));
            return data;
        }
        return nullptr;
    }

    // Keeps the mapping, letting the oldest ones go to stay within the capacity.
    void Give(uint8_t* data, std::size_t bytes) noexcept
    {
        const std::lock_guard lock(mutex_);
        if (bytes > capacity_) {
            munmap(data, bytes);
            return;
        }
        TrimLocked(bytes);
        try {
            kept_.push_back({data, bytes});
            total_ += bytes;
        } catch (const std::bad_alloc&) {
            munmap(data, bytes);
        }
    }

    void Empty() noexcept
    {
        const std::lock_guard lock(mutex_);
        for (const Kept& k : kept_) munmap(k.data, k.bytes);
        kept_.clear();
        total_ = 0;
    }

private:
    struct Kept {
        uint8_t* data;
        std::size_t bytes;
    };

    // Lets the oldest mappings go until `room` more bytes fit.
    void TrimLocked(std::size_t room) noexcept
    {
        while (!kept_.empty() && total_ + room > capacity_) {
            munmap(kept_.front().data, kept_.front().bytes);
            total_ -= kept_.front().bytes;
            kept_.erase(kept_.begin());
        }
    }

    std::mutex mutex_;
    std::vector<Kept> kept_;
    std::size_t total_ = 0;
    std::size_t capacity_ = kDefaultCapacity;
};

MappingCache& Cache()
{
    static MappingCache* cache = new MappingCache;  // never destroyed: planes may outlive statics
    return *cache;
}

// A mapping of `bytes`, from the cache (`reused` set, contents left over) or fresh from
// the system (zero). Throws std::bad_alloc when neither has it.
uint8_t* Map(std::size_t bytes, bool& reused)
{
    if (uint8_t* data = Cache().Take(bytes)) {
        reused = true;
        return data;
    }
    reused = false;
    uint8_t* data = MapAligned(bytes);
    if (!data) {
        Cache().Empty();
        data = MapAligned(bytes);
    }
    if (!data) throw std::bad_alloc();
    return data;
}

}  // namespace

void KeepReleasedBuffers(std::size_t bytes) { Cache().SetCapacity(std::max(bytes, MappingCache::kDefaultCapacity)); }

void ReleaseKeptBuffers() { Cache().Empty(); }

void KeepLargeHeapBlocks()
{
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_ARENA_MAX, 1);
}

PlaneBuffer::PlaneBuffer(std::size_t size) : PlaneBuffer(size, true) {}

PlaneBuffer::PlaneBuffer(std::size_t size, bool zeroed)
{
    if (size == 0) return;
    if (size >= kMapThreshold) {
        const std::size_t bytes = RoundUp(size, kHugePage);
        bool reused = false;
        data_ = Map(bytes, reused);
        mappedBytes_ = bytes;
        size_ = size;
        if (reused && zeroed) std::memset(data_, 0, size);
        return;
    }
    data_ = static_cast<uint8_t*>(zeroed ? std::calloc(size, 1) : std::malloc(size));
    if (!data_) throw std::bad_alloc();
    size_ = size;
}

PlaneBuffer::PlaneBuffer(const PlaneBuffer& other) : PlaneBuffer(other.size_, false)
{
    if (size_ > 0) std::memcpy(data_, other.data_, size_);
}

PlaneBuffer::PlaneBuffer(PlaneBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mappedBytes_(std::exchange(other.mappedBytes_, 0))
{}

PlaneBuffer& PlaneBuffer::operator=(const PlaneBuffer& other)
{
    if (this == &other) return *this;
    if (size_ == other.size_) {
        if (size_ > 0) std::memcpy(data_, other.data_, size_);  // same size: reuse the memory
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
        Cache().Give(data_, mappedBytes_);
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
