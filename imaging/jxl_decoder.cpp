#include "imaging/jxl_decoder.h"

#include <QColorSpace>
#include <QCoreApplication>
#include <algorithm>
#include <jxl/decode_cxx.h>
#include <jxl/thread_parallel_runner_cxx.h>

#include "imaging/size_limit.h"

namespace lumetra {

namespace {

QSize UprightSize(const JxlBasicInfo& info)
{
    // Orientations 5 to 8 swap width and height.
    return info.orientation >= JXL_ORIENT_TRANSPOSE ? QSize(int(info.ysize), int(info.xsize))
                                                    : QSize(int(info.xsize), int(info.ysize));
}

// The contents of the container's EXIF box, Brotli-compressed ones unpacked; empty
// when there is none or it is damaged. A pass over the boxes alone, which skips the
// coded picture: the box may stand before or after it.
QByteArray ExifBox(const QByteArray& file)
{
    // Far more than any camera writes (a JPEG's EXIF segment holds 64 KiB), and a limit
    // to what a small compressed box may unpack to.
    constexpr qsizetype kLargestExif = qsizetype(1) << 20;
    const JxlDecoderPtr decoder = JxlDecoderMake(nullptr);
    if (!decoder || JxlDecoderSubscribeEvents(decoder.get(), JXL_DEC_BOX) != JXL_DEC_SUCCESS ||
        JxlDecoderSetDecompressBoxes(decoder.get(), JXL_TRUE) != JXL_DEC_SUCCESS)
        return {};
    JxlDecoderSetInput(decoder.get(), BytesOf(file), size_t(file.size()));
    JxlDecoderCloseInput(decoder.get());
    QByteArray box;
    qsizetype filled = -1;  // bytes of the EXIF box received; -1 until it is found
    const auto offer = [&](qsizetype size) {
        box.resize(size);
        return JxlDecoderSetBoxBuffer(decoder.get(), reinterpret_cast<uint8_t*>(box.data()) + filled,
                                      size_t(size - filled)) == JXL_DEC_SUCCESS;
    };
    for (;;) {
        const JxlDecoderStatus status = JxlDecoderProcessInput(decoder.get());
        if (filled >= 0) {
            filled = box.size() - qsizetype(JxlDecoderReleaseBoxBuffer(decoder.get()));
            if (status == JXL_DEC_BOX || status == JXL_DEC_SUCCESS) return box.left(filled);
            if (status != JXL_DEC_BOX_NEED_MORE_OUTPUT || box.size() >= kLargestExif ||
                !offer(std::min(box.size() * 2, kLargestExif)))
                return {};
            continue;
        }
        if (status != JXL_DEC_BOX) return {};
        JxlBoxType type;
        if (JxlDecoderGetBoxType(decoder.get(), type, JXL_TRUE) == JXL_DEC_SUCCESS &&
            QByteArray(type, sizeof type) == "Exif") {
            filled = 0;
            if (!offer(4096)) return {};
        }
    }
}

}  // namespace

bool LooksLikeJxl(const QByteArray& head)
{
    const JxlSignature signature = JxlSignatureCheck(BytesOf(head), size_t(head.size()));
    return signature == JXL_SIG_CODESTREAM || signature == JXL_SIG_CONTAINER;
}

DecodedPicture DecodeJxl(const QByteArray& file, double maxMegapixels)
{
    const JxlDecoderPtr decoder = JxlDecoderMake(nullptr);
    const JxlThreadParallelRunnerPtr runner =
        JxlThreadParallelRunnerMake(nullptr, JxlThreadParallelRunnerDefaultNumWorkerThreads());
    if (!decoder || !runner ||
        JxlDecoderSubscribeEvents(decoder.get(), JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE) !=
            JXL_DEC_SUCCESS ||
        JxlDecoderSetParallelRunner(decoder.get(), JxlThreadParallelRunner, runner.get()) != JXL_DEC_SUCCESS)
        return NotDecoded(NoMemoryReason());
    JxlDecoderSetInput(decoder.get(), BytesOf(file), size_t(file.size()));
    JxlDecoderCloseInput(decoder.get());

    // Every pixel as 8-bit RGBA: grey pictures come out as RGB, and opaque ones with
    // alpha 255.
    const JxlPixelFormat format{4, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    DecodedPicture decoded;
    QColorSpace colorSpace;
    for (;;) {
        switch (JxlDecoderProcessInput(decoder.get())) {
        case JXL_DEC_BASIC_INFO: {
            JxlBasicInfo info;
            if (JxlDecoderGetBasicInfo(decoder.get(), &info) != JXL_DEC_SUCCESS) return NotDecoded(DamagedReason());
            const QSize size = UprightSize(info);
            if (const QString reason = SizeLimitReason(size, maxMegapixels); !reason.isEmpty())
                return NotDecoded(reason);
            decoded.image = QImage(size, QImage::Format_RGBA8888);
            if (decoded.image.isNull()) return NotDecoded(NoMemoryReason());
            break;
        }
        case JXL_DEC_COLOR_ENCODING: {
            size_t iccSize = 0;
            if (JxlDecoderGetICCProfileSize(decoder.get(), &format, JXL_COLOR_PROFILE_TARGET_DATA, &iccSize) ==
                JXL_DEC_SUCCESS) {
                QByteArray icc(qsizetype(iccSize), Qt::Uninitialized);
                if (JxlDecoderGetColorAsICCProfile(decoder.get(), &format, JXL_COLOR_PROFILE_TARGET_DATA,
                                                   reinterpret_cast<uint8_t*>(icc.data()), iccSize) == JXL_DEC_SUCCESS)
                    colorSpace = QColorSpace::fromIccProfile(icc);
            }
            break;
        }
        case JXL_DEC_NEED_IMAGE_OUT_BUFFER: {
            size_t needed = 0;
            if (JxlDecoderImageOutBufferSize(decoder.get(), &format, &needed) != JXL_DEC_SUCCESS ||
                needed != size_t(decoded.image.sizeInBytes()) ||
                JxlDecoderSetImageOutBuffer(decoder.get(), &format, decoded.image.bits(), needed) != JXL_DEC_SUCCESS)
                return NotDecoded(DamagedReason());
            break;
        }
        case JXL_DEC_FULL_IMAGE:
            // The first frame is all that is wanted; for an animation it is the first
            // frame composed over the canvas.
            decoded.image.setColorSpace(colorSpace);
            decoded.exif = ExifAfterOffset(ExifBox(file));
            return decoded;
        case JXL_DEC_NEED_MORE_INPUT:
            return NotDecoded(QCoreApplication::translate("lumetra::PictureReader", "the file is cut short."));
        default: return NotDecoded(DamagedReason());
        }
    }
}

}  // namespace lumetra
