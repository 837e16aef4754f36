// The file commands: open by extension and through the dialog, the resize prompt's
// threshold and outcome, save by extension and its failures, the clipboard, dropping a
// file, the enabling rules and the settings kept between runs.

#include <QClipboard>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QStatusBar>
#include <sys/stat.h>

#include "engine/resize.h"
#include "imaging/picture_file.h"
#include "imaging/plane_transfer.h"
#include "imaging/size_limit.h"
#include "mainwindow/form_main.h"
#include "mainwindow/preview_area.h"
#include "mainwindow/settings_store.h"
#include "mainwindow/snapshot_gallery.h"
#include "mainwindow/snapshot_thumbnail.h"
#include "tests/imaging/test_pictures.h"
#include "window_test_support.h"

using namespace lumetra;
using namespace lumetra::testing;
using lumetra::test::ReadBytes;
using lumetra::test::WriteBytes;

class FileCommandsTest : public QObject, private WindowUnderTest {
    Q_OBJECT
private:
    QImage Source() const { return window->Gallery()->Picture(0); }

private slots:
    void init()
    {
        StartWindow();
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() { window.reset(); }

    void opensByLastFourCharactersWhateverTheCase()
    {
        const QImage picture = PatternPicture(30, 20);
        QVERIFY(window->OpenPictureFile(Write(picture, QStringLiteral("upper.TIFF"), PictureFormat::Tif)));
        QCOMPARE(Source(), picture);
        QCOMPARE(window->Gallery()->Count(), 1);
        QCOMPARE(window->Gallery()->item(0)->text(), QStringLiteral("Original"));
        QCOMPARE(window->Preview()->Shown(), picture);

        QVERIFY(window->OpenPictureFile(Write(picture, QStringLiteral("photo.jpeg"), PictureFormat::Jpg)));
        QCOMPARE(Source().size(), picture.size());
    }

    void openDialogUpdatesFoldersOnlyWhenConfirmed()
    {
        const QString start = window->State().LastDir;
        window->CmdOpen_Click();  // cancelled
        QCOMPARE(log.openStartFolder, start);
        QVERIFY(window->State().SourcePath.isEmpty());
        QCOMPARE(window->State().LastDir, start);

        log.openAnswer = Write(PatternPicture(8, 8), QStringLiteral("chosen.png"));
        window->CmdOpen_Click();
        QCOMPARE(window->State().SourcePath, log.openAnswer);
        QCOMPARE(window->State().LastDir, dir.path() + u'/');
        QCOMPARE(window->Gallery()->Count(), 1);
    }

    void unreadableFileKeepsTheOpenPicture()
    {
        const QImage picture = PatternPicture(16, 12);
        Open(picture, QStringLiteral("good.png"));
        for (const QString& name :
             {QStringLiteral("broken.png"), QStringLiteral("broken.tif"), QStringLiteral("broken.jpg")}) {
            QVERIFY(WriteBytes(dir.filePath(name), "not a picture at all"));
            log.messages.clear();
            QVERIFY(!window->OpenPictureFile(dir.filePath(name)));
            ExpectOnlyMessage(log, QMessageBox::Critical, QStringLiteral("Error"), name);
            QCOMPARE(window->Gallery()->Count(), 1);
            QCOMPARE(Source(), picture);
        }
    }

    void resizePromptOnlyForPicturesLargerBothWays_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("asked");
        QTest::newRow("1600 x 700") << QSize(1600, 700) << false;
        QTest::newRow("1024 x 768") << QSize(1024, 768) << false;
        QTest::newRow("1025 x 769") << QSize(1025, 769) << true;
        QTest::newRow("1600 x 1200") << QSize(1600, 1200) << true;
    }
    void resizePromptOnlyForPicturesLargerBothWays()
    {
        QFETCH(QSize, size);
        QFETCH(bool, asked);
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(window->OpenPictureFile(Write(picture, QStringLiteral("size.bmp"), PictureFormat::Bmp)));
        QCOMPARE(log.resizeQuestions.empty(), !asked);
        if (asked) QCOMPARE(log.resizeQuestions.front(), size);
        QCOMPARE(Source().size(), size);  // the prompt was cancelled
    }

