#pragma once
// The conversion of one file of a batch: read, optionally resize, render one effect,
// write. Used by the batch window and by the command line's batch command; each call
// owns its own engine, so calls can run in parallel threads.

#include <QSet>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

#include "engine/options.h"
#include "engine/plane.h"
#include "imaging/picture_file.h"
#include "imaging/source_picture.h"
#include "imaging/write_group.h"

namespace lumetra {

struct ConvertJob {
    QString inputPath;
    QString outputPath;   // its folder is made when missing
    int effectIndex = 0;  // batch index 0..16 (gallery slot index + 1)
    PictureFormat format = PictureFormat::Jpg;
    std::optional<TargetSize> size;  // no size: the picture keeps its own
    EngineParams params;
    EngineOptions options;
    const PixelPlane* pencilTexture = nullptr;  // required; LoadPencilTexture() gives it
    ReadLimits limits;
    DetailsChoice details;  // which of the source's photo details the output keeps
    // InputIdentities of every input file of the run: an output path equal to one of
    // them is refused, so a conversion never destroys a source picture.
    QSet<QString> runInputs;
    // An output already newer than the input is kept and the input not read.
    bool skipExisting = false;
    // The output is not written but handed back in ConvertResult::unwritten.
    bool leaveWrite = false;
};

struct ConvertResult {
    bool ok = false;
    bool skipped = false;  // ok, and the output was already up to date
    QString message;       // on failure: names the file and the reason; on success may carry a warning
    QString outputPath;    // where the result was (or would have been) written
    QSize size;            // of the picture written
    Encoder unwritten;     // with ConvertJob::leaveWrite: the output file still to be written
};

ConvertResult ConvertFile(const ConvertJob& job);

// The conversion of one file; ConvertFile unless a test wraps it.
using ConvertFn = std::function<ConvertResult(const ConvertJob&)>;

// convert(job), with any exception it lets out turned into a failure of that file, so
// a run of many files goes on with the next one.
ConvertResult ConvertGuarded(const ConvertFn& convert, const ConvertJob& job);

// ConvertGuarded with the output written through group: done gets the result once the
// output has been committed, or at once when there is nothing to write. done runs on
// this thread or on the group's.
void ConvertInGroup(const ConvertFn& convert, ConvertJob job, WriteGroup& group,
                    const std::function<void(const ConvertResult&)>& done);

}  // namespace lumetra
