// The main window's Live mode: while it is on, a change of any parameter or option
// renders the selected entry at full size at once, and after a short stillness the
// whole gallery again in the background, each entry's picture and thumbnail replaced in
// place. Also the Stop command, which ends a running gallery.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "engine/catalogue.h"
#include "form_main.h"
#include "generate_job.h"
#include "live_render.h"
#include "parameter_panel.h"
#include "settings_store.h"
#include "snapshot_gallery.h"

namespace lumetra {

namespace {

const QString kLiveSetting = QStringLiteral("LiveMode");
// How long the controls stay still before the whole gallery follows them.
constexpr int kStillnessMs = 300;
constexpr int kLiveStartProgress = 10;

}  // namespace

void FormMain::BuildLiveCommands(QMenu* viewMenu, QToolBar* bar)
{
    actStop_ = MakeAction(style()->standardIcon(QStyle::SP_BrowserStop), tr("Stop"), tr("Stop [Esc]"),
                          {QKeySequence(QKeySequence::Cancel)}, &FormMain::CmdStop_Click);
    actLive_ = new QAction(tr("Live"), this);
    actLive_->setCheckable(true);
    actLive_->setToolTip(tr("Live: the picture follows the settings"));
    actLive_->setChecked(ReadSetting(kLiveSetting) == QStringLiteral("1"));
    connect(actLive_, &QAction::toggled, this, &FormMain::SetLive);
    viewMenu->addSeparator();
    viewMenu->addAction(actLive_);
    bar->addSeparator();
    bar->addAction(actLive_);
    bar->addAction(actStop_);
    // A narrow window folds the last buttons into the bar's extension button, which needs a name too.
    if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(tr("More commands"));

    live_ = new LiveRenderer(this);
    connect(live_, &LiveRenderer::rendered, this, &FormMain::OnLivePicture);
    connect(live_, &LiveRenderer::idle, this, [this] {
        if (galleryWanted_) StartLiveGallery();
        UpdateLiveStatus();
    });
    liveStill_ = new QTimer(this);
    liveStill_->setSingleShot(true);
    liveStill_->setInterval(kStillnessMs);
    connect(liveStill_, &QTimer::timeout, this, &FormMain::StartLiveGallery);
    connect(panel_, &ParameterPanel::changed, this, &FormMain::OnPanelChanged);
    connect(gallery_, &QListWidget::currentRowChanged, this, &FormMain::OnLiveSelectionChanged);
}

void FormMain::SetLive(bool on)
{
    if (actLive_->isChecked() != on) {
        actLive_->setChecked(on);  // comes back here through the toggle
        return;
    }
    WriteSetting(kLiveSetting, on ? QStringLiteral("1") : QStringLiteral("0"));
    if (on)
        FollowPanel();
    else
        StopLive();
}

bool FormMain::IsLive() const { return actLive_->isChecked(); }

bool FormMain::IsLiveBusy() const
{
    return live_->IsBusy() || liveStill_->isActive() || galleryWanted_ || liveGallery_;
}

void FormMain::CmdStop_Click()
{
    StopLive();
    if (job_->IsRunning()) job_->Cancel();  // the pictures already finished stay in the gallery
}

void FormMain::OnPanelChanged()
{
    if (!IsLive() || lastLive_ == std::pair(state_.params, state_.options)) return;
    FollowPanel();
}

void FormMain::FollowPanel()
{
    if (!IsLive() || gallery_->Count() == 0 || (job_->IsRunning() && !liveGallery_)) return;
    lastLive_ = std::pair(state_.params, state_.options);
    ++liveGeneration_;
    galleryWanted_ = false;
    if (liveGallery_) job_->Cancel();  // its later pictures are of older values and are dropped
    RenderSelectedLive();
    liveStill_->start();
    UpdateLiveStatus();
}

void FormMain::RenderSelectedLive()
{
    const int slot = gallery_->SelectedSlot();
    if (slot <= 0 || slot >= gallery_->Count()) return;
    LiveRequest request;
    request.source = gallery_->Picture(0);
    request.params = state_.params;
    request.options = state_.options;
    request.pencilTexture = pencilTexture_;
    request.frameColor = palette().color(QPalette::Button);
    request.slot = slot;
    request.generation = liveGeneration_;
    live_->Render(request);
}

void FormMain::OnLiveSelectionChanged()
{
    // An entry chosen while the gallery still lags behind the controls shows the
    // current values at once instead of waiting for the whole gallery.
    if (IsLive() && lastLive_ && (liveStill_->isActive() || galleryWanted_ || liveGallery_)) {
        RenderSelectedLive();
        UpdateLiveStatus();
    }
}

void FormMain::StopLive()
{
    ++liveGeneration_;
    lastLive_.reset();
    live_->Stop();
    liveStill_->stop();
    galleryWanted_ = false;
    if (liveGallery_) job_->Cancel();
    UpdateLiveStatus();
}

void FormMain::StartLiveGallery()
{
    // The gallery waits for the selected entry's render and for a stopped run to end.
    galleryWanted_ = true;
    if (live_->IsBusy() || job_->IsRunning()) return;
    galleryWanted_ = false;
    liveGallery_ = true;
    galleryGeneration_ = liveGeneration_;
    waiting_.clear();
    job_->Start(gallery_->Picture(0), state_.params, state_.options, pencilTexture_, palette().color(QPalette::Button));
    UpdateLiveStatus();
}

void FormMain::OnLivePicture(int slot, const QImage& picture, const QImage& thumbnail, quint64 generation)
{
    if (slot >= gallery_->Count()) return;
    gallery_->ReplaceSnapshot(slot, picture, thumbnail);
    emit livePictureShown(slot, generation);
}

// A picture of a live gallery run: dropped when a value changed after the run started,
// put in place of the entry's picture when the entry exists.
bool FormMain::TakeLiveGalleryPicture(int slot, const QImage& picture, const QImage& thumbnail)
{
    if (galleryGeneration_ != liveGeneration_) return true;
    if (slot >= gallery_->Count()) return false;
    gallery_->ReplaceSnapshot(slot, picture, thumbnail);
    return true;
}

void FormMain::OnLiveGalleryFinished(bool failed)
{
    liveGallery_ = false;
    waiting_.clear();
    if (generateAfterStop_) {
        generateAfterStop_ = false;
        CmdGenerate_Click();
        return;
    }
    if (galleryWanted_) StartLiveGallery();
    UpdateLiveStatus();
    if (failed) ShowLowResources();
}

void FormMain::UpdateLiveStatus()
{
    if (job_->IsRunning() && !liveGallery_) return;  // Generate shows its own state
    const bool busy = live_->IsBusy() || liveGallery_;
    stateText_->setText(busy ? tr("Please wait...") : tr("Ready"));
    if (!busy)
        progress_->setValue(0);
    else if (progress_->value() == 0)
        progress_->setValue(kLiveStartProgress);
    UpdateCommands();
}

}  // namespace lumetra
