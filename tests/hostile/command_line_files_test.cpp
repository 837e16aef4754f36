// lumetra-cli on hostile files: each bad input is named on stderr with its reason, the
// exit status says something failed, the good inputs are still converted, and no file
// already on disk is replaced by a failed conversion.

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "cli/command_line.h"
#include "cli/file_commands.h"
#include "cli/run_support.h"
#include "tests/hostile/hostile_pictures.h"
#include "tests/hostile/scratch_files.h"

namespace lumetra {
namespace {

using namespace hostile;

struct Outcome {
    int status;
    QString messages;
};

Outcome RunCli(const QStringList& args)
{
    const cli::ParseResult parsed = cli::ParseCommandLine(args);
    if (const auto* error = std::get_if<cli::UsageError>(&parsed)) return {cli::kExitUsage, error->message};
    const cli::Command& command = std::get<cli::Command>(parsed);
    testing::internal::CaptureStderr();
    cli::Console console;
    int status = cli::kExitUsage;
    switch (command.kind) {
    case cli::CommandKind::Render: status = cli::RunRender(command, console); break;
    case cli::CommandKind::Gallery: status = cli::RunGallery(command, console); break;
    case cli::CommandKind::Batch: status = cli::RunBatch(command, console); break;
    default: break;
    }
    console.Finish();
    return {status, QString::fromStdString(testing::internal::GetCapturedStderr())};
}

class CommandLineFiles : public test::ScratchFiles {
protected:
    void SetUp() override
    {
        const QByteArray png = EncodePicture(test::Gradient(24, 16), PictureFormat::Png);
        Write(QStringLiteral("good.png"), png);
        Write(QStringLiteral("cut.png"), png.left(png.size() / 2));
        Write(QStringLiteral("noframes.gif"), GifWithoutFrames());
        Write(QStringLiteral("zero.tif"), GrayTiff(0, 4));
        Write(QStringLiteral("bomb.png"), PngBomb(30000, 30000));
    }
};

TEST_F(CommandLineFiles, RenderOfABombFailsAndKeepsTheOldOutput)
{
    Write(QStringLiteral("out.png"), "the result of an earlier run");
    const Outcome outcome = RunCli({"render", Path("bomb.png"), Path("out.png")});
    EXPECT_EQ(outcome.status, cli::kExitFailed);
    EXPECT_TRUE(outcome.messages.contains(Path("bomb.png"))) << outcome.messages.toStdString();
    EXPECT_TRUE(outcome.messages.contains("limit of 100 megapixels")) << outcome.messages.toStdString();
    EXPECT_EQ(test::ReadBytes(Path("out.png")), QByteArray("the result of an earlier run"));
}

TEST_F(CommandLineFiles, GivenLimitIsHonouredAndChecked)
{
    Write(QStringLiteral("large.png"), OneColorPicture(1200, 1000, qRgb(90, 140, 200), PictureFormat::Png));

    const Outcome tooSmall = RunCli({"render", Path("large.png"), Path("out.png"), "--max-megapixels", "0.0001"});
    EXPECT_EQ(tooSmall.status, cli::kExitUsage) << "a limit below one megapixel is a usage error";
    EXPECT_TRUE(tooSmall.messages.contains("--max-megapixels")) << tooSmall.messages.toStdString();

    const Outcome refused = RunCli({"render", Path("large.png"), Path("out.png"), "--max-megapixels", "1"});
    EXPECT_EQ(refused.status, cli::kExitFailed);
    EXPECT_TRUE(refused.messages.contains("1200 x 1000")) << refused.messages.toStdString();
    EXPECT_TRUE(refused.messages.contains("limit of 1 megapixels")) << refused.messages.toStdString();
    EXPECT_FALSE(QFile::exists(Path("out.png")));

    EXPECT_EQ(RunCli({"render", Path("large.png"), Path("out.png"), "--max-megapixels", "1.2"}).status, cli::kExitDone);
    EXPECT_TRUE(QFile::exists(Path("out.png")));
}

TEST_F(CommandLineFiles, BatchConvertsTheGoodFilesAndNamesEachBadOne)
{
    const QString out = Path("out");
    ASSERT_TRUE(QDir().mkpath(out));
    const QString earlier = Write("out/cut.jpg", "an earlier conversion");

    const Outcome outcome =
        RunCli({"batch", Path("good.png"), Path("cut.png"), Path("noframes.gif"), Path("zero.tif"), Path("bomb.png"),
                Path("missing.bmp"), "--out", out, "--effect", "sketch", "--jobs", "2"});
    EXPECT_EQ(outcome.status, cli::kExitFailed);
    for (const char* bad : {"cut.png", "noframes.gif", "zero.tif", "bomb.png", "missing.bmp"})
        EXPECT_TRUE(outcome.messages.contains(Path(bad))) << bad << "\n" << outcome.messages.toStdString();
    // The good file shows only in its own line of progress, never in a message.
    for (const QString& line : outcome.messages.split('\n')) {
        if (line.contains(Path("good.png"))) {
            EXPECT_TRUE(line.contains(" -> ")) << line.toStdString();
        }
    }

    EXPECT_TRUE(ReadPicture(QDir(out).filePath("good.jpg")).ok());
    EXPECT_EQ(test::ReadBytes(earlier), QByteArray("an earlier conversion"));
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 2) << QDir(out).entryList(QDir::Files).join(' ').toStdString();
}

TEST_F(CommandLineFiles, GalleryOfABadFileWritesNothing)
{
    const QString out = Path("gallery");
    const Outcome outcome = RunCli({"gallery", Path("zero.tif"), out});
    EXPECT_EQ(outcome.status, cli::kExitFailed);
    EXPECT_TRUE(outcome.messages.contains(Path("zero.tif"))) << outcome.messages.toStdString();
    EXPECT_TRUE(QDir(out).entryList(QDir::Files).isEmpty());
}

TEST_F(CommandLineFiles, OutputsThatAreNotRegularFilesAreRefusedAndLeftAlone)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("fifo.png")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/full", Path("device.png")));
    ASSERT_TRUE(QFile::link(Path("loop.png"), Path("loop.png")));
    for (const char* name : {"fifo.png", "device.png", "loop.png"}) {
        const Outcome outcome = RunCli({"render", Path("good.png"), Path(name)});
        EXPECT_EQ(outcome.status, cli::kExitFailed) << name;
        EXPECT_TRUE(outcome.messages.contains(Path(name))) << outcome.messages.toStdString();
        EXPECT_FALSE(QFileInfo(Path(name)).isFile()) << name;
    }
    ASSERT_TRUE(QFile::link("/dev/null", Path("good.jpg")));
    const Outcome intoDevice = RunCli({"batch", Path("good.png"), "--out", dir_.path()});
    EXPECT_EQ(intoDevice.status, cli::kExitFailed);
    EXPECT_TRUE(intoDevice.messages.contains("not to a regular file")) << intoDevice.messages.toStdString();
    EXPECT_TRUE(QFileInfo(Path("good.jpg")).isSymLink());
}

TEST_F(CommandLineFiles, RenderMakesItsOutputFolderAndTellsOfDamage)
{
    const QByteArray bmp = EncodePicture(test::Gradient(24, 16), PictureFormat::Bmp);
    Write(QStringLiteral("cut.bmp"), bmp.left(bmp.size() - 24 * 3 * 4));
    const Outcome outcome = RunCli({"render", Path("cut.bmp"), Path("new/deeper/out.png")});
    EXPECT_EQ(outcome.status, cli::kExitDone) << outcome.messages.toStdString();
    EXPECT_TRUE(outcome.messages.contains(Path("cut.bmp")) && outcome.messages.contains("4 of its 16 pixel rows"))
        << outcome.messages.toStdString();
    EXPECT_TRUE(ReadPicture(Path("new/deeper/out.png")).ok());
}

}  // namespace
}  // namespace lumetra
