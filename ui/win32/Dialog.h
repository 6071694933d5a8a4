#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "base/String.h"
#include "ui/win32/Window.h"

namespace app {

class Command;
class DialogMember;
class ToolTip;
class UpdateControl;

// A dialog from a template, run modally (its own message loop inside an app::Modal scope) or
// modelessly (the panels, with a tooltip for every control).  The dialog procedure dispatches
// to the slots below; values pass between the controls and the fields in DoDataExchange.
class Dialog : public Window {
  public:
    explicit Dialog(int32_t templateId);
    ~Dialog() override;

    // A template built in memory instead of the resource `templateId`.
    void SetTemplate(const DLGTEMPLATE* memoryTemplate) noexcept;

    // Runs the dialog modally and returns its result (1 OK, 2 cancel).  Raises error 5 when the
    // platform cannot run it, and passes on a failure of its initialisation.
    INT_PTR RunModal(HWND owner);
    // Creates the dialog modelessly, owned by `owner`, with its tooltip.  Raises error 5 when
    // a window cannot be created, and passes on a failure of its initialisation.
    void CreateModeless(HWND owner);

    // Exchanges the fields into the controls (true) or back; ignored during an exchange.
    void UpdateData(bool toControls);
    void EndModal(INT_PTR result);

    int32_t TemplateId() const noexcept;
    bool IsModal() const noexcept;
    bool IsInitialised() const noexcept;
    bool IsExchanging() const noexcept;
    HWND Item(int id) const;
    ToolTip* GetToolTip() const noexcept;

    // Puts a picture resource on a button (its light grey becomes the button face); the
    // dialog keeps the picture while it lives.
    void SetButtonPicture(int id, int bitmap);
    // Shows a check's refusal: a message box owned by the dialog, with the product name as
    // caption and the stop icon, inside a modal scope.  Returns false, the check's answer.
    bool Refuse(const String& text);

    // The dialog procedure; returns whether the message was handled.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Modal: ends with result 2; modeless: destroys the window.
    void Destroy() override;
    // 1 -> OnOK, 2 -> end a modal dialog with 2, 1000 -> OnApply.
    void OnCommand(int id, int code, HWND control) override;

    virtual void OnInitDialog();
    virtual void OnUpdateCommand(int id, Command* target);
    virtual void OnControlNotify(int id, int code, LPARAM data);
    // Exchange from the controls; a modal dialog whose Check passes ends with 1.
    virtual void OnOK();
    virtual void DoDataExchange(UpdateControl& exchange);
    // Forwards WM_DRAWCONTROL with the record to the control with that id.
    virtual void DrawItem(int id, DRAWITEMSTRUCT* item);
    // Exchange from the controls; a modal dialog then runs Check, which applies when it passes.
    virtual void OnApply();
    virtual bool Check();

  private:
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT InitDialog();
    void RethrowInitFailure();

    std::unique_ptr<DialogMember> m_;
};

}  // namespace app
