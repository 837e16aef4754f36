#pragma once
// A text box for whole numbers: it takes only the digits 0 to 9 and Backspace from the
// keyboard (other characters are dropped, not inserted), refuses pasted text that is
// not all digits, and selects its whole text when it gets the focus.

#include <QLineEdit>

namespace lumetra {

class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace lumetra
