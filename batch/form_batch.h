#pragma once
// The batch converter: a list of picture files, one effect, one output format and an
// optional new size, converted into one output folder.
//
// The main window opens it modally with its current parameters and options, which the
// run uses as they stand; a new window starts with an empty list and default options.
// lastDir (the folder the add commands start in) and outDir (the output folder) belong
// to the caller, which must keep both alive while the window exists: Add Files and Add
// Folder keep lastDir up to date, a run replaces outDir with the folder chosen for it.
// Both are kept with a trailing "/".
//
//     FormBatch batch(this, params, options, lastDir, outDir);
//     batch.exec();

#include <QDialog>
#include <QElapsedTimer>
#include <QSet>
#include <QStringList>
#include <memory>

#include "batch/batch_prompts.h"
#include "batch/batch_run.h"
#include "batch/status_icons.h"
#include "engine/options.h"

class QCheckBox;
class QKeyEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumetra {

class SizeBox;

class FormBatch : public QDialog {
    Q_OBJECT
public:
    FormBatch(QWidget* parent, const EngineParams& params, const EngineOptions& options, QString& lastDir,
              QString& outDir);
    // A run still going on is stopped after the file in hand, which is waited for.
    ~FormBatch() override;

    // Replaces the dialogs and message boxes (tests answer them without showing anything).
    void SetPrompts(std::unique_ptr<BatchPrompts> prompts);
    // Replaces the conversion each file goes through (tests wrap it to pause a run).
    void SetConverter(ConvertFn convert);
    // Files converted at once from the next run on; 0 (the default): one per core.
    void SetJobs(int jobs) { jobs_ = jobs; }

    // Appends path with the waiting image when it is not listed yet and its extension is
    // accepted; duplicates (exact, case-sensitive) and other files are left out silently.
    // subFolder: where below the output folder its output goes ("" for the folder itself).
    void AddFile(const QString& path, const QString& subFolder = {});
    bool FileInList(const QString& path) const;
    QStringList Files() const;
    QList<BatchInput> Inputs() const;
    FileStatus Status(int row) const;
    bool IsRunning() const;
    // The "Keep location" choice; the main window keeps it in the settings.
    bool KeepLocation() const;
    void SetKeepLocation(bool keep);

    // The commands, as their buttons run them.
    void CmdAddFiles_Click();
    void CmdAddFolder_Click();
    void CmdAddFolderTree_Click();
    void CmdRemove_Click();
    void CmdConvert_Click();
    void CmdStop_Click();

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape during a run asks before it stops the run and closes the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    QWidget* BuildOptions();
    // The folder chooser with its prompt, starting at kept; a readable choice is stored
    // in kept with its trailing "/" and returned. "" when cancelled or unreadable (the
    // user has been told).
    QString AskForFolder(const QString& prompt, QString& kept);
    void AddFolder(bool withSubFolders);
    void AddInputs(const QList<BatchInput>& inputs);
    bool AcceptDrop(QEvent* event);
    void ShowFileCount();
    void EnableControls(bool enabled);
    void SetStatus(QTreeWidgetItem* item, FileStatus status);
    QTreeWidgetItem* ItemOf(const QString& path) const;
    void OnFileStarted(const QString& path);
    void OnFileDone(int index, const QString& path, const ConvertResult& result, bool renamed);
    void ShowProgress();
    void OnRunFinished();
    void ReportSummary();
    // Whether a file can be made in the folder, tried with a probe file before any
    // picture is converted; the user is told why not.
    bool FolderTakesFiles(const QString& folder);

    const EngineParams params_;
    const EngineOptions options_;
    QString& lastDir_;
    QString& outDir_;
    std::unique_ptr<BatchPrompts> prompts_;
    BatchRun* run_ = nullptr;

    QSet<QString> listed_;  // FileKey of every listed file
    int jobs_ = 0;
    int runFileCount_ = 0;
    int runFilesDone_ = 0;
    QElapsedTimer runClock_;
    QString runFolder_;
    QStringList failures_;
    QStringList renamed_;
    QStringList warnings_;  // files converted from damaged pictures

    QTreeWidget* LvFile = nullptr;
    QPushButton* CmdAddFiles = nullptr;
    QPushButton* CmdAddFolder = nullptr;
    QPushButton* CmdAddFolderTree = nullptr;
    QPushButton* CmdRemove = nullptr;
    QPushButton* CmdConvert = nullptr;
    QPushButton* CmdStop = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QComboBox* ComboEffect = nullptr;
    QComboBox* ComboFormat = nullptr;
    QRadioButton* OptionAuto = nullptr;
    QRadioButton* OptionCustom = nullptr;
    SizeBox* TextW = nullptr;
    SizeBox* TextH = nullptr;
    QCheckBox* CheckAspect = nullptr;
    QCheckBox* CheckSkipExisting = nullptr;
    QCheckBox* CheckKeepLocation = nullptr;
    QLabel* LabelCount = nullptr;
    QLabel* LabelState = nullptr;
    QProgressBar* ProgressConvert = nullptr;
};

}  // namespace lumetra
