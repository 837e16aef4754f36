#include "form_main.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

#include "assets/program_data.h"
#include "batch/folder_paths.h"
#include "command_icons.h"
#include "engine/catalogue.h"
#include "generate_job.h"
#include "imaging/plane_transfer.h"
#include "imaging/size_limit.h"
#include "live_render.h"
#include "parameter_panel.h"
#include "preview_area.h"
#include "settings_store.h"
#include "snapshot_gallery.h"
#include "snapshot_thumbnail.h"
#include "translations/captions.h"

namespace lumetra {

namespace {

// Column widths of the gallery and the panel, and the smallest client area the window
// starts with (2,500, 3,200 and 11,175 x 8,400 twips at 15 twips per pixel). On a larger
// screen the window starts larger, so that a photo of ordinary size fits the preview.
constexpr int kGalleryWidth = 167;
constexpr int kPanelWidth = 213;
constexpr QSize kStartClientSize(745, 560);
constexpr QSize kRoomyClientSize(1180, 780);
constexpr double kScreenShare = 0.85;
// Room left for the window manager's title bar and borders, which are not known before
// the window is shown.
constexpr QSize kFrameAllowance(16, 48);
constexpr int kStateTextWidth = 300;
constexpr int kStartProgress = 10;

const QString kOutDirSetting = QStringLiteral("OutDir");
const QString kZoomModeSetting = QStringLiteral("ZoomMode");
const QString kKeepLocationSetting = QStringLiteral("KeepLocation");
// Optional, set by hand: the largest picture opened or converted, in megapixels.
const QString kMaxMegapixelsSetting = QStringLiteral("MaxMegapixels");
const QString kStyleSheetFile = QStringLiteral("skin.qss");

}  // namespace

FormMain::FormMain(QWidget* parent) : QMainWindow(parent), prompts_(std::make_unique<MainPrompts>())
{
    setWindowTitle(kTitle);
    setAcceptDrops(true);

    gallery_ = new SnapshotGallery;
    gallery_->setFixedWidth(kGalleryWidth);
    preview_ = new PreviewArea;
    panel_ = new ParameterPanel(state_);
    panel_->setFixedWidth(kPanelWidth);

    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    columns->addWidget(gallery_);
    columns->addWidget(preview_, 1);
    columns->addWidget(panel_);
    setCentralWidget(central);

    job_ = new GenerateJob(this);
    connect(job_, &GenerateJob::progressChanged, this, &FormMain::OnGenerateProgress);
    connect(job_, &GenerateJob::pictureReady, this, &FormMain::OnGeneratePicture);
    connect(job_, &GenerateJob::finished, this, &FormMain::OnGenerateFinished);
    connect(panel_->CmdGenerate(), &QPushButton::clicked, this, &FormMain::CmdGenerate_Click);
    connect(gallery_, &SnapshotGallery::pictureSelected, preview_, &PreviewArea::ShowPicture);
    connect(preview_, &PreviewArea::zoomChanged, this, [this](const QString& label) { zoomText_->setText(label); });
    connect(gallery_, &SnapshotGallery::countChanged, this, &FormMain::UpdateCommands);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &FormMain::UpdateCommands);

    BuildCommands();
    InitMainWindow();
    UpdateCommands();

    FitIntoScreen();
}

// The first window: at least the classic client area, larger on a roomy screen, and
// never larger than the screen's free area, whatever the scale factor.
void FormMain::FitIntoScreen()
{
    const int bars =
        menuBar()->sizeHint().height() + statusBar()->sizeHint().height() + findChild<QToolBar*>()->sizeHint().height();
    QSize client = kStartClientSize;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size() - kFrameAllowance - QSize(0, bars);
        client = client.expandedTo(kRoomyClientSize.boundedTo(room * kScreenShare)).boundedTo(room);
    }
    resize(client.width(), client.height() + bars);
}

FormMain::~FormMain() = default;

void FormMain::SetPrompts(std::unique_ptr<MainPrompts> prompts) { prompts_ = std::move(prompts); }

void FormMain::InitMainWindow()
{
    state_.AppDir = WithTrailingSlash(QCoreApplication::applicationDirPath());
    state_.OutDir = ReadSetting(kOutDirSetting);
    startZoom_ = ParseZoomMode(ReadSetting(kZoomModeSetting));
    state_.KeepLocation = ReadSetting(kKeepLocationSetting) == QLatin1String("1");
    if (const std::optional<double> limit = ParseMegapixelLimit(ReadSetting(kMaxMegapixelsSetting)))
        SetDefaultMaxMegapixels(*limit);
    state_.LastDir = WithTrailingSlash(ProgramDataPath(QStringLiteral("Samples")));
    InitStatusBar();
    if (const QString problem = SettingsFileProblem(); !problem.isEmpty()) statusBar()->showMessage(problem);

    // An optional style sheet beside the program restyles the window.
    QFile styleSheet(state_.AppDir + kStyleSheetFile);
    if (styleSheet.open(QIODevice::ReadOnly | QIODevice::Text)) setStyleSheet(QString::fromUtf8(styleSheet.readAll()));

    panel_->Reset();
    pencilTexture_ = LoadPencilTexture();
    preview_->SetZoomMode(startZoom_);
}

