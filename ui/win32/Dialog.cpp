#include "ui/win32/Dialog.h"

#include <commctrl.h>

#include <exception>
#include <vector>

#include "base/Exception.h"
#include "base/win32/ModuleInstance.h"
#include "resources/ResourceIds.h"
#include "ui/win32/AppMessages.h"
#include "ui/win32/Command.h"
#include "ui/win32/GdiObject.h"
#include "ui/win32/Modal.h"
#include "ui/win32/ToolTip.h"
#include "ui/win32/UpdateControl.h"

namespace app {

class DialogMember {
  public:
    std::unique_ptr<ToolTip> toolTip;
    int32_t templateId = 0;
    const DLGTEMPLATE* memoryTemplate = nullptr;
    bool modal = false;
    bool initialised = false;
    bool exchanging = false;
    // A failure of the initialisation, handed to whoever created the dialog.
    std::exception_ptr initFailure;
    std::vector<std::unique_ptr<GdiObject>> pictures;
};

Dialog::Dialog(int32_t templateId) : m_(std::make_unique<DialogMember>()) {
    m_->templateId = templateId;
}

Dialog::~Dialog() {
    // The tooltip belongs to the dialog window; it goes first.
    m_->toolTip.reset();
}

void Dialog::SetTemplate(const DLGTEMPLATE* memoryTemplate) noexcept {
    m_->memoryTemplate = memoryTemplate;
}

INT_PTR Dialog::RunModal(HWND owner) {
    m_->modal = true;
    m_->initialised = false;
    m_->initFailure = nullptr;
    INT_PTR result;
    {
        Modal scope;
        const auto parameter = reinterpret_cast<LPARAM>(this);
        result =
            m_->memoryTemplate
                ? DialogBoxIndirectParamA(ModuleInstance, m_->memoryTemplate, owner, DialogProcedure, parameter)
                : DialogBoxParamA(ModuleInstance, MAKEINTRESOURCEA(m_->templateId), owner, DialogProcedure, parameter);
    }
    RethrowInitFailure();
    if (result == -1)
        throw Exception(ErrorCreateWindow);
    return result;
}

void Dialog::CreateModeless(HWND owner) {
    m_->modal = false;
    m_->initialised = false;
    m_->initFailure = nullptr;
    const auto parameter = reinterpret_cast<LPARAM>(this);
    HWND window =
        m_->memoryTemplate
            ? CreateDialogIndirectParamA(ModuleInstance, m_->memoryTemplate, owner, DialogProcedure, parameter)
            : CreateDialogParamA(ModuleInstance, MAKEINTRESOURCEA(m_->templateId), owner, DialogProcedure, parameter);
    RethrowInitFailure();
    if (!window)
        throw Exception(ErrorCreateWindow);
    m_->toolTip = std::make_unique<ToolTip>();
    m_->toolTip->Create(window);
    m_->toolTip->AddChildren();
}

void Dialog::RethrowInitFailure() {
    if (!m_->initFailure)
        return;
    const std::exception_ptr failure = m_->initFailure;
    m_->initFailure = nullptr;
    std::rethrow_exception(failure);
}

void Dialog::UpdateData(bool toControls) {
    if (m_->exchanging)
        return;
    m_->exchanging = true;
    try {
        UpdateControl exchange(*this, toControls);
        DoDataExchange(exchange);
    } catch (...) {
        m_->exchanging = false;
        throw;
    }
    m_->exchanging = false;
}

void Dialog::EndModal(INT_PTR result) {
    EndDialog(Handle(), result);
}

int32_t Dialog::TemplateId() const noexcept {
    return m_->templateId;
}

bool Dialog::IsModal() const noexcept {
    return m_->modal;
}

bool Dialog::IsInitialised() const noexcept {
    return m_->initialised;
}

bool Dialog::IsExchanging() const noexcept {
    return m_->exchanging;
}

HWND Dialog::Item(int id) const {
    return GetDlgItem(Handle(), id);
}

ToolTip* Dialog::GetToolTip() const noexcept {
    return m_->toolTip.get();
}

void Dialog::SetButtonPicture(int id, int bitmap) {
    HANDLE picture = LoadImageA(ModuleInstance, MAKEINTRESOURCEA(bitmap), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
    if (!picture)
        return;  // a button without its picture still works
    m_->pictures.push_back(std::make_unique<GdiObject>(picture));
    SendMessageA(Item(id), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
}

bool Dialog::Refuse(const String& text) {
    Modal scope;
    const String caption = String::Load(IDS_PRODUCT);
    MessageBoxA(Handle(), text.CStr(), caption.CStr(), MB_OK | MB_ICONERROR);
    return false;
}

LRESULT Dialog::InitDialog() {
    try {
        OnInitDialog();
        m_->initialised = true;
        UpdateData(true);
    } catch (...) {
        m_->initFailure = std::current_exception();
        if (m_->modal) {
            EndModal(2);
        } else {
            DestroyWindow(Handle());
        }
    }
    return TRUE;
}

LRESULT Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return InitDialog();
        case WM_DESTROY:
            OnDestroy();
            return TRUE;
        case WM_CLOSE:
            Destroy();
            return TRUE;
        case WM_DRAWITEM:
            DrawItem(static_cast<int>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->code != TTN_NEEDTEXTA)
                return FALSE;
            ToolTip::SupplyText(reinterpret_cast<NMTTDISPINFOA*>(header));
            return TRUE;
        }
        case WM_COMMAND:
            // Notifications caused by the dialog's own writing into the controls are not news.
            if (m_->initialised && !m_->exchanging) {
                OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            }
            return TRUE;
        default:
            break;
    }
    if (message == WM_UPDATECOMMAND) {
        OnUpdateCommand(static_cast<int>(wParam), reinterpret_cast<Command*>(lParam));
        return TRUE;
    }
    if (message == WM_CONTROLNOTIFY) {
        OnControlNotify(LOWORD(wParam), HIWORD(wParam), lParam);
        return TRUE;
    }
    return FALSE;
}

