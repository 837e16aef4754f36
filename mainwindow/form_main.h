#pragma once
// FormMain, the program's main window: the snapshot gallery on the left, the scrolling
// preview in the middle, the parameter panel on the right; the file commands on the
// menu and tool bars, the zoom and compare commands in the View menu and tool bar; the
// state text and progress bar in the status bar, the zoom at its right end.

#include <QMainWindow>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "app_state.h"
#include "engine/plane.h"
#include "main_prompts.h"
#include "timing_log.h"
#include "zoom_mode.h"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QTimer;
class QToolBar;
class QToolButton;

namespace lumetra {

class GenerateJob;
class LiveRenderer;
class ParameterPanel;
class PreviewArea;
class SnapshotGallery;

class FormMain : public QMainWindow {
    Q_OBJECT
public:
    explicit FormMain(QWidget* parent = nullptr);
    ~FormMain() override;

    // Replaces the dialogs and message boxes (tests answer them without showing anything).
    void SetPrompts(std::unique_ptr<MainPrompts> prompts);

    // The commands, as the tool bar and the keys run them.
    void CmdOpen_Click();
    void CmdSave_Click();
    void CmdCopy_Click();
    void CmdPaste_Click();
    void CmdBatch_Click();
    void CmdHelp_Click();
    void CmdAbout_Click();
    void CmdGenerate_Click();
    // Stops a running gallery (Generate's or Live's) and any live render; the pictures
    // already finished stay.
    void CmdStop_Click();

    // Live: while on, every change of a parameter or option renders the selected entry
    // at once, and the whole gallery after the controls have been still for a moment.
    // The choice is kept in the settings.
    void SetLive(bool on);
    bool IsLive() const;
    // A live render or a live gallery is running or about to start.
    bool IsLiveBusy() const;
    // Grows with every change that Live follows; a live picture carries the one it shows.
    quint64 LiveGeneration() const { return liveGeneration_; }

    // While compare is on, the preview shows the "Original" entry's picture at the same
    // zoom and scroll; the gallery stays as it is.
    void StartCompare();
    void StopCompare();
    void ZoomIn();
    void ZoomOut();
    void ActualSize();
    void FitToWindow();

    // Opens a picture file as the new source; false (with a message) when it cannot be read.
    bool OpenPictureFile(const QString& path);
    // Writes the selected gallery picture by the path's extension; false after a message.
    bool SaveSelectedPicture(const QString& path);

    AppState& State() { return state_; }
    ParameterPanel* Panel() const { return panel_; }
    SnapshotGallery* Gallery() const { return gallery_; }
    PreviewArea* Preview() const { return preview_; }
    QProgressBar* ProgressConvert() const { return progress_; }
    QString StateText() const;
    bool IsGenerating() const;
    // Waits until a running Generate has put everything into the window.
    void WaitForGenerate();

    QAction* OpenAction() const { return actOpen_; }
    QAction* SaveAction() const { return actSave_; }
    QAction* CopyAction() const { return actCopy_; }
    QAction* PasteAction() const { return actPaste_; }
    QAction* BatchAction() const { return actBatch_; }
    QAction* HelpAction() const { return actHelp_; }
    QAction* AboutAction() const { return actAbout_; }
    QAction* GenerateAction() const { return actGenerate_; }
    QAction* ZoomInAction() const { return actZoomIn_; }
    QAction* ZoomOutAction() const { return actZoomOut_; }
    QAction* ActualSizeAction() const { return actActualSize_; }
    QAction* FitAction() const { return actFit_; }
    QToolButton* CompareButton() const { return compareButton_; }
    QMenu* ViewMenu() const { return viewMenu_; }
    QLabel* ZoomText() const { return zoomText_; }
    QAction* LiveAction() const { return actLive_; }
    QAction* StopAction() const { return actStop_; }

signals:
    // A live render of the entry is in the gallery (and in the preview when selected).
    void livePictureShown(int slot, quint64 generation);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void InitMainWindow();
    QAction* MakeAction(const QIcon& icon, const QString& caption, const QString& tip, const QList<QKeySequence>& keys,
                        void (FormMain::*command)());
    void BuildCommands();
    void BuildViewCommands(QToolBar* bar);
    void FitIntoScreen();
    void InitStatusBar();
    void UpdateCommands();

    // The common tail of Open and Paste: the gallery holds just "Original", the preview
    // shows it, and a large picture brings up the resize prompt.
    void ShowSourcePicture(const QImage& picture);
    void AddOriginal(const QImage& picture);
    void ShowMessage(QMessageBox::Icon icon, const QString& title, const QString& text);

    void OnGenerateProgress(float value);
    void OnGeneratePicture(int slot, const QImage& picture, const QImage& thumbnail);
    void OnGenerateFinished(bool failed);
    void AddWaitingPictures();
    void ShowLowResources();

    void BuildLiveCommands(QMenu* viewMenu, QToolBar* bar);
    void OnPanelChanged();
    void FollowPanel();
    void RenderSelectedLive();
    void OnLiveSelectionChanged();
    void StopLive();
    void StartLiveGallery();
    void OnLivePicture(int slot, const QImage& picture, const QImage& thumbnail, quint64 generation);
    bool TakeLiveGalleryPicture(int slot, const QImage& picture, const QImage& thumbnail);
    void OnLiveGalleryFinished(bool failed);
    void UpdateLiveStatus();

    AppState state_;
    PixelPlane pencilTexture_;
    std::unique_ptr<MainPrompts> prompts_;

    SnapshotGallery* gallery_ = nullptr;
    PreviewArea* preview_ = nullptr;
    ParameterPanel* panel_ = nullptr;
    QLabel* stateText_ = nullptr;
    QLabel* zoomText_ = nullptr;
    QProgressBar* progress_ = nullptr;
    GenerateJob* job_ = nullptr;
    CommandClock commandClock_;
    // Pictures that arrived ahead of an earlier slot, kept until their turn in the list.
    std::map<int, std::pair<QImage, QImage>> waiting_;

    LiveRenderer* live_ = nullptr;
    QTimer* liveStill_ = nullptr;  // runs while the controls are still, before the live gallery
    quint64 liveGeneration_ = 0;
    quint64 galleryGeneration_ = 0;   // of the live gallery run in flight
    bool liveGallery_ = false;        // the run in flight is a live gallery, not Generate's
    bool galleryWanted_ = false;      // a live gallery starts once the run in flight is over
    bool generateAfterStop_ = false;  // Generate starts once the live gallery has stopped
    std::optional<std::pair<EngineParams, EngineOptions>> lastLive_;  // what Live last followed

    QAction* actOpen_ = nullptr;
    QAction* actSave_ = nullptr;
    QAction* actCopy_ = nullptr;
    QAction* actPaste_ = nullptr;
    QAction* actBatch_ = nullptr;
    QAction* actHelp_ = nullptr;
    QAction* actAbout_ = nullptr;
    QAction* actGenerate_ = nullptr;
    QAction* actZoomIn_ = nullptr;
    QAction* actZoomOut_ = nullptr;
    QAction* actActualSize_ = nullptr;
    QAction* actFit_ = nullptr;
    QToolButton* compareButton_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    // The zoom mode read at start-up; a different one is stored at close.
    ZoomMode startZoom_;
    QAction* actLive_ = nullptr;
    QAction* actStop_ = nullptr;
};

}  // namespace lumetra
