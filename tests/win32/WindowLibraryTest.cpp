#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "base/Failure.h"
#include "base/Image.h"
#include "tests/support/TestFiles.h"
#include "tests/win32/Cp932.h"
#include "ui/DisplayComposer.h"
#include "ui/win32/AppMessages.h"
#include "ui/win32/ClientDC.h"
#include "ui/win32/Command.h"
#include "ui/win32/DC.h"
#include "ui/win32/GdiObject.h"
#include "ui/win32/MemoryDC.h"
#include "ui/win32/Modal.h"
#include "ui/win32/ToolTip.h"
#include "ui/win32/Toolbar.h"
#include "ui/win32/Window.h"

namespace {

constexpr UINT kThrowProgramError = WM_APP + 40;
constexpr UINT kThrowOtherError = WM_APP + 41;
constexpr UINT kAnswer = WM_APP + 42;

const app::Rect32 kDefaultRect = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};

// A window that records what reaches its object and throws on request.
class ProbeWindow : public app::Window {
  public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(message);
        if (message == kThrowProgramError)
            throw app::Exception(app::ErrorCreateWindow);
        if (message == kThrowOtherError)
            throw std::runtime_error("not one of ours");
        if (message == kAnswer)
            return 1234;
        return Window::WindowProc(message, wParam, lParam);
    }
    void OnDestroy() override {
        destroyed = true;
        Window::OnDestroy();
    }
    void OnCommand(int id, int code, HWND control) override {
        commands.push_back(id);
        codes.push_back(code);
    }

    std::vector<UINT> messages;
    std::vector<int> commands;
    std::vector<int> codes;
    bool destroyed = false;
};

class WindowLibrary : public testing::Test {
  protected:
    void SetUp() override { test::ReportedFailures().clear(); }
    void TearDown() override { app::Modal::SetFrameWindow(nullptr); }
};

TEST_F(WindowLibrary, CreatedWindowIsBoundThroughItsUserData) {
    ProbeWindow window;
    window.Create(0, app::Window::AppWindowClass(), "probe", WS_OVERLAPPEDWINDOW, kDefaultRect, nullptr, nullptr);
    HWND handle = window.Handle();
    ASSERT_NE(handle, nullptr);
    char className[32] = {};
    GetClassNameA(handle, className, sizeof className);
    EXPECT_STREQ(className, "AppWindow");
    EXPECT_EQ(app::Window::FromHandle(handle), &window);
    EXPECT_EQ(GetWindowLongPtrA(handle, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&window));
    RECT rect;
    GetWindowRect(handle, &rect);
    EXPECT_GT(rect.right - rect.left, 0);  // default size where the stored one is the default

    EXPECT_EQ(SendMessageA(handle, kAnswer, 0, 0), 1234);
    SendMessageA(handle, WM_COMMAND, MAKEWPARAM(33150, 1), 0);
    ASSERT_EQ(window.commands.size(), 1u);
    EXPECT_EQ(window.commands[0], 33150);
    EXPECT_EQ(window.codes[0], 1);

    DestroyWindow(handle);
    EXPECT_TRUE(window.destroyed);
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_EQ(app::Window::FromHandle(handle), nullptr);
}

TEST_F(WindowLibrary, StoredRectangleIsUsedAsGiven) {
    ProbeWindow window;
    window.Create(0, app::Window::AppWindowClass(), "", WS_POPUP, {20, 30, 220, 130}, nullptr, nullptr);
    RECT rect;
    GetWindowRect(window.Handle(), &rect);
    EXPECT_EQ(rect.left, 20);
    EXPECT_EQ(rect.top, 30);
    EXPECT_EQ(rect.right - rect.left, 200);
    EXPECT_EQ(rect.bottom - rect.top, 100);
}

TEST_F(WindowLibrary, DestroyingTheObjectDestroysItsWindow) {
    HWND handle;
    {
        ProbeWindow window;
        window.Create(0, app::Window::AppWindowClass(), "", WS_POPUP, {0, 0, 10, 10}, nullptr, nullptr);
        handle = window.Handle();
        ASSERT_TRUE(IsWindow(handle));
    }
    EXPECT_FALSE(IsWindow(handle));
}

