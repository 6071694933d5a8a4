#pragma once

#include <windows.h>

#include <memory>

namespace app {

class DCMember;
class GdiObject;
class Image;

// A device context with the drawing objects selected into it.  For each kind of object (pen,
// brush, bitmap, font) it keeps the selected GdiObject and the handle that it replaced, and the
// raster operation and background mode it replaced; Restore puts all of them back, and the
// destructor restores, so a context goes back to its owner as it came.  The kinds below get
// and release the context itself.
class DC {
  public:
    explicit DC(HDC context = nullptr);
    virtual ~DC();
    DC(const DC&) = delete;
    DC& operator=(const DC&) = delete;

    HDC Handle() const noexcept;

    // Selects the object, first restoring an earlier selection of the same kind (and taking
    // the object out of any other context).  Raises error 1 when the system refuses it.
    void Select(GdiObject& object);
    // Puts back the handle that the object replaced.
    void Deselect(GdiObject& object) noexcept;
    // SetROP2 and SetBkMode; the first change remembers the value to restore.
    void SetRasterOperation(int operation);
    void SetBackgroundMode(int mode);
    void Restore() noexcept;

    // Copies a 24-bit display image (Image with 3 bytes per pixel) with its top-left at (x, y).
    void DrawImage(const Image& image, int x, int y);

  protected:
    void SetHandle(HDC context) noexcept;

  private:
    std::unique_ptr<DCMember> m_;
};

}  // namespace app
