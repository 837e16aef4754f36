#include "form_resize.h"

#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>

namespace lumetra {

namespace {

QLabel* MakeLabel(const QString& text, const char* name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// Switching to another window or opening the box's context menu is not leaving or
// entering the box: the edit in progress stays as it is.
bool MovesWithinWindow(const QFocusEvent& event)
{
    return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

}  // namespace

FormResize::FormResize(QSize picture, QWidget* parent)
    : QDialog(parent), OrigWidth(picture.width()), OrigHeight(picture.height())
{
    setObjectName(QStringLiteral("FormResize"));
    setWindowTitle(tr("Resize"));

    auto* frame = new QGroupBox(tr("New image size"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    OptionAuto = new QRadioButton(tr("Auto"), frame);
    OptionAuto->setObjectName(QStringLiteral("OptionAuto"));
    OptionCustom = new QRadioButton(tr("Custom:"), frame);
    OptionCustom->setObjectName(QStringLiteral("OptionCustom"));
    OptionAuto->setChecked(true);
    TextW = MakeSizeBox("TextW", OrigWidth);
    TextH = MakeSizeBox("TextH", OrigHeight);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(OptionAuto, 0, 0, 1, 5);
    grid->addWidget(OptionCustom, 1, 0);
    grid->addWidget(MakeLabel(tr("Width:"), "Label4", frame), 1, 1);
    grid->addWidget(TextW, 1, 2);
    grid->addWidget(MakeLabel(tr("Height:"), "Label3", frame), 1, 3);
    grid->addWidget(TextH, 1, 4);
    grid->setColumnMinimumWidth(0, 90);

    auto* buttons = new QDialogButtonBox(this);
    CmdOK = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdCancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    CmdCancel->setObjectName(QStringLiteral("CmdCancel"));
    CmdOK->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeLabel(tr("Smaller image size may get better cartoon effect."), "Label1", this));
    layout->addWidget(MakeLabel(tr("Do you want to resize the image now?"), "Label2", this));
    layout->addWidget(frame);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The window opens on OK, so that no size box takes the focus and switches the
    // choice to Custom before the user has touched anything.
    CmdOK->setFocus();
}

QLineEdit* FormResize::MakeSizeBox(const char* name, int value)
{
    auto* box = new QLineEdit(QString::number(value), this);
    box->setObjectName(QString::fromLatin1(name));
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    box->installEventFilter(this);
    return box;
}

bool FormResize::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    const bool focusChange = event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut;
    if (focusChange && box && (box == TextW || box == TextH) && MovesWithinWindow(*static_cast<QFocusEvent*>(event))) {
        if (event->type() == QEvent::FocusIn) {
            OptionCustom->setChecked(true);
            // Deferred, so that the mouse press that gave the focus does not undo it.
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
        } else if (event->type() == QEvent::FocusOut) {
            ClampBox(box, box == TextW ? OrigWidth : OrigHeight);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FormResize::ClampBox(QLineEdit* box, int bound)
{
    box->setText(QString::number(ClampCustomSide(LeadingNumber(box->text()), bound)));
}

QSize FormResize::ChosenSize() const
{
    const ResizeChoice choice = OptionCustom->isChecked() ? ResizeChoice::Custom : ResizeChoice::Auto;
    const QSize custom(LeadingNumber(TextW->text()), LeadingNumber(TextH->text()));
    return lumetra::ChosenSize(QSize(OrigWidth, OrigHeight), choice, custom);
}

std::optional<QSize> FormResize::Ask(QWidget* parent, QSize picture)
{
    FormResize form(picture, parent);
    if (form.exec() != QDialog::Accepted) return std::nullopt;
    return form.ChosenSize();
}

}  // namespace lumetra
