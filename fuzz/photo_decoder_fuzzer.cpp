// Arbitrary bytes through one of the program's own decoders, straight from memory:
// the HEIF/AVIF decoder, or with LUMETRA_FUZZ_JXL the JPEG XL decoder. A decode either
// gives a reason and no picture, or a picture inside the size limit.

#include <QByteArray>
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
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
#ifdef LUMETRA_FUZZ_JXL
    lumetra::fuzz::RequireKept(lumetra::fuzz::CheckPhotoDecoder(bytes, true));
#else
    lumetra::fuzz::RequireKept(lumetra::fuzz::CheckPhotoDecoder(bytes, false));
#endif
    return 0;
}