void Dialog::Destroy() {
    if (!Handle())
        return;
    if (m_->modal) {
        EndModal(2);
    } else {
        DestroyWindow(Handle());
    }
}

void Dialog::OnCommand(int id, int /*code*/, HWND /*control*/) {
    switch (id) {
        case IDOK:
            OnOK();
            break;
        case IDCANCEL:
            if (m_->modal)
                EndModal(2);
            break;
        case IDC_APPLY:
            OnApply();
            break;
        default:
            break;
    }
}

void Dialog::OnInitDialog() {}

void Dialog::OnUpdateCommand(int /*id*/, Command* /*target*/) {}

void Dialog::OnControlNotify(int /*id*/, int /*code*/, LPARAM /*data*/) {}

void Dialog::OnOK() {
    UpdateData(false);
    if (m_->modal && Check())
        EndModal(1);
}

void Dialog::DoDataExchange(UpdateControl& /*exchange*/) {}

void Dialog::DrawItem(int id, DRAWITEMSTRUCT* item) {
    SendMessageA(Item(id), WM_DRAWCONTROL, reinterpret_cast<WPARAM>(item), 0);
}

void Dialog::OnApply() {
    UpdateData(false);
    if (m_->modal)
        Check();
}

bool Dialog::Check() {
    return true;
}

INT_PTR CALLBACK Dialog::DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* dialog;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        try {
            dialog->Bind(window, false);
        } catch (...) {
            ReportWindowFailure(window);
            return TRUE;
        }
    } else {
        dialog = dynamic_cast<Dialog*>(FromHandle(window));
    }
    if (!dialog)
        return FALSE;
    INT_PTR result = FALSE;
    try {
        result = dialog->WindowProc(message, wParam, lParam);
    } catch (...) {
        ReportWindowFailure(window);
        result = TRUE;
    }
    if (message == WM_NCDESTROY && FromHandle(window) == dialog)
        dialog->Detach();
    return result;
}

}  // namespace app
