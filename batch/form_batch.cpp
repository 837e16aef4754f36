#include "batch/form_batch.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QMimeData>
#include <QSettings>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "batch/batch_run.h"
#include "batch/dropped_pictures.h"
#include "batch/folder_paths.h"
#include "batch/size_box.h"
#include "engine/catalogue.h"
#include "imaging/picture_formats.h"
#include "translations/captions.h"

namespace lumetra {

namespace {

// Remembers the choice of "Skip files already converted" between runs of the program.
const QString kSkipExistingSetting = QStringLiteral("SkipExisting");

// The item role that holds where below the output folder an item's output goes.
constexpr int kSubFolderRole = Qt::UserRole + 1;

QPushButton* CommandButton(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    // Enter in a size box must not start a command.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

FormBatch::FormBatch(QWidget* parent, const EngineParams& params, const EngineOptions& options, QString& lastDir,
                     QString& outDir)
    : QDialog(parent),
      params_(params),
      options_(options),
      lastDir_(lastDir),
      outDir_(outDir),
      prompts_(std::make_unique<BatchPrompts>()),
      run_(new BatchRun(this))
{
    setObjectName(QStringLiteral("FormBatch"));
    setWindowTitle(tr("Batch Converter"));
    setModal(true);
    BuildControls();
    connect(run_, &BatchRun::fileStarted, this, [this](int, const QString& path) { OnFileStarted(path); });
    connect(run_, &BatchRun::fileDone, this, &FormBatch::OnFileDone);
    connect(run_, &BatchRun::finished, this, &FormBatch::OnRunFinished);
    ShowFileCount();
    EnableControls(true);
}

void FormBatch::SetPrompts(std::unique_ptr<BatchPrompts> prompts) { prompts_ = std::move(prompts); }

void FormBatch::SetConverter(ConvertFn convert) { run_->SetConverter(std::move(convert)); }

void FormBatch::BuildControls()
{
    LvFile = new QTreeWidget(this);
    LvFile->setObjectName(QStringLiteral("LvFile"));
    LvFile->setColumnCount(1);
    LvFile->setHeaderLabels({tr("File list")});
    LvFile->setAccessibleName(tr("File list"));
    LvFile->setRootIsDecorated(false);
    LvFile->setUniformRowHeights(true);
    LvFile->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LvFile->setIconSize(QSize(16, 16));
    LvFile->setMinimumWidth(543);
    LvFile->installEventFilter(this);
    // Files and folders dropped from a file manager join the list.
    LvFile->setAcceptDrops(true);
    LvFile->viewport()->setAcceptDrops(true);
    LvFile->viewport()->installEventFilter(this);

    CmdAddFiles = CommandButton(tr("Add Files"), QStringLiteral("CmdAddFiles"), this);
    CmdAddFolder = CommandButton(tr("Add Folder"), QStringLiteral("CmdAddFolder"), this);
    CmdAddFolderTree = CommandButton(tr("Add Folder with Sub-folders…"), QStringLiteral("CmdAddFolderTree"), this);
    CmdAddFolderTree->setToolTip(
        tr("Add the pictures of a folder and of every folder below it; the outputs "
           "keep the same folders"));
    CmdRemove = CommandButton(tr("Remove"), QStringLiteral("CmdRemove"), this);
    CmdConvert = CommandButton(tr("Convert"), QStringLiteral("CmdConvert"), this);
    CmdStop = CommandButton(tr("Stop"), QStringLiteral("CmdStop"), this);
    connect(CmdAddFiles, &QPushButton::clicked, this, &FormBatch::CmdAddFiles_Click);
    connect(CmdAddFolder, &QPushButton::clicked, this, &FormBatch::CmdAddFolder_Click);
    connect(CmdAddFolderTree, &QPushButton::clicked, this, &FormBatch::CmdAddFolderTree_Click);
    connect(CmdRemove, &QPushButton::clicked, this, &FormBatch::CmdRemove_Click);
    connect(CmdConvert, &QPushButton::clicked, this, &FormBatch::CmdConvert_Click);
    connect(CmdStop, &QPushButton::clicked, this, &FormBatch::CmdStop_Click);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {CmdAddFiles, CmdAddFolder, CmdAddFolderTree, CmdRemove}) buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(CmdConvert);
    buttons->addWidget(CmdStop);

    auto* top = new QHBoxLayout;
    top->addWidget(LvFile, 1);
    top->addLayout(buttons);

    LabelCount = new QLabel(this);
    LabelCount->setObjectName(QStringLiteral("LabelCount"));
    LabelCount->setFixedWidth(200);
    LabelState = new QLabel(tr("Ready"), this);
    LabelState->setObjectName(QStringLiteral("LabelState"));
    LabelState->setFixedWidth(200);
    ProgressConvert = new QProgressBar(this);
    ProgressConvert->setObjectName(QStringLiteral("ProgressConvert"));
    ProgressConvert->setRange(0, 100);
    ProgressConvert->setValue(0);
    ProgressConvert->setTextVisible(false);
    ProgressConvert->setAccessibleName(tr("Progress"));
    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    auto* spacer = new QWidget(statusBar);
    spacer->setFixedWidth(10);
    statusBar->addWidget(spacer);
    statusBar->addWidget(LabelCount);
    statusBar->addWidget(LabelState);
    statusBar->addWidget(ProgressConvert, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(BuildOptions());
    layout->addWidget(statusBar);
    resize(720, 520);
}

QWidget* FormBatch::BuildOptions()
{
    auto* options = new QWidget(this);

    Frame2 = new QGroupBox(tr("Cartoon effect"), options);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    ComboEffect = new QComboBox(Frame2);
    ComboEffect->setObjectName(QStringLiteral("ComboEffect"));
    for (int index = 0; index < kBatchEffectCount; ++index)
        ComboEffect->addItem(EffectCaption(SlotOfBatchIndex(index)));
    ComboEffect->setCurrentIndex(0);
    (new QVBoxLayout(Frame2))->addWidget(ComboEffect);

    Frame3 = new QGroupBox(tr("Output format"), options);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    ComboFormat = new QComboBox(Frame3);
    ComboFormat->setObjectName(QStringLiteral("ComboFormat"));
    for (const PictureFormat format : kWrittenFormats) ComboFormat->addItem(InfoOf(format).name);
    ComboFormat->setCurrentIndex(0);
    CheckSkipExisting = new QCheckBox(tr("Skip files already converted"), Frame3);
    CheckSkipExisting->setObjectName(QStringLiteral("CheckSkipExisting"));
    CheckSkipExisting->setToolTip(tr("Leave a file out when its output in the output folder is newer than it"));
    CheckSkipExisting->setChecked(QSettings().value(kSkipExistingSetting).toBool());
    connect(CheckSkipExisting, &QCheckBox::toggled, this,
            [](bool on) { QSettings().setValue(kSkipExistingSetting, on); });
    // Off unless the user wants the photos' GPS positions in what is shared.
    CheckKeepLocation = new QCheckBox(tr("Keep location"), Frame3);
    CheckKeepLocation->setObjectName(QStringLiteral("CheckKeepLocation"));
    CheckKeepLocation->setAccessibleName(tr("Keep location"));
    CheckKeepLocation->setToolTip(tr("Keep the GPS position of each photo in the JPEG, PNG and TIFF files written"));
    auto* formatLayout = new QVBoxLayout(Frame3);
    formatLayout->addWidget(ComboFormat);
    formatLayout->addWidget(CheckSkipExisting);
    formatLayout->addWidget(CheckKeepLocation);

    Frame1 = new QGroupBox(tr("Image size"), options);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    OptionAuto = new QRadioButton(tr("Don't resize"), Frame1);
    OptionAuto->setObjectName(QStringLiteral("OptionAuto"));
    OptionAuto->setChecked(true);
    OptionCustom = new QRadioButton(tr("New size:"), Frame1);
    OptionCustom->setObjectName(QStringLiteral("OptionCustom"));
    TextW = new SizeBox(QStringLiteral("800"), Frame1);
    TextW->setObjectName(QStringLiteral("TextW"));
    TextH = new SizeBox(QStringLiteral("600"), Frame1);
    TextH->setObjectName(QStringLiteral("TextH"));
    for (SizeBox* box : {TextW, TextH}) {
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
        connect(box, &SizeBox::focused, OptionCustom, [this] { OptionCustom->setChecked(true); });
    }
    CheckAspect = new QCheckBox(tr("Preserve Aspect Ratio"), Frame1);
    CheckAspect->setObjectName(QStringLiteral("CheckAspect"));
    CheckAspect->setChecked(true);

    auto* size = new QGridLayout(Frame1);
    size->addWidget(OptionAuto, 0, 0);
    size->addWidget(OptionCustom, 1, 0);
    size->addWidget(new QLabel(tr("Width:"), Frame1), 1, 1);
    size->addWidget(TextW, 1, 2);
    size->addWidget(new QLabel(tr("pixels"), Frame1), 1, 3);
    size->addWidget(new QLabel(tr("Height:"), Frame1), 2, 1);
    size->addWidget(TextH, 2, 2);
    size->addWidget(new QLabel(tr("pixels"), Frame1), 2, 3);
    size->addWidget(CheckAspect, 3, 0, 1, 4);
    size->setColumnStretch(4, 1);

    auto* choices = new QVBoxLayout;
    choices->addWidget(Frame2);
    choices->addWidget(Frame3);
    choices->addStretch(1);
    auto* row = new QHBoxLayout(options);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(choices, 1);
    row->addWidget(Frame1, 1);
    return options;
}

bool FormBatch::eventFilter(QObject* watched, QEvent* event)
{
    // Ctrl+A selects every file whatever other modifiers are held.
    if (watched == LvFile && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_A && key->modifiers().testFlag(Qt::ControlModifier)) {
            LvFile->selectAll();
            return true;
        }
    }
    if (watched == LvFile->viewport() && AcceptDrop(event)) return true;
    return QDialog::eventFilter(watched, event);
}

bool FormBatch::AcceptDrop(QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    // The list changes only between runs, as with the add commands.
    if (!CmdAddFiles->isEnabled() || !drop->mimeData() || !CarriesLocalFiles(*drop->mimeData())) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        AddInputs(DroppedPictures(*drop->mimeData()));
        ShowFileCount();
    }
    return true;
}

void FormBatch::AddFile(const QString& path, const QString& subFolder)
{
    if (FileInList(path) || !HasPictureExtension(path)) return;
    auto* item = new QTreeWidgetItem(LvFile, {path});
    SetStatus(item, FileStatus::Waiting);
    item->setData(0, kSubFolderRole, subFolder);
    listed_.insert(FileKey(path));
}

void FormBatch::AddInputs(const QList<BatchInput>& inputs)
{
    LvFile->setUpdatesEnabled(false);
    for (const BatchInput& input : inputs) AddFile(input.path, input.subFolder);
    LvFile->setUpdatesEnabled(true);
}

bool FormBatch::KeepLocation() const { return CheckKeepLocation->isChecked(); }

void FormBatch::SetKeepLocation(bool keep) { CheckKeepLocation->setChecked(keep); }

bool FormBatch::FileInList(const QString& path) const { return listed_.contains(FileKey(path)); }

QStringList FormBatch::Files() const
{
    QStringList files;
    for (int row = 0; row < LvFile->topLevelItemCount(); ++row) files << LvFile->topLevelItem(row)->text(0);
    return files;
}

QList<BatchInput> FormBatch::Inputs() const
{
    QList<BatchInput> inputs;
    for (int row = 0; row < LvFile->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = LvFile->topLevelItem(row);
        inputs.append({item->text(0), item->data(0, kSubFolderRole).toString()});
    }
    return inputs;
}

FileStatus FormBatch::Status(int row) const
{
    return static_cast<FileStatus>(LvFile->topLevelItem(row)->data(0, Qt::UserRole).toInt());
}

void FormBatch::SetStatus(QTreeWidgetItem* item, FileStatus status)
{
    item->setIcon(0, StatusIcon(status));
    item->setData(0, Qt::UserRole, static_cast<int>(status));
}

QTreeWidgetItem* FormBatch::ItemOf(const QString& path) const
{
    const QList<QTreeWidgetItem*> found = LvFile->findItems(path, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return found.isEmpty() ? nullptr : found.first();
}

void FormBatch::ShowFileCount()
{
    const int n = LvFile->topLevelItemCount();
    // Two source texts keep the English "0 file" and "1 file"; each language's own
    // plural forms come from %n.
    LabelCount->setText(n < 2 ? tr("%n file", nullptr, n) : tr("%n files", nullptr, n));
}

void FormBatch::CmdAddFiles_Click()
{
    const QStringList chosen = prompts_->ChooseFiles(this, lastDir_, OpenFilters());
    if (!chosen.isEmpty()) {
        LvFile->setUpdatesEnabled(false);
        for (const QString& path : chosen) AddFile(path);
        LvFile->setUpdatesEnabled(true);
        lastDir_ = FolderOf(chosen.last());
    }
    ShowFileCount();
}

QString FormBatch::AskForFolder(const QString& prompt, QString& kept)
{
    const QString chosen = prompts_->ChooseFolder(this, prompt, kept);
    if (chosen.isEmpty()) return {};
    if (!IsFolderReadable(chosen)) {
        prompts_->ShowError(this, tr("Can not read %1").arg(chosen));
        return {};
    }
    kept = WithTrailingSlash(chosen);
    return kept;
}

void FormBatch::CmdAddFolder_Click() { AddFolder(false); }

void FormBatch::CmdAddFolderTree_Click() { AddFolder(true); }

void FormBatch::AddFolder(bool withSubFolders)
{
    const QString folder = AskForFolder(tr("Please select a folder."), lastDir_);
    if (folder.isEmpty()) return;
    AddInputs(FindPictures(folder, withSubFolders));
    ShowFileCount();
}

void FormBatch::CmdRemove_Click()
{
    for (int row = LvFile->topLevelItemCount() - 1; row >= 0; --row) {
        QTreeWidgetItem* item = LvFile->topLevelItem(row);
        if (item->isSelected()) {
            listed_.remove(FileKey(item->text(0)));
            delete item;
        }
    }
    ShowFileCount();
}

}  // namespace lumetra
