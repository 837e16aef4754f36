// The file commands of the main window: Open (also by dropping a file), Save, Copy,
// Paste, Batch, Help and About.

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QStandardPaths>
#include <new>

#include "batch/folder_paths.h"
#include "batch/form_batch.h"
#include "engine/resize.h"
#include "form_main.h"

#include <new>
#include "imaging/file_names.h"
#include "imaging/picture_file.h"
#include "imaging/plane_transfer.h"
#include "imaging/size_limit.h"
#include "preview_area.h"
#include "snapshot_gallery.h"

namespace lumetra {

namespace {

// Pictures wider and taller than this (both strictly) bring up the resize prompt.
constexpr int kPromptWidth = 1024;
constexpr int kPromptHeight = 768;

// A clipboard picture as an opaque RGB32 picture, transparent parts over black like
// the pictures read from files.
QImage OpaqueOverBlack(const QImage& image)
{
    if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::black);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    return opaque;
}

// Where Save starts before anything was saved: the user's pictures folder (the home
// folder without one), not the program's own folders, which may be read-only.
QString FirstSaveFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return WithTrailingSlash(QFileInfo(pictures).isDir() ? pictures : QDir::homePath());
}

bool SameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

QString SourceRefusal(const QString& path)
{
    return FormMain::tr("Cannot save %1: it is the picture being worked on. Choose another file name.")
        .arg(ShownPath(path));
}

}  // namespace

void FormMain::CmdOpen_Click()
{
    if (IsGenerating()) return;
    const QString path = prompts_->ChooseOpenFile(this, state_.LastDir, OpenFilters());
    if (path.isEmpty()) return;
    state_.LastDir = FolderOf(path);
    OpenPictureFile(path);
}

bool FormMain::OpenPictureFile(const QString& path)
{
    if (IsGenerating()) return false;
    setCursor(Qt::WaitCursor);
    const ReadResult read = ReadPicture(path);
    unsetCursor();
    // A file that cannot be read changes nothing: the open picture and its gallery stay.
    if (!read.ok()) {
        ShowMessage(QMessageBox::Critical, tr("Error"), read.error);
        return false;
    }
    // The damage is told before anything is asked about the picture.
    if (!read.warning.isEmpty()) ShowMessage(QMessageBox::Warning, kTitle, read.warning);
    state_.SourcePath = path;
    state_.SourceDetails = read.details;
    ShowSourcePicture(read.image);
    return true;
}

void FormMain::ShowSourcePicture(const QImage& picture)
{
    StopLive();  // nothing of the earlier picture may reach the new gallery
    gallery_->ClearSnapshots();
    AddOriginal(picture);
    gallery_->setCurrentRow(0);
    preview_->ArrangePreview();
    if (picture.width() > kPromptWidth && picture.height() > kPromptHeight) {
        if (const std::optional<QSize> size = prompts_->AskResize(this, picture.size())) {
            // The working picture takes the new size; the "Original" thumbnail stays.
            // A size too large for the memory at hand keeps the picture as loaded.
            setCursor(Qt::WaitCursor);
            try {
                const PixelPlane resized = ResizePlane(LoadPixels(picture), {size->width(), size->height()});
                gallery_->ReplacePicture(0, DrawPixels(resized));
            } catch (const std::bad_alloc&) {
                ShowMessage(
                    QMessageBox::Critical, tr("Error"),
                    tr("Not enough memory to resize the picture to %1 x %2.").arg(size->width()).arg(size->height()));
            }
            unsetCursor();
        }
        preview_->ArrangePreview();
    }
}

void FormMain::CmdSave_Click()
{
    if (IsGenerating() || gallery_->Count() == 0) return;
    // The picture being worked on is refused inside the dialog, before it asks whether
    // to replace the file.
    const auto refused = [this](const QString& chosen) {
        const bool source = SameFile(chosen, state_.SourcePath);
        if (source) ShowMessage(QMessageBox::NoIcon, kTitle, SourceRefusal(chosen));
        return source;
    };
    const QString start = state_.SaveDir.isEmpty() ? FirstSaveFolder() : state_.SaveDir;
    const QString path = prompts_->ChooseSaveFile(this, start, SaveFilters(), refused);
    if (path.isEmpty()) return;
    state_.SaveDir = FolderOf(path);
    SaveSelectedPicture(path);
}

