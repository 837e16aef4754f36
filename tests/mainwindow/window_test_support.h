#pragma once
// Shared by the main-window tests: prompts that answer without showing anything and
// record what the window asked, pictures with content that survives a round trip, the
// window under test with its files, and the start-up every window test needs (offscreen,
// settings in a temporary folder).

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <vector>

#include "imaging/picture_file.h"
#include "mainwindow/form_main.h"
#include "mainwindow/main_prompts.h"

namespace lumetra::testing {

struct Message {
    QMessageBox::Icon icon;
    QString title;
    QString text;
};

// What the window asked and what the test answers.
struct PromptLog {
    std::vector<Message> messages;
    std::vector<QSize> resizeQuestions;
    std::vector<size_t> messagesBeforeResize;  // how many messages came before each resize prompt
    std::optional<QSize> resizeAnswer;         // what the resize prompt returns
    QString openAnswer;                        // the file the open dialog returns
    QString saveAnswer;                        // the file the save dialog returns
    QString openStartFolder;
    QString saveStartFolder;
};

class RecordingPrompts : public MainPrompts {
public:
    explicit RecordingPrompts(PromptLog& log) : log_(log) {}
    QString ChooseOpenFile(QWidget*, const QString& start, const QStringList&) override
    {
        log_.openStartFolder = start;
        return log_.openAnswer;
    }
    // A refused answer keeps the dialog open; the user then cancels.
    QString ChooseSaveFile(QWidget*, const QString& start, const QStringList&,
                           const std::function<bool(const QString&)>& refused) override
    {
        log_.saveStartFolder = start;
        return refused(log_.saveAnswer) ? QString() : log_.saveAnswer;
    }
    void ShowMessage(QWidget*, QMessageBox::Icon icon, const QString& title, const QString& text) override
    {
        log_.messages.push_back({icon, title, text});
    }
    std::optional<QSize> AskResize(QWidget*, QSize picture) override
    {
        log_.resizeQuestions.push_back(picture);
        log_.messagesBeforeResize.push_back(log_.messages.size());
        return log_.resizeAnswer;
    }
    void ShowAbout(QWidget*) override {}
    QString OpenHelp(QWidget*) override { return {}; }

private:
    PromptLog& log_;
};

// The window showed exactly one message, with this icon and title, and a text that
// contains the given part.
inline void ExpectOnlyMessage(const PromptLog& log, QMessageBox::Icon icon, const QString& title, const QString& part)
{
    QCOMPARE(int(log.messages.size()), 1);
    QCOMPARE(log.messages[0].icon, icon);
    QCOMPARE(log.messages[0].title, title);
    QVERIFY2(log.messages[0].text.contains(part), qPrintable(log.messages[0].text));
}

// A picture whose every pixel differs from its neighbours, so a flip, a shift or a
// resample shows.
inline QImage PatternPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7 + y * 3) & 255, (x * 2 + y * 11) & 255, (x * y + 40) & 255));
    return image;
}

// The window a test drives: its prompts recorded in log, the pictures it opens written to dir.
struct WindowUnderTest {
    QTemporaryDir dir;
    PromptLog log;
    std::unique_ptr<FormMain> window;

    void StartWindow()
    {
        log = PromptLog{};
        window = std::make_unique<FormMain>();
        window->SetPrompts(std::make_unique<RecordingPrompts>(log));
    }
    // The path of the written file; a failed write is reported, and opening the path then fails.
    QString Write(const QImage& picture, const QString& name, PictureFormat format = PictureFormat::Png)
    {
        QString path = dir.filePath(name);
        const QString error = WritePicture(picture, path, format);
        if (!error.isEmpty()) qWarning() << error;
        return path;
    }
    void Open(const QImage& picture, const QString& name = QStringLiteral("source.png"))
    {
        QVERIFY(window->OpenPictureFile(Write(picture, name)));
    }
    void GenerateAndWait()
    {
        window->CmdGenerate_Click();
        window->WaitForGenerate();
    }
};

// The program's settings, as the window stores them.
inline QSettings Store() { return QSettings(QStringLiteral("Veltrup"), QStringLiteral("Lumetra")); }

// Settings go to a temporary folder, never the user's own.
inline void PrepareWindowTests(QTemporaryDir& configHome)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configHome.path());
}

}  // namespace lumetra::testing

// main() for a window test: prepares the settings folder before the application starts.
#define LUMETRA_WINDOW_TEST_MAIN(TestClass)               \
    int main(int argc, char** argv)                       \
    {                                                     \
        QTemporaryDir configHome;                         \
        lumetra::testing::PrepareWindowTests(configHome); \
        QApplication app(argc, argv);                     \
        TestClass test;                                   \
        return QTest::qExec(&test, argc, argv);           \
    }
