#pragma once
// Every dialog, message box and desktop call the batch window makes goes through this
// one object, so that tests can answer them without showing anything modal.

#include <QString>
#include <QStringList>

class QWidget;

namespace lumetra {

class BatchPrompts {
public:
    virtual ~BatchPrompts() = default;

    // A folder chosen by the user, or "" when cancelled.
    virtual QString ChooseFolder(QWidget* owner, const QString& prompt, const QString& startFolder);
    // The files chosen in the open dialog (several may be chosen), or none when cancelled.
    virtual QStringList ChooseFiles(QWidget* owner, const QString& startFolder, const QStringList& filters);
    // A critical message with the title "Error".
    virtual void ShowError(QWidget* owner, const QString& text);
    // A warning with the program's title.
    virtual void ShowWarning(QWidget* owner, const QString& text);
    // A question with Yes and No under the program's title; true for Yes.
    virtual bool AskYesNo(QWidget* owner, const QString& question);
    // False when no program could be started to show the folder.
    virtual bool OpenFolder(const QString& folder);
    virtual void Beep();
};

}  // namespace lumetra