TEST_F(WindowLibrary, FailedCreationRaisesErrorFive) {
    ProbeWindow window;
    try {
        window.Create(0, "NoSuchClassAnywhere", "", WS_POPUP, kDefaultRect, nullptr, nullptr);
        FAIL() << "created";
    } catch (const app::Exception& e) {
        EXPECT_EQ(e.Code(), app::ErrorCreateWindow);
    }
    EXPECT_EQ(window.Handle(), nullptr);
}

TEST_F(WindowLibrary, ExceptionsInAHandlerAreReportedAndStayInTheProcedure) {
    ProbeWindow window;
    window.Create(0, app::Window::AppWindowClass(), "", WS_POPUP, {0, 0, 10, 10}, nullptr, nullptr);
    EXPECT_EQ(SendMessageA(window.Handle(), kThrowProgramError, 0, 0), 0);
    ASSERT_EQ(test::ReportedFailures().size(), 1u);
    EXPECT_EQ(test::ReportedFailures()[0], test::Cp932("ウィンドウを作れません。"));

    // Through a posted message and the message loop too: the loop goes on afterwards.
    PostMessageA(window.Handle(), kThrowOtherError, 0, 0);
    PostMessageA(window.Handle(), kAnswer, 0, 0);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    ASSERT_EQ(test::ReportedFailures().size(), 2u);
    EXPECT_EQ(test::ReportedFailures()[1], test::Cp932("原因不明の理由により処理できません。"));
    EXPECT_EQ(window.messages.back(), kAnswer);
    EXPECT_TRUE(IsWindow(window.Handle()));
}

TEST_F(WindowLibrary, BoundControlKeepsItsOwnBehaviourAndIsRestoredOnDetach) {
    ProbeWindow parent;
    parent.Create(0, app::Window::AppWindowClass(), "", WS_POPUP, {0, 0, 100, 100}, nullptr, nullptr);
    HWND button = CreateWindowExA(0, "BUTTON", "old", WS_CHILD | BS_PUSHBUTTON, 0, 0, 50, 20, parent.Handle(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(1400)), nullptr, nullptr);
    ASSERT_NE(button, nullptr);
    const LONG_PTR original = GetWindowLongPtrA(button, GWLP_WNDPROC);
    {
        ProbeWindow control;
        control.AttachItem(parent.Handle(), 1400);
        EXPECT_EQ(control.Handle(), button);
        EXPECT_EQ(app::Window::FromHandle(button), &control);
        SetWindowTextA(button, "new");
        char text[16] = {};
        GetWindowTextA(button, text, sizeof text);
        EXPECT_STREQ(text, "new");  // the button's own procedure still answers
        EXPECT_NE(std::find(control.messages.begin(), control.messages.end(), WM_SETTEXT), control.messages.end());
        EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        control.Detach();
        EXPECT_EQ(GetWindowLongPtrA(button, GWLP_WNDPROC), original);
        EXPECT_EQ(GetWindowLongPtrA(button, GWLP_USERDATA), 0);
        control.Attach(button);
    }
    // Destroying the bound object destroyed the control with it.
    EXPECT_FALSE(IsWindow(button));
    EXPECT_THROW(ProbeWindow().AttachItem(parent.Handle(), 9999), app::Exception);
}

// The procedure that subclasses on top of ours; named and CALLBACK because 32-bit Windows calls
// window procedures as stdcall.
WNDPROC procedureBelowTop = nullptr;
LRESULT CALLBACK TopProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(procedureBelowTop, window, message, wParam, lParam);
}

TEST_F(WindowLibrary, ControlUnderAnotherSubclassStillReachesItsProcedureAfterDetach) {
    ProbeWindow parent;
    parent.Create(0, app::Window::AppWindowClass(), "", WS_POPUP, {0, 0, 100, 100}, nullptr, nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 50, 20, parent.Handle(), nullptr, nullptr, nullptr);
    ProbeWindow control;
    control.Attach(edit);
    // Someone subclasses on top of us (as tooltips relaying mouse messages do).
    procedureBelowTop = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC));
    WNDPROC top = TopProcedure;
    SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(top));
    control.Detach();
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(top));  // not torn out
    SetWindowTextA(edit, "still an edit");
    char text[32] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "still an edit");
    DestroyWindow(edit);
}

