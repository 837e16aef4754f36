// The conversion run as the batch window drives it: asking for the output folder,
// showing where each file stands, stopping, and the end of the run.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <cmath>

#include "batch/batch_run.h"
#include "batch/form_batch.h"
#include "batch/size_box.h"
#include "imaging/batch_progress.h"
#include "imaging/atomic_file.h"
#include "imaging/file_names.h"

namespace lumetra {

namespace {

// More failures or new names than this are summed up in one line rather than listed.
constexpr int kLinesListed = 20;

}  // namespace

FormBatch::~FormBatch()
{
    run_->disconnect(this);
    run_->RequestStop();
    run_->WaitForFinished();
}

bool FormBatch::IsRunning() const { return run_->IsRunning(); }

void FormBatch::EnableControls(bool enabled)
{
    for (QWidget* control :
         {static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Frame2), static_cast<QWidget*>(Frame3),
          static_cast<QWidget*>(CmdAddFiles), static_cast<QWidget*>(CmdAddFolder),
          static_cast<QWidget*>(CmdAddFolderTree), static_cast<QWidget*>(CmdRemove)})
        control->setEnabled(enabled);
    // After a stop the file in hand is still being finished: Convert waits for it.
    CmdConvert->setEnabled(enabled && !run_->IsRunning());
    CmdStop->setEnabled(!enabled);
}

void FormBatch::CmdConvert_Click()
{
    if (LvFile->topLevelItemCount() == 0 || run_->IsRunning()) return;
    const QString folder = AskForFolder(tr("Please select the output folder."), outDir_);
    if (folder.isEmpty() || !FolderTakesFiles(folder)) return;

    BatchRequest request;
    request.inputs = Inputs();
    request.outputFolder = folder;
    request.skipExisting = CheckSkipExisting->isChecked();
    request.jobs = jobs_;
    request.effectIndex = ComboEffect->currentIndex();
    request.format = kWrittenFormats[ComboFormat->currentIndex()];
    request.details.keepLocation = CheckKeepLocation->isChecked();
    if (OptionCustom->isChecked()) {
        // A box that still holds the focus has not been normalised yet.
        request.size = TargetSize{TextW->Normalise(), TextH->Normalise(), CheckAspect->isChecked()};
    }
    request.params = params_;
    request.options = options_;

    runFolder_ = folder;
    runFileCount_ = static_cast<int>(request.inputs.size());
    runFilesDone_ = 0;
    runClock_.start();
    failures_.clear();
    renamed_.clear();
    warnings_.clear();
    run_->Start(request);
    EnableControls(false);
    setCursor(Qt::WaitCursor);
    LabelState->setText(tr("Please wait..."));
    ProgressConvert->setTextVisible(true);
    ShowProgress();
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
    if (QTreeWidgetItem* item = ItemOf(path)) SetStatus(item, FileStatus::Converting);
}

void FormBatch::OnFileDone(int, const QString& path, const ConvertResult& result, bool renamed)
{
    // A success with a message was converted from a damaged picture.
    const FileStatus status = !result.ok                 ? FileStatus::Failed
                              : result.skipped           ? FileStatus::Skipped
                              : result.message.isEmpty() ? FileStatus::Converted
                                                         : FileStatus::Warned;
    if (QTreeWidgetItem* item = ItemOf(path)) {
        SetStatus(item, status);
        item->setToolTip(0, result.message);
    }
    if (status == FileStatus::Failed)
        failures_ << result.message;
    else if (status == FileStatus::Warned)
        warnings_ << result.message;
    if (result.ok && !result.skipped && renamed) renamed_ << QDir::toNativeSeparators(result.outputPath);
    ++runFilesDone_;
    ShowProgress();
}

void FormBatch::ShowProgress()
{
    // Files finish out of order when several are converted at once: the bar counts them.
    const float done = static_cast<float>(runFilesDone_) / static_cast<float>(runFileCount_) * 100.0f;
    ProgressConvert->setValue(static_cast<int>(std::lrint(done)));
    ProgressConvert->setFormat(tr("%1 of %2").arg(runFilesDone_).arg(runFileCount_));
    if (const std::optional<qint64> left = SecondsLeft(runFilesDone_, runFileCount_, runClock_.elapsed()))
        LabelState->setText(tr("Please wait... about %1 left").arg(ClockText(*left)));
}

void FormBatch::OnRunFinished()
{
    unsetCursor();
    ProgressConvert->setValue(0);
    ProgressConvert->setTextVisible(false);
    LabelState->setText(tr("Ready"));
    EnableControls(true);
    prompts_->Beep();
    ReportSummary();
    if (prompts_->AskYesNo(this, tr("Do you want to open the output folder?")) && !prompts_->OpenFolder(runFolder_))
        prompts_->ShowWarning(this, tr("No program could be started to show the folder. Please open \"%1\" yourself.")
                                        .arg(ShownPath(runFolder_)));
}

bool FormBatch::FolderTakesFiles(const QString& folder)
{
    const QString reason = ProbeFolder(folder);
    if (!reason.isEmpty())
        prompts_->ShowError(this, tr("Cannot write into the output folder \"%1\": %2.").arg(ShownPath(folder), reason));
    return reason.isEmpty();
}

void FormBatch::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && run_->IsRunning() && !prompts_->AskYesNo(this, tr("Stop the conversion?"))) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FormBatch::ReportSummary()
{
    // A heading, then the first lines of the list and a count of the rest.
    const auto section = [](const QString& heading, const QStringList& list) {
        QStringList lines = list.mid(0, kLinesListed);
        if (list.size() > kLinesListed) lines << tr("... and %n more.", nullptr, int(list.size() - kLinesListed));
        return heading + QStringLiteral("\n\n") + lines.join(QLatin1Char('\n'));
    };
    QStringList parts;
    if (!failures_.isEmpty())
        parts << section(failures_.size() == 1 ? tr("1 file was not converted:")
                                               : tr("%n files were not converted:", nullptr, int(failures_.size())),
                         failures_);
    if (!renamed_.isEmpty())
        parts << section(renamed_.size() == 1
                             ? tr("1 file had the same name as an earlier file of the list and was written under a "
                                  "new name:")
                             : tr("%n files had the same name as an earlier file of the list and were written under "
                                  "new names:",
                                  nullptr, int(renamed_.size())),
                         renamed_);
    if (!warnings_.isEmpty())
        parts << section(warnings_.size() == 1
                             ? tr("1 file was converted from a damaged picture:")
                             : tr("%n files were converted from damaged pictures:", nullptr, int(warnings_.size())),
                         warnings_);
    if (!parts.isEmpty()) prompts_->ShowWarning(this, parts.join(QStringLiteral("\n\n")));
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
