// Writes the seed inputs of the fuzz targets: the sample photos made small in every
// format (for the decoders of phone and web pictures also as bare files), the odd files of the robustness tests (whole and cut short), a few command
// lines and a few gallery runs.
//
//   make_fuzz_seeds SAMPLES_FOLDER OUTPUT_FOLDER

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QColorSpace>
#include <QImage>
#include <cstdio>

#include "imaging/picture_file.h"
#include "tests/hostile/hostile_pictures.h"
#include "tests/imaging/heif_boxes.h"
#include "tests/imaging/photo_files.h"

namespace {

using lumetra::PictureFormat;

// The picture reader's first input byte picks the file name; these are its indexes.
enum NameIndex : char {
    kBmp = 0,
    kGif = 1,
    kJpg = 2,
    kPng = 3,
    kTif = 4,
    kDat = 7,
    kHeic = 8,
    kAvif = 9,
    kWebp = 10,
    kJxl = 11
};

char NameIndexOf(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Bmp: return kBmp;
    case PictureFormat::Gif: return kGif;
    case PictureFormat::Jpg: return kJpg;
    case PictureFormat::Png: return kPng;
    case PictureFormat::Tif: return kTif;
    }
    return kDat;
}

bool WriteSeed(const QDir& folder, const QString& name, const QByteArray& bytes)
{
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool WritePictureSeeds(const QDir& samples, const QDir& out)
{
    using namespace lumetra::hostile;
    constexpr PictureFormat kFormats[] = {PictureFormat::Bmp, PictureFormat::Gif, PictureFormat::Jpg,
                                          PictureFormat::Png, PictureFormat::Tif};
    bool ok = true;
    auto seed = [&](const QString& name, char index, const QByteArray& bytes) {
        ok = WriteSeed(out, name, index + bytes) && ok;
    };
    for (const QString& sample : samples.entryList({"*.png", "*.jpg"}, QDir::Files)) {
        const QImage photo = QImage(samples.filePath(sample)).scaledToWidth(40, Qt::SmoothTransformation);
        if (photo.isNull()) return false;
        for (const PictureFormat format : kFormats) {
            const QByteArray bytes = EncodePicture(photo, format);
            const QString name = QFileInfo(sample).baseName() + "." + lumetra::FormatExtension(format);
            seed(name, NameIndexOf(format), bytes);
            seed(name + ".cut", NameIndexOf(format), bytes.left(bytes.size() / 2));
            seed(name + ".misnamed", kDat, bytes);
        }
        const QImage small = photo.scaledToWidth(16, Qt::SmoothTransformation);
        const QString base = QFileInfo(sample).baseName();
        seed(base + ".heic", kHeic, lumetra::test::EncodeHeif({small}, lumetra::test::HeifCodec::Hevc));
        seed(base + ".avif", kAvif, lumetra::test::EncodeHeif({small}, lumetra::test::HeifCodec::Av1));
        seed(base + ".webp", kWebp, lumetra::test::EncodeWebp({small, small.mirrored()}));
        seed(base + ".jxl", kJxl, lumetra::test::EncodeJxl({small}));
    }
    seed("bomb.heic", kHeic, HeifBomb(30000, 30000));
    seed("bomb.jxl", kJxl, JxlBomb(30000));
    seed("no-frames.gif", kGif, GifWithoutFrames());
    seed("zero-width.tif", kTif, GrayTiff(0, 4));
    seed("grey.tif", kTif, GrayTiff(5, 3));
    seed("grey16.png", kPng, GrayPng16(7, 5));
    seed("cmyk.jpg", kJpg, CmykJpeg(8, 8, 10, 200, 30, 0));
    seed("bomb.png", kPng, PngBomb(30000, 30000));
    return ok;
}

// The decoders' own fuzzers take the bare file: each sample small, whole and cut,
// as a still picture, several images, a sequence or an animation, turned or not, with
// and without a profile, with and without photo details.
bool WriteDecoderSeeds(const QDir& samples, const QDir& heifOut, const QDir& jxlOut)
{
    using lumetra::test::HeifCodec;
    const QByteArray p3 = QColorSpace(QColorSpace::DisplayP3).iccProfile();
    const QByteArray kEmptyExif("II*\0\x08\0\0\0\0\0\0\0\0\0", 14);  // a TIFF header and an empty directory
    bool ok = true;
    for (const QString& sample : samples.entryList({"*.png", "*.jpg"}, QDir::Files)) {
        const QImage photo = QImage(samples.filePath(sample)).scaledToWidth(24, Qt::SmoothTransformation);
        const QString base = QFileInfo(sample).baseName();
        const QList<QImage> two{photo, photo.mirrored()};
        const std::pair<QString, QByteArray> heif[] = {
            {base + ".heic", lumetra::test::EncodeHeif({photo}, HeifCodec::Hevc)},
            {base + "-p3.heic", lumetra::test::EncodeHeif({photo}, HeifCodec::Hevc, p3)},
            {base + "-two.heic", lumetra::test::EncodeHeif(two, HeifCodec::Hevc)},
            {base + ".avif", lumetra::test::EncodeHeif({photo}, HeifCodec::Av1)},
            {base + "-turned.heic",
             lumetra::test::WithRotation(lumetra::test::EncodeHeif({photo}, HeifCodec::Hevc), 3)},
            {base + "-sequence.avif", lumetra::test::EncodeAvifSequence(two)},
        };
        const std::pair<QString, QByteArray> jxl[] = {
            {base + ".jxl", lumetra::test::EncodeJxl({photo})},
            {base + "-p3-turned.jxl", lumetra::test::EncodeJxl({photo}, p3, 6)},
            {base + "-two.jxl", lumetra::test::EncodeJxl(two)},
            {base + "-exif.jxl", lumetra::test::EncodeJxl({photo}, {}, 1, kEmptyExif)},
        };
        for (const auto& [name, bytes] : heif)
            ok = WriteSeed(heifOut, name, bytes) && WriteSeed(heifOut, name + ".cut", bytes.left(bytes.size() / 2)) &&
                 ok;
        for (const auto& [name, bytes] : jxl)
            ok = WriteSeed(jxlOut, name, bytes) && WriteSeed(jxlOut, name + ".cut", bytes.left(bytes.size() / 2)) && ok;
    }
    return ok;
}

bool WriteCommandLineSeeds(const QDir& out)
{
    const QStringList lines[] = {
        {"render", "in.png", "out.jpg", "--effect", "sketch", "--border", "100"},
        {"render", "in.png", "out.tif", "--effect", "19", "--size", "640x480", "--stretch"},
        {"gallery", "in.jpg", "outdir", "--format", "gif", "--blur", "--sharpen", "--no-mix"},
        {"batch", "a.png", "b.bmp", "--out", "dir", "--effect", "Gray 2 + Dot", "--jobs", "4", "--no-adjust",
         "--color-sketch"},
        {"render", "in.png", "out.png", "--max-megapixels", "0.5", "--dot", "100", "--brush", "1", "--detail", "8"},
        {"effects"},
        {"--help"},
        {"--version"},
    };
    bool ok = true;
    int index = 0;
    for (const QStringList& line : lines)
        ok = WriteSeed(out, QString("line-%1").arg(index++), line.join(QChar(0)).toUtf8()) && ok;
    return ok;
}

bool WriteGallerySeeds(const QDir& out)
{
    bool ok = true;
    for (int index = 0; index < 4; ++index) {
        QByteArray bytes;
        for (int i = 0; i < 64 + index * 200; ++i) bytes.append(char((i * (37 + index * 22) + index) % 251));
        ok = WriteSeed(out, QString("run-%1").arg(index), bytes) && ok;
    }
    return ok;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_fuzz_seeds SAMPLES_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir samples(QString::fromLocal8Bit(argv[1]));
    const QDir root(QString::fromLocal8Bit(argv[2]));
    for (const char* target : {"picture_reader", "heif_decoder", "jxl_decoder", "command_line", "gallery"})
        root.mkpath(target);
    const bool ok =
        WritePictureSeeds(samples, QDir(root.filePath("picture_reader"))) &&
        WriteDecoderSeeds(samples, QDir(root.filePath("heif_decoder")), QDir(root.filePath("jxl_decoder"))) &&
        WriteCommandLineSeeds(QDir(root.filePath("command_line"))) && WriteGallerySeeds(QDir(root.filePath("gallery")));
    if (!ok) std::fprintf(stderr, "make_fuzz_seeds: could not write the seeds into %s\n", argv[2]);
    return ok ? 0 : 1;
}
