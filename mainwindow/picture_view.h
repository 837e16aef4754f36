#pragma once
// The widget inside the preview that paints one picture at a zoom factor, only the part
// an update asks for. Below one-to-one the picture is reduced smoothly (once per picture
// and size, then kept); at and above it every picture pixel is a crisp block, painted
// straight from the picture, so dots and lines can be inspected.

#include <QImage>
#include <QWidget>

namespace lumetra {

class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    // Shows the picture and takes its size at the current zoom.
    void SetPicture(const QImage& picture);
    // Device pixels per picture pixel; the widget takes the picture's size at it.
    void SetZoom(double factor);

    const QImage& Picture() const { return picture_; }
    double Zoom() const { return zoom_; }
    // Widget pixels per picture pixel (the zoom over the screen's pixel ratio).
    double Scale() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void TakeSize();
    const QImage& Reduced();

    QImage picture_;
    double zoom_ = 1.0;
    QImage reduced_;  // the smooth reduction below one-to-one, in device pixels
    qint64 reducedFrom_ = 0;
};

}  // namespace lumetra