QAction* FormMain::MakeAction(const QIcon& icon, const QString& caption, const QString& tip,
                              const QList<QKeySequence>& keys, void (FormMain::*command)())
{
    auto* action = new QAction(icon, caption, this);
    action->setToolTip(tip);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, command);
    addAction(action);  // the keys work whether or not a bar shows the command
    return action;
}

void FormMain::BuildCommands()
{
    QStyle* look = style();
    actOpen_ =
        MakeAction(QIcon::fromTheme(QStringLiteral("document-open"), look->standardIcon(QStyle::SP_DialogOpenButton)),
                   tr("Open"), tr("Open [Ctrl+O]"), {QKeySequence(QKeySequence::Open)}, &FormMain::CmdOpen_Click);
    actSave_ =
        MakeAction(QIcon::fromTheme(QStringLiteral("document-save"), look->standardIcon(QStyle::SP_DialogSaveButton)),
                   tr("Save"), tr("Save [Ctrl+S]"), {QKeySequence(QKeySequence::Save)}, &FormMain::CmdSave_Click);
    actCopy_ = MakeAction(CommandIcon(QStringLiteral("edit-copy")), tr("Copy"), tr("Copy to clipboard [Ctrl+C]"),
                          {QKeySequence(QKeySequence::Copy)}, &FormMain::CmdCopy_Click);
    actPaste_ = MakeAction(CommandIcon(QStringLiteral("edit-paste")), tr("Paste"), tr("Paste from clipboard [Ctrl+V]"),
                           {QKeySequence(QKeySequence::Paste)}, &FormMain::CmdPaste_Click);
    actBatch_ = MakeAction(
        QIcon::fromTheme(QStringLiteral("system-run"), look->standardIcon(QStyle::SP_FileDialogListView)), tr("Batch"),
        tr("Batch converter  [Ctrl+B]"), {QKeySequence(Qt::CTRL | Qt::Key_B)}, &FormMain::CmdBatch_Click);
    actHelp_ = MakeAction(QIcon(), tr("Contents"), tr("Help"), {QKeySequence(QKeySequence::HelpContents)},
                          &FormMain::CmdHelp_Click);
    actAbout_ = MakeAction(QIcon(), tr("About"), tr("About"), {}, &FormMain::CmdAbout_Click);
    // Generate keeps its button in the panel; these keys run it from anywhere in the window.
    actGenerate_ = MakeAction(
        QIcon(), tr("Generate"), tr("Generate [F5]"),
        {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)},
        &FormMain::CmdGenerate_Click);
    panel_->CmdGenerate()->setToolTip(tr("Generate [F5, Ctrl+Return]"));

    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(actOpen_);

    QToolBar* bar = addToolBar(QStringLiteral("TBMain"));
    bar->setObjectName(QStringLiteral("TBMain"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addAction(actOpen_);
    bar->addAction(actSave_);
    bar->addSeparator();
    bar->addAction(actCopy_);
    bar->addAction(actPaste_);
    bar->addSeparator();
    bar->addAction(actBatch_);

    // "Help" opens the help page; its drop-down holds "Contents" and, after a separator, "About".
    auto* helpMenu = new QMenu(this);
    helpMenu->addAction(actHelp_);
    helpMenu->addSeparator();
    helpMenu->addAction(actAbout_);
    auto* helpButton = new QToolButton(bar);
    helpButton->setText(tr("Help"));
    helpButton->setToolTip(tr("Help"));
    helpButton->setIcon(
        QIcon::fromTheme(QStringLiteral("help-browser"), look->standardIcon(QStyle::SP_DialogHelpButton)));
    helpButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    helpButton->setPopupMode(QToolButton::MenuButtonPopup);
    helpButton->setMenu(helpMenu);
    connect(helpButton, &QToolButton::clicked, this, &FormMain::CmdHelp_Click);
    bar->addWidget(helpButton);

    BuildViewCommands(bar);
    BuildLiveCommands(viewMenu_, bar);
}

void FormMain::InitStatusBar()
{
    auto* spacer = new QWidget;
    spacer->setFixedWidth(10);
    stateText_ = new QLabel(tr("Ready"));
    stateText_->setFixedWidth(kStateTextWidth);
    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("ProgressConvert"));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    progress_->setAccessibleName(tr("Progress"));
    statusBar()->addWidget(spacer);
    statusBar()->addWidget(stateText_);
    statusBar()->addWidget(progress_, 1);
    zoomText_ = new QLabel;
    zoomText_->setObjectName(QStringLiteral("ZoomText"));
    statusBar()->addPermanentWidget(zoomText_);
}

QString FormMain::StateText() const { return stateText_->text(); }

bool FormMain::IsGenerating() const { return job_->IsRunning() && !liveGallery_; }

void FormMain::WaitForGenerate() { job_->WaitForFinished(); }

