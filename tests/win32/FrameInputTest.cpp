// Whole filter runs: keys, wheel, activation, the About box, the menu and the toolbar as the
// frame shows them.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/win32/Cp932.h"
#include "tests/win32/FilterRunFixture.h"
#include "ui/win32/Panel.h"

namespace {

using namespace test;

constexpr LPARAM kAltDown = 1 | (1 << 29);  // repeat count 1, context code: Alt held

// Holds one modifier (or none) in this thread's key state, as the accelerators read it.
void HoldModifier(BYTE modifier) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    for (BYTE key : {VK_SHIFT, VK_LSHIFT, VK_CONTROL, VK_LCONTROL, VK_MENU, VK_LMENU})
        state[key] = 0;
    if (modifier)
        state[modifier] = 0x80;
    SetKeyboardState(state);
}

// What is sent (not posted) while it exists: accelerator commands, and keys that reach the view.
class SentMessages {
  public:
    explicit SentMessages(HWND* view) : view_(view) {
        current_ = this;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Record, nullptr, GetCurrentThreadId());
    }
    ~SentMessages() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    std::vector<int> commands;
    int keysToView = 0;

  private:
    static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current_) {
            // The frame passes the view's commands on to it; each counts once.
            if (sent->message == WM_COMMAND && HIWORD(sent->wParam) == 1 && sent->hwnd != *current_->view_)
                current_->commands.push_back(LOWORD(sent->wParam));
            if (sent->message == WM_KEYDOWN && sent->hwnd == *current_->view_)
                ++current_->keysToView;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline SentMessages* current_ = nullptr;
    HWND* view_;
    HHOOK hook_ = nullptr;
};

// Stdcall on 32-bit Windows, hence a named CALLBACK rather than a lambda.
BOOL CALLBACK NoteDialog(HWND window, LPARAM result) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "#32770") != 0 || !IsWindowVisible(window) || app::Panel::Holding(window))
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

// A dialog box of this thread other than the panels.
HWND ThreadDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), NoteDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Lets the window system act on what was just shown and raised: under Wine the X events that
// follow arrive a little later and would otherwise reorder the windows during the test.
void Settle() {
    for (const DWORD end = GetTickCount() + 300; GetTickCount() < end; Sleep(10)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
}

// The menu as text, one item a line, indented by level: "text id", "-" for a separator.
void ListMenu(HMENU menu, const std::string& indent, std::string* out) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
        if (item.fType & MFT_SEPARATOR) {
            *out += indent + "-\n";
        } else if (item.hSubMenu) {
            *out += indent + text + "\n";
            ListMenu(item.hSubMenu, indent + "  ", out);
        } else {
            *out += indent + text + " " + std::to_string(item.wID) + "\n";
        }
    }
}

// Menu 128 as resources/Driftlace.rc writes it, in ListMenu's form and the Japanese code page.
std::string MenuOfTheResource() {
    std::map<std::string, std::string> ids;
    std::istringstream header(ReadFileText(SourcePath("resources/ResourceIds.h")));
    for (std::string word, name, value; header >> word;)
        if (word == "#define" && header >> name >> value)
            ids[name] = value;
    std::istringstream rc(ReadFileText(SourcePath("resources/Driftlace.rc")));
    std::string line, menu;
    while (std::getline(rc, line) && line.rfind("IDR_MAIN MENU", 0) != 0) {
    }
    for (int depth = 0; std::getline(rc, line);) {
        const size_t start = line.find_first_not_of(' ');
        const std::string code = start == std::string::npos ? "" : line.substr(start);
        const std::string indent(depth > 1 ? 2 * (depth - 1) : 0, ' ');
        const size_t open = code.find('"'), close = code.rfind('"');
        std::string text = open == std::string::npos ? "" : code.substr(open + 1, close - open - 1);
        if (const size_t tab = text.find("\\t"); tab != std::string::npos)
            text.replace(tab, 2, "\t");
        if (code.rfind("BEGIN", 0) == 0)
            ++depth;
        else if (code.rfind("END", 0) == 0 && --depth == 0)
            break;
        else if (code.rfind("POPUP", 0) == 0)
            menu += indent + Cp932(text) + "\n";
        else if (code == "MENUITEM SEPARATOR")
            menu += indent + "-\n";
        else if (code.rfind("MENUITEM", 0) == 0)
            menu += indent + Cp932(text) + " " + ids[code.substr(code.find(", ") + 2)] + "\n";
    }
    return menu;
}

