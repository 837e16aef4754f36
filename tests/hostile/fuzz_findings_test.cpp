// Inputs that once upset a fuzz target, kept in regressions/ and replayed here.
//   command-line-*.bin  arguments separated by NUL bytes, as the parser's fuzzer feeds them
//   picture-*.<ext>     a picture file as the reader saw it

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "cli/command_line.h"
#include "imaging/picture_file.h"
#include "tests/imaging/test_pictures.h"

namespace lumetra {
namespace {

const QDir kFindings(QStringLiteral(LUMETRA_SOURCE_DIR "/tests/hostile/regressions"));

QStringList ArgumentsOf(const QByteArray& bytes)
{
    QStringList args;
    for (const QByteArray& part : bytes.split('\0'))
        args.append(QString::fromUtf8(part));
    return args;
}

bool IsUsageError(const QStringList& args)
{
    return std::holds_alternative<cli::UsageError>(cli::ParseCommandLine(args));
}

TEST(FuzzFindings, EmptyFileOrFolderNamesAreUsageErrors)
{
    const QString stored = kFindings.filePath(QStringLiteral("command-line-empty-folder.bin"));
    ASSERT_TRUE(QFile::exists(stored));
    EXPECT_TRUE(IsUsageError(ArgumentsOf(test::ReadBytes(stored))));

    EXPECT_TRUE(IsUsageError({"gallery", "in.png", ""}));
    EXPECT_TRUE(IsUsageError({"render", "", "out.png"}));
    EXPECT_TRUE(IsUsageError({"batch", "a.png", "", "--out", "folder"}));
    EXPECT_TRUE(IsUsageError({"batch", "a.png", "--out", ""}));
    EXPECT_FALSE(IsUsageError({"gallery", "in.png", "folder"}));
}

TEST(FuzzFindings, StoredPicturesAreReadOrRefusedByName)
{
    for (const QString& name : kFindings.entryList({QStringLiteral("picture-*")}, QDir::Files)) {
        SCOPED_TRACE(name.toStdString());
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        ASSERT_TRUE(QFile::copy(kFindings.filePath(name), path));
        const ReadResult read = ReadPicture(path);
        if (read.ok())
            EXPECT_EQ(read.image.format(), QImage::Format_RGB32);
        else
            EXPECT_TRUE(read.error.contains(path)) << read.error.toStdString();
    }
}

}  // namespace
}  // namespace lumetra
