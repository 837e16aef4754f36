// Writes the seed inputs of the fuzz targets: the sample photos made small in every
// format, the odd files of the robustness tests (whole and cut short), a few command
// lines and a few gallery runs.
//
//   make_fuzz_seeds SAMPLES_FOLDER OUTPUT_FOLDER

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>

#include "imaging/picture_file.h"
#include "tests/hostile/hostile_pictures.h"

namespace {

using lumetra::PictureFormat;

// The picture reader's first input byte picks the file name; these are its indexes.
enum NameIndex : char { kBmp = 0, kGif = 1, kJpg = 2, kPng = 3, kTif = 4, kDat = 7 };

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
        if (photo.isNull())
            return false;
        for (const PictureFormat format : kFormats) {
            const QByteArray bytes = EncodePicture(photo, format);
            const QString name = QFileInfo(sample).baseName() + "." + lumetra::FormatExtension(format);
            seed(name, NameIndexOf(format), bytes);
            seed(name + ".cut", NameIndexOf(format), bytes.left(bytes.size() / 2));
            seed(name + ".misnamed", kDat, bytes);
        }
    }
    seed("no-frames.gif", kGif, GifWithoutFrames());
    seed("zero-width.tif", kTif, GreyTiff(0, 4));
    seed("grey.tif", kTif, GreyTiff(5, 3));
    seed("grey16.png", kPng, GreyPng16(7, 5));
    seed("cmyk.jpg", kJpg, CmykJpeg(8, 8, 10, 200, 30, 0));
    seed("bomb.png", kPng, PngBomb(30000, 30000));
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
        for (int i = 0; i < 64 + index * 200; ++i)
            bytes.append(char((i * (37 + index * 22) + index) % 251));
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
    for (const char* target : {"picture_reader", "command_line", "gallery"})
        root.mkpath(target);
    const bool ok = WritePictureSeeds(samples, QDir(root.filePath("picture_reader"))) &&
                    WriteCommandLineSeeds(QDir(root.filePath("command_line"))) &&
                    WriteGallerySeeds(QDir(root.filePath("gallery")));
    if (!ok)
        std::fprintf(stderr, "make_fuzz_seeds: could not write the seeds into %s\n", argv[2]);
    return ok ? 0 : 1;
}
