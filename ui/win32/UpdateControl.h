#pragma once

#include <windows.h>

#include <cstdint>

#include "base/String.h"
#include "ui/IdValueTable.h"
#include "ui/win32/Window.h"

namespace app {

class Dialog;

// One data exchange between a dialog's controls and its fields.  To the controls, a value is
// written only where the control does not already show it, so an exchange raises no change
// notifications and leaves carets alone; from the controls, a field changes only when the
// control holds a value for it.  Custom controls are reached through Bound<T>(id).
class UpdateControl {
  public:
    UpdateControl(Dialog& dialog, bool toControls) noexcept : dialog_(dialog), toControls_(toControls) {}

    bool ToControls() const noexcept { return toControls_; }
    Dialog& GetDialog() const noexcept { return dialog_; }
    HWND Item(int id) const;
    // The object bound to a control of the dialog, or null when none of that type is.
    template <class Control>
    Control* Bound(int id) const {
        return dynamic_cast<Control*>(Window::FromHandle(Item(id)));
    }

    // Enables or disables the control (to the controls only).
    void Enable(int id, bool enable);
    void Text(int id, String& text);
    // A signed whole number within 32 bits; back, a text that is not one gives
    // NumberText::kNoWhole, which the dialog's check refuses with the field's range.
    void Int(int id, int32_t& value);
    // "%g" to the control; back, a text that is not a decimal number gives NaN, refused alike.
    void Double(int id, double& value);
    void Check(int id, bool& checked);
    // Radio buttons from a table of {id, value} ended by id 0: the button whose value equals
    // the field is checked; back, the value of the first checked button (none: unchanged).
    void Radio(const ID_VALUE* table, int32_t& value);
    // A trackbar's position.
    void TrackPosition(int id, int32_t& position);
    // The angle of an AngleControl (radians) and the value of a VolumeControl; back, a whole
    // number cut toward zero.
    void Angle(int id, double& angle);
    void Volume(int id, double& value);
    void VolumeInt(int id, int32_t& value);
    // A vector as a length slider and a direction picker.  Back, a vector whose controls
    // still show what it gave them keeps its exact value.
    void Vector(int lengthId, int angleId, Vector2& vector);

    // The number a decimal text holds, 0 when it is not one (also for hex, inf and nan texts,
    // and numbers with something after them).
    static double ParseDecimal(const char* text);

  private:
    String ControlText(int id) const;

    Dialog& dialog_;
    bool toControls_;
};

}  // namespace app