void FormMain::UpdateCommands()
{
    const bool idle = !IsGenerating();
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    actOpen_->setEnabled(idle);
    actSave_->setEnabled(idle);
    actCopy_->setEnabled(idle && gallery_->Count() > 0);
    actPaste_->setEnabled(idle && clip && clip->hasImage());
    actBatch_->setEnabled(idle);
    panel_->CmdGenerate()->setEnabled(idle);
    actStop_->setEnabled(job_->IsRunning() || live_->IsBusy());
}

void FormMain::ShowMessage(QMessageBox::Icon icon, const QString& title, const QString& text)
{
    prompts_->ShowMessage(this, icon, title, text);
}

void FormMain::AddOriginal(const QImage& picture)
{
    gallery_->AddSnapshot(EffectCaption(0), picture, MakeSnapshot(picture, palette().color(QPalette::Button)));
}

void FormMain::CmdGenerate_Click()
{
    if (job_->IsRunning()) {
        if (liveGallery_) {
            // Generate starts as soon as the live gallery has stopped.
            generateAfterStop_ = true;
            job_->Cancel();
        }
        return;
    }
    if (gallery_->Count() == 0) {
        ShowMessage(QMessageBox::Information, tr("Error"), tr("Please open a image file"));
        return;
    }
    StopLive();
    commandClock_.Start(QStringLiteral("Generate"));
    setCursor(Qt::WaitCursor);
    progress_->setValue(kStartProgress);
    stateText_->setText(tr("Please wait..."));

    const QImage source = gallery_->Picture(0);
    if (gallery_->Count() > 1) {
        // Back to the source alone: its thumbnail is made from the source picture again.
        gallery_->ClearSnapshots();
        AddOriginal(source);
        gallery_->setCurrentRow(0);
    }
    waiting_.clear();
    job_->Start(source, state_.params, state_.options, pencilTexture_, palette().color(QPalette::Button));
    UpdateCommands();
}

void FormMain::OnGenerateProgress(float value) { progress_->setValue(int(std::lrint(value))); }

void FormMain::OnGeneratePicture(int slot, const QImage& picture, const QImage& thumbnail)
{
    if (liveGallery_ && TakeLiveGalleryPicture(slot, picture, thumbnail)) return;
    waiting_[slot] = {picture, thumbnail};
    AddWaitingPictures();
}

void FormMain::AddWaitingPictures()
{
    // Entries go into the list in catalogue order, whatever order the pictures come in.
    for (auto next = waiting_.find(gallery_->Count()); next != waiting_.end();
         next = waiting_.find(gallery_->Count())) {
        const int slot = next->first;
        gallery_->AddSnapshot(EffectCaption(slot), next->second.first, next->second.second);
        waiting_.erase(next);
        commandClock_.Mark(QStringLiteral("\"%1\" in the list").arg(EffectCaption(slot)));
        // "Sketch" is shown as soon as it is there, while the other effects are still made.
        if (slot == kFirstPixelEffect) {
            gallery_->setCurrentRow(slot);
            commandClock_.Mark(QStringLiteral("\"%1\" in the preview").arg(EffectCaption(slot)));
        }
    }
    if (gallery_->Count() == kSlotCount) commandClock_.Mark(QStringLiteral("list complete"));
}

void FormMain::OnGenerateFinished(bool failed)
{
    if (liveGallery_) {
        OnLiveGalleryFinished(failed);
        return;
    }
    // A slot that never came (the run failed on the way) keeps its place as an empty,
    // framed entry, so every later entry still holds its own slot.
    for (int slot = gallery_->Count(); slot < kSlotCount && !waiting_.empty(); slot = gallery_->Count()) {
        if (!waiting_.count(slot))
            gallery_->AddSnapshot(EffectCaption(slot), QImage(),
                                  MakeSnapshot(QImage(), palette().color(QPalette::Button)));
        AddWaitingPictures();
    }
    waiting_.clear();
    unsetCursor();
    progress_->setValue(0);
    stateText_->setText(tr("Ready"));
    UpdateCommands();
    gallery_->setFocus();
    activateWindow();
    if (failed) ShowLowResources();
}

void FormMain::ShowLowResources()
{
    ShowMessage(QMessageBox::NoIcon, kTitle,
                tr("Low system resources. Some images could not be generated or could not be displayed.\n"
                   "Please use smaller image or try to run this software on a computer with more memory."));
}

void FormMain::closeEvent(QCloseEvent* event)
{
    if (!state_.OutDir.isEmpty()) WriteSetting(kOutDirSetting, state_.OutDir);
    if (!(preview_->Mode() == startZoom_)) WriteSetting(kZoomModeSetting, ZoomModeText(preview_->Mode()));
    // Written only when changed, like the zoom mode.
    if (state_.KeepLocation != (ReadSetting(kKeepLocationSetting) == QLatin1String("1")))
        WriteSetting(kKeepLocationSetting, state_.KeepLocation ? QStringLiteral("1") : QStringLiteral("0"));
    QMainWindow::closeEvent(event);
}

}  // namespace lumetra
