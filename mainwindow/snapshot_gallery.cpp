#include "snapshot_gallery.h"

#include <QPixmap>

#include "snapshot_thumbnail.h"

namespace lumetra {

SnapshotGallery::SnapshotGallery(QWidget* parent) : QListWidget(parent)
{
    setViewMode(QListView::IconMode);
    setFlow(QListView::TopToBottom);
    setWrapping(false);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(kThumbnailPixels, kThumbnailPixels));
    setUniformItemSizes(true);
    setSpacing(4);
    setWordWrap(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAccessibleName(tr("Gallery"));
    connect(this, &QListWidget::currentRowChanged, this,
            [this](int row) { emit pictureSelected(row >= 0 && row < Count() ? pictures_[row] : QImage()); });
}

void SnapshotGallery::AddSnapshot(const QString& caption, const QImage& picture, const QImage& thumbnail)
{
    pictures_.push_back(picture);
    auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(thumbnail)), caption);
    item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
    item->setData(Qt::AccessibleTextRole, caption);
    addItem(item);
    emit countChanged(Count());
}

void SnapshotGallery::ReplacePicture(int slot, const QImage& picture)
{
    pictures_.at(slot) = picture;
    if (slot == currentRow()) emit pictureSelected(picture);
}

void SnapshotGallery::ReplaceSnapshot(int slot, const QImage& picture, const QImage& thumbnail)
{
    item(slot)->setIcon(QIcon(QPixmap::fromImage(thumbnail)));
    ReplacePicture(slot, picture);
}

void SnapshotGallery::ClearSnapshots()
{
    // The pictures go first, so the selection change that clear() reports finds none.
    pictures_.clear();
    clear();
    emit countChanged(0);
}

QModelIndex SnapshotGallery::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action == MoveLeft)
        action = MoveUp;
    else if (action == MoveRight)
        action = MoveDown;
    return QListWidget::moveCursor(action, modifiers);
}

QImage SnapshotGallery::SelectedPicture() const
{
    const int slot = SelectedSlot();
    return slot >= 0 && slot < Count() ? pictures_[slot] : QImage();
}

}  // namespace lumetra
