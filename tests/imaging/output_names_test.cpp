// Base names and the guard against replacing an input file.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "imaging/output_names.h"

namespace lumetra {
namespace {

TEST(OutputNamesTest, BaseNameDropsOnlyTheLastExtension)
{
    EXPECT_EQ(GetBaseName("/photos/photo.jpeg"), "photo");
    EXPECT_EQ(GetBaseName("photo.tar.png"), "photo.tar");
    EXPECT_EQ(GetBaseName("/photos/README"), "README");  // no extension: the whole name
    EXPECT_EQ(GetBaseName("/photos/.hidden"), ".hidden");
    EXPECT_EQ(GetBaseName("/pho.tos/name"), "name");  // a dot in a folder is not an extension
}

TEST(OutputNamesTest, ReplacingAnInputIsSeenHoweverThePathIsWritten)
{
    QTemporaryDir dir;
    const QString photo = dir.filePath("photo.jpg");
    QFile(photo).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir("sub");
    QFile::link(dir.path(), dir.filePath("sub/link"));

    const QSet<QString> inputs = InputIdentities({photo});
    EXPECT_TRUE(WouldReplaceInput(photo, inputs));
    EXPECT_TRUE(WouldReplaceInput(dir.filePath("sub/../photo.jpg"), inputs));
    EXPECT_TRUE(WouldReplaceInput(dir.filePath("sub/link/photo.jpg"), inputs));
    EXPECT_FALSE(WouldReplaceInput(dir.filePath("photo.png"), inputs));
    EXPECT_FALSE(WouldReplaceInput(dir.filePath("sub/photo.jpg"), inputs));
}

}  // namespace
}  // namespace lumetra
