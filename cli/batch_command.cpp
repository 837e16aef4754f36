// batch: one effect applied to a list of files, several files at a time.

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <QThread>
#include <atomic>
#include <omp.h>
#include <thread>
#include <vector>

#include "cli/file_commands.h"
#include "cli/run_support.h"
#include "engine/catalogue.h"
#include "imaging/convert_file.h"
#include "imaging/output_names.h"
#include "imaging/plane_transfer.h"

namespace lumetra::cli {

namespace {

// Inputs grouped by the output file they write, in list order. A group runs in one
// job, first to last, so when several inputs share a base name the later in the list
// wins whatever order the jobs finish in.
std::vector<std::vector<int>> GroupByOutput(const Command& command)
{
    std::vector<std::vector<int>> groups;
    QMap<QString, size_t> groupOf;
    for (int i = 0; i < command.inputs.size(); ++i) {
        const QString output = QDir::cleanPath(
            QFileInfo(OutputPath(command.output, command.inputs[i], command.format)).absoluteFilePath());
        const auto found = groupOf.constFind(output);
        if (found != groupOf.cend()) {
            groups[found.value()].push_back(i);
        } else {
            groupOf.insert(output, groups.size());
            groups.push_back({i});
        }
    }
    return groups;
}

}  // namespace

int RunBatch(const Command& command, Console& console)
{
    if (!MakeOutputFolder(command.output, console))
        return kExitFailed;
    const PixelPlane texture = LoadPencilTexture();
    if (texture.Empty()) {
        console.Message(QStringLiteral("Cannot load the built-in pencil texture."));
        return kExitFailed;
    }

    ConvertJob base;
    base.outputFolder = command.output;
    base.effectIndex = command.effectSlot - 1;
    base.format = command.format;
    base.size = command.size;
    base.params = command.params;
    base.options = command.options;
    base.pencilTexture = &texture;
    base.limits = ReadLimits{command.maxMegapixels};
    base.runInputs = QSet<QString>(command.inputs.begin(), command.inputs.end());

    const std::vector<std::vector<int>> groups = GroupByOutput(command);
    const int total = static_cast<int>(command.inputs.size());
    std::atomic<size_t> nextGroup{0};
    std::atomic<int> done{0};
    std::atomic<bool> failed{false};
    const auto work = [&] {
        for (size_t g = nextGroup++; g < groups.size(); g = nextGroup++) {
            for (const int i : groups[g]) {
                ConvertJob job = base;
                job.inputPath = command.inputs[i];
                const ConvertResult result = ConvertFile(job);
                if (!result.message.isEmpty())
                    console.Message(result.message);
                if (!result.ok)
                    failed = true;
                console.Progress(++done, total, QFileInfo(job.inputPath).fileName());
            }
        }
    };

    const int wanted = command.jobs > 0 ? command.jobs : QThread::idealThreadCount();
    const int jobs = std::max(1, std::min<int>(wanted, static_cast<int>(groups.size())));
    // --jobs N means N engines of one thread each. Without it, a lone job (one file, or
    // one core) lets its engine use every core instead.
    if (command.jobs == 0 && jobs == 1) {
        work();
    } else {
        std::vector<std::thread> threads;
        for (int t = 0; t < jobs; ++t)
            threads.emplace_back([&] {
                omp_set_num_threads(1);   // the jobs share the cores; each engine runs on one
                work();
            });
        for (std::thread& thread : threads)
            thread.join();
    }
    console.Finish();
    return failed ? kExitFailed : kExitDone;
}

}  // namespace lumetra::cli
