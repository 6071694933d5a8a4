// Whole filter runs: what comes back to the host, history, placement, commands and texts.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/win32/Cp932.h"
#include "tests/win32/FilterRunFixture.h"
#include "ui/win32/AppMessages.h"

namespace {

using namespace test;

TEST_F(FilterRun, StrokeComesBackPaintedAndTheHistoryCanUndoIt) {
    test::FakeHost host(kWidth, kHeight);
    Fill(host);
    const std::vector<unsigned char> colour = host.colour, alpha = host.alpha;
    bool undoBeforeStroke = true, undoAfterStroke = false, hostDisabled = false;
    ScriptedRun script({[&](HWND frame) {
                            undoBeforeStroke = ButtonEnabled(frame, IDM_UNDO);
                            hostDisabled = !IsWindowEnabled(hostWindow_);
                            StartStroke(script, frame);
                        },
                        [&](HWND frame) { undoAfterStroke = ButtonEnabled(frame, IDM_UNDO); }});
    EXPECT_EQ(Run(host), 1);
    EXPECT_EQ(script.StepsRun(), 2u);
    EXPECT_GT(script.turns, 0);
    EXPECT_TRUE(hostDisabled);
    EXPECT_TRUE(IsWindowEnabled(hostWindow_));
    EXPECT_FALSE(undoBeforeStroke);
    EXPECT_TRUE(undoAfterStroke);
    EXPECT_NE(host.colour, colour);
    // Paint lands where the stroke went and nowhere far from it.
    int32_t left = kWidth, top = kHeight, right = -1, bottom = -1;
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const size_t i = static_cast<size_t>(y) * kWidth + x;
            if (host.alpha[i] == alpha[i] && host.colour[3 * i] == colour[3 * i] &&
                host.colour[3 * i + 2] == colour[3 * i + 2])
                continue;
            left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    EXPECT_LE(left, kStrokeLeft);
    EXPECT_GE(left, kStrokeLeft - 20);
    EXPECT_GE(right, kStrokeRight);
    EXPECT_LE(right, kStrokeRight + 20);
    EXPECT_LE(top, kStrokeY);
    EXPECT_GE(top, kStrokeY - 20);
    EXPECT_GE(bottom, kStrokeY);  // the world's gravity carries paint downwards
    EXPECT_TRUE(test::ReportedFailures().empty());
    EXPECT_FALSE(ThreadHasAppWindow());
}

TEST_F(FilterRun, UndoBeforeClosingReturnsTheInput) {
    test::FakeHost host(kWidth, kHeight);
    Fill(host);
    const std::vector<unsigned char> colour = host.colour, alpha = host.alpha;
    bool redoAfterUndo = false;
    ScriptedRun script({[&](HWND frame) { StartStroke(script, frame); },
                        [](HWND frame) { PostCommand(frame, IDM_UNDO); },
                        [&](HWND frame) { redoAfterUndo = ButtonEnabled(frame, IDM_REDO); }});
    EXPECT_EQ(Run(host), 1);
    EXPECT_EQ(script.StepsRun(), 3u);
    EXPECT_TRUE(redoAfterUndo);
    EXPECT_EQ(host.colour, colour);
    EXPECT_EQ(host.alpha, alpha);
}

TEST_F(FilterRun, FailedStartLeavesTheHostImageAndWindowAsTheyWere) {
    test::FakeHost host(kWidth, kHeight);
    host.info.width = -3;
    ScriptedRun script({});
    EXPECT_EQ(Run(host), 1);
    EXPECT_EQ(script.StepsRun(), 0u);
    ASSERT_EQ(test::ReportedFailures().size(), 1u);
    EXPECT_EQ(test::ReportedFailures()[0], test::Cp932("画像の大きさが異常です。"));
    EXPECT_TRUE(IsWindowEnabled(hostWindow_));
    EXPECT_FALSE(ThreadHasAppWindow());
    for (const test::FakeHost::Call& call : test::FakeHost::Calls())
        EXPECT_FALSE(call.writing);
    // No quit message left behind for the host's own loop.
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(FilterRun, PlacementAndBarsAreRememberedForTheNextRun) {
    test::FakeHost host(kWidth, kHeight);
    {
        ScriptedRun first({[](HWND frame) {
            SetWindowPos(frame, nullptr, 40, 50, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE);
            PostCommand(frame, IDM_SHOW_TOOLBAR);
        }});
        EXPECT_EQ(Run(host), 1);
    }
    const std::string settings = test::ReadFileText(SettingsFile());
    EXPECT_NE(settings.find("[Frame]"), std::string::npos) << settings;
    RECT placed = {};
    bool toolbarShown = true, statusShown = false;
    {
        ScriptedRun second({[&](HWND frame) {
            GetWindowRect(frame, &placed);
            toolbarShown = IsWindowVisible(GetDlgItem(frame, IDC_TOOLBAR)) != 0;
            statusShown = IsWindowVisible(GetDlgItem(frame, IDC_STATUSBAR)) != 0;
            ShowWindow(frame, SW_MAXIMIZE);
        }});
        EXPECT_EQ(Run(host), 1);
    }
    EXPECT_EQ(placed.left, 40);
    EXPECT_EQ(placed.top, 50);
    EXPECT_EQ(placed.right, 540);
    EXPECT_EQ(placed.bottom, 450);
    EXPECT_FALSE(toolbarShown);
    EXPECT_TRUE(statusShown);
    bool maximized = false;
    WINDOWPLACEMENT restored = {};
    ScriptedRun third({[&](HWND frame) {
        maximized = IsZoomed(frame) != 0;
        restored.length = sizeof restored;
        GetWindowPlacement(frame, &restored);
    }});
    EXPECT_EQ(Run(host), 1);
    EXPECT_TRUE(maximized);
    EXPECT_EQ(restored.rcNormalPosition.left, 40);
    EXPECT_EQ(restored.rcNormalPosition.right, 540);
    EXPECT_TRUE(test::ReportedFailures().empty());
}

TEST_F(FilterRun, CommandsReachFrameAndViewWithTheirTexts) {
    test::FakeHost host(kWidth, kHeight);
    std::string caption150, caption400, captionLow, prompt, promptAfterIdle, tip;
    UINT undoItem = 0, panelItem = 0, colourItem = 0, optionsItem = 0, blackItem = 0, checkerItem = 0;
    ScriptedRun script({
        [&](HWND frame) {
            SendMessageA(frame, WM_COMMAND, IDM_ZOOM150, 0);
            caption150 = WindowText(frame);
            for (int i = 0; i < 4; ++i)
                SendMessageA(frame, WM_COMMAND, IDM_ZOOM_IN, 0);
            caption400 = WindowText(frame);
            for (int i = 0; i < 9; ++i)
                SendMessageA(frame, WM_COMMAND, IDM_ZOOM_OUT, 0);
            captionLow = WindowText(frame);
            SendMessageA(frame, WM_COMMAND, IDM_MAT_BLACK, 0);

            HMENU menu = GetMenu(frame);
            HMENU file = GetSubMenu(menu, 0), edit = GetSubMenu(menu, 1);
            HMENU windows = GetSubMenu(GetSubMenu(menu, 3), 0), mats = GetSubMenu(GetSubMenu(menu, 3), 2);
            SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), MAKELPARAM(0, FALSE));
            SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), MAKELPARAM(1, FALSE));
            SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(windows), MAKELPARAM(0, FALSE));
            SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(mats), MAKELPARAM(2, FALSE));
            optionsItem = GetMenuState(file, IDM_OPTIONS, MF_BYCOMMAND);
            undoItem = GetMenuState(edit, IDM_UNDO, MF_BYCOMMAND);
            panelItem = GetMenuState(windows, IDM_PANEL_SPRAY, MF_BYCOMMAND);
            colourItem = GetMenuState(windows, IDM_PANEL_COLOR, MF_BYCOMMAND);
            blackItem = GetMenuState(mats, IDM_MAT_BLACK, MF_BYCOMMAND);
            checkerItem = GetMenuState(mats, IDM_MAT_CHECKER, MF_BYCOMMAND);

            SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(IDM_UNDO, MF_HILITE), reinterpret_cast<LPARAM>(edit));
            prompt = WindowText(GetDlgItem(frame, IDC_STATUSBAR));
            NMTTDISPINFOA request = {};
            request.hdr.hwndFrom = GetDlgItem(frame, IDC_TOOLBAR);
            request.hdr.idFrom = IDM_UNDO;
            request.hdr.code = TTN_NEEDTEXTA;
            SendMessageA(frame, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
            tip = request.lpszText ? request.lpszText : "";
            SendMessageA(frame, WM_COMMAND, IDM_ZOOM100, 0);
            PostCommand(frame, IDM_MANUAL);
        },
        [&](HWND frame) { promptAfterIdle = WindowText(GetDlgItem(frame, IDC_STATUSBAR)); },
    });
    EXPECT_EQ(Run(host), 1);
    EXPECT_EQ(caption150, "Driftlace (150%)");
    EXPECT_EQ(caption400, "Driftlace (400%)");
    EXPECT_EQ(captionLow, "Driftlace (25%)");
    EXPECT_FALSE(optionsItem & MF_GRAYED);
    EXPECT_TRUE(undoItem & MF_GRAYED);
    EXPECT_FALSE(panelItem & MF_GRAYED);  // the spray panel is there, and shown
    EXPECT_TRUE(panelItem & MF_CHECKED);
    EXPECT_TRUE(colourItem & MF_CHECKED);
    EXPECT_TRUE(blackItem & MF_CHECKED);
    EXPECT_FALSE(checkerItem & MF_CHECKED);
    EXPECT_EQ(prompt, test::Cp932("操作を元に戻します。"));
    EXPECT_EQ(promptAfterIdle, "");
    EXPECT_EQ(tip, test::Cp932("元に戻す"));
    ASSERT_EQ(test::ReportedFailures().size(), 1u);
    const std::string manual = app::DirectoryOf(app::ModuleFilePath()) + "help\\index.html";
    EXPECT_EQ(test::ReportedFailures()[0], test::Cp932("説明書の") + manual + test::Cp932("を開けません。"));
}

}  // namespace
