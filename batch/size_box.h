#pragma once
// The width and height boxes of the batch window's "Image size" frame.

#include <QLineEdit>

namespace lumetra {

inline constexpr int kMinSizeValue = 10;
inline constexpr int kMaxSizeValue = 10000;

// The size a box's text stands for: the number the text begins with (leading blanks
// ignored, halves rounded to even), 0 when it begins with none, then brought into
// 10..10000. Never 0, so a size read from a box can always be divided by.
int NormaliseSizeValue(const QString& text);

// Accepts at most five digits, selects its whole text when it gets the focus (and says
// so, so the window can switch to "New size:"), and normalises its text when it loses it.
class SizeBox : public QLineEdit {
    Q_OBJECT
public:
    explicit SizeBox(const QString& text, QWidget* parent = nullptr);

    // Rewrites the text as its normalised value and returns that value.
    int Normalise();

signals:
    void focused();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace lumetra
