#include "ui/win32/CatalogPanel.h"

#include <exception>

#include "base/Exception.h"
#include "base/Failure.h"
#include "engine/SPRAYSTYLE.h"
#include "resources/ResourceIds.h"
#include "settings/PresetCatalogue.h"
#include "settings/Registry.h"
#include "ui/win32/AppMessages.h"
#include "ui/win32/Broadcast.h"
#include "ui/win32/FileDialog.h"
#include "ui/win32/Modal.h"
#include "ui/win32/NameDialog.h"
#include "ui/win32/UpdateControl.h"

namespace app {

class CatalogPanelMember {
  public:
    PresetCatalogue catalogue;
    int32_t markedIndex = -1;  // the entry whose text carries the changed mark, or -1
};

namespace {

// After a failed save before opening another file: Yes drops the current presets, No keeps
// them, Cancel opens nothing.
PresetCatalogue::Answer AskToClear(HWND owner) {
    const String caption = String::Load(IDS_PRODUCT);
    const String question = String::Load(IDS_CATALOG_NOT_SAVED);
    switch (MessageBoxA(owner, question.CStr(), caption.CStr(), MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            return PresetCatalogue::AnswerYes;
        case IDNO:
            return PresetCatalogue::AnswerNo;
        default:
            return PresetCatalogue::AnswerCancel;
    }
}

// Replace and delete act on the picked preset, which need not be what the spray panel shows:
// the question names it.  Yes goes on.
bool Confirm(HWND owner, int32_t question, const std::string& name) {
    Modal scope;
    const String caption = String::Load(IDS_PRODUCT);
    const String text = String::Format(String::Load(question).CStr(), name.c_str());
    return MessageBoxA(owner, text.CStr(), caption.CStr(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Tell(HWND owner, const String& text) {
    Modal scope;
    MessageBoxA(owner, text.CStr(), String::Load(IDS_PRODUCT).CStr(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace

CatalogPanel::CatalogPanel()
    : Panel(IDD_CATALOG_PANEL, "Panel\\Catalog", Panel::Catalog), m_(std::make_unique<CatalogPanelMember>()) {}

CatalogPanel::~CatalogPanel() = default;

void CatalogPanel::ExchangeSettings(Registry& store) {
    Panel::ExchangeSettings(store);
    store.SelectSection("Panel\\Catalog");
    m_->catalogue.ExchangeSettings(store);
}

LRESULT CatalogPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool styleMayDiffer = message == WM_TOOLCHANGED || message == WM_SPRAYSTYLECHANGED ||
                                (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE);
    if (styleMayDiffer && List())
        ShowChangedMark();
    return Panel::WindowProc(message, wParam, lParam);
}

void CatalogPanel::OnInitDialog() {
    SetButtonPicture(IDC_CATALOG_ADD, IDB_CATALOG_ADD);
    SetButtonPicture(IDC_CATALOG_REPLACE, IDB_CATALOG_REPLACE);
    SetButtonPicture(IDC_CATALOG_DELETE, IDB_CATALOG_DELETE);
    SetButtonPicture(IDC_CATALOG_OPEN, IDB_CATALOG_OPEN);
    Modal scope;  // a report of the load waits with the frame and the panels disabled
    m_->catalogue.LoadAtStart();
    if (!ShowNames())  // the panel still opens, with the names the list took
        ReportFailure(std::make_exception_ptr(Exception(ErrorAddItem)));
    ShowChangedMark();
}

void CatalogPanel::DoDataExchange(UpdateControl& exchange) {
    const int32_t selection = m_->catalogue.Selection();
    if (exchange.ToControls())
        SendMessageA(List(), LB_SETCURSEL, static_cast<WPARAM>(selection), 0);
    exchange.Enable(IDC_CATALOG_REPLACE, selection >= 0);
    exchange.Enable(IDC_CATALOG_DELETE, selection >= 0);
}

void CatalogPanel::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDC_CATALOG_ADD:
            AddPreset();
            return;
        case IDC_CATALOG_REPLACE:
            ReplacePreset();
            return;
        case IDC_CATALOG_DELETE:
            DeletePreset();
            return;
        case IDC_CATALOG_OPEN:
            OpenCatalogue();
            return;
        case IDC_CATALOG_LIST:
            if (code == LBN_SELCHANGE)
                ApplySelection();
            return;
        default:
            Panel::OnCommand(id, code, control);
            return;
    }
}

void CatalogPanel::OnDestroy() {
    m_->catalogue.SaveAtEnd();  // a failure is reported without an owner: the frame is going
    Panel::OnDestroy();
}

void CatalogPanel::AddPreset() {
    NameDialog dialog(String::Load(IDS_NO_NAME));
    if (dialog.RunModal(Handle()) != IDOK)
        return;
    ClearChangedMark();
    const int32_t index = m_->catalogue.AddNewPreset(dialog.Name().ToStdString(), GetSprayStyle(-1));
    const bool shown = InsertName(index);
    if (!shown)
        m_->catalogue.RemovePreset(index);  // list and catalogue stay alike
    UpdateData(true);
    if (!shown)
        throw Exception(ErrorAddItem);
    ShowChangedMark();
}

void CatalogPanel::ReplacePreset() {
    const int32_t index = m_->catalogue.Selection();
    if (index < 0 || !Confirm(Handle(), IDS_CATALOG_ASK_REPLACE, m_->catalogue.Name(index)))
        return;
    m_->catalogue.ReplaceSelected(GetSprayStyle(-1));
    ShowChangedMark();
}

void CatalogPanel::DeletePreset() {
    const int32_t index = m_->catalogue.Selection();
    if (index < 0 || !Confirm(Handle(), IDS_CATALOG_ASK_DELETE, m_->catalogue.Name(index)))
        return;
    ClearChangedMark();
    m_->catalogue.DeleteSelected();
    SendMessageA(List(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    UpdateData(true);
    ShowChangedMark();
}

// The picked name carries a mark while the current tool's style differs from its preset; the
// mark is brought up to date whenever the style may have changed under it: a tool change, a
// whole style set, and whenever the user turns to this panel (its activation).
void CatalogPanel::ShowChangedMark() {
    const int32_t index = m_->catalogue.Selection();
    const int32_t wanted = m_->catalogue.SelectedDiffersFrom(GetSprayStyle(-1)) ? index : -1;
    if (wanted == m_->markedIndex)
        return;
    ClearChangedMark();
    m_->markedIndex = wanted;
    if (wanted >= 0) {
        const String text =
            String::Format(String::Load(IDS_CATALOG_CHANGED_NAME).CStr(), m_->catalogue.Name(wanted).c_str());
        SetListText(wanted, text.ToStdString());
    }
}

// Before the list's entries move, the mark goes, so that it never stays on another entry.
void CatalogPanel::ClearChangedMark() {
    const int32_t index = m_->markedIndex;
    m_->markedIndex = -1;
    if (index >= 0 && index < m_->catalogue.Count())
        SetListText(index, m_->catalogue.Name(index));
}

void CatalogPanel::SetListText(int32_t index, const std::string& text) {
    HWND list = List();
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(m_->catalogue.Selection()), 0);
}

void CatalogPanel::OpenCatalogue() {
    Modal scope;  // the file dialog, the question and any report: the frame and panels wait
    FileDialog dialog(IDS_CATALOG_FILE_TITLE, IDS_CATALOG_FILE_FILTER, "spr");
    if (!dialog.Run(Handle(), m_->catalogue.CataloguePath()))
        return;
    HWND panel = Handle();
    const std::string chosen = dialog.FileName();
    m_->catalogue.OpenCatalogue(
        chosen, [panel] { return AskToClear(panel); }, Modal::FrameWindow());
    const bool shown = ShowNames();
    UpdateData(true);
    if (!shown)
        throw Exception(ErrorAddItem);
    const std::string& file = m_->catalogue.CatalogueFile();
    if (file != chosen && file == PresetCatalogue::WritablePath(chosen))
        Tell(panel, String::Format(String::Load(IDS_CATALOG_SHIPPED_COPY).CStr(), file.c_str()));
}

// Selecting by hand (never by program) applies the preset to the current tool.
void CatalogPanel::ApplySelection() {
    m_->catalogue.Select(static_cast<int32_t>(SendMessageA(List(), LB_GETCURSEL, 0, 0)));
    if (const int32_t selection = m_->catalogue.Selection(); selection >= 0) {
        SetSprayStyle(-1, m_->catalogue.Style(selection));
        Broadcast(WM_SPRAYSTYLECHANGED, 0, 0);
    }
    UpdateData(true);
    ShowChangedMark();
}

bool CatalogPanel::ShowNames() {
    HWND list = List();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    bool shown = true;
    for (int32_t index = 0; shown && index < m_->catalogue.Count(); ++index)
        shown = InsertName(index);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    m_->markedIndex = -1;
    return shown;
}

bool CatalogPanel::InsertName(int32_t index) {
    const LRESULT inserted = SendMessageA(List(), LB_INSERTSTRING, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(m_->catalogue.Name(index).c_str()));
    return inserted >= 0;  // LB_ERR, LB_ERRSPACE
}

HWND CatalogPanel::List() const {
    return Item(IDC_CATALOG_LIST);
}

}  // namespace app
