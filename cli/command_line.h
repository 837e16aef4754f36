#pragma once
// The command line of lumetra-cli, parsed into a command or a usage error. Parsing
// has no side effects (no output, no exit), so tests and fuzzers can drive it.

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

#include "engine/options.h"
#include "imaging/batch_inputs.h"
#include "imaging/convert_file.h"
#include "imaging/picture_file.h"

namespace lumetra::cli {

enum class CommandKind { Render, Gallery, Batch, Effects, Help, Version };

struct Command {
    CommandKind kind = CommandKind::Help;
    QStringList inputs;  // render, gallery: one; batch: one or more
    QString output;      // render: the output file; gallery, batch: the output folder
    int effectSlot = 1;  // render: 0..19; batch: 1..17
    PictureFormat format = PictureFormat::Png;
    std::optional<TargetSize> size;
    int jobs = 0;                // batch; 0: one per core
    bool recursive = false;      // batch: folder inputs with their sub-folders
    QString filesFrom;           // batch: a list of inputs, "-" for standard input
    bool nullSeparated = false;  // batch: that list is NUL-separated
    std::optional<Shard> shard;  // batch: only this share of the sorted inputs
    QString reportPath;          // batch: one JSON line per input
    bool skipExisting = false;   // batch: keep outputs newer than their inputs
    double maxMegapixels = ReadLimits{}.maxMegapixels;
    DetailsChoice details;  // which photo details of the input the outputs keep
    EngineParams params;
    EngineOptions options;
};

struct UsageError {
    QString message;
};

using ParseResult = std::variant<Command, UsageError>;

// args are the arguments after the program name.
ParseResult ParseCommandLine(const QStringList& args);

// The format that render writes for an output path (.jpg .jpeg .png .gif .tif .tiff .bmp).
std::optional<PictureFormat> FormatOfOutput(const QString& path);

}  // namespace lumetra::cli
