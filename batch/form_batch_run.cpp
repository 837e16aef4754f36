// The conversion run as the batch window drives it: asking for the output folder,
// showing where each file stands, stopping, and the end of the run.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <array>
#include <cmath>

#include "batch/batch_run.h"
#include "batch/form_batch.h"
#include "batch/size_box.h"

namespace lumetra {

namespace {

// The entries of the format list, in order.
constexpr std::array<PictureFormat, 5> kFormats{PictureFormat::Jpg, PictureFormat::Png, PictureFormat::Gif,
                                                PictureFormat::Tif, PictureFormat::Bmp};

// More failures than this are summed up in one line rather than listed.
constexpr int kFailuresListed = 20;

}  // namespace

FormBatch::~FormBatch()
{
    run_->disconnect(this);
    run_->RequestStop();
    run_->WaitForFinished();
}

bool FormBatch::IsRunning() const
{
    return run_->IsRunning();
}

void FormBatch::EnableControls(bool enabled)
{
    for (QWidget* control : {static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Frame2),
                             static_cast<QWidget*>(Frame3), static_cast<QWidget*>(CmdAddFiles),
                             static_cast<QWidget*>(CmdAddFolder), static_cast<QWidget*>(CmdRemove)})
        control->setEnabled(enabled);
    // After a stop the file in hand is still being finished: Convert waits for it.
    CmdConvert->setEnabled(enabled && !run_->IsRunning());
    CmdStop->setEnabled(!enabled);
}

void FormBatch::CmdConvert_Click()
{
    if (LvFile->topLevelItemCount() == 0 || run_->IsRunning())
        return;
    const QString folder = AskForFolder(tr("Please select the output folder."), outDir_);
    if (folder.isEmpty())
        return;

    BatchRequest request;
    request.files = Files();
    request.outputFolder = folder;
    request.effectIndex = ComboEffect->currentIndex();
    request.format = kFormats[ComboFormat->currentIndex()];
    if (OptionCustom->isChecked()) {
        // A box that still holds the focus has not been normalised yet.
        request.size = TargetSize{TextW->Normalise(), TextH->Normalise(), CheckAspect->isChecked()};
    }
    request.params = params_;
    request.options = options_;

    runFolder_ = folder;
    runFileCount_ = static_cast<int>(request.files.size());
    failures_.clear();
    run_->Start(request);
    EnableControls(false);
    setCursor(Qt::WaitCursor);
    LabelState->setText(tr("Please wait..."));
    for (int row = 0; row < LvFile->topLevelItemCount(); ++row)
        SetStatus(LvFile->topLevelItem(row), FileStatus::Waiting);
}

void FormBatch::CmdStop_Click()
{
    run_->RequestStop();
    EnableControls(true);
}

void FormBatch::OnFileStarted(const QString& path)
{
    // The list may have changed since a stop; an item removed meanwhile is not shown.
    if (QTreeWidgetItem* item = ItemOf(path))
        SetStatus(item, FileStatus::Converting);
}

void FormBatch::OnFileDone(int index, const QString& path, bool ok, const QString& message)
{
    if (QTreeWidgetItem* item = ItemOf(path)) {
        SetStatus(item, ok ? FileStatus::Converted : FileStatus::Failed);
        item->setToolTip(0, ok ? QString() : message);
    }
    if (!ok)
        failures_ << message;
    const float done = static_cast<float>(index + 1) / static_cast<float>(runFileCount_) * 100.0f;
    ProgressConvert->setValue(static_cast<int>(std::lrint(done)));
}

void FormBatch::OnRunFinished()
{
    unsetCursor();
    ProgressConvert->setValue(0);
    LabelState->setText(tr("Ready"));
    EnableControls(true);
    prompts_->Beep();
    ReportFailures();
    if (prompts_->AskYesNo(this, tr("Do you want to open the output folder?")))
        prompts_->OpenFolder(runFolder_);
}

void FormBatch::ReportFailures()
{
    if (failures_.isEmpty())
        return;
    QStringList lines = failures_.mid(0, kFailuresListed);
    if (failures_.size() > kFailuresListed)
        lines << tr("... and %n more.", nullptr, int(failures_.size() - kFailuresListed));
    const QString heading = failures_.size() == 1 ? tr("1 file was not converted:")
                                                  : tr("%n files were not converted:", nullptr, int(failures_.size()));
    prompts_->ShowWarning(this, heading + QStringLiteral("\n\n") + lines.join(QLatin1Char('\n')));
}

void FormBatch::done(int result)
{
    // Closing during a run ends the run; nothing of it reaches the closed window.
    if (run_->IsRunning()) {
        run_->disconnect(this);
        run_->RequestStop();
    }
    QDialog::done(result);
}

}  // namespace lumetra
