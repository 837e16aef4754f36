// Arbitrary bytes through one of the program's own decoders, straight from memory:
// the HEIF/AVIF decoder, or with LUMETRA_FUZZ_JXL the JPEG XL decoder. A decode either
// gives a reason and no picture, or a picture inside the size limit.

#include <QByteArray>
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "imaging/heif_decoder.h"
#include "imaging/jxl_decoder.h"

namespace {

constexpr double kMegapixelLimit = 16.0;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    lumetra::fuzz::StartQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using lumetra::fuzz::Require;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
#ifdef LUMETRA_FUZZ_JXL
    const lumetra::DecodedPicture decoded = lumetra::DecodeJxl(bytes, kMegapixelLimit);
#else
    const lumetra::DecodedPicture decoded = lumetra::DecodeHeif(bytes, kMegapixelLimit);
#endif
    if (!decoded.reason.isEmpty()) {
        Require(decoded.image.isNull(), "a failed decode gives no picture");
    } else {
        Require(!decoded.image.isNull(), "a decode without a reason gives a picture");
        Require(double(decoded.image.width()) * decoded.image.height() <= kMegapixelLimit * 1e6,
                "the picture is inside the limit");
    }
    return 0;
}
