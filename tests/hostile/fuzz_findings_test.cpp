// Inputs that once upset a fuzz target, kept in regressions/ and replayed here through
// the checks of the target that found them, told apart by how their names begin:
//   command-line-*   arguments separated by NUL bytes      (command-line parser)
//   picture-*.<ext>  a picture file as the reader saw it   (picture reader)
//   heif-*, jxl-*    bytes as that decoder saw them        (HEIF/AVIF, JPEG XL decoder)
//   gallery-*        a gallery run's input                 (gallery run)

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

#include "cli/command_line.h"
#include "fuzz/fuzz_cases.h"
#include "imaging/plane_transfer.h"
#include "tests/imaging/test_pictures.h"

namespace lumetra {
namespace {

const QDir kFindings(QStringLiteral(LUMETRA_SOURCE_DIR "/tests/hostile/regressions"));

struct Replay {
    const char* prefix;
    std::function<const char*(const QString& stored)> check;
};

const char* ReplayPicture(const QString& stored)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QFileInfo(stored).fileName());
    if (!QFile::copy(stored, path)) return "the finding can be copied";
    return fuzz::CheckPictureFile(path);
}

const char* ReplayGallery(const QString& stored)
{
    static const PixelPlane texture = LoadPencilTexture();
    const QByteArray bytes = test::ReadBytes(stored);
    return fuzz::CheckGalleryRun(reinterpret_cast<const uint8_t*>(bytes.constData()), bytes.size(), texture);
}

const Replay kReplays[] = {
    {"command-line-", [](const QString& stored) { return fuzz::CheckCommandLine(test::ReadBytes(stored)); }},
    {"picture-", ReplayPicture},
    {"heif-", [](const QString& stored) { return fuzz::CheckPhotoDecoder(test::ReadBytes(stored), false); }},
    {"jxl-", [](const QString& stored) { return fuzz::CheckPhotoDecoder(test::ReadBytes(stored), true); }},
    {"gallery-", ReplayGallery},
};

TEST(FuzzFindings, EveryStoredFindingKeepsEveryPromise)
{
    const QStringList names = kFindings.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty()) << "no finding in " << kFindings.path().toStdString();
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const auto replay = std::find_if(std::begin(kReplays), std::end(kReplays),
                                         [&](const Replay& r) { return name.startsWith(QLatin1String(r.prefix)); });
        ASSERT_NE(replay, std::end(kReplays)) << "no fuzz target leaves a file of this name";
        const char* broken = replay->check(kFindings.filePath(name));
        EXPECT_EQ(broken, nullptr) << broken;
    }
}

bool IsUsageError(const QStringList& args)
{
    return std::holds_alternative<cli::UsageError>(cli::ParseCommandLine(args));
}

TEST(FuzzFindings, EmptyFileOrFolderNamesAreUsageErrors)
{
    const QByteArray stored = test::ReadBytes(kFindings.filePath(QStringLiteral("command-line-empty-folder.bin")));
    QStringList args;
    for (const QByteArray& part : stored.split('\0')) args.append(QString::fromUtf8(part));
    EXPECT_TRUE(IsUsageError(args));

    EXPECT_TRUE(IsUsageError({"gallery", "in.png", ""}));
    EXPECT_TRUE(IsUsageError({"render", "", "out.png"}));
    EXPECT_TRUE(IsUsageError({"batch", "a.png", "", "--out", "folder"}));
    EXPECT_TRUE(IsUsageError({"batch", "a.png", "--out", ""}));
    EXPECT_FALSE(IsUsageError({"gallery", "in.png", "folder"}));
}

}  // namespace
}  // namespace lumetra
