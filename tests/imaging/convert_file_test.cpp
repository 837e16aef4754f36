// The per-file batch conversion: the same bytes as the engine's single-slot path, the
// requested size, and the refusals.

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "engine/gallery.h"
#include "imaging/convert_file.h"
#include "imaging/output_names.h"
#include "imaging/plane_transfer.h"
#include "test_pictures.h"

namespace lumetra {
namespace {

class ConvertFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        photo_ = dir_.filePath("photo.png");
        ASSERT_EQ(WritePicture(test::Gradient(48, 36), photo_, PictureFormat::Png), "");
        QDir(dir_.path()).mkdir("out");
        job_.inputPath = photo_;
        job_.outputPath = dir_.filePath("out/photo.png");
        job_.format = PictureFormat::Png;
        job_.pencilTexture = &texture_;
        job_.runInputs = InputIdentities({photo_});
    }

    QTemporaryDir dir_;
    QString photo_;
    PixelPlane texture_ = LoadPencilTexture();
    ConvertJob job_;
};

TEST_F(ConvertFileTest, WritesTheEffectUnderTheBaseName)
{
    job_.effectIndex = 4;  // slot 5
    job_.params.DarkThreshold = 90;
    job_.options.blur = true;
    const ConvertResult result = ConvertFile(job_);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.outputPath, dir_.filePath("out/photo.png"));

    Engine engine;
    engine.SrcPixels = LoadPixels(test::Gradient(48, 36));
    engine.PencilTexture = texture_;
    engine.params = job_.params;
    engine.options = job_.options;
    EXPECT_EQ(ReadPicture(result.outputPath).image, DrawPixels(RenderSlot(engine, 5)));
}

TEST_F(ConvertFileTest, ResizesFittingOrStretching)
{
    job_.size = TargetSize{24, 24, true};
    ASSERT_TRUE(ConvertFile(job_).ok);
    EXPECT_EQ(ReadPicture(dir_.filePath("out/photo.png")).image.size(), QSize(24, 18));
    job_.size = TargetSize{24, 24, false};
    ASSERT_TRUE(ConvertFile(job_).ok);
    EXPECT_EQ(ReadPicture(dir_.filePath("out/photo.png")).image.size(), QSize(24, 24));
}

TEST_F(ConvertFileTest, MakesMissingFoldersAndSkipsOnlyAnOutputNewerThanItsInput)
{
    job_.outputPath = dir_.filePath("out/trip/day 1/photo.png");
    job_.skipExisting = true;
    ConvertResult result = ConvertFile(job_);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_FALSE(result.skipped);
    EXPECT_EQ(result.size, QSize(48, 36));

    result = ConvertFile(job_);
    EXPECT_TRUE(result.ok && result.skipped);
    // The input changed after the output was written: converted again.
    QFile input(photo_);
    ASSERT_TRUE(input.open(QIODevice::ReadWrite));
    input.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    input.close();
    result = ConvertFile(job_);
    EXPECT_TRUE(result.ok && !result.skipped);
    job_.skipExisting = false;
    EXPECT_FALSE(ConvertFile(job_).skipped);
}

TEST_F(ConvertFileTest, NeverReplacesAnInputFile)
{
    job_.outputPath = photo_;  // same folder, same format
    const QByteArray before = test::ReadBytes(photo_);
    const ConvertResult result = ConvertFile(job_);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains(QDir::toNativeSeparators(photo_))) << result.message.toStdString();
    EXPECT_EQ(test::ReadBytes(photo_), before);
}

TEST_F(ConvertFileTest, UnreadableInputsAndBadJobsAreErrors)
{
    job_.inputPath = dir_.filePath("missing.jpg");
    ConvertResult result = ConvertFile(job_);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains("missing.jpg"));
    EXPECT_FALSE(QFile::exists(dir_.filePath("out/missing.png")));

    job_.inputPath = photo_;
    job_.effectIndex = 17;  // only 0..16 exist
    EXPECT_FALSE(ConvertFile(job_).ok);
    job_.effectIndex = 0;
    job_.pencilTexture = nullptr;
    EXPECT_FALSE(ConvertFile(job_).ok);
}

}  // namespace
}  // namespace lumetra
