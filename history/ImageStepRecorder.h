#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/Geometry.h"

namespace app {

class History;
class Image;
class ImageStepRecorderMember;
class WorkCrew;

// Records one image step a few ranges at a time, so that a large change can be compressed in
// short pieces between which the program stays responsive.  From Start to the end of the
// recording neither the picture nor the previous copy may change over the ranges, and the
// history may not change: the document finishes a recording before anything else touches them.
// The stored step is the one RecordImageStep stores, whatever the pieces.
class ImageStepRecorder {
  public:
    ImageStepRecorder();
    ~ImageStepRecorder();
    ImageStepRecorder(const ImageStepRecorder&) = delete;
    ImageStepRecorder& operator=(const ImageStepRecorder&) = delete;

    // Takes the ranges (pixel rectangles, none overlapping another, together covering every
    // pixel that may differ from the previous copy); nothing is compressed yet.  With the history
    // off the previous copy is refreshed at once and there is nothing to record.
    void Start(History& history, const Image& image, Image& previous, const std::vector<Rect32>& ranges);
    bool IsRecording() const noexcept;
    // Compresses up to `parts` more ranges, side by side on the crew when there is one.  Once all
    // are, the step is stored (unless nothing changed) and the previous copy refreshed over the
    // ranges.  Returns whether the recording goes on.  A failure (code 3 when memory runs out)
    // abandons the recording with the previous copy as it was, and is raised.
    bool Continue(History& history, const Image& image, Image& previous, WorkCrew* crew, int32_t parts);
    // All that is left, at once.  Returns whether the last recording stored a step.
    bool Finish(History& history, const Image& image, Image& previous, WorkCrew* crew);
    // The pixel rectangles of the recording under way (empty when there is none).
    const std::vector<Rect32>& Ranges() const noexcept;

  private:
    bool Store(History& history, const Image& image, Image& previous);

    std::unique_ptr<ImageStepRecorderMember> m_;
};

}  // namespace app
