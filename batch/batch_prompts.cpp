#include "batch/batch_prompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace lumetra {

namespace {
const QString kProgramTitle = QStringLiteral("Lumetra");
}

QString BatchPrompts::ChooseFolder(QWidget* owner, const QString& prompt, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(owner, prompt, startFolder, QFileDialog::ShowDirsOnly);
}

QStringList BatchPrompts::ChooseFiles(QWidget* owner, const QString& startFolder, const QStringList& filters)
{
    return QFileDialog::getOpenFileNames(owner, QString(), startFolder, filters.join(QStringLiteral(";;")));
}

void BatchPrompts::ShowError(QWidget* owner, const QString& text)
{
    QMessageBox::critical(owner, QCoreApplication::translate("lumetra::BatchPrompts", "Error"), text);
}

void BatchPrompts::ShowWarning(QWidget* owner, const QString& text)
{
    QMessageBox::warning(owner, kProgramTitle, text);
}

bool BatchPrompts::AskYesNo(QWidget* owner, const QString& question)
{
    return QMessageBox::question(owner, kProgramTitle, question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

bool BatchPrompts::OpenFolder(const QString& folder) { return QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); }

void BatchPrompts::Beep() { QApplication::beep(); }

}  // namespace lumetra