    void acceptedResizeResamplesTheSourceOnly()
    {
        const QImage picture = PatternPicture(1100, 800);
        log.resizeAnswer = QSize(550, 400);
        Open(picture, QStringLiteral("big.png"));
        const QImage iconBefore = MakeSnapshot(picture, window->palette().color(QPalette::Button));
        QCOMPARE(Source(), DrawPixels(ResizePlane(LoadPixels(picture), {550, 400})));
        QCOMPARE(window->Preview()->Shown(), Source());
        QCOMPARE(window->Gallery()->item(0)->icon().pixmap(120).toImage(), iconBefore);
        QCOMPARE(window->Gallery()->Count(), 1);
    }

    void savesByExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exact");
        QTest::newRow("png") << "out.png" << true;
        QTest::newRow("bmp") << "out.bmp" << true;
        QTest::newRow("tif") << "out.tif" << true;
        QTest::newRow("upper-case JPG") << "out.JPG" << false;
    }
    void savesByExtension()
    {
        QFETCH(QString, name);
        QFETCH(bool, exact);
        const QImage picture = PatternPicture(40, 30);
        Open(picture, QStringLiteral("in.png"));
        const QString path = dir.filePath(name);
        QVERIFY(window->SaveSelectedPicture(path));
        QVERIFY(log.messages.empty());
        const ReadResult back = ReadPicture(path);
        QVERIFY2(back.ok(), qPrintable(back.error));
        QCOMPARE(back.image.size(), picture.size());
        if (exact) QCOMPARE(back.image, picture);
    }

    void refusesUnknownFormats()
    {
        Open(PatternPicture(10, 10), QStringLiteral("in.png"));
        for (const QString& name : {QStringLiteral("out.tiff"), QStringLiteral("out.jpeg"), QStringLiteral("out.txt"),
                                    QStringLiteral("noextension")}) {
            log.messages.clear();
            QVERIFY(!window->SaveSelectedPicture(dir.filePath(name)));
            ExpectOnlyMessage(log, QMessageBox::Critical, QStringLiteral("Error"),
                              QStringLiteral("Unknown image format"));
            QVERIFY(!QFile::exists(dir.filePath(name)));
        }
    }

    void failedWritesAreReportedAndSourceIsNeverOverwritten()
    {
        const QString source = Write(PatternPicture(10, 10), QStringLiteral("keep.png"));
        log.openAnswer = source;
        window->CmdOpen_Click();
        const QByteArray before = ReadBytes(source);

        QVERIFY(!window->SaveSelectedPicture(source));
        QCOMPARE(log.messages.back().title, QStringLiteral("Lumetra"));
        QCOMPARE(ReadBytes(source), before);

        const QString nowhere = dir.filePath(QStringLiteral("missing-folder/out.png"));
        QVERIFY(!window->SaveSelectedPicture(nowhere));
        QCOMPARE(log.messages.back().title, QStringLiteral("Lumetra"));
        QVERIFY(log.messages.back().text.contains(QStringLiteral("out.png")));
    }

    void saveDialogStartsWhereTheLastSaveWent()
    {
        log.saveStartFolder = QStringLiteral("not asked");
        window->CmdSave_Click();  // empty gallery: no dialog
        QCOMPARE(log.saveStartFolder, QStringLiteral("not asked"));

        Open(PatternPicture(10, 10), QStringLiteral("in.png"));
        QDir(dir.path()).mkdir(QStringLiteral("saved"));
        // Before anything was saved: the user's pictures folder, or home while there is none
        // (both in a home of the test's own).
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(dir.path()));
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        window->CmdSave_Click();
        const QString homeStart = log.saveStartFolder;
        QVERIFY(QDir().mkpath(pictures));
        window->CmdSave_Click();
        qputenv("HOME", home);
        QCOMPARE(homeStart, dir.path() + u'/');
        QVERIFY(pictures.startsWith(dir.path()));
        QCOMPARE(log.saveStartFolder, pictures + u'/');

        log.saveAnswer = dir.filePath(QStringLiteral("saved/first.png"));
        window->CmdSave_Click();
        QVERIFY(QFile::exists(log.saveAnswer));
        log.saveAnswer.clear();
        window->CmdSave_Click();
        QCOMPARE(log.saveStartFolder, dir.filePath(QStringLiteral("saved/")));
    }

    void clipboardRoundTrip()
    {
        const QImage picture = PatternPicture(25, 15);
        Open(picture, QStringLiteral("clip.png"));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->Gallery()->setFocus();
        QTest::keyClick(window->Gallery(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture);
        QVERIFY(window->PasteAction()->isEnabled());

        Open(PatternPicture(9, 9), QStringLiteral("other.png"));
        window->CmdPaste_Click();
        QCOMPARE(Source(), picture);
        QCOMPARE(window->Gallery()->Count(), 1);
        QVERIFY(window->State().SourcePath.isEmpty());  // the pasted picture comes from no file

        // Transparent parts of a pasted picture come out black, as from a file.
        QImage clear(4, 4, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        QGuiApplication::clipboard()->setImage(clear);
        window->CmdPaste_Click();
        QCOMPARE(Source().pixel(2, 2), qRgb(0, 0, 0));
    }

    void pasteWithoutPicture()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("just text"));
        QVERIFY(!window->PasteAction()->isEnabled());
        window->CmdPaste_Click();
        ExpectOnlyMessage(log, QMessageBox::Information, QStringLiteral("Lumetra"),
                          QStringLiteral("The clipboard is empty"));
        QCOMPARE(window->Gallery()->Count(), 0);
    }

    void largePastes()
    {
        QImage large(2000, 1500, QImage::Format_RGB32);
        large.fill(Qt::gray);
        QGuiApplication::clipboard()->setImage(large);
        window->CmdPaste_Click();
        QCOMPARE(int(log.resizeQuestions.size()), 1);
        QCOMPARE(log.resizeQuestions[0], QSize(2000, 1500));

        // Above the size limit for pictures, a paste is refused like a file.
        SetDefaultMaxMegapixels(1.0);
        window->CmdPaste_Click();
        SetDefaultMaxMegapixels(kDefaultMaxMegapixels);
        ExpectOnlyMessage(log, QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("2000 x 1500"));
        QCOMPARE(int(log.resizeQuestions.size()), 1);
    }

    void commandsEnabledByGalleryAndClipboard()
    {
        QVERIFY(!window->CopyAction()->isEnabled());
        QVERIFY(!window->PasteAction()->isEnabled());
        Open(PatternPicture(5, 5), QStringLiteral("e.png"));
        QVERIFY(window->CopyAction()->isEnabled());
        QGuiApplication::clipboard()->setImage(PatternPicture(3, 3));
        QVERIFY(window->PasteAction()->isEnabled());
        QGuiApplication::clipboard()->clear();
        QVERIFY(!window->PasteAction()->isEnabled());
    }

    void droppedFileOpens()
    {
        const QString path = Write(PatternPicture(12, 7), QStringLiteral("dropped.png"));
        window->show();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &drop);
        QCOMPARE(Source(), PatternPicture(12, 7));
        QCOMPARE(window->State().SourcePath, path);
    }

    void outputFolderAndKeepLocationKeptBetweenRuns()
    {
        Store().clear();
        window->close();  // nothing chosen: nothing stored
        QVERIFY(!Store().contains(QStringLiteral("OutDir")));

        window = std::make_unique<FormMain>();
        QVERIFY(window->State().OutDir.isEmpty());
        QVERIFY(!window->State().KeepLocation);
        window->State().OutDir = dir.path() + QStringLiteral("/out/");
        window->State().KeepLocation = true;
        window->close();
        window = std::make_unique<FormMain>();
        QCOMPARE(window->State().OutDir, dir.path() + QStringLiteral("/out/"));
        QVERIFY(window->State().KeepLocation);

        WriteSetting(QStringLiteral("OutDir"), QStringLiteral("/pictures/") + QChar(0));
        QCOMPARE(ReadSetting(QStringLiteral("OutDir")), QStringLiteral("/pictures/"));
        WriteSetting(QStringLiteral("OutDir"), QChar(0) + QStringLiteral("/pictures/"));
        QCOMPARE(ReadSetting(QStringLiteral("OutDir")), QString());
        QCOMPARE(ReadSetting(QStringLiteral("Missing")), QString());
    }

    void damagedPictureIsToldBeforeTheResizePrompt()
    {
        const QByteArray whole =
            ReadBytes(Write(PatternPicture(1100, 800), QStringLiteral("whole.jpg"), PictureFormat::Jpg));
        const QString cut = dir.filePath(QStringLiteral("cut.jpg"));
        QVERIFY(WriteBytes(cut, whole.chopped(int(whole.size() / 3))));
        QVERIFY(window->OpenPictureFile(cut));
        QCOMPARE(int(log.messages.size()), 1);
        QCOMPARE(log.messages[0].icon, QMessageBox::Warning);
        QVERIFY2(log.messages[0].text.contains(QStringLiteral("cut.jpg")), qPrintable(log.messages[0].text));
        QCOMPARE(log.messagesBeforeResize, std::vector<size_t>{1});
    }

    void saveAfterPasteAndOverTheOpenPicture()
    {
        const QString first = Write(PatternPicture(10, 10), QStringLiteral("first.png"));
        log.openAnswer = first;
        window->CmdOpen_Click();
        // Refused inside the dialog, before it could ask whether to replace the file.
        log.saveAnswer = first;
        window->CmdSave_Click();
        QCOMPARE(int(log.messages.size()), 1);
        QVERIFY2(log.messages[0].text.contains(QStringLiteral("being worked on")), qPrintable(log.messages[0].text));
        QCOMPARE(ReadPicture(first).image, PatternPicture(10, 10));

        // Once a picture is pasted, the file opened before is just another file.
        QGuiApplication::clipboard()->setImage(PatternPicture(6, 6));
        window->CmdPaste_Click();
        log.messages.clear();
        window->CmdSave_Click();
        QVERIFY(log.messages.empty());
        QCOMPARE(ReadPicture(first).image, PatternPicture(6, 6));
    }

    void settingsFileThatIsNotARegularFileIsLeftAlone()
    {
        const QString path = Store().fileName();
        QFile::remove(path);
        QDir().mkpath(QFileInfo(path).path());
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        window = std::make_unique<FormMain>();  // would block on opening the FIFO
        const QString shown = window->statusBar()->currentMessage();
        WriteSetting(QStringLiteral("OutDir"), QStringLiteral("/somewhere/"));
        const bool stillFifo = QFileInfo(path).exists() && !QFileInfo(path).isFile();
        QFile::remove(path);
        QVERIFY2(shown.contains(QStringLiteral("not a regular file")), qPrintable(shown));
        QVERIFY(stillFifo);
    }

    void storedSizeLimitIsReadAtStartUp()
    {
        WriteSetting(QStringLiteral("MaxMegapixels"), QStringLiteral("1"));
        StartWindow();
        const bool opened = window->OpenPictureFile(Write(PatternPicture(1001, 1000), QStringLiteral("over.png")));
        Store().remove(QStringLiteral("MaxMegapixels"));
        SetDefaultMaxMegapixels(kDefaultMaxMegapixels);
        QVERIFY(!opened);
        ExpectOnlyMessage(log, QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("limit of 1 megapixels"));
    }
};

LUMETRA_WINDOW_TEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
