#include "form_about.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

// The artwork lives in the shared resource file of assets/, linked in as a static
// library, whose registration must be pulled in by name (outside any namespace).
static void LoadArtworkResource() { Q_INIT_RESOURCE(assets); }

namespace lumetra {

namespace {

constexpr int kArtworkSide = 96;

QLabel* MakeArtwork(QWidget* parent)
{
    LoadArtworkResource();
    auto* image = new QLabel(parent);
    image->setObjectName(QStringLiteral("Image1"));
    // Drawn from the icon at the screen's pixel ratio, so it stays crisp on high-DPI screens.
    const QIcon artwork(QStringLiteral(":/lumetra.png"));
    image->setPixmap(artwork.pixmap(QSize(kArtworkSide, kArtworkSide), parent->devicePixelRatioF()));
    image->setFixedSize(kArtworkSide, kArtworkSide);
    return image;
}

}  // namespace

FormAbout::FormAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(tr("About"));

    auto* version = new QLabel(QString::fromLatin1(kVersionCaption), this);
    version->setObjectName(QStringLiteral("LabelVer"));
    QFont bold = version->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.5);
    version->setFont(bold);

    auto* notice = new QLabel(tr(kLicenceNotice), this);
    notice->setObjectName(QStringLiteral("LabelNotice"));

    auto* texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(version);
    texts->addWidget(notice);
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(MakeArtwork(this));
    top->addSpacing(12);
    top->addLayout(texts);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("CmdOK"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FormAbout::Show(QWidget* parent)
{
    FormAbout form(parent);
    form.exec();
}

}  // namespace lumetra
