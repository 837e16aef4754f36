#pragma once
// A source picture read from its file into a plane, at the size the user asked for.

#include <QString>
#include <optional>

#include "engine/plane.h"
#include "imaging/picture_file.h"

namespace lumetra {

// A requested output size, as the batch options give it.
struct TargetSize {
    int width = 0;
    int height = 0;
    bool keepAspect = true;  // fit inside width x height keeping the picture's shape
};

struct SourcePlane {
    PixelPlane plane;
    QString error;    // names the file and the reason; empty on success
    QString warning;  // the picture was read but is damaged
    PhotoDetails details;
    bool ok() const { return error.isEmpty(); }
};

// Reads the picture and, when a size is given, brings it to that size the way the
// batch converter does (fit or stretch, then the shared resize routine).
SourcePlane ReadSourcePlane(const QString& path, const ReadLimits& limits, const std::optional<TargetSize>& size);

}  // namespace lumetra