// --- Modal scope ------------------------------------------------------------------------------

struct FrameAndPanels {
    ProbeWindow frame;
    ProbeWindow panel;
    ProbeWindow child;
    HWND stranger = nullptr;  // a top-level window the frame does not own

    FrameAndPanels() {
        frame.Create(0, app::Window::AppWindowClass(), "frame", WS_OVERLAPPEDWINDOW, {0, 0, 300, 200}, nullptr,
                     nullptr);
        panel.Create(WS_EX_TOOLWINDOW, app::Window::AppWindowClass(), "panel", WS_POPUP | WS_CAPTION,
                     {310, 0, 400, 100}, frame.Handle(), nullptr);
        child.Create(0, app::Window::AppWindowClass(), "", WS_CHILD | WS_VISIBLE, {0, 0, 50, 50}, frame.Handle(),
                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(1003)));
        stranger = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        app::Modal::SetFrameWindow(frame.Handle());
    }
    ~FrameAndPanels() { DestroyWindow(stranger); }

    bool Enabled() const { return IsWindowEnabled(frame.Handle()) && IsWindowEnabled(panel.Handle()); }
    bool Disabled() const { return !IsWindowEnabled(frame.Handle()) && !IsWindowEnabled(panel.Handle()); }
};

TEST_F(WindowLibrary, ModalScopesLockFrameAndPanelsUntilTheOutermostCloses) {
    FrameAndPanels windows;
    ASSERT_TRUE(windows.Enabled());
    {
        app::Modal outer;
        EXPECT_TRUE(windows.Disabled());
        EXPECT_TRUE(IsWindowEnabled(windows.child.Handle()));  // children follow their parent
        EXPECT_TRUE(IsWindowEnabled(windows.stranger));
        {
            app::Modal inner;
            EXPECT_EQ(app::Modal::Depth(), 2);
        }
        EXPECT_TRUE(windows.Disabled());  // the inner scope does not re-enable early
    }
    EXPECT_TRUE(windows.Enabled());
    EXPECT_EQ(app::Modal::Depth(), 0);
}

TEST_F(WindowLibrary, FailureReportsRunInsideAModalScope) {
    FrameAndPanels windows;
    static bool lockedDuringReport = false;
    static HWND frame = nullptr;
    frame = windows.frame.Handle();
    app::FailureSink previous = app::SetFailureSink([](void*, const std::string& text) {
        lockedDuringReport = !IsWindowEnabled(frame);
        test::ReportedFailures().push_back(text);
    });
    SendMessageA(windows.panel.Handle(), kThrowProgramError, 0, 0);
    app::SetFailureSink(previous);
    EXPECT_TRUE(lockedDuringReport);
    EXPECT_EQ(test::ReportedFailures().size(), 1u);
    EXPECT_TRUE(windows.Enabled());
}

// --- Tooltip texts ----------------------------------------------------------------------------

TEST_F(WindowLibrary, TipTextIsThePartAfterTheLineBreak) {
    ProbeWindow parent;
    parent.Create(0, app::Window::AppWindowClass(), "", WS_POPUP, {0, 0, 100, 100}, nullptr, nullptr);
    auto button = [&](int id) {
        return CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, parent.Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    };
    auto tip = [](HWND tool) {
        NMTTDISPINFOA request = {};
        request.hdr.code = TTN_NEEDTEXTA;
        request.hdr.idFrom = reinterpret_cast<UINT_PTR>(tool);
        request.uFlags = TTF_IDISHWND;
        std::memset(request.szText, 'x', sizeof request.szText);
        app::ToolTip::SupplyText(&request);
        EXPECT_EQ(request.lpszText, request.szText);
        return std::string(request.szText);
    };
    EXPECT_EQ(tip(button(33150)), test::Cp932("元に戻す"));
    EXPECT_EQ(tip(button(33100)), test::Cp932("塗る"));
    EXPECT_EQ(tip(button(1234)), "");  // no string, no tip

    NMTTDISPINFOA byId = {};
    byId.hdr.idFrom = 33151;  // a toolbar button: the tool id is the command id
    app::ToolTip::SupplyText(&byId);
    EXPECT_EQ(std::string(byId.szText), test::Cp932("やり直し"));
}

