#include "cli/run_support.h"

#include <QDir>
#include <QFileInfo>

#include "imaging/plane_transfer.h"
#include "imaging/source_picture.h"

namespace lumetra::cli {

bool PrepareEngine(Engine& engine, const Command& command, Console& console)
{
    SourcePlane source = ReadSourcePlane(command.inputs.first(), ReadLimits{command.maxMegapixels}, command.size);
    if (!source.warning.isEmpty())
        console.Message(source.warning);
    if (!source.ok()) {
        console.Message(source.error);
        return false;
    }
    engine.SrcPixels = std::move(source.plane);
    engine.PencilTexture = LoadPencilTexture();
    if (engine.PencilTexture.Empty()) {
        console.Message(QStringLiteral("Cannot load the built-in pencil texture."));
        return false;
    }
    engine.params = command.params;
    engine.options = command.options;
    return true;
}

bool MakeOutputFolder(const QString& folder, Console& console)
{
    const QFileInfo info(folder);
    if (info.isDir())
        return true;
    if (info.exists() || !QDir().mkpath(folder)) {
        console.Message(QStringLiteral("Cannot create the output folder \"%1\"%2.")
                            .arg(QDir::toNativeSeparators(folder),
                                 info.exists() ? QStringLiteral(": a file of that name is in the way")
                                               : QStringLiteral(": permission denied or no such parent")));
        return false;
    }
    return true;
}

}  // namespace lumetra::cli
