// lumetra: the desktop program. A picture file named on the command line is opened
// once the window is up.

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include "batch/folder_paths.h"
#include "mainwindow/form_main.h"
#include "translations/install_translators.h"

static void LoadIconResource() { Q_INIT_RESOURCE(assets); }

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    lumetra::InstallTranslators();
    QApplication::setApplicationName(QStringLiteral("Lumetra"));
    QApplication::setOrganizationName(QStringLiteral("Veltrup"));
    QApplication::setApplicationVersion(QStringLiteral(LUMETRA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.veltrup.lumetra"));
    LoadIconResource();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lumetra.png")));

    lumetra::FormMain window;
    window.show();

    const QStringList arguments = QApplication::arguments().mid(1);
    if (!arguments.isEmpty()) {
        const QString path = QFileInfo(arguments.constFirst()).absoluteFilePath();
        QTimer::singleShot(0, &window, [&window, path] {
            window.State().SourcePath = path;
            window.State().LastDir = lumetra::FolderOf(path);
            window.OpenPictureFile(path);
        });
    }
    return app.exec();
}
