// The batch window's conversion run: outputs, sizes, stopping, closing, and files that
// cannot be read or written.

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QProgressBar>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>

#include "batch/form_batch.h"
#include "batch/size_box.h"
#include "fake_prompts.h"
#include "tests/imaging/test_pictures.h"

using namespace lumetra;
using test::ReadBytes;
using test::WriteBytes;

namespace {

constexpr int kTimeoutMs = 600000;
const QString kSamples = QStringLiteral(LUMETRA_SOURCE_DIR "/assets/samples/");

QSize SizeOf(const QString& path) { return QImage(path).size(); }

// Gradients and a checkerboard, so every effect has edges and colours to work on.
void WritePattern(const QString& path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, ((x / 40 + y / 40) % 2) * 200));
    QVERIFY(image.save(path, "PNG"));
}

// Holds the conversion of one file until the test lets it go on.
struct Gate {
    QString pausedFile;
    std::atomic<bool> reached{false};
    QSemaphore release;

    ConvertFn Wrap()
    {
        return [this](const ConvertJob& job) {
            if (job.inputPath.endsWith(pausedFile)) {
                reached = true;
                release.acquire();
            }
            return ConvertFile(job);
        };
    }
};

}  // namespace

class BatchRunTest : public QObject {
    Q_OBJECT

    QString lastDir_ = "/", outDir_ = "/previous/";
    std::shared_ptr<PromptLog> log_;
    std::unique_ptr<FormBatch> form_;
    std::unique_ptr<QTemporaryDir> work_;

    QString Work(const QString& name) const { return work_->path() + "/" + name; }
    template <typename T>
    T* Control(const char* name) const
    {
        return form_->findChild<T*>(name);
    }

    // Ten photos under new names, made from the four samples.
    void AddTenPhotos()
    {
        const QStringList samples{"astronaut.png", "chelsea.png", "coffee.png", "rocket.jpg"};
        for (int i = 0; i < 10; ++i) {
            const QString& sample = samples[i % samples.size()];
            const QString path =
                Work(QString("photo%1.%2").arg(i + 1, 2, 10, QChar('0')).arg(QFileInfo(sample).suffix()));
            QFile::copy(kSamples + sample, path);
            form_->AddFile(path);
        }
    }

    void StartTo(const QString& outFolder)
    {
        QDir().mkpath(outFolder);
        log_->folderAnswers << outFolder;
        form_->CmdConvert_Click();
    }
    // Ten photos converted one at a time into out/, held at pausedFile: the run cannot
    // get past that file, nor start another, before the test releases the gate.
    void StartHeldAt(Gate& gate, const QString& pausedFile)
    {
        AddTenPhotos();
        gate.pausedFile = pausedFile;
        form_->SetConverter(gate.Wrap());
        form_->SetJobs(1);
        StartTo(Work("out"));
        QTRY_VERIFY_WITH_TIMEOUT(gate.reached, kTimeoutMs);
    }
    void RunTo(const QString& outFolder)
    {
        StartTo(outFolder);
        QTRY_VERIFY_WITH_TIMEOUT(!form_->IsRunning(), kTimeoutMs);
    }

    void UseNewSize(const QString& width, const QString& height, bool keepAspect)
    {
        Control<QRadioButton>("OptionCustom")->setChecked(true);
        Control<SizeBox>("TextW")->setText(width);
        Control<SizeBox>("TextH")->setText(height);
        Control<QCheckBox>("CheckAspect")->setChecked(keepAspect);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        work_ = std::make_unique<QTemporaryDir>();
        log_ = std::make_shared<PromptLog>();
        form_ = std::make_unique<FormBatch>(nullptr, EngineParams{}, EngineOptions{}, lastDir_, outDir_);
        form_->SetPrompts(std::make_unique<FakePrompts>(log_));
    }
    void cleanup()
    {
        form_.reset();
        work_.reset();
    }

