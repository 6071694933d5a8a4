#include "ui/win32/UpdateControl.h"

#include <commctrl.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "ui/NumberText.h"
#include "ui/VectorForm.h"
#include "ui/VolumeScale.h"
#include "ui/win32/AngleControl.h"
#include "ui/win32/Dialog.h"
#include "ui/win32/VolumeControl.h"

namespace app {

HWND UpdateControl::Item(int id) const {
    return GetDlgItem(dialog_.Handle(), id);
}

String UpdateControl::ControlText(int id) const {
    HWND item = Item(id);
    const int length = GetWindowTextLengthA(item);
    if (length <= 0)
        return String();
    std::vector<char> text(static_cast<size_t>(length) + 1);
    const int copied = GetWindowTextA(item, text.data(), length + 1);
    return String(text.data(), copied);
}

void UpdateControl::Enable(int id, bool enable) {
    if (toControls_)
        EnableWindow(Item(id), enable ? TRUE : FALSE);
}

void UpdateControl::Text(int id, String& text) {
    if (!toControls_) {
        text = ControlText(id);
    } else if (ControlText(id) != text) {
        SetWindowTextA(Item(id), text.CStr());
    }
}

void UpdateControl::Int(int id, int32_t& value) {
    int32_t shown = 0;
    const bool isNumber = NumberText::ReadWhole(ControlText(id).ToStdString(), &shown);
    if (!toControls_) {
        value = isNumber ? shown : NumberText::kNoWhole;
    } else if (!isNumber ? value != NumberText::kNoWhole : shown != value) {
        // A field without a number keeps what the user typed until it is given a value.
        SetDlgItemInt(dialog_.Handle(), id, static_cast<UINT>(value), TRUE);
    }
}

void UpdateControl::Double(int id, double& value) {
    double shown = 0.0;
    const bool isNumber = NumberText::ReadDecimal(ControlText(id).ToStdString(), &shown);
    if (!toControls_) {
        value = isNumber ? shown : std::nan("");
        return;
    }
    if (!isNumber && std::isnan(value))
        return;
    const String text = String::Format("%g", value);
    if (ControlText(id) != text)
        SetWindowTextA(Item(id), text.CStr());
}

void UpdateControl::Check(int id, bool& checked) {
    if (toControls_) {
        CheckDlgButton(dialog_.Handle(), id, checked ? BST_CHECKED : BST_UNCHECKED);
    } else {
        checked = IsDlgButtonChecked(dialog_.Handle(), id) == BST_CHECKED;
    }
}

void UpdateControl::Radio(const ID_VALUE* table, int32_t& value) {
    for (; table->id != 0; ++table) {
        if (toControls_) {
            CheckDlgButton(dialog_.Handle(), table->id, table->value == value ? BST_CHECKED : BST_UNCHECKED);
        } else if (IsDlgButtonChecked(dialog_.Handle(), table->id) == BST_CHECKED) {
            value = table->value;
            return;
        }
    }
}

void UpdateControl::TrackPosition(int id, int32_t& position) {
    if (toControls_) {
        SendMessageA(Item(id), TBM_SETPOS, TRUE, position);
    } else {
        position = static_cast<int32_t>(SendMessageA(Item(id), TBM_GETPOS, 0, 0));
    }
}

void UpdateControl::Angle(int id, double& angle) {
    AngleControl* control = Bound<AngleControl>(id);
    if (!control)
        return;
    if (toControls_)
        control->SetAngle(angle);
    else
        angle = control->Angle();
}

void UpdateControl::Volume(int id, double& value) {
    VolumeControl* control = Bound<VolumeControl>(id);
    if (!control)
        return;
    if (toControls_)
        control->SetValue(value);
    else
        value = control->Value();
}

void UpdateControl::VolumeInt(int id, int32_t& value) {
    double shown = value;
    Volume(id, shown);
    if (!toControls_)
        value = VolumeScale::WholeNumber(shown);
}

void UpdateControl::Vector(int lengthId, int angleId, Vector2& vector) {
    const VECTORFORM form = ToVectorForm(vector);
    VECTORFORM shown = form;
    Volume(lengthId, shown.length);
    Angle(angleId, shown.angle);
    if (!toControls_ && (shown.length != form.length || shown.angle != form.angle))
        vector = FromVectorForm(shown);
}

double UpdateControl::ParseDecimal(const char* text) {
    double value = 0.0;
    return NumberText::ReadDecimal(text, &value) ? value : 0.0;
}

}  // namespace app
