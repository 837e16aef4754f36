#pragma once
// The effect engine: one object holds the planes and parameters of one run.
// A Generate run, a batch file and a test each own their Engine, so runs can go in
// parallel threads; there is no global mutable state.

#include <functional>
#include <stdexcept>
#include <stop_token>
#include <string>

#include "options.h"
#include "plane.h"
#include "run_cancel.h"

namespace lumetra {

// Progress values go out through this callback (20, 30, 40, 50, 60, 70, 80, 95).
using ProgressFn = std::function<void(float)>;

// Thrown when the planes of a picture cannot be allocated. The run stops; no layer of a
// half-built run is used afterwards.
class EngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Engine {
public:
    // Input planes. SrcPixels is the picture to process (and the composition target);
    // PencilTexture the pencil-paper picture, tiled from the bottom-left corner (without
    // one, lines are drawn on plain white paper).
    PixelPlane SrcPixels;
    PixelPlane PencilTexture;

    EngineParams params;
    EngineOptions options;
    // Asked to stop, a run throws RunCancelled within a few rows (see run_cancel.h).
    std::stop_token stop;

    // Layer planes, written by BuildLayers.
    ColorPlane OrigPixels;
    GrayPlane GrayPixels;
    GrayPlane Gray4Pixels;
    GrayPlane EdgeVotes;
    ColorPlane SketchPixels;
    ColorPlane PencilPixels;
    ColorPlane Gray4RGBPixels;
    GrayPlane Gray4Work;
    ColorPlane ColorPixels;
    ColorPlane DotPixels;
    ColorPlane SepiaPixels;
    ColorPlane BrightPixels;
    ColorPlane ThresholdPixels;
    ColorPlane ContrastPixels;
    GrayPlane ColorGrayPixels;
    GrayPlane ColorGray8Pixels;

    int MaxX() const { return SrcPixels.MaxX(); }
    int MaxY() const { return SrcPixels.MaxY(); }

    // Builds every layer from SrcPixels, the parameters and the layer options.
    // Throws EngineError when the planes cannot be allocated, RunCancelled when stopped;
    // either way every layer is released.
    void BuildLayers(const ProgressFn& progress = {});

    // Builds only the layers the effect at batch index 0..16 (slot index + 1) reads, and
    // the ones they are made from. Fails as BuildLayers does.
    void BuildEffectLayers(int index);

    // Writes pixel effect slot 1..17 into channels 0..2 of SrcPixels.
    void ComposeEffect(int slot);

    // Makes `target` what SrcPixels would be after ComposeEffect(slot), leaving SrcPixels
    // as it is: channels 0..2 the effect, channel 3 that of SrcPixels. target is given
    // SrcPixels' size first when its size differs.
    void ComposeEffectInto(int slot, PixelPlane& target) const;

    // Composes batch index 0..16, releases the layers, then applies the post-filters.
    void ComposeBatchEffect(int index);

    // In-place post-filters on channels 0..2 of SrcPixels.
    void BlurPixels();
    void SharpenPixels(float amount);
    // Blur and/or sharpen as the options say (blur first).
    void ApplyPostFilters();
    // The same on another picture, such as one made by ComposeEffectInto.
    void ApplyPostFiltersTo(PixelPlane& picture) const;

    // Frees the layers that composition no longer needs. The lasting planes of the layer
    // table (PencilPixels, DotPixels, SepiaPixels, Gray4Work) stay until the next run
    // re-creates them.
    void ReleaseLayers();
    // Frees every layer, the lasting ones too: after a failed or stopped run none of them
    // may be read.
    void ReleaseAllLayers();

    // The layer steps, which BuildLayers runs in the layer table's order.
    void AllocateLayers();
    void CopyStep();
    void BuildGrayLevels();
    void DetectSketchLines();
    void ShadeSketch();
    void BuildPencilLayer();
    void BuildColorBase(const ProgressFn& progress = {});
    void BuildDotLayer();
    void BuildSepiaLayer();
    void BuildBrightLayer();
    void BuildThresholdLayer();
    void BuildContrastLayer();
    void BuildColorGrayPlanes();
};

// The line detector, used by the sketch pass (OrigPixels, GrayPixels -> SketchPixels)
// and by the colour mixing (Gray4RGBPixels, Gray4Work -> ColorPixels). votes must be
// zero-filled; it is left holding the vote counts. Throws std::invalid_argument when the
// four planes differ in size, RunCancelled when stopped.
void DetectLines(const ColorPlane& colorInput, const GrayPlane& grayReference, GrayPlane& votes, ColorPlane& output,
                 int edgeThreshold, int voteThreshold, int darkThreshold, const std::stop_token& stop = {});

}  // namespace lumetra
