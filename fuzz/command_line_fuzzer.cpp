// Arbitrary argument lists (split at NUL bytes) through the command-line parser. Every
// command it accepts must hold values the commands can use without further checks.

#include <cstdint>
#include <variant>

#include "cli/command_line.h"
#include "engine/catalogue.h"
#include "fuzz/fuzz_check.h"

namespace {

using lumetra::cli::Command;
using lumetra::cli::CommandKind;
using lumetra::fuzz::Require;

void CheckCommand(const Command& command)
{
    for (const lumetra::ParameterInfo& parameter : lumetra::kParameters) {
        const int shown = lumetra::ShownValue(command.params, parameter.id);
        Require(shown >= parameter.minimum && shown <= parameter.maximum, "parameters are in their ranges");
    }
    Require(command.options.colorSketchEnabled == command.options.adjust, "colour sketch is enabled exactly with adjust");
    Require(command.maxMegapixels >= 1.0 && command.maxMegapixels <= 10000.0, "the size limit is in range");
    Require(command.jobs >= 0 && command.jobs <= 256, "the job count is in range");
    if (command.size) {
        Require(command.size->width >= 10 && command.size->width <= 10000, "the width is in range");
        Require(command.size->height >= 10 && command.size->height <= 10000, "the height is in range");
    }
    switch (command.kind) {
    case CommandKind::Render:
        Require(command.inputs.size() == 1 && !command.output.isEmpty(), "render has one input and an output");
        Require(command.effectSlot >= 0 && command.effectSlot < lumetra::kSlotCount, "render's effect is a slot");
        break;
    case CommandKind::Gallery:
        Require(command.inputs.size() == 1 && !command.output.isEmpty(), "gallery has one input and a folder");
        break;
    case CommandKind::Batch:
        Require(!command.inputs.isEmpty() && !command.output.isEmpty(), "batch has inputs and a folder");
        Require(lumetra::IsPixelEffect(command.effectSlot), "batch's effect is a pixel effect");
        break;
    default:
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    lumetra::fuzz::StartQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList args;
    for (const QByteArray& part : bytes.split('\0'))
        args.append(QString::fromUtf8(part));
    if (size == 0)
        args.clear();

    const lumetra::cli::ParseResult parsed = lumetra::cli::ParseCommandLine(args);
    if (const auto* error = std::get_if<lumetra::cli::UsageError>(&parsed))
        Require(!error->message.isEmpty(), "a usage error says what is wrong");
    else
        CheckCommand(std::get<Command>(parsed));
    return 0;
}