    void outputsEqualTheCommandLine()
    {
        form_->CmdConvert_Click();  // an empty list asks nothing
        QVERIFY(log_->folderPrompts.isEmpty());
        const QStringList inputs{kSamples + "astronaut.png", kSamples + "coffee.png", kSamples + "rocket.jpg"};
        for (const QString& path : inputs) form_->AddFile(path);
        Control<QComboBox>("ComboEffect")->setCurrentIndex(4);  // "Color 1 + Dot", slot 5
        Control<QComboBox>("ComboFormat")->setCurrentIndex(1);  // PNG
        UseNewSize("320", "240", true);
        log_->answerYes = true;
        RunTo(Work("window"));
        QCOMPARE(log_->folderPrompts, QStringList({"Please select the output folder.|/previous/"}));
        QCOMPARE(outDir_, Work("window/"));
        QCOMPARE(log_->beeps, 1);
        QCOMPARE(log_->questions, QStringList({"Do you want to open the output folder?"}));
        QCOMPARE(log_->opened, QStringList({Work("window/")}));
        QVERIFY(log_->warnings.isEmpty());
        QCOMPARE(form_->Status(2), FileStatus::Converted);

        QProcess cli;
        cli.start(LUMETRA_CLI,
                  QStringList({"batch"}) + inputs +
                      QStringList({"--out", Work("cli"), "--effect", "5", "--format", "png", "--size", "320x240"}));
        QVERIFY(cli.waitForFinished(kTimeoutMs));
        QCOMPARE(cli.exitCode(), 0);
        for (const QString name : {"astronaut.png", "coffee.png", "rocket.png"}) {
            const QByteArray window = ReadBytes(Work("window/") + name);
            QVERIFY2(!window.isEmpty() && window == ReadBytes(Work("cli/") + name), qPrintable(name));
        }
        QCOMPARE(SizeOf(Work("window/astronaut.png")), QSize(240, 240));
    }

    void sizesFitTheRequestedBox()
    {
        WritePattern(Work("wide.png"), 1600, 1200);
        WritePattern(Work("tall.png"), 1200, 1600);
        WritePattern(Work("strip.png"), 2000, 500);
        WritePattern(Work("exact.png"), 800, 600);
        for (const char* name : {"wide.png", "tall.png", "strip.png", "exact.png"}) form_->AddFile(Work(name));
        Control<QComboBox>("ComboFormat")->setCurrentIndex(1);
        UseNewSize("800", "600", true);
        RunTo(Work("fit"));
        QCOMPARE(SizeOf(Work("fit/wide.png")), QSize(800, 600));
        QCOMPARE(SizeOf(Work("fit/tall.png")), QSize(450, 600));
        QCOMPARE(SizeOf(Work("fit/strip.png")), QSize(800, 200));

        Control<QCheckBox>("CheckAspect")->setChecked(false);
        RunTo(Work("stretch"));
        QCOMPARE(SizeOf(Work("stretch/tall.png")), QSize(800, 600));

        // A picture that already has the size is not resampled.
        Control<QRadioButton>("OptionAuto")->setChecked(true);
        RunTo(Work("keep"));
        QCOMPARE(SizeOf(Work("keep/tall.png")), QSize(1200, 1600));
        QCOMPARE(ReadBytes(Work("keep/exact.png")), ReadBytes(Work("fit/exact.png")));
    }

    void zeroSizeNeverDividesByZero()
    {
        WritePattern(Work("wide.png"), 1600, 1200);
        form_->AddFile(Work("wide.png"));
        UseNewSize("0", "", true);  // typed but never left, so never normalised
        RunTo(Work("out"));
        QCOMPARE(Control<SizeBox>("TextW")->text(), QString("10"));
        QCOMPARE(SizeOf(Work("out/wide.jpg")), QSize(10, 8));
    }

    void keepLocationIsOffUnlessTickedAndReachesEveryJob()
    {
        auto* keep = Control<QCheckBox>("CheckKeepLocation");
        QVERIFY(keep && !keep->isChecked() && !form_->KeepLocation());
        QCOMPARE(keep->accessibleName(), QString("Keep location"));
        WritePattern(Work("a.png"), 20, 10);
        form_->AddFile(Work("a.png"));
        QList<DetailsChoice> seen;
        form_->SetConverter([&seen](const ConvertJob& job) {
            seen << job.details;
            return ConvertFile(job);
        });
        RunTo(Work("off"));
        form_->SetKeepLocation(true);
        RunTo(Work("on"));
        QCOMPARE(seen.size(), 2);
        QVERIFY(!seen[0].keepLocation && seen[1].keepLocation);
        QVERIFY(!seen[0].strip && !seen[1].strip);
    }

