#include "cli/run_support.h"

#include "imaging/atomic_file.h"
#include "imaging/file_names.h"
#include "imaging/plane_transfer.h"
#include "imaging/source_picture.h"

namespace lumetra::cli {

bool PrepareEngine(Engine& engine, const Command& command, Console& console, PhotoDetails& details)
{
    SourcePlane source = ReadSourcePlane(command.inputs.first(), ReadLimits{command.maxMegapixels}, command.size);
    if (!source.warning.isEmpty()) console.Message(source.warning);
    if (!source.ok()) {
        console.Message(source.error);
        return false;
    }
    engine.SrcPixels = std::move(source.plane);
    details = DetailsForOutput(source.details, command.details);
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
    if (const QString reason = CreateFolder(folder); !reason.isEmpty()) {
        console.Message(QStringLiteral("Cannot create the output folder \"%1\": %2.").arg(ShownPath(folder), reason));
        return false;
    }
    return true;
}

}  // namespace lumetra::cli
