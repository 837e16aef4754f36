// The built lumetra-cli: files written, exit statuses, messages, and equal results
// whatever the path (render vs gallery, one job vs two).

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

#include "imaging/picture_file.h"
#include "tests/imaging/exif_files.h"
#include "tests/imaging/test_pictures.h"

namespace lumetra {
namespace {

using test::ReadBytes;
using test::WriteBytes;

struct CliRun {
    int status = -1;
    QString errors;
};

CliRun Cli(const QStringList& args, const QByteArray& input = {})
{
    QProcess process;
    process.start(QStringLiteral(LUMETRA_CLI_PATH), args);
    process.write(input);
    process.closeWriteChannel();
    CliRun run;
    if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit)
        return run;  // a crash shows as status -1
    run.status = process.exitCode();
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QImage Picture(const QString& path) { return ReadPicture(path).image; }

class CliRunTest : public testing::Test {
protected:
    void SetUp() override
    {
        // A small copy of a sample photo keeps the runs short, even under the sanitizers.
        const QImage sample(QStringLiteral(LUMETRA_SOURCE_DIR "/assets/samples/chelsea.png"));
        ASSERT_FALSE(sample.isNull());
        photo_ = Path("chelsea.png");
        ASSERT_EQ(WritePicture(sample.scaled(90, 60), photo_, PictureFormat::Png), "");
        other_ = Path("coffee.jpg");
        const QImage coffee(QStringLiteral(LUMETRA_SOURCE_DIR "/assets/samples/coffee.png"));
        ASSERT_EQ(WritePicture(coffee.scaled(60, 40), other_, PictureFormat::Jpg), "");
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    QString photo_;
    QString other_;
};

TEST_F(CliRunTest, GalleryWritesTwentyPicturesAndRenderMatchesEachSlot)
{
    const CliRun gallery = Cli({"gallery", photo_, Path("new/gallery"), "--darkness", "90"});
    ASSERT_EQ(gallery.status, 0) << gallery.errors.toStdString();
    const QStringList files = QDir(Path("new/gallery")).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 20);
    EXPECT_EQ(files.first(), "00-original.png");
    EXPECT_EQ(files[2], "02-sketch-dot.png");
    EXPECT_EQ(files[17], "17-gray-2-dot.png");
    EXPECT_EQ(files.last(), "19-transition-2.png");
    for (const QString& file : files)
        EXPECT_EQ(Picture(Path("new/gallery/" + file)).size(), QSize(90, 60)) << file.toStdString();
    EXPECT_EQ(Picture(Path("new/gallery/00-original.png")), Picture(photo_));

