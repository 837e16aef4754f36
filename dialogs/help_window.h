#pragma once
// The bundled help page in a window of the program's own: links within the page and
// its pictures work without a web browser; links to other sites open in the desktop's
// browser.

#include <QDialog>

class QTextBrowser;

namespace lumetra {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Loads the page; "" on success, otherwise a message naming the page and the reason.
    QString Load(const QString& path);
    QTextBrowser* Browser() const { return browser_; }

    // Shows the owner's help window with the page from its start, made on first use and
    // kept; "" on success, otherwise the message of Load.
    static QString ShowFor(QWidget* owner);

private:
    QTextBrowser* browser_;
};

}  // namespace lumetra
