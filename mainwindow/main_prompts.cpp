#include "main_prompts.h"

#include <QFileDialog>
#include <QRegularExpression>

#include "dialogs/form_about.h"
#include "dialogs/form_resize.h"
#include "dialogs/help_window.h"

namespace lumetra {

namespace {

// "JPG files (*.jpg)" -> "jpg".
QString SuffixOfFilter(const QString& filter)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\(\\*\\.(\\w+)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

// A save dialog that refuses some choices itself, before it asks whether to replace
// an existing file.
class SaveDialog : public QFileDialog {
public:
    SaveDialog(QWidget* owner, const QString& startFolder, const QString& filters,
               const std::function<bool(const QString&)>& refused)
        : QFileDialog(owner, QString(), startFolder, filters), refused_(refused)
    {}

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        if (!chosen.isEmpty() && refused_ && refused_(chosen.constFirst())) return;
        QFileDialog::accept();
    }

private:
    const std::function<bool(const QString&)>& refused_;
};

}  // namespace

QString MainPrompts::ChooseOpenFile(QWidget* owner, const QString& startFolder, const QStringList& filters)
{
    return QFileDialog::getOpenFileName(owner, QString(), startFolder, filters.join(QStringLiteral(";;")));
}

QString MainPrompts::ChooseSaveFile(QWidget* owner, const QString& startFolder, const QStringList& filters,
                                    const std::function<bool(const QString&)>& refused)
{
    SaveDialog dialog(owner, startFolder, filters.join(QStringLiteral(";;")), refused);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(SuffixOfFilter(filters.value(0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(SuffixOfFilter(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void MainPrompts::ShowMessage(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, owner);
    box.exec();
}

std::optional<QSize> MainPrompts::AskResize(QWidget* owner, QSize picture) { return FormResize::Ask(owner, picture); }

void MainPrompts::ShowAbout(QWidget* owner) { FormAbout::Show(owner); }

QString MainPrompts::OpenHelp(QWidget* owner) { return HelpWindow::ShowFor(owner); }

}  // namespace lumetra
