// The rules every dialog, list and command derives from the format table.

#include <gtest/gtest.h>

#include "imaging/picture_formats.h"

namespace lumetra {
namespace {

TEST(PictureFormatsTest, DialogFiltersKeepTheClassicTextsAndAddTheNewFormatsAfterThem)
{
    EXPECT_EQ(OpenFilters(),
              QStringList({"Images files (*.bmp *.gif *.jpg *.jpeg *.png *.tif *.tiff)", "JPG files (*.jpg *.jpeg)",
                           "BMP files (*.bmp)", "PNG files (*.png)", "TIF files (*.tif *.tiff)", "GIF files (*.gif)",
                           "Phone and web pictures (*.heic *.heif *.avif *.webp *.jxl)"}));
    EXPECT_EQ(SaveFilters(), QStringList({"JPG files (*.jpg)", "PNG files (*.png)", "GIF files (*.gif)",
                                          "TIF files (*.tif)", "BMP files (*.bmp)"}));
    EXPECT_EQ(PicturePatterns().size(), 12);
}

TEST(PictureFormatsTest, ExtensionsChooseWhatIsReadAndWritten)
{
    for (const char* good : {"a.bmp", "a.gif", "a.jpg", "a.JPEG", "a.png", "a.tif", "x/a.TIFF", "a.HEIC", "a.heif",
                             "a.avif", "a.webp", "a.jxl"})
        EXPECT_TRUE(HasPictureExtension(good)) << good;
    for (const char* bad : {"a.jpe", "a.bmp.txt", "noextension", "a.", "a.tga", "dir.png/file"})
        EXPECT_FALSE(HasPictureExtension(bad)) << bad;

    // Save keys: the last four characters in any case; ".jpeg" and ".tiff" are refused.
    EXPECT_EQ(FormatFromKey("a/photo.JPG"), PictureFormat::Jpg);
    EXPECT_EQ(FormatFromKey("photo.Gif"), PictureFormat::Gif);
    EXPECT_EQ(FormatFromKey("photo.tif"), PictureFormat::Tif);
    EXPECT_EQ(FormatFromKey("photo.bmp"), PictureFormat::Bmp);
    for (const char* refused : {"photo.jpeg", "photo.TIFF", "photo.bmp.txt", "photo.webp"})
        EXPECT_EQ(FormatFromKey(refused), std::nullopt) << refused;

    EXPECT_EQ(WrittenFormatOfExtension("TIFF"), PictureFormat::Tif);
    EXPECT_EQ(WrittenFormatOfExtension("jpeg"), PictureFormat::Jpg);
    EXPECT_EQ(WrittenFormatOfExtension("heic"), std::nullopt);  // read, never written
    EXPECT_EQ(FormatExtension(PictureFormat::Tif), "tif");
}

}  // namespace
}  // namespace lumetra
