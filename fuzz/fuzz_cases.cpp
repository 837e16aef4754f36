#include "fuzz/fuzz_cases.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <variant>
#include <vector>

#include "cli/command_line.h"
#include "engine/catalogue.h"
#include "engine/gallery.h"
#include "imaging/heif_decoder.h"
#include "imaging/jxl_decoder.h"
#include "imaging/picture_file.h"
#include "imaging/plane_transfer.h"
#include "imaging/source_picture.h"

namespace lumetra::fuzz {

namespace {

const char* CheckCommand(const cli::Command& command)
{
    for (const ParameterInfo& parameter : kParameters) {
        const int shown = ShownValue(command.params, parameter.id);
        if (shown < parameter.minimum || shown > parameter.maximum) return "parameters are in their ranges";
    }
    if (command.options.colorSketchEnabled != command.options.adjust)
        return "colour sketch is enabled exactly with adjust";
    if (command.maxMegapixels < 1.0 || command.maxMegapixels > 10000.0) return "the size limit is in range";
    if (command.jobs < 0 || command.jobs > 256) return "the job count is in range";
    if (command.size) {
        if (command.size->width < 10 || command.size->width > 10000) return "the width is in range";
        if (command.size->height < 10 || command.size->height > 10000) return "the height is in range";
    }
    switch (command.kind) {
    case cli::CommandKind::Render:
        if (command.inputs.size() != 1 || command.output.isEmpty()) return "render has one input and an output";
        if (command.effectSlot < 0 || command.effectSlot >= kSlotCount) return "render's effect is a slot";
        break;
    case cli::CommandKind::Gallery:
        if (command.inputs.size() != 1 || command.output.isEmpty()) return "gallery has one input and a folder";
        break;
    case cli::CommandKind::Batch:
        if (command.inputs.isEmpty() || command.output.isEmpty()) return "batch has inputs and a folder";
        if (!IsPixelEffect(command.effectSlot)) return "batch's effect is a pixel effect";
        break;
    default: break;
    }
    return nullptr;
}

constexpr int kMaxSide = 24;

void FillEngine(Engine& engine, FuzzedDataProvider& in, const PixelPlane& texture)
{
    const int width = in.ConsumeIntegralInRange(1, kMaxSide);
    const int height = in.ConsumeIntegralInRange(1, kMaxSide);
    for (const ParameterInfo& parameter : kParameters)
        SetShownValue(engine.params, parameter.id, in.ConsumeIntegralInRange(parameter.minimum, parameter.maximum));
    engine.options.adjust = in.ConsumeBool();
    engine.options.colorSketch = in.ConsumeBool();
    engine.options.colorSketchEnabled = engine.options.adjust;
    engine.options.mix = in.ConsumeBool();
    engine.options.blur = in.ConsumeBool();
    engine.options.sharpen = in.ConsumeBool();

    engine.SrcPixels.Allocate(width, height);
    const std::vector<uint8_t> pixels = in.ConsumeRemainingBytes<uint8_t>();
    if (!pixels.empty())
        for (std::size_t i = 0; i < engine.SrcPixels.SizeBytes(); ++i)
            engine.SrcPixels.Data()[i] = pixels[i % pixels.size()];
    engine.PencilTexture = texture;
}

}  // namespace

const char* CheckCommandLine(const QByteArray& bytes)
{
    QStringList args;
    if (!bytes.isEmpty())
        for (const QByteArray& part : bytes.split('\0')) args.append(QString::fromUtf8(part));
    const cli::ParseResult parsed = cli::ParseCommandLine(args);
    if (const auto* error = std::get_if<cli::UsageError>(&parsed))
        return error->message.isEmpty() ? "a usage error says what is wrong" : nullptr;
    return CheckCommand(std::get<cli::Command>(parsed));
}

const char* CheckPictureFile(const QString& path)
{
    const ReadResult read = ReadPicture(path, ReadLimits{kMegapixelLimit});
    // A source is read another way where that gives the same plane (JPEGs straight into it).
    const SourcePlane source = ReadSourcePlane(path, ReadLimits{kMegapixelLimit}, std::nullopt);
    if (source.error != read.error || source.warning != read.warning)
        return "a source comes with the reader's messages";
    if (!read.ok()) {
        if (!read.image.isNull()) return "a failed read gives no picture";
        if (!read.error.contains(path)) return "the message names the file";
        return nullptr;
    }
    const QImage& image = read.image;
    if (image.isNull() || image.format() != QImage::Format_RGB32) return "the picture is RGB32";
    if (double(image.width()) * image.height() > kMegapixelLimit * 1e6) return "the picture is inside the limit";
    const PixelPlane plane = LoadPixels(image);
    if (plane.Width() != image.width() || plane.Height() != image.height()) return "the plane has the picture's size";
    if (DrawPixels(plane) != image) return "the plane draws back into the same picture";
    // What fills the missing part of a damaged picture is the decoder's affair (a BMP cut
    // short is not the same twice), so only whole pictures are compared.
    if (read.warning.isEmpty() && !(source.plane == plane)) return "a source is read into the picture's plane";
    return nullptr;
}

const char* CheckPhotoDecoder(const QByteArray& bytes, bool jxl)
{
    const DecodedPicture decoded = jxl ? DecodeJxl(bytes, kMegapixelLimit) : DecodeHeif(bytes, kMegapixelLimit);
    if (!decoded.reason.isEmpty()) return decoded.image.isNull() ? nullptr : "a failed decode gives no picture";
    if (decoded.image.isNull()) return "a decode without a reason gives a picture";
    if (double(decoded.image.width()) * decoded.image.height() > kMegapixelLimit * 1e6)
        return "the picture is inside the limit";
    PhotoDetailsFromExif(decoded.exif);  // the reader takes the file's details next
    return nullptr;
}

const char* CheckGalleryRun(const uint8_t* data, std::size_t size, const PixelPlane& texture)
{
    if (size < 1) return nullptr;
    const int slot = data[0] % kSlotCount;
    FuzzedDataProvider in(data + 1, size - 1);
    Engine engine;
    FillEngine(engine, in, texture);
    const PixelPlane source = engine.SrcPixels;
    const Engine fresh = engine;

    const std::vector<PixelPlane> pictures = RenderGallery(engine);
    if (pictures.size() != std::size_t(kSlotCount)) return "the gallery has every slot";
    if (pictures[0] != source) return "slot 0 is the source";
    for (const PixelPlane& picture : pictures)
        if (picture.Width() != source.Width() || picture.Height() != source.Height())
            return "every picture has the source's size";

    Engine single = fresh;
    if (RenderSlot(single, slot) != pictures[slot]) return "one slot alone gives the gallery's bytes";
    if (single.SrcPixels != source) return "the single-slot path leaves the source in place";
    return nullptr;
}

}  // namespace lumetra::fuzz
