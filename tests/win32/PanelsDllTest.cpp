// The panels and their dialogs through the plug-in DLL as the host loads it, played by a second
// thread as a user would: drags, button presses, keys, and what comes back in the picture, on
// the screen and in the saved settings.
#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/HostInterface.h"
#include "host/win32/LibraryExport.h"
#include "resources/ResourceIds.h"
#include "tests/settings/SprayBytes.h"
#include "tests/support/FakeHost.h"
#include "tests/support/TestFiles.h"
#include "tests/win32/Cp932.h"
#include "tests/win32/HeldFile.h"
#include "tools/common/RunDriver.h"
#include "ui/SprayPanelTable.h"
#include "ui/ViewGeometry.h"
#include "ui/VolumeScale.h"

namespace {

using tools::RunDriver;
using FilterProcFunction =
    int32_t (*)(HWND, const HostImageInfo*, const HostRowAccess*, const HostRowAccess*, const char*);

constexpr int32_t kWidth = 160;
constexpr int32_t kHeight = 120;

int Changed(const test::FakeHost& host, const std::vector<unsigned char>& alpha) {
    int changed = 0;
    for (size_t i = 0; i < alpha.size(); ++i)
        changed += host.alpha[i] != alpha[i];
    return changed;
}

// The columns of a slider's bar: cyan pixels along its middle row on the screen.
int BarPixels(HWND slider) {
    const RunDriver::SNAPSHOT shot = RunDriver::Capture(slider);
    const size_t row = static_cast<size_t>(shot.height / 2) * shot.width * 3;
    int cyan = 0;
    for (int x = 0; x < shot.width; ++x) {
        const unsigned char* p = reinterpret_cast<const unsigned char*>(shot.bgr.data()) + row + x * 3;
        cyan += p[0] == 255 && p[1] == 255 && p[2] == 0;
    }
    return cyan;
}

bool ToolbarEnabled(HWND frame, int id) {
    return (SendMessageA(GetDlgItem(frame, IDC_TOOLBAR), TB_GETSTATE, static_cast<WPARAM>(id), 0) & TBSTATE_ENABLED) !=
           0;
}

bool ToolbarChecked(HWND frame, int id) {
    return (SendMessageA(GetDlgItem(frame, IDC_TOOLBAR), TB_GETSTATE, static_cast<WPARAM>(id), 0) & TBSTATE_CHECKED) !=
           0;
}

// How long a run may take to lay its view out or to bring a stroke's particles to rest: far
// more than it ever needs, even emulated on a busy machine, where it takes seconds.
constexpr int kStrokePatienceMs = 60000;

// A stroke across the image in the view, one step every few milliseconds, then the wait until
// the particles are gone and the step is recorded (undo enabled).
void PaintStroke(HWND frame) {
    // The script starts as soon as the frame exists: before its view is laid out, the image's
    // place in it is unknown and a stroke there misses the image.
    EXPECT_TRUE(RunDriver::WaitUntil(
        [&] {
            HWND shown = GetDlgItem(frame, IDC_VIEW);
            RECT area = {};
            return shown && GetDlgItem(frame, IDC_TOOLBAR) && IsWindowVisible(shown) && GetClientRect(shown, &area) &&
                   area.right >= kWidth && area.bottom >= kHeight;
        },
        kStrokePatienceMs))
        << "the view was never laid out";
    SendMessageA(frame, WM_NULL, 0, 0);  // answered once the run's thread takes messages again
    HWND view = GetDlgItem(frame, IDC_VIEW);
    RECT client = {};
    GetClientRect(view, &client);
    const app::Point32 origin = app::ViewGeometry::ImageOrigin({client.right, client.bottom}, {kWidth, kHeight}, 100);
    auto post = [&](UINT message, WPARAM keys, int x) {
        POINT screen = {origin.x + x, origin.y + kHeight / 2};
        ClientToScreen(view, &screen);
        SetCursorPos(screen.x, screen.y);
        PostMessageA(view, message, keys, MAKELPARAM(origin.x + x, origin.y + kHeight / 2));
        Sleep(15);
    };
    post(WM_LBUTTONDOWN, MK_LBUTTON, 40);
    for (int x = 44; x <= 120; x += 4)
        post(WM_MOUSEMOVE, MK_LBUTTON, x);
    post(WM_LBUTTONUP, 0, 120);
    EXPECT_TRUE(RunDriver::WaitUntil(
        [&] { return SendMessageA(GetDlgItem(frame, IDC_TOOLBAR), TB_ISBUTTONENABLED, IDM_UNDO, 0) != 0; },
        kStrokePatienceMs))
        << "the stroke's particles never came to rest";
}

class PanelsDll : public testing::Test {
  protected:
    void SetUp() override {
        library_ = LoadLibraryA(DRIFTLACE_DLL_PATH);
        ASSERT_NE(library_, nullptr);
        filterProc_ = app::LibraryExport<FilterProcFunction>(library_, "FilterProc");
        hostPath_ = folder_.File("host.cfg");
        WriteSettings("");
    }
    void TearDown() override { FreeLibrary(library_); }