    for (const char* slotText : {"0", "3", "7", "12", "17", "18", "19"}) {
        const QString slot = QString::fromLatin1(slotText);
        const QString out = Path("render" + slot + ".png");
        const CliRun render = Cli({"render", photo_, out, "--effect", slot, "--darkness", "90"});
        ASSERT_EQ(render.status, 0) << render.errors.toStdString();
        EXPECT_EQ(Picture(out), Picture(Path("new/gallery/" + files[slot.toInt()]))) << slot.toStdString();
    }
}

TEST_F(CliRunTest, SizeFitsOrStretchesTheInput)
{
    ASSERT_EQ(Cli({"render", photo_, Path("fit.bmp"), "--size", "45x45"}).status, 0);
    EXPECT_EQ(Picture(Path("fit.bmp")).size(), QSize(45, 30));
    ASSERT_EQ(Cli({"render", photo_, Path("stretch.tiff"), "--size", "45x45", "--stretch"}).status, 0);
    EXPECT_EQ(Picture(Path("stretch.tiff")).size(), QSize(45, 45));
}

TEST_F(CliRunTest, BatchGivesTheSameFilesWithOneOrTwoJobsAndNeverOverwritesItsOwnOutput)
{
    // Two inputs share the base name "chelsea": the later in the sorted list gets a name of its own.
    QDir(dir_.path()).mkdir("sub");
    const QString twin = Path("sub/chelsea.jpg");
    ASSERT_TRUE(QFile::copy(other_, twin));
    const QStringList inputs{twin, photo_, other_, photo_};  // photo_ twice: converted once
    for (const char* jobsText : {"1", "2"}) {
        const QString jobs = QString::fromLatin1(jobsText);
        const CliRun run =
            Cli(QStringList{"batch"} + inputs +
                QStringList{"--out", Path("out" + jobs), "--jobs", jobs, "--effect", "9", "--format", "gif"});
        ASSERT_EQ(run.status, 0) << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains("[3/3] ")) << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains("1 output(s) were given a name ending in \" (2)\""));
        EXPECT_FALSE(run.errors.contains("\x1b")) << "no progress bar when stderr is not a terminal";
    }
    const QStringList one = QDir(Path("out1")).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(one, (QStringList{"chelsea (2).gif", "chelsea.gif", "coffee.gif"}));
    for (const QString& file : one)
        EXPECT_EQ(ReadBytes(Path("out1/" + file)), ReadBytes(Path("out2/" + file))) << file.toStdString();
    // On a terminal (script gives the program one) a bar with the time left follows the lines.
    QProcess terminal;
    QStringList command{QStringLiteral(LUMETRA_CLI_PATH), "batch", "--out", Path("out3")};
    command += inputs;
    for (QString& word : command) word = "'" + word + "'";
    terminal.start("script", {"-qec", command.join(' '), "/dev/null"});
    ASSERT_TRUE(terminal.waitForFinished(600000));
    const QString screen = QString::fromLocal8Bit(terminal.readAllStandardOutput());
    EXPECT_TRUE(screen.contains("[3/3] ") && screen.contains("3/3 about 0:00 left\x1b[K")) << screen.toStdString();

    // In path order ".../chelsea.png" comes before ".../sub/chelsea.jpg", the coffee copy.
    EXPECT_EQ(ReadBytes(Path("out1/chelsea (2).gif")), ReadBytes(Path("out1/coffee.gif")));
    EXPECT_NE(ReadBytes(Path("out1/chelsea.gif")), ReadBytes(Path("out1/coffee.gif")));
}

TEST_F(CliRunTest, ArchiveRunsRecurseShareOutReportAndResume)
{
    // An archive: pictures in nested folders, one name used twice, a text file, a loop.
    QDir(dir_.path()).mkpath("archive/2019/summer");
    QDir(dir_.path()).mkpath("archive/2020");
    ASSERT_TRUE(QFile::copy(photo_, Path("archive/2019/summer/cat.png")));
    ASSERT_TRUE(QFile::copy(other_, Path("archive/2020/cat.jpg")));
    ASSERT_TRUE(QFile::copy(other_, Path("archive/cup.jpg")));
    ASSERT_TRUE(QFile::copy(photo_, Path("archive/2020/table.png")));
    QFile(Path("archive/notes.txt")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(Path("archive"), Path("archive/2020/loop")));
    const QStringList tree{"2019/summer/cat.png", "2020/cat.png", "2020/table.png", "cup.png"};

    const CliRun whole = Cli({"batch", Path("archive"), "--recursive", "--out", Path("whole"), "--format", "png",
                              "--report", Path("whole.jsonl")});
    ASSERT_EQ(whole.status, 0) << whole.errors.toStdString();
    for (const QString& name : tree) EXPECT_TRUE(QFile::exists(Path("whole/" + name))) << name.toStdString();
    EXPECT_EQ(ReadBytes(Path("whole.jsonl")).count('\n'), 4);

    // The same archive as a NUL-separated list on standard input, in two shares.
    QByteArray list;
    for (const char* name : {"archive/cup.jpg", "archive/2020/table.png", "archive/2020/cat.jpg", "archive/cup.jpg"})
        list += Path(name).toLocal8Bit() + '\0';
    for (const char* shard : {"0/2", "1/2"}) {
        const CliRun share = Cli({"batch", "--files-from", "-", "--null", "--out", Path("shared"), "--format", "png",
                                  "--shard", shard, "--report", Path("shared.jsonl")},
                                 list);
        ASSERT_EQ(share.status, 0) << share.errors.toStdString();
    }
    EXPECT_EQ(QDir(Path("shared")).entryList(QDir::Files, QDir::Name),
              (QStringList{"cat.png", "cup.png", "table.png"}));
    EXPECT_EQ(ReadBytes(Path("shared/table.png")), ReadBytes(Path("whole/2020/table.png")));
    QStringList reported;
    for (const QByteArray& line : ReadBytes(Path("shared.jsonl")).split('\n')) {
        if (line.isEmpty()) continue;
        const QJsonObject record = QJsonDocument::fromJson(line).object();
        EXPECT_EQ(record["status"].toString(), "ok");
        EXPECT_EQ(record["width"].toInt(), QFileInfo(record["input"].toString()).suffix() == "png" ? 90 : 60);
        EXPECT_TRUE(record.contains("milliseconds") && record.contains("reason"));
        reported << QFileInfo(record["output"].toString()).fileName();
    }
    reported.sort();
    EXPECT_EQ(reported, (QStringList{"cat.png", "cup.png", "table.png"}));  // each once, across both shares

    // Run again with --skip-existing: nothing is converted; a changed input is.
    QFile changed(Path("archive/cup.jpg"));
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
    changed.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    changed.close();
    const CliRun again = Cli({"batch", Path("archive"), "--recursive", "--out", Path("whole"), "--format", "png",
                              "--skip-existing", "--report", Path("whole.jsonl")});
    ASSERT_EQ(again.status, 0) << again.errors.toStdString();
    EXPECT_EQ(again.errors.count("skipped"), 3) << again.errors.toStdString();
    const QList<QByteArray> lines = ReadBytes(Path("whole.jsonl")).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 8);  // appended
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const QByteArray& l) { return l.contains("\"skipped\""); }),
              3);

    const CliRun missingList = Cli({"batch", "--files-from", Path("nothing.txt"), "--out", Path("o")});
    EXPECT_EQ(missingList.status, 1);
    EXPECT_TRUE(missingList.errors.contains("nothing.txt"));
}

