// lumetra: the desktop program. A picture file named on the command line is opened
// once the window is up.

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include "batch/folder_paths.h"
#include "engine/plane_buffer.h"
#include "imaging/file_names.h"
#include "mainwindow/form_main.h"
#include "translations/install_translators.h"

static void LoadIconResource() { Q_INIT_RESOURCE(assets); }

int main(int argc, char* argv[])
{
    lumetra::KeepLargeHeapBlocks();
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

    // QApplication has taken its own options out of argv. The name is taken as bytes, so
    // one that is not valid text still names its file.
    if (argc > 1) {
        const QString path = QFileInfo(lumetra::NameFromBytes(argv[1])).absoluteFilePath();
        QTimer::singleShot(0, &window, [&window, path] {
            window.State().LastDir = lumetra::FolderOf(path);
            window.OpenPictureFile(path);
        });
    }
    return app.exec();
}
