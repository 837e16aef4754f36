#pragma once
// FormResize: the prompt shown after a large picture is opened or pasted. It offers an
// automatic working size (long side 800) or a custom one no larger than the picture.
//
// For the main window:
//     if (std::optional<QSize> size = lumetra::FormResize::Ask(this, picture.size())) {
//         // show the wait cursor, then resample the source picture to *size through the
//         // shared resize routine (engine/resize.h, ResizePlane); the gallery's
//         // "Original" entry stays as it is.
//     }
// Ask returns nothing when the user cancels or closes the window; then nothing changes.

#include <QDialog>
#include <QSize>

#include <optional>

#include "resize_choice.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lumetra {

class FormResize : public QDialog {
    Q_OBJECT
public:
    explicit FormResize(QSize picture, QWidget* parent = nullptr);

    // Shows the prompt modally over parent; the size to resample to, or nothing.
    static std::optional<QSize> Ask(QWidget* parent, QSize picture);

    // The size OK stands for with the window's current choice and boxes.
    QSize ChosenSize() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* MakeSizeBox(const char* name, int value);
    void ClampBox(QLineEdit* box, int bound);

    int OrigWidth;
    int OrigHeight;
    QRadioButton* OptionAuto = nullptr;
    QRadioButton* OptionCustom = nullptr;
    QLineEdit* TextW = nullptr;
    QLineEdit* TextH = nullptr;
    QPushButton* CmdOK = nullptr;
    QPushButton* CmdCancel = nullptr;
};

}  // namespace lumetra
