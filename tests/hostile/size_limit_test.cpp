// The megapixel limit: pictures above it are refused from their header, before any
// pixel is decoded, with a message naming the file, its size and the limit; pictures
// up to it are read, even where Qt's own allocation limit would have refused them.

#include <gtest/gtest.h>

#include "imaging/picture_file.h"
#include "tests/hostile/hostile_pictures.h"
#include "tests/hostile/scratch_files.h"

namespace lumetra {
namespace {

using SizeLimit = test::ScratchFiles;

TEST_F(SizeLimit, DecompressionBombIsRefusedFromItsHeader)
{
    for (const auto& [name, bomb] : {std::pair{QStringLiteral("bomb.png"), hostile::PngBomb(30000, 30000)},
                                     std::pair{QStringLiteral("bomb.heic"), hostile::HeifBomb(30000, 30000)},
                                     std::pair{QStringLiteral("bomb.jxl"), hostile::JxlBomb(30000)}}) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_LT(bomb.size(), 8 * 1024);
        const QString path = Write(name, bomb);

        const ReadResult read = ReadPicture(path);
        ASSERT_FALSE(read.ok());
        EXPECT_TRUE(read.image.isNull());
        for (const QString& part : {path, QStringLiteral("30000 x 30000"), QStringLiteral("limit of 100 megapixels")})
            EXPECT_TRUE(read.error.contains(part)) << read.error.toStdString();
    }
}

TEST_F(SizeLimit, TheLimitItselfIsAllowedAndOnePixelColumnMoreIsNot)
{
    const QString atLimit = Write("at.png", hostile::OneColorPicture(2000, 1000, qRgb(10, 20, 30), PictureFormat::Png));
    const QString overLimit =
        Write("over.bmp", hostile::OneColorPicture(2001, 1000, qRgb(10, 20, 30), PictureFormat::Bmp));

    const ReadLimits limits{2.0};
    EXPECT_TRUE(ReadPicture(atLimit, limits).ok());
    const ReadResult refused = ReadPicture(overLimit, limits);
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error.contains(QStringLiteral("2001 x 1000"))) << refused.error.toStdString();
    EXPECT_TRUE(refused.error.contains(QStringLiteral("limit of 2 megapixels"))) << refused.error.toStdString();
}

TEST_F(SizeLimit, LegalPictureLargerThanQtsDefaultAllocationIsRead)
{
    // 36 megapixels decode into 144 MB, more than QImageReader allows by default.
    const QString path =
        Write("large.png", hostile::OneColorPicture(6000, 6000, qRgb(200, 100, 50), PictureFormat::Png));

    const ReadResult read = ReadPicture(path);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.image.size(), QSize(6000, 6000));
    EXPECT_EQ(read.image.pixel(5999, 5999), qRgb(200, 100, 50));
}

TEST_F(SizeLimit, LimitTextIsANumberInRange)
{
    EXPECT_EQ(ParseMegapixelLimit(QStringLiteral("250")), 250.0);
    EXPECT_EQ(ParseMegapixelLimit(QStringLiteral("1")), 1.0);
    EXPECT_EQ(ParseMegapixelLimit(QStringLiteral("10000")), 10000.0);
    EXPECT_EQ(ParseMegapixelLimit(QStringLiteral("12.5")), 12.5);
    for (const char* bad : {"", "0", "0.99", "10000.5", "-5", "abc", "100 MP", "nan", "inf", "1e9"})
        EXPECT_FALSE(ParseMegapixelLimit(QString::fromLatin1(bad))) << bad;
}

TEST_F(SizeLimit, ProgramWideLimitAppliesToEveryReadWithoutItsOwn)
{
    const QString path = Write("wide.gif", hostile::OneColorPicture(2001, 1000, qRgb(0, 0, 0), PictureFormat::Gif));

    SetDefaultMaxMegapixels(2.0);
    const ReadResult refused = ReadPicture(path);
    SetDefaultMaxMegapixels(0.5);  // out of range: ignored
    const double kept = ReadLimits{}.maxMegapixels;
    SetDefaultMaxMegapixels(kDefaultMaxMegapixels);

    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error.contains(QStringLiteral("limit of 2 megapixels"))) << refused.error.toStdString();
    EXPECT_EQ(kept, 2.0);
    EXPECT_TRUE(ReadPicture(path).ok());
}

}  // namespace
}  // namespace lumetra