TEST_F(CliRunTest, BadInputsAreNamedSkippedAndReportedWithStatusOne)
{
    const QByteArray png = ReadBytes(photo_);
    ASSERT_TRUE(WriteBytes(Path("empty.png"), {}));
    ASSERT_TRUE(WriteBytes(Path("truncated.png"), png.left(png.size() / 2)));
    ASSERT_TRUE(WriteBytes(Path("text.png"), "not a picture"));
    QDir(dir_.path()).mkdir("folder.jpg");

    const QStringList bad{Path("missing.png"), Path("empty.png"), Path("truncated.png"), Path("text.png"),
                          Path("folder.jpg")};
    const CliRun run = Cli(QStringList{"batch"} + bad + QStringList{photo_, "--out", Path("out"), "--jobs", "2"});
    EXPECT_EQ(run.status, 1);
    for (const QString& path : bad)
        EXPECT_TRUE(run.errors.contains(QDir::toNativeSeparators(path))) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains("does not exist"));
    EXPECT_TRUE(run.errors.contains("the file is empty"));
    EXPECT_TRUE(run.errors.contains("folder, not a picture"));
    EXPECT_EQ(QDir(Path("out")).entryList(QDir::Files | QDir::Hidden), QStringList{"chelsea.jpg"});

    const CliRun render = Cli({"render", Path("truncated.png"), Path("r.png")});
    EXPECT_EQ(render.status, 1);
    EXPECT_TRUE(render.errors.contains("truncated.png"));
    EXPECT_FALSE(QFile::exists(Path("r.png")));

    // A JPEG cut short is read with a warning that names it.
    const QByteArray jpeg = ReadBytes(other_);
    ASSERT_TRUE(WriteBytes(Path("cut.jpg"), jpeg.left(jpeg.size() * 2 / 3)));
    const CliRun cutRun = Cli({"render", Path("cut.jpg"), Path("cut.png")});
    EXPECT_EQ(cutRun.status, 0);
    EXPECT_TRUE(cutRun.errors.contains(QDir::toNativeSeparators(Path("cut.jpg")))) << cutRun.errors.toStdString();
}

