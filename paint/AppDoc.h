#pragma once

#include <memory>

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
    ImageSize GetSize() const noexcept;
    History& GetHistory() noexcept;

    // Closes a step: the change since the previous copy, when there is one.
    void RecordStep();
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    // Applies a lowered history limit at once.
    void TrimHistory();
    // "Clear all": every pixel transparent black.  Recording the step is the caller's rule.
    void Clear();

  private:
    std::unique_ptr<AppDocMember> m_;
};

}  // namespace app
