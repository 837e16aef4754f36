// Arbitrary argument lists (split at NUL bytes) through the command-line parser. Every
// command it accepts must hold values the commands can use without further checks.

#include <cstdint>

#include "fuzz/fuzz_cases.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    lumetra::fuzz::StartQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    lumetra::fuzz::RequireKept(lumetra::fuzz::CheckCommandLine(bytes));
    return 0;
}