TEST_F(WindowLibrary, TipTextIsCutBetweenCharacters) {
    const std::string text = test::Cp932("あいう");  // 6 bytes
    char buffer[8];
    app::ToolTip::CopyText(text.c_str(), buffer, 4);
    EXPECT_EQ(std::string(buffer), test::Cp932("あ"));
    app::ToolTip::CopyText(text.c_str(), buffer, 5);
    EXPECT_EQ(std::string(buffer), test::Cp932("あい"));
    app::ToolTip::CopyText("abcdefgh", buffer, 8);
    EXPECT_EQ(std::string(buffer), "abcdefg");
}

// --- Command targets --------------------------------------------------------------------------

TEST_F(WindowLibrary, CommandTargetsSetMenuItemsAndToolbarButtons) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 33150, "undo");
    AppendMenuA(menu, MF_STRING, 33200, "pause");
    app::Command undo = app::Command::ForMenu(menu, 0);
    undo.Apply({true, false, false, false});
    app::Command pause = app::Command::ForMenu(menu, 1);
    pause.Apply({false, false, true, true});
    EXPECT_TRUE(GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_GRAYED);
    DestroyMenu(menu);

    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    ProbeWindow parent;
    parent.Create(0, app::Window::AppWindowClass(), "", WS_POPUP, {0, 0, 300, 100}, nullptr, nullptr);
    HWND toolbar =
        CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD, 0, 0, 0, 0, parent.Handle(), nullptr, nullptr, nullptr);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON buttons[2] = {};
    buttons[0].idCommand = 33100;
    buttons[0].fsState = TBSTATE_ENABLED;
    buttons[1].idCommand = 33150;
    buttons[1].fsState = TBSTATE_ENABLED;
    SendMessageA(toolbar, TB_ADDBUTTONSA, 2, reinterpret_cast<LPARAM>(buttons));
    app::Command::ForToolbar(toolbar, 33100).Apply({false, false, true, true});
    app::Command::ForToolbar(toolbar, 33150).Apply({true, false, false, false});
    EXPECT_EQ(SendMessageA(toolbar, TB_GETSTATE, 33100, 0), TBSTATE_ENABLED | TBSTATE_CHECKED);
    EXPECT_EQ(SendMessageA(toolbar, TB_GETSTATE, 33150, 0), 0);
    app::Command::ForToolbar(toolbar, 33100).SetCheck(false);
    EXPECT_EQ(SendMessageA(toolbar, TB_GETSTATE, 33100, 0), TBSTATE_ENABLED);
}

// What the toolbar is told about its pictures, in order.
std::vector<UINT>* g_toolbarMessages = nullptr;

LRESULT CALLBACK RecordToolbarMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_toolbarMessages && (sent->message == TB_ADDBITMAP || sent->message == TB_SETBITMAPSIZE))
        g_toolbarMessages->push_back(sent->message == TB_SETBITMAPSIZE ? static_cast<UINT>(sent->lParam) : 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The platform's toolbar takes pictures as 16 x 15 by default and cuts the bottom row off a
// 16 x 16 one; Wine's takes the size of the first, so what the toolbar is told is checked too.
TEST_F(WindowLibrary, ToolbarIsToldItsPicturesAre16By16BeforeTheFirstArrives) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    ProbeWindow parent;
    parent.Create(0, app::Window::AppWindowClass(), "", WS_POPUP, {0, 0, 400, 100}, nullptr, nullptr);
    std::vector<UINT> told;
    g_toolbarMessages = &told;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordToolbarMessage, nullptr, GetCurrentThreadId());
    HWND toolbar = app::Toolbar::Create(parent.Handle());
    UnhookWindowsHookEx(hook);
    g_toolbarMessages = nullptr;
    ASSERT_EQ(told.size(), 13u);  // the size, then the twelve pictures
    EXPECT_EQ(told[0], static_cast<UINT>(MAKELONG(16, 16)));
    int width = 0, height = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0)), &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
}

// --- Device contexts --------------------------------------------------------------------------

