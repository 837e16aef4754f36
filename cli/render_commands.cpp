// render and gallery: one picture in, one or twenty pictures out.

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <deque>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>

#include "cli/file_commands.h"
#include "cli/run_support.h"
#include "engine/catalogue.h"
#include "engine/gallery.h"
#include "imaging/atomic_file.h"
#include "imaging/file_names.h"
#include "imaging/output_names.h"
#include "imaging/plane_writer.h"
#include "imaging/write_group.h"

namespace lumetra::cli {

namespace {

QString ReplaceInputMessage(const QString& output)
{
    return CannotWriteMessage(output, QStringLiteral("it is the input picture; choose another output"));
}

QString RenderFailure(const QString& input, const QString& reason)
{
    return QStringLiteral("Cannot render \"%1\": %2.").arg(ShownPath(input), reason);
}

QString GalleryFileName(int slot, PictureFormat format)
{
    return QStringLiteral("%1-%2.%3")
        .arg(slot, 2, 10, QLatin1Char('0'))
        .arg(QString::fromStdString(EffectSlug(slot)), FormatExtension(format));
}

}  // namespace

int RunRender(const Command& command, Console& console)
{
    const QString& input = command.inputs.first();
    if (WouldReplaceInput(command.output, InputIdentities({input}))) {
        console.Message(ReplaceInputMessage(command.output));
        return kExitFailed;
    }
    // Like the other commands, render makes the folder its output goes into.
    const QString folder = QFileInfo(command.output).path();
    if (!MakeOutputFolder(folder, console)) return kExitFailed;
    if (const QString refusal = OutputRefusal(command.output); !refusal.isEmpty()) {
        console.Message(refusal);
        return kExitFailed;
    }
    Engine engine;
    PhotoDetails details;
    if (!PrepareEngine(engine, command, console, details)) return kExitFailed;
    PixelPlane picture;
    try {
        picture = RenderSlot(engine, command.effectSlot);
    } catch (const EngineError& error) {
        console.Message(RenderFailure(input, QString::fromStdString(error.what())));
        return kExitFailed;
    } catch (const std::bad_alloc&) {
        console.Message(RenderFailure(input, QStringLiteral("not enough memory")));
        return kExitFailed;
    }
    if (const QString error = WritePlane(picture, command.output, command.format, details); !error.isEmpty()) {
        console.Message(error);
        return kExitFailed;
    }
    return kExitDone;
}

int RunGallery(const Command& command, Console& console)
{
    const QString& input = command.inputs.first();
    const QSet<QString> identities = InputIdentities({input});
    if (!MakeOutputFolder(command.output, console)) return kExitFailed;
    Engine engine;
    PhotoDetails details;
    if (!PrepareEngine(engine, command, console, details)) return kExitFailed;

    int status = kExitDone;
    const QDir folder(command.output);
    // The twenty files share their flushes to the disk; a failure of a commit is told
    // after the pictures, in the order of the slots.
    WriteGroup group;
    std::mutex commitMutex;
    std::map<int, QString> commitErrors;
    // Encoding a picture (PNG above all) takes longer than composing the next one, so
    // each finished picture is written on a thread of its own while the engine goes on.
    // At most kWritesAhead pictures wait for their files; their results are taken in
    // slot order, so the messages come in that order too.
    constexpr std::size_t kWritesAhead = 2;
    std::deque<std::future<QString>> writes;
    const auto takeOldestWrite = [&] {
        if (const QString error = writes.front().get(); !error.isEmpty()) {
            console.Message(error);
            status = kExitFailed;
        }
        writes.pop_front();
    };
    const auto writeSlot = [&](int slot, const SharedPicture& picture) {
        const QString path = folder.filePath(GalleryFileName(slot, command.format));
        if (WouldReplaceInput(path, identities)) {
            writes.push_back(std::async(std::launch::deferred, [path] { return ReplaceInputMessage(path); }));
        } else {
            // The write holds the picture until its file is made; the engine composes
            // the next one into a plane of its own meanwhile.
            const auto write = [encode = PlaneEncoder(picture, command.format, details), path, slot, &group,
                                &commitMutex, &commitErrors]() -> QString {
                return group.Add(path, encode, [&commitMutex, &commitErrors, slot](const QString& error) {
                    if (error.isEmpty()) return;
                    const std::lock_guard lock(commitMutex);
                    commitErrors[slot] = error;
                });
            };
            try {
                writes.push_back(std::async(std::launch::async, write));
            } catch (const std::system_error&) {  // no thread to be had: write it here
                writes.push_back(std::async(std::launch::deferred, write));
            }
        }
        while (writes.size() > kWritesAhead) takeOldestWrite();
    };
    const QString item = QFileInfo(input).fileName();
    int shown = -1;
    const auto progress = [&](float percent) {
        if (static_cast<int>(percent) != shown) console.Progress(shown = static_cast<int>(percent), 100, item);
    };
    try {
        // Each picture is written as soon as it is finished and then let go.
        StreamGallery(engine, progress, writeSlot);
    } catch (const EngineError& error) {
        console.Message(RenderFailure(input, QString::fromStdString(error.what())));
        status = kExitFailed;
    } catch (const std::bad_alloc&) {
        console.Message(RenderFailure(input, QStringLiteral("not enough memory")));
        status = kExitFailed;
    }
    while (!writes.empty()) takeOldestWrite();
    group.Commit();
    for (const auto& [slot, error] : commitErrors) {
        console.Message(error);
        status = kExitFailed;
    }
    console.Finish();
    return status;
}

}  // namespace lumetra::cli
