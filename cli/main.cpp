// lumetra-cli: the effects of Lumetra without a window.

#include <QCoreApplication>
#include <QLoggingCategory>

#include "cli/command_line.h"
#include "cli/console.h"
#include "cli/file_commands.h"
#include "cli/help_text.h"
#include "cli/run_support.h"
#include "engine/plane_buffer.h"
#include "imaging/file_names.h"
#include "translations/install_translators.h"

// The commands report each file's failures themselves; an exception that still gets here
// (no memory even for the arguments) ends the program the runtime's way.
int main(int argc, char* argv[])  // NOLINT(bugprone-exception-escape)
{
    using namespace lumetra::cli;
    lumetra::KeepLargeHeapBlocks();
    QCoreApplication app(argc, argv);
    lumetra::InstallTranslators();
    // The codecs' own warnings (colour profiles, damaged data) would bury the messages
    // that name the file; damage that matters is reported by the file layer itself.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
    // File names are bytes: each argument is taken as given, not re-encoded, so a
    // name that is not valid text still names its file.
    QStringList args;
    for (int i = 1; i < argc; ++i) args << lumetra::NameFromBytes(argv[i]);

    Console console;
    const ParseResult parsed = ParseCommandLine(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        console.Message(QStringLiteral("lumetra-cli: %1\nTry \"lumetra-cli --help\".").arg(error->message));
        return kExitUsage;
    }
    const Command& command = std::get<Command>(parsed);
    switch (command.kind) {
    case CommandKind::Help: PrintOut(HelpText()); return kExitDone;
    case CommandKind::Version: PrintOut(VersionText()); return kExitDone;
    case CommandKind::Effects: PrintOut(EffectsText()); return kExitDone;
    case CommandKind::Render: return RunRender(command, console);
    case CommandKind::Gallery: return RunGallery(command, console);
    case CommandKind::Batch: return RunBatch(command, console);
    }
    return kExitUsage;
}
