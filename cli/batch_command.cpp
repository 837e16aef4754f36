// batch: one effect applied to a list of files, several files at a time.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <atomic>
#include <omp.h>
#include <thread>
#include <vector>

#include "cli/batch_report.h"
#include "cli/file_commands.h"
#include "cli/run_support.h"
#include "imaging/batch_inputs.h"
#include "imaging/batch_progress.h"
#include "imaging/convert_file.h"
#include "imaging/output_names.h"
#include "imaging/output_plan.h"
#include "imaging/plane_transfer.h"
#include "imaging/write_group.h"

namespace lumetra::cli {

namespace {

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

// The paths listed by --files-from, or the reason they cannot be read.
std::optional<QStringList> ReadListedPaths(const Command& command, Console& console)
{
    QFile list;
    const bool opened = command.filesFrom == QLatin1String("-")
                            ? list.open(stdin, QIODevice::ReadOnly)
                            : (list.setFileName(command.filesFrom), list.open(QIODevice::ReadOnly));
    if (!opened) {
        console.Message(QStringLiteral("Cannot read the list of inputs \"%1\": %2.")
                            .arg(Native(command.filesFrom), list.errorString()));
        return std::nullopt;
    }
    return SplitFileList(list.readAll(), command.nullSeparated);
}

// Every input of the run, whoever runs which share of it: the arguments and the
// listed paths, folders opened with --recursive, sorted and each once.
std::optional<QList<BatchInput>> CollectInputs(const Command& command, Console& console)
{
    QStringList paths = command.inputs;
    if (!command.filesFrom.isEmpty()) {
        const std::optional<QStringList> listed = ReadListedPaths(command, console);
        if (!listed) return std::nullopt;
        paths += *listed;
    }
    QList<BatchInput> inputs;
    for (const QString& path : paths) {
        if (command.recursive && QFileInfo(path).isDir())
            inputs += FindPictures(path, true);
        else
            inputs.append({path, {}});
    }
    return SortedUnique(inputs);
}

// What a finished file shows: one line with its index, and one line of the report.
struct FileOutcome {
    QString line;
    ReportLine report;
};

FileOutcome Describe(const ConvertResult& result, const BatchInput& input, const PlannedOutput& output)
{
    FileOutcome outcome;
    outcome.report.input = input.path;
    outcome.report.output = output.path;
    if (!result.ok) {
        outcome.line = QStringLiteral("%1: failed").arg(Native(input.path));
        outcome.report.status = QStringLiteral("failed");
        outcome.report.reason = result.message;
    } else if (result.skipped) {
        outcome.line = QStringLiteral("%1: skipped, \"%2\" is up to date").arg(Native(input.path), Native(output.path));
        outcome.report.status = QStringLiteral("skipped");
        outcome.report.reason = QStringLiteral("the output is newer than the input");
    } else {
        outcome.line = QStringLiteral("%1 -> %2").arg(Native(input.path), Native(output.path));
        if (output.renamed) outcome.line += QStringLiteral(" (renamed: another input has the same name)");
        outcome.report.status = QStringLiteral("ok");
        outcome.report.size = result.size;
    }
    return outcome;
}

}  // namespace

int RunBatch(const Command& command, Console& console)
{
    const std::optional<QList<BatchInput>> collected = CollectInputs(command, console);
    if (!collected) return kExitFailed;
    const QList<BatchInput>& inputs = *collected;
    // Names are given over the whole list, so every shard of a run agrees on them.
    const QList<PlannedOutput> outputs = PlanOutputs(inputs, command.output, command.format);
    const QList<qsizetype> mine = ShardPositions(inputs.size(), command.shard.value_or(Shard{}));

    if (!MakeOutputFolder(command.output, console)) return kExitFailed;
    BatchReport report;
    if (!command.reportPath.isEmpty()) {
        if (const QString error = report.Open(command.reportPath); !error.isEmpty()) {
            console.Message(error);
            return kExitFailed;
        }
    }
    const PixelPlane texture = LoadPencilTexture();
    if (texture.Empty()) {
        console.Message(QStringLiteral("Cannot load the built-in pencil texture."));
        return kExitFailed;
    }
    if (inputs.isEmpty()) console.Message(QStringLiteral("No pictures to convert."));

    ConvertJob base;
    base.effectIndex = command.effectSlot - 1;
    base.format = command.format;
    base.size = command.size;
    base.params = command.params;
    base.options = command.options;
    base.pencilTexture = &texture;
    base.limits = ReadLimits{command.maxMegapixels};
    base.details = command.details;
    base.skipExisting = command.skipExisting;
    QStringList inputPaths;
    for (const BatchInput& input : inputs) inputPaths.append(input.path);
    base.runInputs = InputIdentities(inputPaths);

    const int total = static_cast<int>(mine.size());
    QElapsedTimer clock;
    clock.start();
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::atomic<int> renamed{0};
    std::atomic<bool> failed{false};
    // The outputs share their flushes to the disk: a file is reported once its group of
    // files has been committed, by the thread that committed it.
    WriteGroup group;
    const auto work = [&] {
        for (int n = next++; n < total; n = next++) {
            const qsizetype position = mine[n];
            ConvertJob job = base;
            job.inputPath = inputs[position].path;
            job.outputPath = outputs[position].path;
            QElapsedTimer fileClock;
            fileClock.start();
            ConvertInGroup(ConvertFile, job, group, [&, n, position, fileClock](const ConvertResult& result) {
                FileOutcome outcome = Describe(result, inputs[position], outputs[position]);
                outcome.report.milliseconds = fileClock.elapsed();
                report.Add(outcome.report);
                if (!result.message.isEmpty()) console.Message(result.message);
                if (!result.ok) failed = true;
                if (result.ok && !result.skipped && outputs[position].renamed) ++renamed;
                const int finished = ++done;
                console.Message(QStringLiteral("[%1/%2] %3").arg(n + 1).arg(total).arg(outcome.line));
                const std::optional<qint64> left = SecondsLeft(finished, total, clock.elapsed());
                console.Bar(finished, total, left ? QStringLiteral("about %1 left").arg(ClockText(*left)) : QString());
            });
        }
    };

    const int wanted = command.jobs > 0 ? command.jobs : QThread::idealThreadCount();
    const int jobs = std::max(1, std::min(wanted, total));
    // --jobs N means N engines of one thread each. Without it, a lone job (one file, or
    // one core) lets its engine use every core instead.
    if (command.jobs == 0 && jobs == 1) {
        work();
    } else {
        std::vector<std::thread> threads;
        threads.reserve(jobs);
        for (int t = 0; t < jobs; ++t)
            threads.emplace_back([&] {
                omp_set_num_threads(1);  // the jobs share the cores; each engine runs on one
                work();
            });
        for (std::thread& thread : threads) thread.join();
    }
    group.Commit();
    console.Finish();
    if (renamed > 0)
        console.Message(QStringLiteral("%1 output(s) were given a name ending in \" (2)\", \" (3)\", ... because an "
                                       "earlier input of the run has the same name.")
                            .arg(renamed.load()));
    return failed ? kExitFailed : kExitDone;
}

}  // namespace lumetra::cli