    std::string Settings() const { return folder_.File("Driftlace.ini"); }
    // Turns as fast as the tick allows, and whatever a test adds.
    void WriteSettings(const std::string& more) {
        test::WriteFileText(Settings(), "[App]\r\nRegistryVersion=1\r\nTurnInterval=1\r\n" + more);
    }

    // One filter run over a grey half-transparent picture, played by `script`; the frame is
    // closed when the script ends.
    void Run(test::FakeHost& host, const RunDriver::Script& script) {
        for (size_t i = 0; i < host.alpha.size(); ++i)
            host.alpha[i] = 128;
        RunDriver driver;
        driver.Start([&script](RunDriver& run) {
            HWND frame = run.Frame();  // a script may have closed it already
            script(run);
            PostMessageA(frame, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(filterProc_(nullptr, &host.info, &host.write, &host.read, hostPath_.c_str()), 1);
        driver.Join();
    }

    test::TempFolder folder_;
    std::string hostPath_;
    HMODULE library_ = nullptr;
    FilterProcFunction filterProc_ = nullptr;
};

TEST_F(PanelsDll, ASliderDragChangesTheNextStrokeAndTheSavedSettings) {
    test::FakeHost plain(kWidth, kHeight);
    const std::vector<unsigned char> before(plain.alpha.size(), 128);
    Run(plain, [](RunDriver& run) { PaintStroke(run.Frame()); });
    const int plainPixels = Changed(plain, before);
    EXPECT_GT(plainPixels, 0);  // else the comparison below holds for any stroke

    WriteSettings("");
    test::FakeHost wide(kWidth, kHeight);
    Run(wide, [](RunDriver& run) {
        HWND size = GetDlgItem(run.WindowWith(IDC_PARTICLE_SIZE), IDC_PARTICLE_SIZE);
        RECT client = {};
        GetClientRect(size, &client);
        RunDriver::Drag(size, {client.right / 4, 4}, {client.right + 20, 4});  // beyond the end: the limit
        PaintStroke(run.Frame());
    });
    EXPECT_GT(Changed(wide, before), plainPixels * 2) << plainPixels;
    const std::string saved = test::ReadFileText(Settings());
    EXPECT_NE(saved.find("[Paint\\Spray]"), std::string::npos);
    EXPECT_NE(saved.find("Size=64\r\n"), std::string::npos) << saved;
}

TEST_F(PanelsDll, ALimitDialogRefusesABadValueWithItsMessageAndKeepsTheText) {
    test::FakeHost host(kWidth, kHeight);
    std::vector<std::string> messages, kept;
    Run(host, [&](RunDriver& run) {
        HWND panel = run.WindowWith(IDC_COUNT_DETAIL);
        for (const char* typed : {"0.5", "abc", "1e300", "1000000"}) {
            RunDriver::PressButton(GetDlgItem(panel, IDC_COUNT_DETAIL));
            HWND dialog = run.WindowWith(IDC_LIMIT);
            ASSERT_NE(dialog, nullptr);
            RunDriver::SetText(GetDlgItem(dialog, IDC_LIMIT), typed);
            RunDriver::PressButton(GetDlgItem(dialog, IDOK));
            HWND box = run.MessageBoxOf(dialog);
            ASSERT_NE(box, nullptr);
            messages.push_back(RunDriver::Text(GetDlgItem(box, 0xFFFF)));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            RunDriver::WaitUntil([&] { return !IsWindow(box); });
            kept.push_back(RunDriver::Text(GetDlgItem(dialog, IDC_LIMIT)));
            RunDriver::PressButton(GetDlgItem(dialog, IDCANCEL));
            RunDriver::WaitUntil([&] { return !IsWindow(dialog); });
        }
        RunDriver::PressButton(GetDlgItem(panel, IDC_COUNT_DETAIL));
        HWND dialog = run.WindowWith(IDC_LIMIT);
        RunDriver::SetText(GetDlgItem(dialog, IDC_LIMIT), "80");
        RunDriver::PressButton(GetDlgItem(dialog, IDOK));
        RunDriver::WaitUntil([&] { return !IsWindow(dialog); });
    });
    // The count's limit goes no higher than the most particles a style holds.
    const std::string refusal = test::Cp932("上限の値には1以上、100000以下を指定してください。");
    EXPECT_EQ(messages, (std::vector<std::string>{refusal, refusal, refusal, refusal}));
    EXPECT_EQ(kept, (std::vector<std::string>{"0.5", "abc", "1e300", "1000000"}));
    const std::string saved = test::ReadFileText(Settings());
    const size_t limits = saved.find("[Panel\\Spray\\Limit]");
    ASSERT_NE(limits, std::string::npos) << saved;
    EXPECT_NE(saved.find("Count=80\r\n", limits), std::string::npos) << saved;
}

TEST_F(PanelsDll, F10TogglesTheSprayPanelWhileAPanelHasTheFocus) {
    test::FakeHost host(kWidth, kHeight);
    std::vector<bool> shown, checked;
    Run(host, [&](RunDriver& run) {
        HWND spray = run.WindowWith(IDC_REPULSION);
        HWND general = GetDlgItem(run.WindowWith(IDC_GRAVITY), IDC_GRAVITY_LIMIT);
        for (int press = 0; press < 2; ++press) {
            const bool before = IsWindowVisible(spray) != FALSE;
            RunDriver::Key(general, VK_F10, true);
            RunDriver::WaitUntil([&] { return (IsWindowVisible(spray) != FALSE) != before; });
            RunDriver::WaitUntil([&] { return ToolbarChecked(run.Frame(), IDM_PANEL_SPRAY) != before; });
            shown.push_back(IsWindowVisible(spray) != FALSE);
            checked.push_back(ToolbarChecked(run.Frame(), IDM_PANEL_SPRAY));
        }
    });
    EXPECT_EQ(shown, (std::vector<bool>{false, true}));
    EXPECT_EQ(checked, (std::vector<bool>{false, true}));
}

TEST_F(PanelsDll, SwitchingToolsRefreshesEverySlider) {
    WriteSettings(
        "[Erase\\Spray]\r\nRepulsion=5\r\nGravity=5\r\nBrake=1\r\nViscosity=0\r\nVelocityX=5\r\nVelocityY=0\r\n"
        "UseLimitedSpeed=1\r\nLimitedSpeed=10\r\nCount=50\r\nSize=64\r\nLife=200\r\nThrowing=1\r\n");
    const int sliders[] = {IDC_REPULSION,     IDC_ATTRACTION, IDC_BRAKE,         IDC_VISCOSITY, IDC_VELOCITY,
                           IDC_LIMITED_SPEED, IDC_COUNT,      IDC_PARTICLE_SIZE, IDC_LIFE,      IDC_THROWING};
    std::vector<int> paint, erase;
    test::FakeHost host(kWidth, kHeight);
    Run(host, [&](RunDriver& run) {
        HWND panel = run.WindowWith(IDC_REPULSION);
        SetWindowPos(panel, HWND_TOP, 600, 400, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);  // nothing over it
        Sleep(200);
        for (int id : sliders)
            paint.push_back(BarPixels(GetDlgItem(panel, id)));
        RunDriver::Command(run.Frame(), IDM_TOOL_ERASE);
        HWND count = GetDlgItem(panel, IDC_COUNT);
        const int before = paint[6];
        RunDriver::WaitUntil([&] { return BarPixels(count) != before; });
        Sleep(100);
        for (int id : sliders)
            erase.push_back(BarPixels(GetDlgItem(panel, id)));
    });
    ASSERT_EQ(erase.size(), paint.size());
    for (size_t row = 0; row < paint.size(); ++row)
        EXPECT_NE(erase[row], paint[row]) << "slider " << sliders[row];
}

TEST_F(PanelsDll, PanelPlacesVisibilityAndLimitsSurviveASecondRun) {
    WriteSettings("[Panel\\General\\Limit]\r\nGravity=0.0001\r\n[Panel\\Spray\\Limit]\r\nCount=0.5\r\n");
    test::FakeHost first(kWidth, kHeight);
    Run(first, [](RunDriver& run) {
        SetWindowPos(run.WindowWith(IDC_REPULSION), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        RunDriver::Command(run.Frame(), IDM_PANEL_GENERAL);
        HWND general = run.WindowWith(IDC_GRAVITY, 100);
        RunDriver::WaitUntil([&] { return !general || !IsWindowVisible(general); });
    });
    RECT place = {};
    bool generalShown = true;
    test::FakeHost second(kWidth, kHeight);
    Run(second, [&](RunDriver& run) {
        GetWindowRect(run.WindowWith(IDC_REPULSION), &place);
        generalShown = run.WindowWith(IDC_GRAVITY, 300) != nullptr;
    });
    EXPECT_EQ(place.left, 300);
    EXPECT_EQ(place.top, 200);
    EXPECT_FALSE(generalShown);
    const std::string saved = test::ReadFileText(Settings());
    EXPECT_NE(saved.find("[Panel\\General]\r\nWindowLeft="), std::string::npos);
    // The gravity limit is used as loaded; a spray limit below its row's least is raised.
    EXPECT_NE(saved.find("[Panel\\General\\Limit]\r\nGravity=0.0001\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Count=1\r\n", saved.find("[Panel\\Spray\\Limit]")), std::string::npos) << saved;
}

// At the first start (no stored places) the panels stand beside the frame, none over another;
// the spray list shows the shipped presets without scrolling, and every slider's label fits
// beside the value of its largest limit.
TEST_F(PanelsDll, FirstStartPanelsStandBesideTheFrameAndShowTheirWholeTexts) {
    std::vector<RECT> panels;
    RECT frame = {};
    int listRows = 0;
    std::vector<std::string> clipped;
    test::FakeHost host(kWidth, kHeight);
    Run(host, [&](RunDriver& run) {
        GetWindowRect(run.Frame(), &frame);
        for (int id : {IDC_GRAVITY, IDC_REPULSION, IDC_COLOR_TABLE, IDC_CATALOG_LIST}) {
            RECT rect = {};
            GetWindowRect(run.WindowWith(id), &rect);
            panels.push_back(rect);
        }
        HWND list = GetDlgItem(run.WindowWith(IDC_CATALOG_LIST), IDC_CATALOG_LIST);
        RECT client = {};
        GetClientRect(list, &client);
        listRows = client.bottom / static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
        HWND spray = run.WindowWith(IDC_REPULSION);
        for (int32_t row = 0; row < app::SprayPanelTable::kRows; ++row) {
            const app::SPRAYSLIDER& slider = app::SprayPanelTable::Row(row);
            HWND control = GetDlgItem(spray, slider.control);
            HDC dc = GetDC(control);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
            const std::string label = RunDriver::Text(control);
            const app::String value = app::VolumeScale::Text(slider.kind, slider.limitKey ? slider.maximumLimit : 1.0);
            SIZE labelSize = {}, valueSize = {};
            GetTextExtentPoint32A(dc, label.c_str(), static_cast<int>(label.size()), &labelSize);
            GetTextExtentPoint32A(dc, value.CStr(), value.Length(), &valueSize);
            SelectObject(dc, old);
            ReleaseDC(control, dc);
            RECT box = {};
            GetClientRect(control, &box);
            if (labelSize.cx + 3 + valueSize.cx > box.right - 4)
                clipped.push_back("row " + std::to_string(row) + ": " + std::to_string(labelSize.cx) + " + " +
                                  std::to_string(valueSize.cx) + " in " + std::to_string(box.right));
        }
    });
    for (const RECT& panel : panels) {
        RECT overlap = {};
        EXPECT_FALSE(IntersectRect(&overlap, &panel, &frame)) << panel.left << "," << panel.top;
        for (const RECT& other : panels) {
            if (&other != &panel)
                EXPECT_FALSE(IntersectRect(&overlap, &panel, &other)) << panel.left << "," << panel.top;
        }
    }
    EXPECT_GE(listRows, 15);
    EXPECT_TRUE(clipped.empty()) << clipped.front();
}

// Types into an options field and presses "設定"; returns the refusal's text, empty when none.
std::string SetOption(RunDriver& run, int field, const char* text) {
    RunDriver::Command(run.Frame(), IDM_OPTIONS);
    HWND dialog = run.WindowWith(IDC_TURN_INTERVAL);
    if (!dialog)
        return "no dialog";
    RunDriver::SetText(GetDlgItem(dialog, field), text);
    RunDriver::PressButton(GetDlgItem(dialog, IDOK));
    std::string refusal;
    if (HWND box = run.MessageBoxOf(dialog, 1000)) {
        refusal = RunDriver::Text(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        RunDriver::WaitUntil([&] { return !IsWindow(box); });
        RunDriver::PressButton(GetDlgItem(dialog, IDCANCEL));
    }
    RunDriver::WaitUntil([&] { return !IsWindow(dialog); });
    return refusal;
}

TEST_F(PanelsDll, AColourPickedInTheTablePaintsTheNextStroke) {
    test::FakeHost host(kWidth, kHeight);
    Run(host, [](RunDriver& run) {
        HWND table = GetDlgItem(run.WindowWith(IDC_COLOR_TABLE), IDC_COLOR_TABLE);
        RECT client = {};
        GetClientRect(table, &client);
        RunDriver::Click(table, {0, client.bottom - 1});  // the bottom left: pure blue at level 0
        PaintStroke(run.Frame());
    });
    int blue = 0, red = 0;
    for (size_t i = 0; i < host.alpha.size(); ++i) {
        blue += host.colour[3 * i] > 200 && host.colour[3 * i + 2] < 50;
        red += host.colour[3 * i + 2] > 200;
    }
    EXPECT_GT(blue, 100);
    EXPECT_EQ(red, 0);  // none of the default red
}

TEST_F(PanelsDll, OptionsRefuseAZeroIntervalAndAShorterHistoryTrimsAtOnce) {
    test::FakeHost host(kWidth, kHeight);
    std::string refusal, beyond;
    bool undoAfterOneUndo = true, redoAfterOneUndo = false;
    Run(host, [&](RunDriver& run) {
        refusal = SetOption(run, IDC_TURN_INTERVAL, "0");
        beyond = SetOption(run, IDC_TURN_INTERVAL, "99999999999");
        PaintStroke(run.Frame());
        PaintStroke(run.Frame());
        EXPECT_EQ(SetOption(run, IDC_HISTORY_COUNT, "1"), "");
        RunDriver::Command(run.Frame(), IDM_UNDO);
        RunDriver::WaitUntil([&] { return ToolbarEnabled(run.Frame(), IDM_REDO); });
        redoAfterOneUndo = ToolbarEnabled(run.Frame(), IDM_REDO);
        undoAfterOneUndo = ToolbarEnabled(run.Frame(), IDM_UNDO);
    });
    EXPECT_EQ(refusal, test::Cp932("ターンの間隔には1以上、2147483647以下を指定してください。"));
    EXPECT_EQ(beyond, refusal);
    EXPECT_TRUE(redoAfterOneUndo);
    EXPECT_FALSE(undoAfterOneUndo);  // two steps were painted; one was kept
    const std::string saved = test::ReadFileText(Settings());
    EXPECT_NE(saved.find("TurnInterval=1\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("HistoryMax=1\r\n"), std::string::npos) << saved;
}

// A text that is not a number is refused like a number out of range, and a range that depends
// on the life says the life of the moment.
TEST_F(PanelsDll, TheSplitDialogRefusesTextThatIsNotANumberNamingTheRangeWithTheLife) {
    WriteSettings("[Paint\\Spray]\r\nLife=300\r\nSplitStep1=10\r\n");
    std::vector<std::string> messages;
    test::FakeHost host(kWidth, kHeight);
    Run(host, [&](RunDriver& run) {
        HWND panel = run.WindowWith(IDC_USE_SPLIT);
        for (const char* typed : {"abc", "12abc", "301"}) {
            RunDriver::PressButton(GetDlgItem(panel, IDC_USE_SPLIT));
            HWND dialog = run.WindowWith(IDC_SPLIT_STEP1);
            ASSERT_NE(dialog, nullptr);
            RunDriver::SetText(GetDlgItem(dialog, IDC_SPLIT_STEP1), typed);
            RunDriver::PressButton(GetDlgItem(dialog, IDOK));
            HWND box = run.MessageBoxOf(dialog, 2000);
            messages.push_back(box ? RunDriver::Text(GetDlgItem(box, 0xFFFF)) : "(accepted)");
            if (box) {
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                RunDriver::WaitUntil([&] { return !IsWindow(box); });
                RunDriver::PressButton(GetDlgItem(dialog, IDCANCEL));
            }
            RunDriver::WaitUntil([&] { return !IsWindow(dialog); });
        }
    });
    const std::string refusal = test::Cp932("間隔には1以上、寿命の300以下を指定してください。");
    EXPECT_EQ(messages, (std::vector<std::string>{refusal, refusal, refusal}));
    const std::string saved = test::ReadFileText(Settings());
    EXPECT_NE(saved.find("SplitStep1=10\r\n"), std::string::npos) << saved;
}

// A new style splits at the least rate there is: ticking the box says so until the rate rises.
TEST_F(PanelsDll, TickingSplittingWithARateOfNoneShowsANote) {
    std::vector<bool> noted;
    test::FakeHost host(kWidth, kHeight);
    Run(host, [&](RunDriver& run) {
        HWND panel = run.WindowWith(IDC_USE_SPLIT);
        RunDriver::PressButton(GetDlgItem(panel, IDC_USE_SPLIT));
        HWND dialog = run.WindowWith(IDC_SPLIT_RATE_NOTE);
        ASSERT_NE(dialog, nullptr);
        HWND note = GetDlgItem(dialog, IDC_SPLIT_RATE_NOTE);
        noted.push_back(IsWindowVisible(note) != FALSE);
        RunDriver::PressButton(GetDlgItem(dialog, IDC_SPLIT_USE));
        RunDriver::WaitUntil([&] { return IsWindowVisible(note) != FALSE; });
        noted.push_back(IsWindowVisible(note) != FALSE);
        RECT bar = {};
        GetClientRect(GetDlgItem(dialog, IDC_SPLIT_RATE), &bar);
        RunDriver::Click(GetDlgItem(dialog, IDC_SPLIT_RATE), {bar.right - 2, bar.bottom / 2});
        RunDriver::WaitUntil([&] { return IsWindowVisible(note) == FALSE; });
        noted.push_back(IsWindowVisible(note) != FALSE);
        RunDriver::PressButton(GetDlgItem(dialog, IDCANCEL));
        RunDriver::WaitUntil([&] { return !IsWindow(dialog); });
    });
    EXPECT_EQ(noted, (std::vector<bool>{false, true, false}));
}

// ---- The spray list panel, its name dialog and the file dialog ----

std::string Catalogue(const std::vector<std::string>& names) {
    std::string bytes = spraybytes::Header(static_cast<int32_t>(names.size()));
    for (const std::string& name : names)
        bytes += spraybytes::NameField(name) + spraybytes::End();
    return bytes;
}

std::vector<std::string> Listed(HWND panel) {
    HWND list = GetDlgItem(panel, IDC_CATALOG_LIST);
    std::vector<std::string> names(static_cast<size_t>(SendMessageA(list, LB_GETCOUNT, 0, 0)));
    for (size_t i = 0; i < names.size(); ++i) {
        char text[256] = {};
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        names[i] = text;
    }
    return names;
}

// The text of the message box that `owner` shows, which is then closed with `button`.
std::string Answer(RunDriver& run, HWND owner, int button = IDOK) {
    HWND box = run.MessageBoxOf(owner);
    if (!box)
        return "(no message)";
    const std::string text = RunDriver::Text(GetDlgItem(box, 0xFFFF));
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    RunDriver::WaitUntil([&] { return !IsWindow(box); });
    return text;
}

// Adds the current style under `name` with the add button and the name dialog; first tries an
// empty name and returns the dialog's refusal.
std::string AddPreset(RunDriver& run, HWND panel, const std::string& name) {
    RunDriver::PressButton(GetDlgItem(panel, IDC_CATALOG_ADD));
    HWND dialog = run.WindowWith(IDC_PRESET_NAME);
    if (!dialog)
        return "(no name dialog)";
    EXPECT_EQ(RunDriver::Text(GetDlgItem(dialog, IDC_PRESET_NAME)), test::Cp932("無名"));
    RunDriver::SetText(GetDlgItem(dialog, IDC_PRESET_NAME), "");
    RunDriver::PressButton(GetDlgItem(dialog, IDOK));
    const std::string refusal = Answer(run, dialog);
    RunDriver::SetText(GetDlgItem(dialog, IDC_PRESET_NAME), name);
    RunDriver::PressButton(GetDlgItem(dialog, IDOK));
    RunDriver::WaitUntil([&] { return !IsWindow(dialog); });
    return refusal;
}

class CatalogPanelDll : public PanelsDll {
  protected:
    std::string CatalogueFile() const { return folder_.File("Driftlace.spr"); }
};

TEST_F(CatalogPanelDll, AnAddedPresetIsListedInTheNextRunAndSelectingItSetsTheSprayPanel) {
    test::WriteFileText(CatalogueFile(), Catalogue({}));
    WriteSettings("[Paint\\Spray]\r\nCount=7\r\n");
    test::FakeHost first(kWidth, kHeight);
    std::string refusal;
    Run(first, [&](RunDriver& run) { refusal = AddPreset(run, run.WindowWith(IDC_CATALOG_LIST), "mine"); });
    EXPECT_EQ(refusal, test::Cp932("名前を入力してください。"));

    WriteSettings("");  // the paint tool's count back to its default
    std::vector<std::string> names;
    int barBefore = 0, barAfter = 0;
    test::FakeHost second(kWidth, kHeight);
    Run(second, [&](RunDriver& run) {
        HWND catalogue = run.WindowWith(IDC_CATALOG_LIST);
        HWND spray = run.WindowWith(IDC_COUNT);
        SetWindowPos(catalogue, HWND_TOP, 400, 400, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowPos(spray, HWND_TOP, 600, 400, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        Sleep(200);
        names = Listed(catalogue);
        barBefore = BarPixels(GetDlgItem(spray, IDC_COUNT));
        RunDriver::Click(GetDlgItem(catalogue, IDC_CATALOG_LIST), {10, 5});
        RunDriver::WaitUntil([&] { return BarPixels(GetDlgItem(spray, IDC_COUNT)) != barBefore; });
        barAfter = BarPixels(GetDlgItem(spray, IDC_COUNT));
    });
    EXPECT_EQ(names, (std::vector<std::string>{"mine"}));
    EXPECT_LT(barAfter, barBefore);  // 7 of 50 instead of 20
    const std::string saved = test::ReadFileText(Settings());
    EXPECT_NE(saved.find("Count=7\r\n", saved.find("[Paint\\Spray]")), std::string::npos) << saved;
    EXPECT_NE(saved.find("[Panel\\Catalog]"), std::string::npos) << saved;
}

TEST_F(CatalogPanelDll, OpeningABrokenCatalogueShowsItsMessageAndBringsTheOldListBack) {
    const std::string old = Catalogue({"a", "b"});
    const std::string broken = spraybytes::Header(2) + spraybytes::NameField("half") + spraybytes::End() + "junk";
    test::WriteFileText(CatalogueFile(), old);
    test::WriteFileText(folder_.File("broken.spr"), broken);
    std::string message;
    std::vector<std::string> names;
    test::FakeHost host(kWidth, kHeight);
    Run(host, [&](RunDriver& run) {
        HWND panel = run.WindowWith(IDC_CATALOG_LIST);
        RunDriver::PressButton(GetDlgItem(panel, IDC_CATALOG_OPEN));
        HWND files = run.WindowWith(cmb13);
        ASSERT_NE(files, nullptr);
        RunDriver::SetText(GetDlgItem(files, cmb13), folder_.File("broken.spr"));
        RunDriver::PressButton(GetDlgItem(files, IDOK));
        message = Answer(run, run.Frame());
        names = Listed(panel);
    });
    EXPECT_NE(message.find("broken.spr" + test::Cp932("は壊れているか違う種類のファイルです。")), std::string::npos)
        << message;
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b"})) << message;
    EXPECT_EQ(test::ReadFileText(CatalogueFile()), old);
    EXPECT_EQ(test::ReadFileText(folder_.File("broken.spr")), broken);
}

TEST_F(CatalogPanelDll, F12AndItsCommandToggleTheSprayList) {
    std::vector<bool> shown, checked;
    test::FakeHost host(kWidth, kHeight);
    Run(host, [&](RunDriver& run) {
        HWND panel = run.WindowWith(IDC_CATALOG_LIST);
        for (int press = 0; press < 2; ++press) {
            const bool before = IsWindowVisible(panel) != FALSE;
            if (press == 0)
                RunDriver::Key(GetDlgItem(panel, IDC_CATALOG_LIST), VK_F12);
            else
                RunDriver::Command(run.Frame(), IDM_PANEL_CATALOG);
            RunDriver::WaitUntil([&] { return (IsWindowVisible(panel) != FALSE) != before; });
            RunDriver::WaitUntil([&] { return ToolbarChecked(run.Frame(), IDM_PANEL_CATALOG) != before; });
            shown.push_back(IsWindowVisible(panel) != FALSE);
            checked.push_back(ToolbarChecked(run.Frame(), IDM_PANEL_CATALOG));
        }
    });
    EXPECT_EQ(shown, (std::vector<bool>{false, true}));
    EXPECT_EQ(checked, (std::vector<bool>{false, true}));
}

TEST_F(CatalogPanelDll, ACatalogueThatCannotBeWrittenAtTheEndIsReportedAndKeptAsItWas) {
    const std::string old = Catalogue({"a"});
    test::WriteFileText(CatalogueFile(), old);
    // Another program has the file open and lets nobody replace it.
    HANDLE held =
        CreateFileA(CatalogueFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string message;
    test::FakeHost host(kWidth, kHeight);
    Run(host, [&](RunDriver& run) {
        AddPreset(run, run.WindowWith(IDC_CATALOG_LIST), "new");
        PostMessageA(run.Frame(), WM_CLOSE, 0, 0);
        message = Answer(run, nullptr);  // the frame is going: the report has no owner
    });
    CloseHandle(held);
    EXPECT_NE(message, "(no message)");
    EXPECT_EQ(test::ReadFileText(CatalogueFile()), old);
    EXPECT_FALSE(GetFileAttributesA((CatalogueFile() + ".tmp").c_str()) != INVALID_FILE_ATTRIBUTES);
}

// The lock goes once the start has reported the file: the end of the run could then write, and
// must not, since what the run holds is not what the file holds.
TEST_F(CatalogPanelDll, ACatalogueLockedAtTheStartIsReportedAndNotSavedOverAtTheEnd) {
    const std::string mine = Catalogue({"m1", "m2", "m3"});
    test::WriteFileText(CatalogueFile(), mine);
    test::HeldFile held(CatalogueFile());  // another program has it open without sharing
    ASSERT_TRUE(held.Held());
    std::string atStart, atEnd;
    test::FakeHost host(kWidth, kHeight);
    Run(host, [&](RunDriver& run) {
        atStart = Answer(run, nullptr);
        held.Release();
        AddPreset(run, run.WindowWith(IDC_CATALOG_LIST), "new");
        PostMessageA(run.Frame(), WM_CLOSE, 0, 0);
        atEnd = Answer(run, nullptr);
    });
    EXPECT_NE(atStart.find(CatalogueFile()), std::string::npos) << atStart;
    EXPECT_NE(atEnd.find(CatalogueFile()), std::string::npos) << atEnd;
    EXPECT_EQ(test::ReadFileText(CatalogueFile()), mine);
}

// The shipped catalogue opened through the file button: the panel says where its changes go,
// and they go there, the shipped file untouched.
TEST_F(CatalogPanelDll, ChangesToTheShippedCatalogueGoToItsCopyAndThePanelSaysWhere) {
    char dll[MAX_PATH] = {};
    GetModuleFileNameA(library_, dll, MAX_PATH);
    const std::string folder = dll;
    const std::string shipped = folder.substr(0, folder.find_last_of('\\') + 1) + "preset\\preset.spr";
    const std::string before = test::ReadFileText(shipped);
    ASSERT_FALSE(before.empty()) << shipped;
    std::string note;
    test::FakeHost host(kWidth, kHeight);
    Run(host, [&](RunDriver& run) {
        HWND panel = run.WindowWith(IDC_CATALOG_LIST);
        RunDriver::PressButton(GetDlgItem(panel, IDC_CATALOG_OPEN));
        HWND files = run.WindowWith(cmb13);
        ASSERT_NE(files, nullptr);
        RunDriver::SetText(GetDlgItem(files, cmb13), shipped);
        RunDriver::PressButton(GetDlgItem(files, IDOK));
        note = Answer(run, panel);
        AddPreset(run, panel, "mine");
    });
    const std::string copy = folder_.File("Driftlace-preset.spr");
    EXPECT_NE(note.find(copy), std::string::npos) << note;
    EXPECT_EQ(test::ReadFileText(shipped), before);
    const std::string saved = test::ReadFileText(copy);
    EXPECT_NE(saved.find("mine"), std::string::npos);
    EXPECT_GT(saved.size(), before.size());
}

// A report at the start waits like every other: the frame and the panels take no input meanwhile.
TEST_F(CatalogPanelDll, ABrokenCatalogueAtTheStartIsReportedWithTheFrameDisabled) {
    test::WriteFileText(CatalogueFile(), "not a catalogue");
    bool frameEnabled = true, panelEnabled = true;
    std::string message;
    test::FakeHost host(kWidth, kHeight);
    Run(host, [&](RunDriver& run) {
        HWND box = run.MessageBoxOf(nullptr);
        frameEnabled = IsWindowEnabled(run.Frame()) != FALSE;
        panelEnabled = IsWindowEnabled(run.WindowWith(IDC_CATALOG_LIST)) != FALSE;
        message = Answer(run, nullptr);
        EXPECT_NE(box, nullptr);
    });
    EXPECT_NE(message.find(CatalogueFile()), std::string::npos) << message;
    EXPECT_FALSE(frameEnabled);
    EXPECT_FALSE(panelEnabled);
}

TEST_F(CatalogPanelDll, SettingsLockedAtTheStartAreReportedAndNotSavedOverAtTheEnd) {
    WriteSettings("HistoryMax=7\r\nTool=Blur\r\n[Paint\\Spray]\r\nCount=77\r\n");
    const std::string before = test::ReadFileText(Settings());
    test::HeldFile held(Settings());
    ASSERT_TRUE(held.Held());
    std::string atStart;
    test::FakeHost host(kWidth, kHeight);
    Run(host, [&](RunDriver& run) {
        atStart = Answer(run, run.Frame());
        held.Release();
    });
    EXPECT_NE(atStart.find(Settings()), std::string::npos) << atStart;
    EXPECT_EQ(test::ReadFileText(Settings()), before);
}

// Replace and delete name the picked preset and do nothing on No; the picked name is marked
// while the current style is not the preset's.
TEST_F(CatalogPanelDll, ReplaceAndDeleteAskNamingThePresetAndTheListMarksAChangedStyle) {
    test::WriteFileText(CatalogueFile(), Catalogue({"a", "b"}));
    WriteSettings("[Panel\\Catalog]\r\nSelect=0\r\n[Paint\\Spray]\r\nCount=77\r\n");
    std::string replaceQuestion, deleteQuestion;
    std::vector<std::string> atStart, afterNo, afterYes;
    test::FakeHost host(kWidth, kHeight);
    Run(host, [&](RunDriver& run) {
        HWND panel = run.WindowWith(IDC_CATALOG_LIST);
        atStart = Listed(panel);
        RunDriver::PressButton(GetDlgItem(panel, IDC_CATALOG_REPLACE));
        replaceQuestion = Answer(run, panel, IDNO);
        RunDriver::PressButton(GetDlgItem(panel, IDC_CATALOG_DELETE));
        deleteQuestion = Answer(run, panel, IDNO);
        afterNo = Listed(panel);
        RunDriver::PressButton(GetDlgItem(panel, IDC_CATALOG_DELETE));
        Answer(run, panel, IDYES);
        RunDriver::WaitUntil([&] { return Listed(panel).size() == 1; });
        afterYes = Listed(panel);
    });
    EXPECT_EQ(atStart, (std::vector<std::string>{"a *", "b"}));
    EXPECT_EQ(replaceQuestion, test::Cp932("「a」を現在のスプレー設定で置き換えますか?"));
    EXPECT_EQ(deleteQuestion, test::Cp932("「a」を削除しますか?"));
    EXPECT_EQ(afterNo, (std::vector<std::string>{"a *", "b"}));
    EXPECT_EQ(afterYes, (std::vector<std::string>{"b *"}));
}

}  // namespace
