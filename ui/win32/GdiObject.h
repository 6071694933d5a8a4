#pragma once

#include <windows.h>

#include <memory>

namespace app {

class DC;
class GdiObjectMember;

// Owns one drawing object (pen, brush, bitmap, font, or a stock object, which is never
// deleted) and knows the device context it is selected into.  Replacing or destroying it
// first takes it out of that context, so no context is left holding a deleted handle.
class GdiObject {
  public:
    GdiObject();
    // Takes `handle`; `owned` false for stock or borrowed objects.
    explicit GdiObject(HGDIOBJ handle, bool owned = true);
    ~GdiObject();
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    // Deselects and deletes the current object, then takes `handle`.
    void Reset(HGDIOBJ handle = nullptr, bool owned = true);
    // These raise error 3 when the system has no room for the object.
    void CreateSolidBrush(COLORREF colour);
    void CreatePen(int style, int width, COLORREF colour);
    void CreateCompatibleBitmap(HDC context, int width, int height);
    void SetStock(int stockObject);

    HGDIOBJ Handle() const noexcept;
    DWORD Type() const noexcept;  // OBJ_PEN, OBJ_BRUSH, OBJ_BITMAP, ... or 0 when empty
    DC* SelectedInto() const noexcept;

  private:
    friend class DC;
    void SetSelectedInto(DC* context) noexcept;
    void Take(HGDIOBJ handle, bool owned);

    std::unique_ptr<GdiObjectMember> m_;
};

}  // namespace app
