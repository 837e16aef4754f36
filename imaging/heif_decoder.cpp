#include "imaging/heif_decoder.h"

#include <QColorSpace>
#include <QCoreApplication>
#include <QPointF>
#include <algorithm>
#include <libheif/heif.h>
#include <memory>

#include "imaging/size_limit.h"

namespace lumetra {

namespace {

template <typename T, void (*Free)(T*)>
struct Freer {
    void operator()(T* p) const { Free(p); }
};
template <typename T, void (*Free)(const T*)>
struct ConstFreer {
    void operator()(T* p) const { Free(p); }
};
using Context = std::unique_ptr<heif_context, Freer<heif_context, heif_context_free>>;
using Handle = std::unique_ptr<heif_image_handle, ConstFreer<heif_image_handle, heif_image_handle_release>>;
using Image = std::unique_ptr<heif_image, ConstFreer<heif_image, heif_image_release>>;
using Options = std::unique_ptr<heif_decoding_options, Freer<heif_decoding_options, heif_decoding_options_free>>;
using Nclx = std::unique_ptr<heif_color_profile_nclx, Freer<heif_color_profile_nclx, heif_nclx_color_profile_free>>;

QString Damaged(const heif_error& error)
{
    return QCoreApplication::translate("lumetra::PictureReader", "the file is damaged or not a picture (%1).")
        .arg(QString::fromUtf8(error.message));
}

// The colour space a profile of code points names; none when it is sRGB or one Qt
// cannot express (PQ and HLG video curves), so the pixels are taken as they are.
QColorSpace FromCodePoints(const heif_color_profile_nclx& nclx)
{
    const bool srgbLikeCurve = nclx.transfer_characteristics == heif_transfer_characteristic_IEC_61966_2_1 ||
                               nclx.transfer_characteristics == heif_transfer_characteristic_ITU_R_BT_709_5 ||
                               nclx.transfer_characteristics == heif_transfer_characteristic_ITU_R_BT_601_6 ||
                               nclx.transfer_characteristics == heif_transfer_characteristic_unspecified;
    if (!srgbLikeCurve) return {};
    switch (nclx.color_primaries) {
    case heif_color_primaries_SMPTE_EG_432_1: return QColorSpace(QColorSpace::DisplayP3);
    case heif_color_primaries_ITU_R_BT_2020_2_and_2100_0:
        return QColorSpace(QPointF(0.3127, 0.3290), QPointF(0.708, 0.292), QPointF(0.170, 0.797), QPointF(0.131, 0.046),
                           QColorSpace::TransferFunction::SRgb);
    default: return {};
    }
}

QColorSpace ColorSpaceOf(const heif_image_handle* handle)
{
    const heif_color_profile_type type = heif_image_handle_get_color_profile_type(handle);
    if (type == heif_color_profile_type_prof || type == heif_color_profile_type_rICC) {
        QByteArray icc(qsizetype(heif_image_handle_get_raw_color_profile_size(handle)), Qt::Uninitialized);
        if (heif_image_handle_get_raw_color_profile(handle, icc.data()).code == heif_error_Ok)
            return QColorSpace::fromIccProfile(icc);
        return {};
    }
    heif_color_profile_nclx* raw = nullptr;
    if (heif_image_handle_get_nclx_color_profile(handle, &raw).code != heif_error_Ok) return {};
    const Nclx nclx(raw);
    return FromCodePoints(*nclx);
}

// The EXIF item of the image as it is stored.
QByteArray ExifItemOf(const heif_image_handle* handle)
{
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) < 1) return {};
    QByteArray item(qsizetype(heif_image_handle_get_metadata_size(handle, id)), Qt::Uninitialized);
    if (heif_image_handle_get_metadata(handle, id, item.data()).code != heif_error_Ok) return {};
    return item;
}

}  // namespace

bool LooksLikeHeif(const QByteArray& head)
{
    const heif_filetype_result type = heif_check_filetype(BytesOf(head), int(head.size()));
    return type == heif_filetype_yes_supported || type == heif_filetype_yes_unsupported;
}

DecodedPicture DecodeHeif(const QByteArray& file, double maxMegapixels)
{
    const Context context(heif_context_alloc());
    if (!context) return NotDecoded(NoMemoryReason());
    heif_error error =
        heif_context_read_from_memory_without_copy(context.get(), file.constData(), size_t(file.size()), nullptr);
    if (error.code != heif_error_Ok) return NotDecoded(Damaged(error));
    heif_image_handle* rawHandle = nullptr;
    error = heif_context_get_primary_image_handle(context.get(), &rawHandle);
    if (error.code != heif_error_Ok) return NotDecoded(Damaged(error));
    const Handle handle(rawHandle);
    const QSize size(heif_image_handle_get_width(handle.get()), heif_image_handle_get_height(handle.get()));
    const QSize stored(heif_image_handle_get_ispe_width(handle.get()), heif_image_handle_get_ispe_height(handle.get()));
    for (const QSize announced : {size, stored})
        if (const QString reason = SizeLimitReason(announced, maxMegapixels); !reason.isEmpty())
            return NotDecoded(reason);
    // The coded picture inside may announce a far larger size than the header (a small
    // file that unpacks to gigabytes): libheif refuses to decode a picture with a side
    // longer than the header's, plus the rounding up to whole coding blocks.
    constexpr int kCodingBlockMargin = 256;
    heif_context_set_maximum_image_size_limit(
        context.get(), std::max({size.width(), size.height(), stored.width(), stored.height()}) + kCodingBlockMargin);

    const Options options(heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1;
    const bool alpha = heif_image_handle_has_alpha_channel(handle.get());
    heif_image* rawImage = nullptr;
    error = heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB,
                              alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
    if (error.code != heif_error_Ok) return NotDecoded(Damaged(error));
    const Image image(rawImage);
    int stride = 0;
    const uint8_t* pixels = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!pixels || width <= 0 || height <= 0) return NotDecoded(DamagedReason());
    // The picture borrows libheif's rows only until the copy.
    const QImage rows(pixels, width, height, stride, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    DecodedPicture decoded;
    decoded.image = rows.copy();
    if (decoded.image.isNull()) return NotDecoded(NoMemoryReason());
    decoded.image.setColorSpace(ColorSpaceOf(handle.get()));
    decoded.exif = ExifAfterOffset(ExifItemOf(handle.get()));
    return decoded;
}

}  // namespace lumetra
