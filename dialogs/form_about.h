#pragma once
// FormAbout: the program's artwork, name, version and licence notice, closed with OK.
//
// For the main window (the About command):
//     lumetra::FormAbout::Show(this);

#include <QDialog>

namespace lumetra {

// The program's name with its major.minor version.
inline constexpr char kVersionCaption[] = "Lumetra " LUMETRA_VERSION_SHORT;
inline constexpr char kLicenceNotice[] =
    QT_TRANSLATE_NOOP("lumetra::FormAbout", "Free software under the GNU GPL, version 3 or later, with no warranty.");

class FormAbout : public QDialog {
    Q_OBJECT
public:
    explicit FormAbout(QWidget* parent = nullptr);

    // Shows the box modally over parent and returns when it is closed.
    static void Show(QWidget* parent);
};

}  // namespace lumetra