TEST_F(CliRunTest, NeverReplacesAnInputFile)
{
    // Output folder = source folder, same format: the photo itself would be replaced.
    const QByteArray before = ReadBytes(other_);
    const CliRun batch = Cli({"batch", other_, photo_, "--out", dir_.path(), "--format", "jpg"});
    EXPECT_EQ(batch.status, 1);
    EXPECT_TRUE(batch.errors.contains(QDir::toNativeSeparators(other_))) << batch.errors.toStdString();
    EXPECT_EQ(ReadBytes(other_), before);
    EXPECT_TRUE(QFile::exists(Path("chelsea.jpg")));  // the other input is still converted

    const QByteArray photo = ReadBytes(photo_);
    EXPECT_EQ(Cli({"render", photo_, photo_}).status, 1);
    EXPECT_EQ(Cli({"gallery", Path("00-original.png"), dir_.path()}).status, 1);
    EXPECT_EQ(ReadBytes(photo_), photo);
}

TEST_F(CliRunTest, PhotoDetailsFollowTheLocationAndStripChoices)
{
    const QString camera = Path("camera.jpg");
    ASSERT_TRUE(WriteBytes(camera, test::WithCameraDetails(ReadBytes(other_))));
    struct Case {
        QStringList extra;
        bool make, location;
    };
    for (const Case& c :
         {Case{{}, true, false}, Case{{"--keep-location"}, true, true}, Case{{"--strip-metadata"}, false, false}}) {
        SCOPED_TRACE(c.extra.join(' ').toStdString());
        const QString out = Path("details.jpg");
        const CliRun render = Cli(QStringList{"render", camera, out, "--effect", "0"} + c.extra);
        ASSERT_EQ(render.status, 0) << render.errors.toStdString();
        const QString batchOut = Path("details-batch");
        const CliRun batch = Cli(QStringList{"batch", camera, "--out", batchOut, "--format", "png"} + c.extra);
        ASSERT_EQ(batch.status, 0) << batch.errors.toStdString();
        for (const QString& written : {out, batchOut + "/camera.png"}) {
            const QMap<QString, QString> exif = test::ExifOf(written);
            EXPECT_EQ(exif.contains("Exif.Image.Make"), c.make) << written.toStdString();
            EXPECT_EQ(exif.contains("Exif.GPSInfo.GPSLatitude"), c.location) << written.toStdString();
        }
    }
}

TEST_F(CliRunTest, UnwritableOutputsAreStatusOne)
{
    const CliRun folderUnderFile = Cli({"batch", photo_, "--out", other_ + "/sub"});
    EXPECT_EQ(folderUnderFile.status, 1);
    EXPECT_TRUE(folderUnderFile.errors.contains("sub")) << folderUnderFile.errors.toStdString();
    const CliRun render = Cli({"render", photo_, other_ + "/x.png"});  // a file where the folder should be
    EXPECT_EQ(render.status, 1);
    EXPECT_TRUE(render.errors.contains(QDir::toNativeSeparators(other_))) << render.errors.toStdString();
    EXPECT_EQ(Cli({"gallery", photo_, other_}).status, 1);  // a file where the folder should be
}

TEST_F(CliRunTest, UsageErrorsAreStatusTwoAndHelpIsStatusZero)
{
    const CliRun range = Cli({"render", photo_, Path("a.png"), "--brush", "500"});
    EXPECT_EQ(range.status, 2);
    EXPECT_TRUE(range.errors.contains("--brush") && range.errors.contains("1 to 200")) << range.errors.toStdString();
    EXPECT_EQ(Cli({"batch", photo_, "--out", Path("o"), "--effect", "transition 1"}).status, 2);
    EXPECT_EQ(Cli({"render", photo_}).status, 2);
    EXPECT_EQ(Cli({"--help"}).status, 0);
    EXPECT_EQ(Cli({"--version"}).status, 0);
    EXPECT_EQ(Cli({"effects"}).status, 0);
    EXPECT_FALSE(QFile::exists(Path("a.png")));
}

}  // namespace
}  // namespace lumetra