    void stopFinishesTheFileInHand()
    {
        Gate gate;
        StartHeldAt(gate, "photo03.png");
        QVERIFY(!Control<QPushButton>("CmdAddFiles")->isEnabled());
        QCOMPARE(Control<QLabel>("LabelState")->text(), QString("Please wait..."));
        QTRY_COMPARE(form_->Status(2), FileStatus::Converting);

        form_->CmdStop_Click();
        // The controls come back at once, but no second run starts while file 3 is finished.
        QVERIFY(Control<QPushButton>("CmdAddFiles")->isEnabled());
        QVERIFY(!Control<QPushButton>("CmdConvert")->isEnabled());
        form_->CmdConvert_Click();
        QCOMPARE(log_->folderPrompts.size(), 1);

        gate.release.release();
        QTRY_VERIFY_WITH_TIMEOUT(!form_->IsRunning(), kTimeoutMs);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(QFile::exists(Work("out/photo%1.jpg").arg(i + 1, 2, 10, QChar('0'))), i < 3);
            QCOMPARE(form_->Status(i), i < 3 ? FileStatus::Converted : FileStatus::Waiting);
        }
        QCOMPARE(log_->beeps, 1);
        QCOMPARE(log_->questions.size(), 1);
        QVERIFY(Control<QPushButton>("CmdConvert")->isEnabled());
        QCOMPARE(Control<QLabel>("LabelState")->text(), QString("Ready"));
    }

    void closingEndsTheRunQuietly()
    {
        form_->show();
        Gate gate;
        StartHeldAt(gate, "photo02.png");

        form_->close();
        QVERIFY(!form_->isVisible());
        gate.release.release();
        form_.reset();  // waits for the file in hand

        QVERIFY(QFile::exists(Work("out/photo02.jpg")));
        QVERIFY(!QFile::exists(Work("out/photo03.jpg")));
        QCOMPARE(log_->beeps, 0);
        QVERIFY(log_->questions.isEmpty());
    }

    void sameNamesProgressAndSkippingConvertedFiles()
    {
        QDir().mkpath(Work("sub"));
        QFile::copy(kSamples + "rocket.jpg", Work("a.jpg"));
        QFile::copy(kSamples + "chelsea.png", Work("sub/a.png"));
        QFile::copy(kSamples + "coffee.png", Work("b.png"));
        for (const char* name : {"a.jpg", "sub/a.png", "b.png"}) form_->AddFile(Work(name));
        Gate gate;
        gate.pausedFile = "b.png";
        form_->SetConverter(gate.Wrap());
        form_->SetJobs(1);
        StartTo(Work("out"));
        QTRY_VERIFY_WITH_TIMEOUT(gate.reached, kTimeoutMs);
        auto* progress = Control<QProgressBar>("ProgressConvert");
        QTRY_COMPARE(progress->text(), QString("2 of 3"));
        gate.release.release();
        QTRY_VERIFY_WITH_TIMEOUT(!form_->IsRunning(), kTimeoutMs);
        QVERIFY(!progress->isTextVisible());

        // The later "a" got its own name, and the summary says so.
        QCOMPARE(SizeOf(Work("out/a.jpg")), SizeOf(Work("a.jpg")));
        QCOMPARE(SizeOf(Work("out/a (2).jpg")), SizeOf(Work("sub/a.png")));
        QCOMPARE(log_->warnings.size(), 1);
        QVERIFY2(log_->warnings.first().startsWith("1 file had the same name"), qPrintable(log_->warnings.first()));
        QVERIFY(log_->warnings.first().contains("a (2).jpg"));

        // Again with "Skip files already converted": nothing is written, each file marked skipped.
        const QDateTime written = QFileInfo(Work("out/b.jpg")).lastModified();
        Control<QCheckBox>("CheckSkipExisting")->setChecked(true);
        gate.release.release();  // the gate holds b.png again
        RunTo(Work("out"));
        for (int row = 0; row < 3; ++row) QCOMPARE(form_->Status(row), FileStatus::Skipped);
        QCOMPARE(QFileInfo(Work("out/b.jpg")).lastModified(), written);
        QCOMPARE(log_->warnings.size(), 1);
        Control<QCheckBox>("CheckSkipExisting")->setChecked(false);  // the choice is remembered: leave it off
    }

    void failedFilesAreMarkedAndReportedOnce()
    {
        QFile::copy(kSamples + "rocket.jpg", Work("a.jpg"));
        const QByteArray photo = ReadBytes(Work("a.jpg"));
        QVERIFY(WriteBytes(Work("b.png"), "not a picture"));
        QFile::copy(kSamples + "chelsea.png", Work("c.png"));
        QFile::copy(kSamples + "coffee.png", Work("d.png"));
        QVERIFY(QDir(work_->path()).mkdir("d.jpg"));  // the output name is taken by a folder
        for (const char* name : {"a.jpg", "b.png", "c.png", "d.png"}) form_->AddFile(Work(name));
        RunTo(work_->path());  // the source folder, in the source's own format

        QCOMPARE(ReadBytes(Work("a.jpg")), photo);
        QVERIFY(!QFile::exists(Work("b.jpg")));  // never rendered from an earlier picture
        QCOMPARE(SizeOf(Work("c.jpg")), QSize(451, 300));
        const QList<FileStatus> expected{FileStatus::Failed, FileStatus::Failed, FileStatus::Converted,
                                         FileStatus::Failed};
        for (int row = 0; row < 4; ++row) QCOMPARE(form_->Status(row), expected[row]);

        QCOMPARE(log_->warnings.size(), 1);
        const QString report = log_->warnings.first();
        QVERIFY2(report.startsWith("3 files were not converted:"), qPrintable(report));
        for (const char* name : {"a.jpg", "b.png", "d.jpg"}) QVERIFY2(report.contains(name), qPrintable(report));
        QCOMPARE(log_->questions.size(), 1);
    }

    void damagedAndThrowingFilesAreMarkedAndCountedAndTheRunGoesOn()
    {
        QFile::copy(kSamples + "rocket.jpg", Work("whole.jpg"));
        const QByteArray photo = ReadBytes(Work("whole.jpg"));
        QVERIFY(WriteBytes(Work("cut.jpg"), photo.left(photo.size() * 2 / 3)));
        QFile::copy(kSamples + "coffee.png", Work("throws.png"));
        for (const char* name : {"throws.png", "cut.jpg", "whole.jpg"}) form_->AddFile(Work(name));
        form_->SetConverter([](const ConvertJob& job) -> ConvertResult {
            if (job.inputPath.endsWith("throws.png")) throw 42;  // not even a std::exception
            return ConvertFile(job);
        });
        log_->answerYes = true;
        log_->folderOpens = false;
        RunTo(Work("out"));

        QCOMPARE(form_->Status(0), FileStatus::Failed);
        QCOMPARE(form_->Status(1), FileStatus::Warned);
        QCOMPARE(form_->Status(2), FileStatus::Converted);
        QVERIFY(QFile::exists(Work("out/cut.jpg")));
        QCOMPARE(log_->warnings.size(), 2);
        const QString report = log_->warnings.first();
        QVERIFY2(report.startsWith("1 file was not converted:"), qPrintable(report));
        QVERIFY2(report.contains("1 file was converted from a damaged picture:"), qPrintable(report));
        QVERIFY2(report.contains("throws.png") && report.contains("cut.jpg") && !report.contains("whole.jpg"),
                 qPrintable(report));
        // No file manager could be started: the user is told where to look.
        QVERIFY2(log_->warnings.last().contains(Work("out")), qPrintable(log_->warnings.last()));
    }

    void unwritableOutputFolderIsFoundBeforeAnyPicture()
    {
        form_->AddFile(kSamples + "coffee.png");
        log_->folderAnswers << "/proc";  // no file can be made there, not even by root
        form_->CmdConvert_Click();
        QVERIFY(!form_->IsRunning());
        QCOMPARE(log_->errors.size(), 1);
        QVERIFY2(log_->errors.first().contains("/proc"), qPrintable(log_->errors.first()));
        QCOMPARE(form_->Status(0), FileStatus::Waiting);
        QCOMPARE(log_->beeps, 0);
    }

    void escapeDuringARunAsksFirst()
    {
        form_->show();
        Gate gate;
        StartHeldAt(gate, "photo02.png");

        QTest::keyClick(form_.get(), Qt::Key_Escape);  // answered No
        QVERIFY(form_->isVisible());
        QVERIFY(form_->IsRunning());
        QCOMPARE(log_->questions, QStringList({"Stop the conversion?"}));
        log_->answerYes = true;
        QTest::keyClick(form_.get(), Qt::Key_Escape);
        QVERIFY(!form_->isVisible());
        gate.release.release();
        form_.reset();
        QVERIFY(QFile::exists(Work("out/photo02.jpg")));
        QVERIFY(!QFile::exists(Work("out/photo03.jpg")));
    }
};

QTEST_MAIN(BatchRunTest)
#include "batch_run_test.moc"