TEST_F(FilterRun, TheHostIsTheActiveWindowAgainAfterTheRun) {
    // Another program's window, next below the host: the one the system would activate if the
    // host were still disabled when the frame goes.
    HWND other = CreateWindowA("FilterRunTestHost", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 0, 200, 100,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(hostWindow_, SW_SHOW);
    SetWindowPos(hostWindow_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetActiveWindow(hostWindow_);
    Settle();
    test::FakeHost host(kWidth, kHeight);
    bool runActive = false;
    ScriptedRun script({[&](HWND frame) {
        const HWND active = GetActiveWindow();
        runActive = active == frame || GetWindow(active, GW_OWNER) == frame;  // the frame or a panel
    }});
    EXPECT_EQ(Run(host), 1);
    EXPECT_TRUE(runActive);
    EXPECT_EQ(GetActiveWindow(), hostWindow_);  // of this thread: other programs' windows do not count
    DestroyWindow(other);
}

TEST_F(FilterRun, TheWheelScrollsTheViewByTheScrollBarsRules) {
    UINT lines = 3, columns = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    SystemParametersInfoA(SPI_GETWHEELSCROLLCHARS, 0, &columns, 0);
    const int line = 16 * static_cast<int>(lines);
    const int leftHalfNotch = line - 16 * static_cast<int>(60 * columns / 120);
    test::FakeHost host(kWidth, kHeight);
    std::vector<int> positions;  // vertical and horizontal after each message
    ScriptedRun script({[&](HWND frame) {
        SetWindowPos(frame, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(frame, WM_COMMAND, IDM_ZOOM400, 0);  // 700 x 560 of content in a smaller view
        HWND view = GetDlgItem(frame, IDC_VIEW);
        const auto send = [&](HWND to, UINT message, WORD keys, int delta) {
            SendMessageA(to, message, MAKEWPARAM(keys, static_cast<WORD>(delta)), 0);
            positions.push_back(GetScrollPos(view, SB_VERT));
            positions.push_back(GetScrollPos(view, SB_HORZ));
        };
        send(frame, WM_MOUSEWHEEL, 0, -120);         // towards the user: down
        send(frame, WM_MOUSEWHEEL, MK_SHIFT, -120);  // with Shift: right
        send(view, WM_MOUSEHWHEEL, 0, -60);          // half a notch to the left
        send(view, WM_MOUSEWHEEL, 0, 120 * 50);      // far up: stops at the top
    }});
    EXPECT_EQ(Run(host), 1);
    const std::vector<int> expected = {line, 0, line, line, line, leftHalfNotch, 0, leftHalfNotch};
    EXPECT_EQ(positions, expected);
}

TEST_F(FilterRun, EveryAcceleratorKeyReachesItsCommandAndNotTheView) {
    struct Key {
        BYTE modifier;
        UINT key;
        int command;
    };
    const Key keys[] = {
        {VK_CONTROL, 'T', IDM_ZOOM_IN}, {VK_CONTROL, 'D', IDM_ZOOM_OUT}, {VK_CONTROL, 'F', IDM_ZOOM100},
        {VK_CONTROL, 'E', IDM_PAUSE},   {0, VK_F1, IDM_MANUAL},          {0, VK_F9, IDM_PANEL_GENERAL},
        {0, VK_F10, IDM_PANEL_SPRAY},   {0, VK_F11, IDM_PANEL_COLOR},    {0, VK_F12, IDM_PANEL_CATALOG},
        {VK_CONTROL, 'Z', IDM_UNDO},    {VK_CONTROL, 'Y', IDM_REDO},     {VK_MENU, VK_F4, IDM_EXIT},
    };
    test::FakeHost host(kWidth, kHeight);
    HWND view = nullptr;
    SentMessages sent(&view);
    std::vector<int> expected;
    std::vector<ScriptedRun::Step> steps;
    ScriptedRun* script = nullptr;
    steps.push_back([&](HWND frame) {
        view = GetDlgItem(frame, IDC_VIEW);
        StartStroke(*script, frame);  // so that undo and redo have something to do
    });
    for (const Key& key : keys) {
        steps.push_back([&, key](HWND frame) {
            // A greyed menu item takes its key but sends nothing, as on every system; the panel
            // commands stay greyed until the panels are part of the plug-in.
            HMENU windows = GetSubMenu(GetSubMenu(GetMenu(frame), 3), 0);
            SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(windows), MAKELPARAM(0, FALSE));
            const UINT panel = GetMenuState(windows, static_cast<UINT>(key.command), MF_BYCOMMAND);
            if (panel == static_cast<UINT>(-1) || !(panel & MF_GRAYED))
                expected.push_back(key.command);
            HoldModifier(key.modifier);
            const bool system = key.modifier == VK_MENU || key.key == VK_F10;
            PostMessageA(frame, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key.key, key.modifier == VK_MENU ? kAltDown : 1);
        });
    }
    ScriptedRun run(steps);
    script = &run;
    EXPECT_EQ(Run(host), 1);
    HoldModifier(0);
    EXPECT_EQ(run.StepsRun(), steps.size());  // Alt+F4 closed the frame
    EXPECT_EQ(sent.commands, expected);
    EXPECT_GE(expected.size(), 8u);
    EXPECT_EQ(sent.keysToView, 0);
    ASSERT_EQ(ReportedFailures().size(), 1u);  // F1: the manual is not there
}

TEST_F(FilterRun, AltActivatesTheFrameWhileAPanelIsActiveUnlessTheFrameIsLocked) {
    test::FakeHost host(kWidth, kHeight);
    HWND panel = nullptr, frameWindow = nullptr;
    HWND activeBefore = nullptr, activeAfterAlt = nullptr, activeWhileLocked = nullptr;
    ScriptedRun script({[&](HWND frame) {
                            frameWindow = frame;
                            panel = app::Panel::At(app::Panel::Spray)->Handle();
                            SetActiveWindow(panel);
                            activeBefore = GetActiveWindow();
                            PostMessageA(panel, WM_SYSKEYDOWN, VK_MENU, kAltDown);
                        },
                        [&](HWND frame) {
                            activeAfterAlt = GetActiveWindow();
                            EnableWindow(frame, FALSE);  // as a modal dialog leaves it
                            SetActiveWindow(panel);
                            PostMessageA(panel, WM_SYSKEYDOWN, VK_MENU, kAltDown);
                        },
                        [&](HWND frame) {
                            activeWhileLocked = GetActiveWindow();
                            EnableWindow(frame, TRUE);
                        }});
    EXPECT_EQ(Run(host), 1);
    EXPECT_EQ(script.StepsRun(), 3u);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(activeBefore, panel);
    EXPECT_EQ(activeAfterAlt, frameWindow);
    EXPECT_EQ(activeWhileLocked, panel);
}

// Looks for the About box from inside its own message loop, reads it and presses OK.
struct AboutBoxSeen {
    HWND frame = nullptr;
    std::string title, texts;
    bool ownedByFrame = false;
    bool frameLocked = false;
    int ticks = 0;
};
AboutBoxSeen* g_about = nullptr;

void CALLBACK LookForTheAboutBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = ThreadDialog();
    if (!box) {
        if (++g_about->ticks > 250) {
            ADD_FAILURE() << "the About box did not open";
            KillTimer(nullptr, timer);
        }
        return;
    }
    KillTimer(nullptr, timer);
    g_about->title = WindowText(box);
    for (HWND item = GetWindow(box, GW_CHILD); item; item = GetWindow(item, GW_HWNDNEXT))
        if ((GetWindowLongA(item, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            g_about->texts += WindowText(item) + "|";
    g_about->ownedByFrame = GetWindow(box, GW_OWNER) == g_about->frame;
    g_about->frameLocked = !IsWindowEnabled(g_about->frame);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

TEST_F(FilterRun, TheAboutBoxOpensOverTheLockedFrameAndOKClosesIt) {
    test::FakeHost host(kWidth, kHeight);
    AboutBoxSeen seen;
    g_about = &seen;
    bool closed = false, frameBack = false;
    HWND activeBefore = nullptr;
    ScriptedRun script({[&](HWND frame) {
                            seen.frame = frame;
                            activeBefore = GetActiveWindow();
                            SetTimer(nullptr, 0, 20, LookForTheAboutBox);
                            PostCommand(frame, IDM_ABOUT);
                        },
                        [&](HWND frame) {
                            closed = ThreadDialog() == nullptr;
                            frameBack = IsWindowEnabled(frame) && GetActiveWindow() == activeBefore;
                        }});
    EXPECT_EQ(Run(host), 1);
    g_about = nullptr;
    EXPECT_EQ(seen.title, Cp932("バージョン情報"));
    EXPECT_EQ(seen.texts, "Driftlace|version|0.3.1|Copyright (C) TAVRO|OK|");
    EXPECT_TRUE(seen.ownedByFrame);
    EXPECT_TRUE(seen.frameLocked);
    EXPECT_TRUE(closed);
    EXPECT_TRUE(frameBack);
    EXPECT_TRUE(ReportedFailures().empty());
}

TEST_F(FilterRun, TheFrameShowsTheMenuOfTheResource) {
    test::FakeHost host(kWidth, kHeight);
    std::string shown;
    ScriptedRun script({[&](HWND frame) { ListMenu(GetMenu(frame), "", &shown); }});
    EXPECT_EQ(Run(host), 1);
    const std::string resource = MenuOfTheResource();
    EXPECT_NE(resource.find(Cp932("\n  アプリケーションに戻る(&X)\tAlt+F4 33020\n")), std::string::npos) << resource;
    EXPECT_EQ(shown, resource);
}

}  // namespace
