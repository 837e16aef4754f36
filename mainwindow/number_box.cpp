#include "number_box.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace lumetra {

NumberBox::NumberBox(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
}

void NumberBox::keyPressEvent(QKeyEvent* event)
{
    // Keys without text (arrows, Home, Delete, Tab) and Ctrl combinations (copy, select
    // all; a paste is checked by the validator) keep their usual meaning; of the keys
    // that type a character only digits and Backspace get through.
    const QString text = event->text();
    const bool typesCharacter =
        !text.isEmpty() && !(event->modifiers() & Qt::ControlModifier) && event->key() != Qt::Key_Backspace &&
        event->key() != Qt::Key_Delete && event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab &&
        event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter && event->key() != Qt::Key_Escape;
    if (typesCharacter && !(text.size() == 1 && text[0].isDigit() && text[0].unicode() < 128)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumberBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // A mouse click that gave the focus places the cursor after this handler runs, so
    // the selection is made once the click has been handled.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

}  // namespace lumetra
