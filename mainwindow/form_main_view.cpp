// The main window's View commands: zoom in and out, one-to-one, Fit, and comparing the
// selected effect with the original while a key or button is held.

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "command_icons.h"
#include "form_main.h"
#include "preview_area.h"
#include "snapshot_gallery.h"

namespace lumetra {

void FormMain::BuildViewCommands(QToolBar* bar)
{
    actZoomIn_ =
        MakeAction(CommandIcon(QStringLiteral("zoom-in")), tr("Zoom In"), tr("Zoom In [Ctrl++]"),
                   {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, &FormMain::ZoomIn);
    actZoomOut_ = MakeAction(CommandIcon(QStringLiteral("zoom-out")), tr("Zoom Out"), tr("Zoom Out [Ctrl+-]"),
                             {QKeySequence(QKeySequence::ZoomOut)}, &FormMain::ZoomOut);
    actActualSize_ =
        MakeAction(CommandIcon(QStringLiteral("zoom-original")), tr("Actual Size"), tr("Actual Size [Ctrl+1]"),
                   {QKeySequence(Qt::CTRL | Qt::Key_1)}, &FormMain::ActualSize);
    actFit_ = MakeAction(CommandIcon(QStringLiteral("zoom-fit-best")), tr("Fit to Window"),
                         tr("Fit to Window [Ctrl+0]"), {QKeySequence(Qt::CTRL | Qt::Key_0)}, &FormMain::FitToWindow);

    viewMenu_ = new QMenu(tr("&View"), this);
    menuBar()->addMenu(viewMenu_);
    const QList<QAction*> zoom{actZoomIn_, actZoomOut_, actActualSize_, actFit_};
    viewMenu_->addActions(zoom);

    bar->addSeparator();
    bar->addActions(zoom);
    compareButton_ = new QToolButton(bar);
    compareButton_->setObjectName(QStringLiteral("CmdCompare"));
    compareButton_->setText(tr("Compare"));
    compareButton_->setToolTip(tr("Show the original while held [\\]"));
    compareButton_->setIcon(CommandIcon(QStringLiteral("view-split-left-right"), QStringLiteral("compare")));
    connect(compareButton_, &QToolButton::pressed, this, &FormMain::StartCompare);
    connect(compareButton_, &QToolButton::released, this, &FormMain::StopCompare);
    bar->addWidget(compareButton_);
    // The view buttons show icons only, so the bar stays as wide as the window's floor.
    for (QAction* action : zoom)
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    compareButton_->setToolButtonStyle(Qt::ToolButtonIconOnly);

    qApp->installEventFilter(this);
}

void FormMain::ZoomIn() { preview_->ZoomIn(); }
void FormMain::ZoomOut() { preview_->ZoomOut(); }
void FormMain::ActualSize() { preview_->ActualSize(); }
void FormMain::FitToWindow() { preview_->FitToWindow(); }

void FormMain::StartCompare()
{
    if (gallery_->Count() > 0) preview_->SetComparison(gallery_->Picture(0));
}

void FormMain::StopCompare() { preview_->SetComparison(QImage()); }

bool FormMain::eventFilter(QObject* watched, QEvent* event)
{
    // Backslash held anywhere in this window compares; the key's repeats change nothing.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_Backslash && widget && widget->window() == this) {
            if (!key->isAutoRepeat()) event->type() == QEvent::KeyPress ? StartCompare() : StopCompare();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void FormMain::changeEvent(QEvent* event)
{
    // A key released in another window never arrives here.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) StopCompare();
    QMainWindow::changeEvent(event);
}

}  // namespace lumetra
