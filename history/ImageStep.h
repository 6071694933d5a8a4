#pragma once

#include <cstdint>
#include <vector>

#include "base/Geometry.h"

namespace app {

class History;
class Image;
class WorkCrew;

// The image steps of the document.  `image` is the picture being painted and `previous` the
// copy of it taken at the last step; the step stores only their compressed byte difference.
// Every operation leaves `previous` equal to `image` wherever it looked.

// Records the change since the previous copy over the whole of two blocks of `bytes` bytes as
// one step, unless nothing changed or the history is disabled; returns whether a step was
// stored.  The previous copy is refreshed in either case.
bool RecordImageStep(History& history, const unsigned char* image, unsigned char* previous, int32_t bytes);

// Replays the whole-block step to undo (undo = true) or to redo into the image, in place.  A
// step whose data is broken raises Exception(ErrorReadItem) after putting the image back as it
// was (from the previous copy) and leaving the history's position unchanged.
void ReplayImageStep(History& history, unsigned char* image, unsigned char* previous, int32_t bytes, bool undo);

// The same on document images (both of one size, else ErrorImageSize), over `ranges`: pixel
// rectangles that together cover every pixel that may differ from the previous copy, none
// overlapping another.  Each range is stored as a chunk of its own, so a step costs what the
// ranges hold, not the picture; only changed ranges are kept.  With a crew, ranges are
// compressed, and on replay applied, side by side; the step is the same without one.
bool RecordImageStep(History& history,
                     const Image& image,
                     Image& previous,
                     const std::vector<Rect32>& ranges,
                     WorkCrew* crew = nullptr);
// The whole picture as one range.
bool RecordImageStep(History& history, const Image& image, Image& previous);
// Replays steps of either kind.  A broken step raises Exception(ErrorReadItem) with the picture
// as it was and the history's position unchanged.
void UndoImageStep(History& history, Image& image, Image& previous, WorkCrew* crew = nullptr);
void RedoImageStep(History& history, Image& image, Image& previous, WorkCrew* crew = nullptr);

// Copies the image into the previous copy over the ranges.
void RefreshPrevious(const Image& image, Image& previous, const std::vector<Rect32>& ranges);

}  // namespace app
