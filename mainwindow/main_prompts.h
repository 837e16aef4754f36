#pragma once
// Every dialog, message box and desktop call of the main window goes through this one
// object, so tests can answer them without showing anything modal.

#include <QMessageBox>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace lumetra {

class MainPrompts {
public:
    virtual ~MainPrompts() = default;

    // The file chosen in the open dialog, or "" when cancelled.
    virtual QString ChooseOpenFile(QWidget* owner, const QString& startFolder, const QStringList& filters);
    // The file chosen in the save dialog (a name typed without extension gets the one of
    // the chosen file type), or "" when cancelled. A choice for which refused (which
    // tells the user why) returns true keeps the dialog open, before it asks whether to
    // replace an existing file.
    virtual QString ChooseSaveFile(QWidget* owner, const QString& startFolder, const QStringList& filters,
                                   const std::function<bool(const QString&)>& refused);
    // A message box with an OK button.
    virtual void ShowMessage(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text);
    // The resize prompt for a picture of that size: the size to resample to, or nothing.
    virtual std::optional<QSize> AskResize(QWidget* owner, QSize picture);
    virtual void ShowAbout(QWidget* owner);
    // Shows the help page in the help window; "" on success, otherwise a message naming
    // the page and the reason.
    virtual QString OpenHelp(QWidget* owner);
};

}  // namespace lumetra
