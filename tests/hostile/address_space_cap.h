#pragma once
// Caps the process's address space at what it maps now plus `headroom` bytes, for the
// lifetime of the object, so that large allocations fail as they would on a machine
// short of memory. A negative headroom caps below what is mapped now: mappings kept for
// reuse count as mapped, and the engine gives them back when an allocation fails. (Useless under AddressSanitizer, which reserves far more address
// space than any cap allows: tests using it skip themselves there.)

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

namespace lumetra::test {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

constexpr long long kMegabyte = 1024 * 1024;

class AddressSpaceCap {
public:
    explicit AddressSpaceCap(long long headroom)
    {
        getrlimit(RLIMIT_AS, &saved_);
        std::ifstream statm("/proc/self/statm");
        long long pages = 0;
        statm >> pages;
        const rlimit capped{rlim_t(std::max(pages * sysconf(_SC_PAGESIZE) + headroom, 0LL)), saved_.rlim_max};
        setrlimit(RLIMIT_AS, &capped);
    }
    ~AddressSpaceCap() { setrlimit(RLIMIT_AS, &saved_); }
    AddressSpaceCap(const AddressSpaceCap&) = delete;
    AddressSpaceCap& operator=(const AddressSpaceCap&) = delete;

private:
    rlimit saved_{};
};

}  // namespace lumetra::test
