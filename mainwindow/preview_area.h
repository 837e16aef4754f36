#pragma once
// The scrolling preview in the middle of the main window. It shows one gallery picture
// at a time, one picture pixel to one screen pixel: centred (20 pixels left of and
// above the true centre) when it is smaller than the area, at the top left and
// reached by scrolling when it is larger.

#include <QImage>
#include <QScrollArea>

class QLabel;

namespace lumetra {

// Offset in twips of a picture side in an area side, both in twips: the picture is
// centred within the area less a 300-twip margin when the area minus the margin is
// larger than the picture, otherwise it starts at 0.
int PreviewOffset(int areaTwips, int pictureTwips);

class PreviewArea : public QScrollArea {
    Q_OBJECT
public:
    explicit PreviewArea(QWidget* parent = nullptr);

    // Shows the picture (an empty one shows nothing) without moving the layout.
    void ShowPicture(const QImage& picture);
    // Places the picture again and scrolls back to the top left.
    void ArrangePreview();

    const QImage& Shown() const { return shown_; }
    QPoint PicturePosition() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* canvas_;
    QLabel* picture_;
    QImage shown_;
};

}  // namespace lumetra
