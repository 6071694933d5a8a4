#pragma once

#include <memory>

#include "base/Geometry.h"
#include "base/ImageSize.h"
#include "paint/Document.h"

namespace app {

class AppDocMember;
class Core;
class History;
class Image;

// The document of a filter run: the engine, the picture being painted, a copy of the picture as
// it stood at the last history step, and the history of steps between such copies.
class AppDoc : public Document {
  public:
    AppDoc();
    ~AppDoc() override;
    AppDoc(const AppDoc&) = delete;
    AppDoc& operator=(const AppDoc&) = delete;

    // Takes the host image: sizes the engine to it and copies its pixels in.  Its size is
    // checked first (CheckSize), so an image too large for the document allocates nothing.
    void Load() override;
    // Every size the document derives from an image of that size (its two copies, the engine's
    // grid, the drawing ring, the host's row buffers), checked before anything is allocated: a
    // size that is negative or overflows raises code 11, whichever buffer it would overflow.
    static void CheckSize(int32_t width, int32_t height);
    // Writes the picture back into the host's image.
    void Save() override;

    Core& Engine() noexcept;
    Image& GetImage() noexcept;
    const Image& GetImage() const noexcept;
    ImageSize GetSize() const noexcept;
    History& GetHistory() noexcept;

    // One turn of the engine on the picture; a step still being recorded is finished first.
    void Step();

    // Closes a step: the change since the previous copy, when there is one.  It costs what the
    // turns and clear all since the last step may have changed, not the picture.
    void RecordStep();
    // The same, recorded a piece at a time by ContinueStep, so that the program stays responsive
    // while a large change is compressed.  Whatever changes the picture or the history finishes
    // the recording first; undo counts as possible meanwhile and redo as not.
    void BeginStep();
    bool IsRecordingStep() const noexcept;
    // Records a piece of the step (a range per thread); returns whether more is left.
    bool ContinueStep();
    void FinishStep();
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    // Applies a lowered history limit at once.
    void TrimHistory();
    // "Clear all": every pixel transparent black.  Recording the step is the caller's rule.
    void Clear();
    // The smallest rectangle of image pixels that holds everything changed since the last call
    // (right <= left when nothing did): what a redraw after the turns must show again.
    Rect32 TakeDisplayChanges() noexcept;

  private:
    std::unique_ptr<AppDocMember> m_;
};

}  // namespace app
