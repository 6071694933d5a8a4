#include "ui/win32/AppFrame.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/FileException.h"
#include "base/String.h"
#include "base/System.h"
#include "resources/ResourceIds.h"
#include "settings/Registry.h"
#include "settings/SettingsPaths.h"
#include "ui/CommandRules.h"
#include "ui/IdValueTable.h"
#include "ui/StatusPrompt.h"
#include "ui/WindowGeometry.h"
#include "ui/win32/AppMessages.h"
#include "ui/win32/AppView.h"
#include "ui/win32/Command.h"
#include "ui/win32/Dialog.h"
#include "ui/win32/Modal.h"
#include "ui/win32/Panel.h"
#include "ui/win32/ToolTip.h"
#include "ui/win32/Toolbar.h"

namespace app {

namespace {

constexpr int32_t kUseDefault = WindowGeometry::kUseDefault;
constexpr Rect32 kDefaultPlacement = {kUseDefault, kUseDefault, kUseDefault, kUseDefault};

// Whether the bar is shown in the frame, whether or not the frame itself is visible.
bool IsShown(HWND bar) {
    return bar && (GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE) != 0;
}

int32_t WindowHeight(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

// Scripted runs (DRIFTLACE_MANUAL_LOG=FILE) note the manual's path in that file instead of
// starting a browser; a manual that is not there fails as the shell's open would.
bool NoteManualForScript(const std::string& path) {
    const char* log = std::getenv("DRIFTLACE_MANUAL_LOG");
    if (!log)
        return false;
    if (!FileExists(path))
        throw FileException(ErrorManual, 0, path);
    if (FILE* file = std::fopen(log, "ab")) {
        std::fprintf(file, "%s\n", path.c_str());
        std::fclose(file);
    }
    return true;
}

}  // namespace

class AppFrameMember {
  public:
    std::unique_ptr<AppView> view;
    StatusPrompt prompt;
    HWND toolbar = nullptr;
    HWND statusBar = nullptr;
    HWND disabledOwner = nullptr;
    Rect32 window = kDefaultPlacement;
    bool maximized = false;
    bool showToolBar = true;
    bool showStatusBar = true;
};

AppFrame::AppFrame() : m_(std::make_unique<AppFrameMember>()) {}

AppFrame::~AppFrame() = default;

void AppFrame::ExchangeSettings(Registry& store) {
    store.SelectSection("Frame");
    store.ExchangeBool("ShowToolBar", m_->showToolBar, true);
    store.ExchangeBool("ShowStatusBar", m_->showStatusBar, true);
    store.ExchangeRect("Window", m_->window, kDefaultPlacement);
    store.ExchangeBool("Maximize", m_->maximized, false);
    store.SelectSection(nullptr);
}

void AppFrame::SetView(std::unique_ptr<AppView> view) {
    m_->view = std::move(view);
}

AppView* AppFrame::View() const noexcept {
    return m_->view.get();
}

void AppFrame::CreateWindows(HWND owner) {
    Create(0, AppWindowClass(), "", WS_OVERLAPPEDWINDOW, m_->window, owner, nullptr);
    Modal::SetFrameWindow(Handle());
    m_->view->Create(Handle());
    ShowWindow(Handle(), m_->maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    m_->statusBar = CreateStatusWindowA(WS_CHILD, "", Handle(), IDC_STATUSBAR);
    if (!m_->statusBar)
        throw Exception(ErrorCreateWindow);
    if (m_->showStatusBar)
        ShowWindow(m_->statusBar, SW_SHOW);
    m_->toolbar = Toolbar::Create(Handle());
    if (m_->showToolBar)
        ShowWindow(m_->toolbar, SW_SHOW);
    Layout();
}

LRESULT AppFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND view = m_->view ? m_->view->Handle() : nullptr;
    switch (message) {
        case WM_SIZE:
            Layout();
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_NCDESTROY:
            PostQuitMessage(0);
            return CallPrevious(message, wParam, lParam);
        case WM_ACTIVATEAPP:
            if (view)
                SendMessageA(view, WM_ACTIVATEAPP, wParam ? 1 : 0, lParam);
            return CallPrevious(message, wParam, lParam);
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_MOUSEWHEEL:  // the frame has the focus, the view scrolls
        case WM_MOUSEHWHEEL:
            if (view)
                SendMessageA(view, message, wParam, lParam);
            return 0;
        case WM_NOTIFY:
            if (reinterpret_cast<NMHDR*>(lParam)->code == TTN_NEEDTEXTA) {
                ToolTip::SupplyText(reinterpret_cast<NMTTDISPINFOA*>(lParam));
                return 0;
            }
            return CallPrevious(message, wParam, lParam);
        case WM_INITMENUPOPUP:
            if (HIWORD(lParam))  // the window menu
                return CallPrevious(message, wParam, lParam);
            OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_MENUSELECT:
            OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return 0;
        case WM_UPDATECOMMANDS:
            UpdateToolbar();
            return 0;
        case WM_TOOLCHANGED:
            return 0;
        default:
            return Window::WindowProc(message, wParam, lParam);
    }
}

void AppFrame::OnDestroy() {}

void AppFrame::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDM_SHOW_TOOLBAR:
            ToggleBar(m_->toolbar);
            return;
        case IDM_SHOW_STATUSBAR:
            ToggleBar(m_->statusBar);
            return;
        case IDM_PANEL_GENERAL:
        case IDM_PANEL_SPRAY:
        case IDM_PANEL_COLOR:
        case IDM_PANEL_CATALOG:
            TogglePanel(IdValueTable::ValueOf(IdValueTable::Panel(), id));
            return;
        case IDM_MANUAL:
            OpenManual();
            return;
        case IDM_ABOUT: {
            Dialog about(IDD_ABOUT);
            about.RunModal(Handle());
            return;
        }
        case IDM_EXIT:
            Close();
            return;
        default:
            if (m_->view && m_->view->Handle())
                SendMessageA(m_->view->Handle(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
            return;
    }
}

void AppFrame::OnUpdateCommand(int id, Command* target) {
    FRAME_FACTS facts = {};
    facts.toolbarVisible = IsShown(m_->toolbar);
    facts.statusBarVisible = IsShown(m_->statusBar);
    for (int32_t index = 0; index < Panel::kCount; ++index) {
        const Panel* panel = Panel::At(index);
        facts.panelExists[index] = panel && panel->Handle();
        facts.panelVisible[index] = panel && panel->IsShown();
    }
    COMMAND_STATE state = {};
    if (CommandRules::ForFrame(id, facts, &state)) {
        target->Apply(state);
        return;
    }
    if (m_->view && m_->view->Handle())
        SendMessageA(m_->view->Handle(), WM_UPDATECOMMAND, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(target));
}

void AppFrame::Close() {
    HWND frame = Handle();
    m_->showToolBar = IsShown(m_->toolbar);
    m_->showStatusBar = IsShown(m_->statusBar);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (GetWindowPlacement(frame, &placement)) {
        const RECT& normal = placement.rcNormalPosition;
        m_->window = {normal.left, normal.top, normal.right, normal.bottom};
        m_->maximized = placement.showCmd == SW_SHOWMAXIMIZED;
    }
    if (m_->view && m_->view->Handle())
        SendMessageA(m_->view->Handle(), WM_VIEWCLOSING, 0, 0);
    EnableOwner();
    DestroyWindow(frame);
}

void AppFrame::SetDisabledOwner(HWND owner) noexcept {
    m_->disabledOwner = owner;
}

void AppFrame::EnableOwner() noexcept {
    if (m_->disabledOwner)
        EnableWindow(m_->disabledOwner, TRUE);
    m_->disabledOwner = nullptr;
}

void AppFrame::Layout() {
    if (!m_->view || !m_->view->Handle())
        return;
    RECT area = {};
    GetClientRect(Handle(), &area);
    if (IsShown(m_->statusBar)) {
        SendMessageA(m_->statusBar, WM_SIZE, 0, 0);
        area.bottom -= WindowHeight(m_->statusBar);
    }
    if (IsShown(m_->toolbar)) {
        SendMessageA(m_->toolbar, WM_SIZE, 0, 0);
        area.top += WindowHeight(m_->toolbar);
    }
    MoveWindow(m_->view->Handle(), area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

bool AppFrame::OnIdle() {
    ShowPrompt(IDS_NO_COMMAND);
    return m_->view && m_->view->Handle() && m_->view->OnIdle();
}

void AppFrame::UpdateToolbar() {
    HWND toolbar = m_->toolbar;
    if (!toolbar)
        return;
    const int count = static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        TBBUTTON button = {};
        if (!SendMessageA(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
            continue;
        Command target = Command::ForToolbar(toolbar, button.idCommand);
        OnUpdateCommand(button.idCommand, &target);
    }
}

void AppFrame::OnInitMenuPopup(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        Command target = Command::ForMenu(menu, position);
        // A submenu gives -1 and a separator 0, which no rule answers.
        OnUpdateCommand(static_cast<int>(GetMenuItemID(menu, position)), &target);
    }
}

void AppFrame::OnMenuSelect(int item, UINT flags, HMENU menu) {
    ShowPrompt(StatusPrompt::MenuSelectId(item, (flags & MF_POPUP) != 0, flags == 0xFFFF && !menu));
}

void AppFrame::ShowPrompt(int id) {
    String text;
    if (m_->prompt.Show(id, &text) && m_->statusBar)
        SendMessageA(m_->statusBar, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.CStr()));
}

void AppFrame::ToggleBar(HWND bar) {
    if (!bar)
        return;
    ShowWindow(bar, IsShown(bar) ? SW_HIDE : SW_SHOW);
    Layout();
}

void AppFrame::TogglePanel(int32_t index) {
    if (Panel* panel = Panel::At(index))
        panel->Toggle();
    UpdateToolbar();
}

void AppFrame::OpenManual() {
    const std::string path = DirectoryOf(ModuleFilePath()) + String::Load(IDS_MANUAL_PATH).ToStdString();
    if (NoteManualForScript(path))
        return;
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteA(Handle(), "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32)
        throw FileException(ErrorManual, 0, path);
}

}  // namespace app
