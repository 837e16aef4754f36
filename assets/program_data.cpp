#include "assets/program_data.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace lumetra {

QString ProgramDataPath(const QString& programFolder, const QString& name)
{
    const QDir folder(programFolder);
    QString besideProgram = folder.filePath(name);
    // LUMETRA_DATA_FROM_BIN is the install layout's relative way from bin to the data.
    QString installed = QDir::cleanPath(folder.filePath(QStringLiteral(LUMETRA_DATA_FROM_BIN "/") + name));
    if (!QFileInfo::exists(besideProgram) && QFileInfo::exists(installed)) return installed;
    return besideProgram;
}

QString ProgramDataPath(const QString& name) { return ProgramDataPath(QCoreApplication::applicationDirPath(), name); }

}  // namespace lumetra
