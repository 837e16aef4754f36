#include "imaging/jxl_decoder.h"

#include <QColorSpace>
#include <QCoreApplication>
#include <jxl/decode_cxx.h>
#include <jxl/thread_parallel_runner_cxx.h>

#include "imaging/size_limit.h"

namespace lumetra {

namespace {

QString Reason(const char* text) { return QCoreApplication::translate("lumetra::PictureReader", text); }

QSize UprightSize(const JxlBasicInfo& info)
{
    // Orientations 5 to 8 swap width and height.
    return info.orientation >= JXL_ORIENT_TRANSPOSE ? QSize(int(info.ysize), int(info.xsize))
                                                    : QSize(int(info.xsize), int(info.ysize));
}

}  // namespace

bool LooksLikeJxl(const QByteArray& head)
{
    const JxlSignature signature =
        JxlSignatureCheck(reinterpret_cast<const uint8_t*>(head.constData()), size_t(head.size()));
    return signature == JXL_SIG_CODESTREAM || signature == JXL_SIG_CONTAINER;
}

DecodedPicture DecodeJxl(const QByteArray& file, double maxMegapixels)
{
    DecodedPicture decoded;
    const JxlDecoderPtr decoder = JxlDecoderMake(nullptr);
    const JxlThreadParallelRunnerPtr runner =
        JxlThreadParallelRunnerMake(nullptr, JxlThreadParallelRunnerDefaultNumWorkerThreads());
    if (!decoder || !runner ||
        JxlDecoderSubscribeEvents(decoder.get(), JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE) !=
            JXL_DEC_SUCCESS ||
        JxlDecoderSetParallelRunner(decoder.get(), JxlThreadParallelRunner, runner.get()) != JXL_DEC_SUCCESS) {
        decoded.reason = Reason(QT_TRANSLATE_NOOP("lumetra::PictureReader", "not enough memory to read the picture."));
        return decoded;
    }
    JxlDecoderSetInput(decoder.get(), reinterpret_cast<const uint8_t*>(file.constData()), size_t(file.size()));
    JxlDecoderCloseInput(decoder.get());

    // Every pixel as 8-bit RGBA: grey pictures come out as RGB, and opaque ones with
    // alpha 255.
    const JxlPixelFormat format{4, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    QColorSpace colorSpace;
    for (;;) {
        switch (JxlDecoderProcessInput(decoder.get())) {
        case JXL_DEC_BASIC_INFO: {
            JxlBasicInfo info;
            if (JxlDecoderGetBasicInfo(decoder.get(), &info) != JXL_DEC_SUCCESS) {
                decoded.reason =
                    Reason(QT_TRANSLATE_NOOP("lumetra::PictureReader", "the file is damaged or not a picture."));
                return decoded;
            }
            const QSize size = UprightSize(info);
            if (const QString reason = SizeLimitReason(size, maxMegapixels); !reason.isEmpty()) {
                decoded.reason = reason;
                return decoded;
            }
            decoded.image = QImage(size, QImage::Format_RGBA8888);
            if (decoded.image.isNull()) {
                decoded.reason =
                    Reason(QT_TRANSLATE_NOOP("lumetra::PictureReader", "not enough memory to read the picture."));
                return decoded;
            }
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
                JxlDecoderSetImageOutBuffer(decoder.get(), &format, decoded.image.bits(), needed) != JXL_DEC_SUCCESS) {
                decoded.image = QImage();
                decoded.reason =
                    Reason(QT_TRANSLATE_NOOP("lumetra::PictureReader", "the file is damaged or not a picture."));
                return decoded;
            }
            break;
        }
        case JXL_DEC_FULL_IMAGE:
            // The first frame is all that is wanted; for an animation it is the first
            // frame composed over the canvas.
            decoded.image.setColorSpace(colorSpace);
            return decoded;
        case JXL_DEC_NEED_MORE_INPUT:
            decoded.image = QImage();
            decoded.reason = Reason(QT_TRANSLATE_NOOP("lumetra::PictureReader", "the file is cut short."));
            return decoded;
        default:
            decoded.image = QImage();
            decoded.reason =
                Reason(QT_TRANSLATE_NOOP("lumetra::PictureReader", "the file is damaged or not a picture."));
            return decoded;
        }
    }
}

}  // namespace lumetra
