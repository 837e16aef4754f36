#pragma once
// The snapshot gallery on the left of the main window: one framed thumbnail with a
// caption per picture, entry k holding gallery slot k ("Original" first). The entry
// that becomes current, by click or by any key, is the one the preview shows, so Save
// and Copy always act on the picture the user sees. Left and Right move through the
// single column like Up and Down.

#include <QImage>
#include <QListWidget>
#include <vector>

namespace lumetra {

class SnapshotGallery : public QListWidget {
    Q_OBJECT
public:
    explicit SnapshotGallery(QWidget* parent = nullptr);

    // Appends an entry with its full-size picture and its thumbnail.
    void AddSnapshot(const QString& caption, const QImage& picture, const QImage& thumbnail);
    // Gives a slot a new full-size picture; its thumbnail stays.
    void ReplacePicture(int slot, const QImage& picture);
    // Gives a slot a new picture and thumbnail, keeping its place and the selection.
    void ReplaceSnapshot(int slot, const QImage& picture, const QImage& thumbnail);
    // Removes every entry and picture.
    void ClearSnapshots();

    int Count() const { return int(pictures_.size()); }
    const QImage& Picture(int slot) const { return pictures_.at(slot); }
    // The slot of the current entry, or -1 when there is none.
    int SelectedSlot() const { return currentRow(); }
    // The picture of the current entry, or an empty picture.
    QImage SelectedPicture() const;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

signals:
    // The current entry changed; the picture is empty when no entry is current.
    void pictureSelected(const QImage& picture);
    void countChanged(int count);

private:
    std::vector<QImage> pictures_;
};

}  // namespace lumetra