bool FormMain::SaveSelectedPicture(const QString& path)
{
    // Chosen by the last four characters: ".tiff" and ".jpeg" are refused rather than
    // guessed at.
    const std::optional<PictureFormat> format = FormatFromKey(path);
    if (!format) {
        ShowMessage(QMessageBox::Critical, tr("Error"), tr("Unknown image format"));
        return false;
    }
    const QImage picture = gallery_->SelectedPicture();
    if (picture.isNull()) {
        ShowMessage(QMessageBox::NoIcon, kTitle, tr("Cannot save %1: no picture is selected.").arg(path));
        return false;
    }
    if (SameFile(path, state_.SourcePath)) {
        ShowMessage(QMessageBox::NoIcon, kTitle, SourceRefusal(path));
        return false;
    }
    setCursor(Qt::WaitCursor);
    // The window has no location choice: a saved picture never reveals where the photo
    // was taken.
    commandClock_.Start(QStringLiteral("Save"));
    const QString error = WritePicture(picture, path, *format, DetailsForOutput(state_.SourceDetails, {}));
    commandClock_.Mark(QStringLiteral("file written"));
    unsetCursor();
    if (!error.isEmpty()) {
        ShowMessage(QMessageBox::NoIcon, kTitle, error);
        return false;
    }
    return true;
}

void FormMain::CmdCopy_Click()
{
    if (IsGenerating() || gallery_->Count() == 0) return;
    const QImage picture = gallery_->SelectedPicture();
    if (picture.isNull()) {
        ShowMessage(QMessageBox::Critical, tr("Error"), tr("There is no picture to copy."));
        return;
    }
    commandClock_.Start(QStringLiteral("Copy"));
    QGuiApplication::clipboard()->setImage(picture);
    commandClock_.Mark(QStringLiteral("picture on the clipboard"));
}

void FormMain::CmdPaste_Click()
{
    if (IsGenerating()) return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QImage image = data && data->hasImage() ? QGuiApplication::clipboard()->image() : QImage();
    if (image.isNull()) {
        ShowMessage(QMessageBox::Information, kTitle, tr("The clipboard is empty"));
        return;
    }
    // The same limit as for files, so a huge pasted picture cannot exhaust the memory.
    if (double(image.width()) * image.height() > DefaultMaxMegapixels() * 1e6) {
        ShowMessage(
            QMessageBox::Critical, tr("Error"),
            tr("Cannot paste the picture on the clipboard: at %1 x %2 pixels it is larger than %3 million pixels.")
                .arg(image.width())
                .arg(image.height())
                .arg(DefaultMaxMegapixels()));
        return;
    }
    // The pasted picture is now the one worked on; no file is.
    state_.SourcePath.clear();
    ShowSourcePicture(OpaqueOverBlack(image));
    state_.SourceDetails = {};
}

void FormMain::CmdBatch_Click()
{
    if (IsGenerating()) return;
    FormBatch batch(this, state_.params, state_.options, state_.LastDir, state_.OutDir);
    batch.SetKeepLocation(state_.KeepLocation);
    batch.exec();
    state_.KeepLocation = batch.KeepLocation();
}

void FormMain::CmdHelp_Click()
{
    const QString error = prompts_->OpenHelp(this);
    if (!error.isEmpty()) ShowMessage(QMessageBox::Critical, tr("Error"), error);
}

void FormMain::CmdAbout_Click() { prompts_->ShowAbout(this); }

void FormMain::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (!IsGenerating() && data->hasUrls() && !data->urls().isEmpty() && data->urls().constFirst().isLocalFile())
        event->acceptProposedAction();
}

void FormMain::dropEvent(QDropEvent* event)
{
    const QString path = event->mimeData()->urls().value(0).toLocalFile();
    if (path.isEmpty() || IsGenerating()) return;
    event->acceptProposedAction();
    state_.LastDir = FolderOf(path);
    OpenPictureFile(path);
}

}  // namespace lumetra
