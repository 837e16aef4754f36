// The dot diffusion on two threads: every row is cut at the middle; the left thread does
// the left half of each row and hands the row's state at the cut on, the right thread
// continues the row from there while the left thread starts on the next row.
//
// Why no two threads ever touch the same memory without an order between them:
// - Dots: every pixel is written once, by the thread that owns its half of the row.
// - Error cells: cell c of an error row is written only while pixel c + 2 is processed,
//   by the thread that owns that pixel, so the threads write disjoint cells. Row y reads
//   its own error row and writes the next two; the buffer it stores into for row y + 2 is
//   that of row y - 1 (three in a ring).
// - Row y's left half starts once row y - 1 has published split + 2 pixels (release store,
//   acquire load in the waits below): its right half's first two pixels write the last
//   two cells of row y's left half; the rest of row y - 1 writes cells right of the cut
//   and reads its own row only right of the cut, where row y's left half writes nothing.
// - A right half starts only once the row below is done (kRowDone, release/acquire), so
//   every cell it reads is final, and the buffer it stores into for two rows up (that of
//   the row below) is no longer read. This also orders row y - 2 before row y's left half,
//   through the publication of row y - 1 that the left half waits for.
// - The state handed on at the cut is written before the left half's release of the row
//   and read after the right thread's acquire of it.
// - Who does a right half is decided once, by an atomic exchange on the row's flag
//   (rightTaken_), so exactly one thread runs it.
// Integer additions give the same sums in any order, so the bytes are those of one
// thread. Little crosses between the cores: the state and two cells per row.
//
// A wavefront stalls whenever one thread waits for a core on a busy machine, and each
// stall costs the other thread a wait as well. So when the right half of a row has not
// begun in good time, the left thread takes it over and does the rest of the picture
// alone; the right thread stops at the first row taken from it. At worst the diffusion
// then takes as long as on one thread plus the patience spent.
//
// A stop is seen by the left thread before it starts a row; it then shows the right
// thread that row with its right half already taken, which ends that thread too.

#include "two_thread_diffusion.h"

#include <omp.h>

#include <atomic>
#include <limits>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace lumetra::diffusion {

namespace {

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

class TwoThreadDiffusion {
public:
    TwoThreadDiffusion(const DiffusionTables& tables, const ColorPlane& color, ColorPlane& dots, ErrorRing& ring,
                       std::chrono::microseconds patience, const std::stop_token& stop)
        : tables_(tables),
          color_(color),
          dots_(dots),
          ring_(ring),
          split_(color.Width() / 2),
          patience_(patience),
          stop_(stop),
          progress_(color.Height()),
          handedOn_(color.Height()),
          rightTaken_(color.Height())
    {}

    void RunLeft()
    {
        bool alone = false;
        for (int y = 0; y < color_.Height(); ++y) {
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
            DiffuseRowPart(tables_, color_, dots_, ring_, y, state, 0, split_, false);
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
        for (int y = 0; y < color_.Height(); ++y) {
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
        const int maxX = color_.Width() - 1;
        DiffuseRowPart(tables_, color_, dots_, ring_, y, state, split_, split_ + 2, false);
        Publish(progress_[y], split_ + 2);
        DiffuseRowPart(tables_, color_, dots_, ring_, y, state, split_ + 2, maxX, true);
        Publish(progress_[y], kRowDone);
    }

    const DiffusionTables& tables_;
    const ColorPlane& color_;
    ColorPlane& dots_;
    ErrorRing& ring_;
    const int split_;
    const std::chrono::microseconds patience_;
    const std::stop_token& stop_;
    std::vector<RowProgress> progress_;
    std::vector<RowState> handedOn_;
    std::vector<std::atomic<bool>> rightTaken_;
};

}  // namespace

bool DiffuseOnTwoThreads(const DiffusionTables& tables, const ColorPlane& color, ColorPlane& dots, ErrorRing& ring,
                         std::chrono::microseconds patience, const std::stop_token& stop)
{
    TwoThreadDiffusion diffusion(tables, color, dots, ring, patience, stop);
    bool twoThreads = true;
#pragma omp parallel num_threads(2)
    {
        if (omp_get_num_threads() < 2)
            twoThreads = false;
        else if (omp_get_thread_num() == 0)
            diffusion.RunLeft();
        else
            diffusion.RunRight();
    }
    return twoThreads;
}

}  // namespace lumetra::diffusion
