#pragma once

#include <cstdint>

namespace app {

class History;
class Image;

// The image steps of the document.  `image` is the picture being painted and `previous` the
// copy of it taken at the last step, both `bytes` long; the step stores only their compressed
// byte difference.  Both operations leave `previous` equal to `image`.

// Records the change since the previous copy as one step, unless nothing changed or the
// history is disabled; returns whether a step was stored.  The previous copy is refreshed in
// either case.
bool RecordImageStep(History& history, const unsigned char* image, unsigned char* previous, int32_t bytes);

// Replays the step to undo (undo = true) or to redo into the image, in place.  A step whose data
// is broken raises Exception(ErrorReadItem) after putting the image back as it was (from the
// previous copy) and leaving the history's position unchanged.
void ReplayImageStep(History& history, unsigned char* image, unsigned char* previous, int32_t bytes, bool undo);

// The same on document images; both must have the same byte size (else ErrorImageSize).
bool RecordImageStep(History& history, const Image& image, Image& previous);
void UndoImageStep(History& history, Image& image, Image& previous);
void RedoImageStep(History& history, Image& image, Image& previous);

}  // namespace app