TEST_F(WindowLibrary, DeviceContextGetsBackEverythingItHadSelected) {
    HDC raw = CreateCompatibleDC(nullptr);
    const HGDIOBJ pen = GetCurrentObject(raw, OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(raw, OBJ_BRUSH);
    const HGDIOBJ bitmap = GetCurrentObject(raw, OBJ_BITMAP);
    const int rop = GetROP2(raw);
    const int mode = GetBkMode(raw);
    app::GdiObject red;
    red.CreateSolidBrush(RGB(255, 0, 0));
    {
        app::GdiObject blue;
        blue.CreateSolidBrush(RGB(0, 0, 255));
        app::GdiObject wide;
        wide.CreatePen(PS_SOLID, 2, RGB(255, 255, 255));
        app::GdiObject canvas;
        canvas.CreateCompatibleBitmap(raw, 8, 8);
        app::DC context(raw);
        context.Select(red);
        context.Select(blue);  // puts the red brush back out first
        EXPECT_EQ(red.SelectedInto(), nullptr);
        EXPECT_EQ(blue.SelectedInto(), &context);
        EXPECT_EQ(GetCurrentObject(raw, OBJ_BRUSH), blue.Handle());
        context.Select(wide);
        context.Select(canvas);
        context.SetRasterOperation(R2_XORPEN);
        context.SetRasterOperation(R2_NOT);
        context.SetBackgroundMode(TRANSPARENT == mode ? OPAQUE : TRANSPARENT);
        EXPECT_EQ(GetCurrentObject(raw, OBJ_BITMAP), canvas.Handle());
        // The bitmap's object goes before the context: it takes itself out first.
        canvas.Reset();
        EXPECT_EQ(GetCurrentObject(raw, OBJ_BITMAP), bitmap);
        context.Select(red);
        EXPECT_EQ(blue.SelectedInto(), nullptr);
    }
    EXPECT_EQ(GetCurrentObject(raw, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(raw, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(raw, OBJ_BITMAP), bitmap);
    EXPECT_EQ(GetROP2(raw), rop);
    EXPECT_EQ(GetBkMode(raw), mode);
    EXPECT_EQ(red.SelectedInto(), nullptr);
    DeleteDC(raw);
}

TEST_F(WindowLibrary, ClientContextIsReleasedRestored) {
    ProbeWindow window;
    window.Create(0, app::Window::AppWindowClass(), "", WS_POPUP, {0, 0, 50, 50}, nullptr, nullptr);
    app::GdiObject stock;
    stock.SetStock(BLACK_BRUSH);
    {
        app::ClientDC context(window.Handle());
        context.Select(stock);
        EXPECT_EQ(stock.SelectedInto(), &context);
    }
    EXPECT_EQ(stock.SelectedInto(), nullptr);
    stock.Reset();  // a stock object is never deleted
    EXPECT_NE(GetObjectType(GetStockObject(BLACK_BRUSH)), 0u);
}

// The composed display bitmap reaches the device the right way up and in the right colours.
TEST_F(WindowLibrary, ComposedImageDrawsTopRowFirst) {
    app::Image document;
    document.Create(2, 2, 4);
    document.Clear();
    const unsigned char pixels[2][2][4] = {{{255, 0, 0, 255}, {0, 255, 0, 255}}, {{0, 0, 255, 255}, {9, 9, 9, 0}}};
    for (int y = 0; y < 2; ++y)
        std::memcpy(document.Row(y), pixels[y], 8);
    app::DisplayComposer composer;
    int32_t zoom = 100;
    ASSERT_TRUE(composer.Compose(document, {30, 40, 32, 42}, {0, 0, 100, 100}, zoom, app::BackgroundWhite));

    app::MemoryDC context;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, -4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    app::GdiObject canvas(CreateDIBSection(context.Handle(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_NE(canvas.Handle(), nullptr);
    context.Select(canvas);
    context.DrawImage(composer.Buffer(), 1, 1);
    GdiFlush();
    EXPECT_EQ(GetPixel(context.Handle(), 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(context.Handle(), 2, 1), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(context.Handle(), 1, 2), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(context.Handle(), 2, 2), RGB(255, 255, 255));  // transparent: the background
    EXPECT_EQ(GetPixel(context.Handle(), 0, 0), RGB(0, 0, 0));        // outside: untouched
}

}  // namespace
