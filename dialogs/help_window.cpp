#include "help_window.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "help_page.h"

namespace lumetra {

namespace {
constexpr QSize kStartSize(760, 640);
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Lumetra Help"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    browser_->setOpenExternalLinks(true);
    browser_->setAccessibleName(tr("Help page"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* back = buttons->addButton(tr("Back"), QDialogButtonBox::ActionRole);
    QPushButton* home = buttons->addButton(tr("Contents"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    back->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(home, &QPushButton::clicked, browser_, &QTextBrowser::home);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_, 1);
    layout->addWidget(buttons);
    resize(kStartSize);
}

QString HelpWindow::Load(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return QCoreApplication::translate("lumetra::HelpPage", "Cannot open the help page %1: the file is missing.")
            .arg(path);
    if (!QFileInfo(path).isReadable()) return tr("Cannot open the help page %1: the file cannot be read.").arg(path);
    browser_->setSource(QUrl::fromLocalFile(path));
    return {};
}

QString HelpWindow::ShowFor(QWidget* owner)
{
    auto* window = owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    const bool made = !window;
    if (made) window = new HelpWindow(owner);
    QString error = window->Load(HelpPagePath());
    if (!error.isEmpty()) {
        if (made) delete window;
        return error;
    }
    window->show();
    window->raise();
    window->activateWindow();
    return {};
}

}  // namespace lumetra
