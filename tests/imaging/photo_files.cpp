#include "photo_files.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>
#include <avif/avif.h>
#include <cstring>
#include <jxl/encode_cxx.h>
#include <libheif/heif.h>
#include <memory>

namespace lumetra::test {

namespace {

bool Ok(const heif_error& error) { return error.code == heif_error_Ok; }

heif_image* HeifImageOf(const QImage& picture, const QByteArray& icc)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    heif_image* image = nullptr;
    if (!Ok(heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image)))
        return nullptr;
    if (!Ok(heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8))) {
        heif_image_release(image);
        return nullptr;
    }
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(plane + qsizetype(y) * stride, rgb.constScanLine(y), size_t(rgb.width()) * 3);
    if (!icc.isEmpty()) heif_image_set_raw_color_profile(image, "prof", icc.constData(), size_t(icc.size()));
    return image;
}

heif_error AppendBytes(heif_context*, const void* data, size_t size, void* out)
{
    static_cast<QByteArray*>(out)->append(static_cast<const char*>(data), qsizetype(size));
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

// The bytes of a Qt-written WebP's one chunk (VP8 or VP8L), header included.
QByteArray WebpFrameChunk(const QImage& frame)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "webp");
    writer.setQuality(100);  // lossless
    if (!writer.write(frame.convertToFormat(QImage::Format_RGB32))) return {};
    return buffer.data().mid(12);  // after "RIFF", the size and "WEBP"
}

QByteArray Le24(int value)
{
    return QByteArray(1, char(value & 0xFF)) + char((value >> 8) & 0xFF) + char((value >> 16) & 0xFF);
}

QByteArray Chunk(const char* tag, const QByteArray& payload)
{
    QByteArray chunk(tag, 4);
    const quint32 size = qToLittleEndian(quint32(payload.size()));
    chunk.append(reinterpret_cast<const char*>(&size), 4);
    chunk.append(payload);
    if (payload.size() % 2) chunk.append('\0');
    return chunk;
}

}  // namespace

// The HEVC encoder keeps one allocation to the end of the process on purpose; the
// leak checker of the sanitizer build is told to pass over it, through the hook the
// sanitizer runtime itself names.
extern "C" const char* __lsan_default_suppressions()  // NOLINT(bugprone-reserved-identifier)
{
    return "leak:libx265.so\n";
}

QByteArray EncodeHeif(const QList<QImage>& images, HeifCodec codec, const QByteArray& icc, const QByteArray& exif)
{
    std::unique_ptr<heif_context, decltype(&heif_context_free)> context(heif_context_alloc(), heif_context_free);
    heif_encoder* rawEncoder = nullptr;
    const heif_compression_format format = codec == HeifCodec::Hevc ? heif_compression_HEVC : heif_compression_AV1;
    if (!Ok(heif_context_get_encoder_for_format(context.get(), format, &rawEncoder))) return {};
    std::unique_ptr<heif_encoder, decltype(&heif_encoder_release)> encoder(rawEncoder, heif_encoder_release);
    heif_encoder_set_lossy_quality(encoder.get(), 95);
    if (codec == HeifCodec::Av1) heif_encoder_set_parameter_integer(encoder.get(), "speed", 9);
    for (const QImage& picture : images) {
        heif_image* image = HeifImageOf(picture, icc);
        if (!image) return {};
        heif_image_handle* handle = nullptr;
        heif_error error = heif_context_encode_image(context.get(), image, encoder.get(), nullptr, &handle);
        heif_image_release(image);
        if (Ok(error) && !exif.isEmpty() && &picture == &images.first())
            error = heif_context_add_exif_metadata(context.get(), handle, exif.constData(), int(exif.size()));
        heif_image_handle_release(handle);
        if (!Ok(error)) return {};
    }
    QByteArray bytes;
    heif_writer writer{1, AppendBytes};
    if (!Ok(heif_context_write(context.get(), &writer, &bytes))) return {};
    return bytes;
}

