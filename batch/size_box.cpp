#include "batch/size_box.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace lumetra {

int NormaliseSizeValue(const QString& text)
{
    static const QRegularExpression leadingNumber(QStringLiteral(R"(^\s*([+-]?(\d+\.?\d*|\.\d+)))"));
    const QRegularExpressionMatch match = leadingNumber.match(text);
    const double value = match.hasMatch() ? std::nearbyint(match.captured(1).toDouble()) : 0.0;
    if (value <= kMinSizeValue) return kMinSizeValue;
    return static_cast<int>(std::min<double>(value, kMaxSizeValue));
}

SizeBox::SizeBox(const QString& text, QWidget* parent) : QLineEdit(text, parent)
{
    setMaxLength(5);
    // Typed and pasted text alike: digits only.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
}

int SizeBox::Normalise()
{
    const int value = NormaliseSizeValue(text());
    setText(QString::number(value));
    return value;
}

void SizeBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // A mouse click places the cursor after the focus arrives; select once it has.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
    emit focused();
}

void SizeBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    Normalise();
}

}  // namespace lumetra
