// Times the batch window converting files, as a user's Convert does, on the offscreen
// platform: the window asks for the output folder (answered here), converts every
// listed file and ends with its question (answered No).
//
//   QT_QPA_PLATFORM=offscreen build/bin/window_batch_bench OUTDIR FILE...
//
// Prints the seconds from Convert to the end of the run.

#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>
#include <cstdio>

#include "batch/batch_prompts.h"
#include "batch/form_batch.h"
#include "engine/plane_buffer.h"

namespace {

class ScriptedPrompts : public lumetra::BatchPrompts {
public:
    explicit ScriptedPrompts(QString folder) : folder_(std::move(folder)) {}
    QString ChooseFolder(QWidget*, const QString&, const QString&) override { return folder_; }
    void ShowWarning(QWidget*, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool AskYesNo(QWidget*, const QString&) override { return false; }
    void Beep() override {}

private:
    QString folder_;
};

}  // namespace

int main(int argc, char* argv[])
{
    lumetra::KeepLargeHeapBlocks();  // as the program does
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // leaves the user's settings alone
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: window_batch_bench OUTDIR FILE...\n");
        return 2;
    }
    QString lastDir, outDir;
    lumetra::FormBatch form(nullptr, lumetra::EngineParams{}, lumetra::EngineOptions{}, lastDir, outDir);
    form.SetPrompts(std::make_unique<ScriptedPrompts>(args.first()));
    for (const QString& file : args.mid(1)) form.AddFile(file);
    form.show();

    QElapsedTimer clock;
    clock.start();
    form.CmdConvert_Click();
    while (form.IsRunning()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("%.3f\n", static_cast<double>(clock.nsecsElapsed()) / 1e9);
    return 0;
}