QByteArray EncodeJxl(const QList<QImage>& frames, const QByteArray& icc, int orientation, const QByteArray& exif)
{
    const JxlEncoderPtr encoder = JxlEncoderMake(nullptr);
    if (frames.isEmpty() || !encoder) return {};
    if (!exif.isEmpty() && (JxlEncoderUseContainer(encoder.get(), JXL_TRUE) != JXL_ENC_SUCCESS ||
                            JxlEncoderUseBoxes(encoder.get()) != JXL_ENC_SUCCESS))
        return {};
    const QSize size = frames.first().size();
    JxlBasicInfo info;
    JxlEncoderInitBasicInfo(&info);
    info.xsize = uint32_t(size.width());
    info.ysize = uint32_t(size.height());
    info.bits_per_sample = 8;
    info.num_color_channels = 3;
    info.uses_original_profile = JXL_TRUE;  // lossless
    info.orientation = static_cast<JxlOrientation>(orientation);
    if (frames.size() > 1) {
        info.have_animation = JXL_TRUE;
        info.animation.tps_numerator = 10;
        info.animation.tps_denominator = 1;
    }
    if (JxlEncoderSetBasicInfo(encoder.get(), &info) != JXL_ENC_SUCCESS) return {};
    JxlColorEncoding srgb;
    JxlColorEncodingSetToSRGB(&srgb, JXL_FALSE);
    const JxlEncoderStatus color =
        icc.isEmpty() ? JxlEncoderSetColorEncoding(encoder.get(), &srgb)
                      : JxlEncoderSetICCProfile(encoder.get(), reinterpret_cast<const uint8_t*>(icc.constData()),
                                                size_t(icc.size()));
    if (color != JXL_ENC_SUCCESS) return {};
    JxlEncoderFrameSettings* settings = JxlEncoderFrameSettingsCreate(encoder.get(), nullptr);
    JxlEncoderSetFrameLossless(settings, JXL_TRUE);
    JxlEncoderFrameSettingsSetOption(settings, JXL_ENC_FRAME_SETTING_EFFORT, 1);
    const JxlPixelFormat format{3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    for (const QImage& frame : frames) {
        if (frames.size() > 1) {
            JxlFrameHeader header;
            JxlEncoderInitFrameHeader(&header);
            header.duration = 1;
            JxlEncoderSetFrameHeader(settings, &header);
        }
        const QImage rgb = frame.convertToFormat(QImage::Format_RGB888);
        QByteArray packed;
        for (int y = 0; y < rgb.height(); ++y)
            packed.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), qsizetype(rgb.width()) * 3);
        if (JxlEncoderAddImageFrame(settings, &format, packed.constData(), size_t(packed.size())) != JXL_ENC_SUCCESS)
            return {};
    }
    if (!exif.isEmpty()) {
        const QByteArray box = QByteArray(4, '\0') + exif;  // the TIFF header right after the offset
        if (JxlEncoderAddBox(encoder.get(), "Exif", reinterpret_cast<const uint8_t*>(box.constData()),
                             size_t(box.size()), JXL_TRUE) != JXL_ENC_SUCCESS)
            return {};
    }
    JxlEncoderCloseInput(encoder.get());
    QByteArray bytes(4096, Qt::Uninitialized);
    size_t written = 0;
    for (;;) {
        uint8_t* next = reinterpret_cast<uint8_t*>(bytes.data()) + written;
        size_t room = size_t(bytes.size()) - written;
        const JxlEncoderStatus status = JxlEncoderProcessOutput(encoder.get(), &next, &room);
        written = size_t(next - reinterpret_cast<uint8_t*>(bytes.data()));
        if (status == JXL_ENC_SUCCESS) break;
        if (status != JXL_ENC_NEED_MORE_OUTPUT) return {};
        bytes.resize(bytes.size() * 2);
    }
    bytes.resize(qsizetype(written));
    return bytes;
}

QByteArray EncodeWebp(const QList<QImage>& frames)
{
    if (frames.size() == 1) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "webp");
        writer.setQuality(100);
        return writer.write(frames.first()) ? buffer.data() : QByteArray();
    }
    // An animation: a canvas header, then each frame at (0, 0) for 100 ms.
    const QSize size = frames.first().size();
    const char kAnimationFlag = 0x02;
    QByteArray body = QByteArray("WEBP") +
                      Chunk("VP8X", QByteArray(1, kAnimationFlag) + QByteArray(3, '\0') + Le24(size.width() - 1) +
                                        Le24(size.height() - 1)) +
                      Chunk("ANIM", QByteArray(6, '\0'));
    for (const QImage& frame : frames) {
        const QByteArray chunk = WebpFrameChunk(frame);
        if (chunk.isEmpty()) return {};
        body += Chunk("ANMF", Le24(0) + Le24(0) + Le24(size.width() - 1) + Le24(size.height() - 1) + Le24(100) +
                                  QByteArray(1, '\0') + chunk);
    }
    return Chunk("RIFF", body);
}

QByteArray EncodeAvifSequence(const QList<QImage>& frames)
{
    std::unique_ptr<avifEncoder, decltype(&avifEncoderDestroy)> encoder(avifEncoderCreate(), avifEncoderDestroy);
    if (!encoder) return {};
    encoder->speed = AVIF_SPEED_FASTEST;
    encoder->maxThreads = 1;
    encoder->timescale = 10;
    encoder->minQuantizer = AVIF_QUANTIZER_LOSSLESS;
    encoder->maxQuantizer = 10;
    for (const QImage& frame : frames) {
        const QImage rgb = frame.convertToFormat(QImage::Format_RGB888);
        std::unique_ptr<avifImage, decltype(&avifImageDestroy)> image(
            avifImageCreate(uint32_t(rgb.width()), uint32_t(rgb.height()), 8, AVIF_PIXEL_FORMAT_YUV444),
            avifImageDestroy);
        avifRGBImage pixels;
        avifRGBImageSetDefaults(&pixels, image.get());
        pixels.format = AVIF_RGB_FORMAT_RGB;
        pixels.pixels = const_cast<uint8_t*>(rgb.constBits());  // only read
        pixels.rowBytes = uint32_t(rgb.bytesPerLine());
        if (avifImageRGBToYUV(image.get(), &pixels) != AVIF_RESULT_OK ||
            avifEncoderAddImage(encoder.get(), image.get(), 1, AVIF_ADD_IMAGE_FLAG_NONE) != AVIF_RESULT_OK)
            return {};
    }
    avifRWData out = AVIF_DATA_EMPTY;
    if (avifEncoderFinish(encoder.get(), &out) != AVIF_RESULT_OK) return {};
    QByteArray bytes(reinterpret_cast<const char*>(out.data), qsizetype(out.size));
    avifRWDataFree(&out);
    return bytes;
}

}  // namespace lumetra::test
