#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "resources/ResourceIds.h"
#include "tests/support/TestFiles.h"
#include "tests/win32/Cp932.h"
#include "ui/IdValueTable.h"
#include "ui/NumberText.h"
#include "ui/win32/AngleControl.h"
#include "ui/win32/AppMessages.h"
#include "ui/win32/Dialog.h"
#include "ui/win32/Modal.h"
#include "ui/win32/ToolTip.h"
#include "ui/win32/UpdateControl.h"
#include "ui/win32/VolumeControl.h"
#include "ui/win32/Window.h"

namespace {

// Builds a dialog template in memory: DLGTEMPLATE, its strings, then DWORD-aligned items.
class TemplateBuilder {
  public:
    TemplateBuilder(const char* title, DWORD style, short width, short height) {
        DLGTEMPLATE head = {};
        head.style = style | DS_SETFONT;
        head.cx = width;
        head.cy = height;
        Append(&head, sizeof head);
        countOffset_ = offsetof(DLGTEMPLATE, cdit);
        Word(0);  // no menu
        Word(0);  // standard class
        Text(title);
        Word(9);
        Text("MS Shell Dlg");
    }

    TemplateBuilder&
    Item(WORD classAtom, const char* text, WORD id, DWORD style, short x, short y, short cx, short cy) {
        Align();
        DLGITEMTEMPLATE item = {};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Append(&item, sizeof item);
        Word(0xFFFF);
        Word(classAtom);
        Text(text);
        Word(0);  // no creation data
        ++*reinterpret_cast<WORD*>(bytes_.data() + countOffset_);
        return *this;
    }

    TemplateBuilder& Control(const char* className, WORD id, DWORD style, short x, short y, short cx, short cy) {
        Align();
        DLGITEMTEMPLATE item = {};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Append(&item, sizeof item);
        Text(className);
        Text("");
        Word(0);
        ++*reinterpret_cast<WORD*>(bytes_.data() + countOffset_);
        return *this;
    }

    const DLGTEMPLATE* Get() {
        // The template must start on a DWORD boundary; the vector's storage does.
        return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data());
    }

    static constexpr WORD kButton = 0x0080;
    static constexpr WORD kEdit = 0x0081;
    static constexpr WORD kStatic = 0x0082;

  private:
    void Append(const void* data, size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }
    void Word(WORD value) { Append(&value, sizeof value); }
    void Text(const char* text) {
        const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
        std::vector<wchar_t> wide(static_cast<size_t>(length));
        MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
        Append(wide.data(), wide.size() * sizeof(wchar_t));
    }
    void Align() {
        while (bytes_.size() % 4 != 0)
            bytes_.push_back(0);
    }

    std::vector<unsigned char> bytes_;
    size_t countOffset_ = 0;
};

constexpr WORD kNumberEdit = 1100;
constexpr WORD kTextEdit = 1101;
constexpr WORD kRealEdit = 1102;
constexpr WORD kCheckBox = 1200;
constexpr WORD kRadioA = 1201;
constexpr WORD kRadioB = 1202;
constexpr WORD kTrack = 1300;
constexpr UINT kStep = WM_APP + 60;  // runs the test's next step inside the dialog's loop
constexpr UINT_PTR kSafetyTimer = 77;

TemplateBuilder FieldsTemplate(DWORD style) {
    TemplateBuilder builder("fields", style, 200, 150);
    builder.Item(TemplateBuilder::kEdit, "", kNumberEdit, WS_BORDER | ES_AUTOHSCROLL, 10, 10, 60, 14)
        .Item(TemplateBuilder::kEdit, "", kTextEdit, WS_BORDER | ES_AUTOHSCROLL, 10, 30, 60, 14)
        .Item(TemplateBuilder::kEdit, "", kRealEdit, WS_BORDER | ES_AUTOHSCROLL, 10, 50, 60, 14)
        .Item(TemplateBuilder::kButton, "check", kCheckBox, BS_AUTOCHECKBOX, 80, 10, 60, 12)
        .Item(TemplateBuilder::kButton, "a", kRadioA, BS_AUTORADIOBUTTON | WS_GROUP, 80, 30, 30, 12)
        .Item(TemplateBuilder::kButton, "b", kRadioB, BS_AUTORADIOBUTTON, 110, 30, 30, 12)
        .Control(TRACKBAR_CLASSA, kTrack, 0, 80, 50, 100, 15)
        .Item(TemplateBuilder::kButton, "OK", IDOK, BS_DEFPUSHBUTTON | WS_GROUP, 10, 120, 40, 14)
        .Item(TemplateBuilder::kButton, "apply", IDC_APPLY, BS_PUSHBUTTON, 60, 120, 40, 14)
        .Item(TemplateBuilder::kButton, "cancel", IDCANCEL, BS_PUSHBUTTON, 110, 120, 40, 14);
    return builder;
}

const app::ID_VALUE kRadios[] = {{kRadioA, 5}, {kRadioB, 7}, {0, 0}};

// A dialog with one field per exchange operation; each step runs inside its message loop.
class FieldsDialog : public app::Dialog {
  public:
    FieldsDialog() : Dialog(0) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE)
            ++editChanges;
        if (message == kStep) {
            RunSteps();
            return TRUE;
        }
        if (message == WM_TIMER && wParam == kSafetyTimer) {
            ADD_FAILURE() << "dialog left open";
            EndModal(99);
            return TRUE;
        }
        return Dialog::WindowProc(message, wParam, lParam);
    }
    void OnInitDialog() override {
        ++inits;
        initialisedDuringInit = IsInitialised();
        SetTimer(Handle(), kSafetyTimer, 10000, nullptr);
        PostMessageA(Handle(), kStep, 0, 0);
    }
    void OnCommand(int id, int code, HWND control) override {
        commands.push_back(id);
        Dialog::OnCommand(id, code, control);
    }
    void DoDataExchange(app::UpdateControl& exchange) override {
        ++exchanges;
        exchange.Int(kNumberEdit, number);
        exchange.Text(kTextEdit, text);
        exchange.Double(kRealEdit, real);
        exchange.Check(kCheckBox, checked);
        exchange.Radio(kRadios, radio);
        exchange.TrackPosition(kTrack, track);
        exchange.Enable(kRealEdit, realEnabled);
    }
    bool Check() override {
        ++checks;
        return number >= 0;
    }
    void OnApply() override {
        ++applies;
        Dialog::OnApply();
    }

    void RunSteps() {
        for (auto& step : steps)
            step(*this);
        steps.clear();
    }
    std::string ControlText(int id) {
        char buffer[64] = {};
        GetDlgItemTextA(Handle(), id, buffer, sizeof buffer);
        return buffer;
    }

    std::vector<std::function<void(FieldsDialog&)>> steps;
    int32_t number = 42;
    app::String text = "hello";
    double real = 0.25;
    bool checked = true;
    int32_t radio = 7;
    int32_t track = 30;
    bool realEnabled = false;

    int inits = 0;
    int exchanges = 0;
    int checks = 0;
    int applies = 0;
    int editChanges = 0;
    bool initialisedDuringInit = true;
    std::vector<int> commands;
};

class Dialogs : public testing::Test {
  protected:
    // The frame is shown so that activation can be checked; the panel needs no showing.
    void SetUp() override {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&classes);
        test::ReportedFailures().clear();
        frame_.Create(0, app::Window::AppWindowClass(), "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 400, 300},
                      nullptr, nullptr);
        panel_.Create(WS_EX_TOOLWINDOW, app::Window::AppWindowClass(), "panel", WS_POPUP | WS_CAPTION,
                      {410, 0, 500, 100}, frame_.Handle(), nullptr);
        app::Modal::SetFrameWindow(frame_.Handle());
        SetForegroundWindow(frame_.Handle());
    }
    void TearDown() override { app::Modal::SetFrameWindow(nullptr); }

    bool FrameLocked() const { return !IsWindowEnabled(frame_.Handle()) && !IsWindowEnabled(panel_.Handle()); }

    app::Window frame_;
    app::Window panel_;
};

TEST_F(Dialogs, ModalDialogFillsItsControlsAndReadsThemBackOnOK) {
    TemplateBuilder layout = FieldsTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    FieldsDialog dialog;
    dialog.SetTemplate(layout.Get());
    bool lockedInside = false;
    dialog.steps.push_back([&](FieldsDialog& d) {
        lockedInside = FrameLocked();
        EXPECT_TRUE(d.IsModal());
        EXPECT_EQ(d.ControlText(kNumberEdit), "42");
        EXPECT_EQ(d.ControlText(kTextEdit), "hello");
        EXPECT_EQ(d.ControlText(kRealEdit), "0.25");
        EXPECT_EQ(IsDlgButtonChecked(d.Handle(), kCheckBox), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(d.Handle(), kRadioA), BST_UNCHECKED);
        EXPECT_EQ(IsDlgButtonChecked(d.Handle(), kRadioB), BST_CHECKED);
        EXPECT_EQ(SendDlgItemMessageA(d.Handle(), kTrack, TBM_GETPOS, 0, 0), 30);
        EXPECT_FALSE(IsWindowEnabled(d.Item(kRealEdit)));
        EXPECT_TRUE(d.commands.empty());  // the filling's own notifications were not dispatched
        SetDlgItemTextA(d.Handle(), kNumberEdit, "-17");
        SetDlgItemTextA(d.Handle(), kTextEdit, "world");
        SetDlgItemTextA(d.Handle(), kRealEdit, "1.5e2");
        CheckDlgButton(d.Handle(), kCheckBox, BST_UNCHECKED);
        CheckRadioButton(d.Handle(), kRadioA, kRadioB, kRadioA);
        SendDlgItemMessageA(d.Handle(), kTrack, TBM_SETPOS, TRUE, 80);
        EXPECT_FALSE(d.commands.empty());  // the user's edits are
        SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        // -17 fails the check: the dialog stays open with what was entered.
        EXPECT_TRUE(IsWindow(d.Handle()));
        EXPECT_EQ(d.ControlText(kNumberEdit), "-17");
        SetDlgItemTextA(d.Handle(), kNumberEdit, "17");
        SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(dialog.RunModal(frame_.Handle()), 1);
    EXPECT_TRUE(lockedInside);
    EXPECT_FALSE(FrameLocked());
    EXPECT_EQ(GetActiveWindow(), frame_.Handle());  // the activation came back to the frame
    EXPECT_EQ(dialog.inits, 1);
    EXPECT_FALSE(dialog.initialisedDuringInit);
    EXPECT_EQ(dialog.number, 17);
    EXPECT_EQ(dialog.text.ToStdString(), "world");
    EXPECT_EQ(dialog.real, 150.0);
    EXPECT_FALSE(dialog.checked);
    EXPECT_EQ(dialog.radio, 5);
    EXPECT_EQ(dialog.track, 80);
    EXPECT_EQ(dialog.checks, 2);
    EXPECT_EQ(dialog.Handle(), nullptr);  // detached when its window went
}

TEST_F(Dialogs, ExchangeLeavesEqualValuesAndUnreadableTextsAlone) {
    TemplateBuilder layout = FieldsTemplate(WS_POPUP | WS_CAPTION);
    FieldsDialog dialog;
    dialog.SetTemplate(layout.Get());
    dialog.steps.push_back([&](FieldsDialog& d) {
        // Writing the same values again changes nothing: no change notification, caret kept.
        SendDlgItemMessageA(d.Handle(), kNumberEdit, EM_SETSEL, 1, 1);
        const int changes = d.editChanges;
        d.UpdateData(true);
        EXPECT_EQ(d.editChanges, changes);
        DWORD start = 0, end = 0;
        SendDlgItemMessageA(d.Handle(), kNumberEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 1u);
        d.number = 43;
        d.UpdateData(true);
        EXPECT_EQ(d.editChanges, changes + 1);
        EXPECT_EQ(d.ControlText(kNumberEdit), "43");

        // Not a number: the fields hold no value (which every check refuses with the field's
        // range), and writing them back leaves what the user typed.
        SetDlgItemTextA(d.Handle(), kNumberEdit, "abc");
        SetDlgItemTextA(d.Handle(), kRealEdit, "12abc");
        CheckDlgButton(d.Handle(), kRadioA, BST_UNCHECKED);
        CheckDlgButton(d.Handle(), kRadioB, BST_UNCHECKED);
        d.real = 9;
        d.UpdateData(false);
        EXPECT_EQ(d.number, app::NumberText::kNoWhole);
        EXPECT_TRUE(std::isnan(d.real));
        EXPECT_EQ(d.radio, 7);  // no radio checked: unchanged
        d.UpdateData(true);
        EXPECT_EQ(d.ControlText(kNumberEdit), "abc");
        EXPECT_EQ(d.ControlText(kRealEdit), "12abc");
        SendMessageA(d.Handle(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(dialog.RunModal(frame_.Handle()), 2);
}

TEST(UpdateControl, DecimalTextsOnly) {
    using app::UpdateControl;
    EXPECT_EQ(UpdateControl::ParseDecimal(" 2.5"), 2.5);
    EXPECT_EQ(UpdateControl::ParseDecimal("-.5"), -0.5);
    EXPECT_EQ(UpdateControl::ParseDecimal("1e3"), 1000.0);
    EXPECT_EQ(UpdateControl::ParseDecimal("12abc"), 0.0);
    EXPECT_EQ(UpdateControl::ParseDecimal(""), 0.0);
    EXPECT_EQ(UpdateControl::ParseDecimal("abc"), 0.0);
    EXPECT_EQ(UpdateControl::ParseDecimal("nan"), 0.0);
    EXPECT_EQ(UpdateControl::ParseDecimal("inf"), 0.0);
    EXPECT_EQ(UpdateControl::ParseDecimal("1e999"), 0.0);
    EXPECT_EQ(UpdateControl::ParseDecimal("0x10"), 0.0);
}

TEST_F(Dialogs, ApplyChecksAndStaysOpenCancelSkipsTheCheck) {
    TemplateBuilder layout = FieldsTemplate(WS_POPUP | WS_CAPTION);
    FieldsDialog dialog;
    dialog.SetTemplate(layout.Get());
    dialog.steps.push_back([&](FieldsDialog& d) {
        SetDlgItemTextA(d.Handle(), kNumberEdit, "5");
        SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);
        EXPECT_EQ(d.applies, 1);
        EXPECT_EQ(d.checks, 1);
        EXPECT_EQ(d.number, 5);
        EXPECT_TRUE(IsWindow(d.Handle()));
        SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(dialog.RunModal(frame_.Handle()), 2);
    EXPECT_EQ(dialog.checks, 1);
    EXPECT_EQ(dialog.number, 5);  // what was applied stays
}

TEST_F(Dialogs, NestedModalDialogsKeepTheFrameLockedUntilBothClose) {
    TemplateBuilder layout = FieldsTemplate(WS_POPUP | WS_CAPTION);
    FieldsDialog outer;
    outer.SetTemplate(layout.Get());
    FieldsDialog inner;
    inner.SetTemplate(layout.Get());
    bool lockedInInner = false;
    bool lockedAfterInner = false;
    bool outerUsableInInner = true;
    inner.steps.push_back([&](FieldsDialog& d) {
        lockedInInner = FrameLocked();
        outerUsableInInner = IsWindowEnabled(outer.Handle()) != FALSE;
        EXPECT_EQ(app::Modal::Depth(), 2);
        SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    outer.steps.push_back([&](FieldsDialog& d) {
        EXPECT_EQ(inner.RunModal(d.Handle()), 2);
        lockedAfterInner = FrameLocked();
        EXPECT_TRUE(IsWindowEnabled(d.Handle()));
        SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(outer.RunModal(frame_.Handle()), 1);
    EXPECT_TRUE(lockedInInner);
    EXPECT_FALSE(outerUsableInInner);  // the platform disables a dialog's owner
    EXPECT_TRUE(lockedAfterInner);
    EXPECT_FALSE(FrameLocked());
    EXPECT_EQ(app::Modal::Depth(), 0);
}

class FailingDialog : public app::Dialog {
  public:
    FailingDialog() : Dialog(0) {}
    void OnInitDialog() override { throw app::Exception(app::ErrorBrokenFile); }
};

TEST_F(Dialogs, FailedInitialisationClosesTheDialogAndReachesTheCaller) {
    TemplateBuilder layout = FieldsTemplate(WS_POPUP | WS_CAPTION);
    FailingDialog modal;
    modal.SetTemplate(layout.Get());
    try {
        modal.RunModal(frame_.Handle());
        ADD_FAILURE() << "no error";
    } catch (const app::Exception& e) {
        EXPECT_EQ(e.Code(), app::ErrorBrokenFile);
    }
    EXPECT_FALSE(FrameLocked());

    FailingDialog modeless;
    modeless.SetTemplate(layout.Get());
    EXPECT_THROW(modeless.CreateModeless(frame_.Handle()), app::Exception);
    EXPECT_EQ(modeless.Handle(), nullptr);
    // Passed on, not reported twice on the way.
    EXPECT_TRUE(test::ReportedFailures().empty());
}

TEST_F(Dialogs, UnknownTemplateRaisesErrorFive) {
    app::Dialog missing(31999);
    try {
        missing.RunModal(frame_.Handle());
        ADD_FAILURE() << "ran";
    } catch (const app::Exception& e) {
        EXPECT_EQ(e.Code(), app::ErrorCreateWindow);
    }
    EXPECT_FALSE(FrameLocked());
    EXPECT_THROW(missing.CreateModeless(frame_.Handle()), app::Exception);
}

// A panel-like dialog: modeless, with custom controls bound by id and a tooltip.
class PanelDialog : public app::Dialog {
  public:
    PanelDialog() : Dialog(0) {}
    void OnInitDialog() override { slider.AttachItem(Handle(), 1400); }
    void OnControlNotify(int id, int code, LPARAM data) override {
        notifiedId = id;
        notifiedCode = code;
        notifiedData = data;
    }
    void OnUpdateCommand(int id, app::Command* target) override { askedId = id; }
    void DoDataExchange(app::UpdateControl& exchange) override {
        boundFound = exchange.Bound<SliderProbe>(1400) == &slider;
        otherFound = exchange.Bound<SliderProbe>(33150) != nullptr;
    }
    void OnOK() override {
        ++oks;
        Dialog::OnOK();
    }

    class SliderProbe : public app::Window {
      public:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == app::WM_DRAWCONTROL) {
                drawRecord = reinterpret_cast<DRAWITEMSTRUCT*>(wParam);
                return 0;
            }
            return Window::WindowProc(message, wParam, lParam);
        }
        DRAWITEMSTRUCT* drawRecord = nullptr;
    };

    SliderProbe slider;
    int notifiedId = 0;
    int notifiedCode = -1;
    LPARAM notifiedData = 0;
    int askedId = 0;
    bool boundFound = false;
    bool otherFound = true;
    int oks = 0;
};

TEST_F(Dialogs, ModelessDialogHasATooltipForEveryControlAndRoutesItsMessages) {
    TemplateBuilder layout("panel", WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 60);
    layout.Item(TemplateBuilder::kButton, "slider", 1400, BS_OWNERDRAW, 0, 0, 60, 10)
        .Item(TemplateBuilder::kButton, "undo", 33150, BS_PUSHBUTTON, 0, 12, 40, 12)
        .Item(TemplateBuilder::kStatic, "label", 1500, 0, 0, 30, 40, 10);
    PanelDialog panel;
    panel.SetTemplate(layout.Get());
    panel.CreateModeless(frame_.Handle());
    HWND window = panel.Handle();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(panel.IsModal());
    EXPECT_EQ(GetWindow(window, GW_OWNER), frame_.Handle());
    EXPECT_TRUE(panel.boundFound);
    EXPECT_FALSE(panel.otherFound);
    ASSERT_NE(panel.GetToolTip(), nullptr);
    EXPECT_EQ(panel.GetToolTip()->ToolCount(), 3);
    EXPECT_EQ(GetWindow(panel.GetToolTip()->Handle(), GW_OWNER), window);

    NMTTDISPINFOA request = {};
    request.hdr.hwndFrom = panel.GetToolTip()->Handle();
    request.hdr.code = TTN_NEEDTEXTA;
    request.hdr.idFrom = reinterpret_cast<UINT_PTR>(GetDlgItem(window, 33150));
    request.uFlags = TTF_IDISHWND;
    SendMessageA(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    EXPECT_EQ(std::string(request.szText), test::Cp932("元に戻す"));

    SendMessageA(window, app::WM_CONTROLNOTIFY, MAKEWPARAM(1400, 1), 77);
    EXPECT_EQ(panel.notifiedId, 1400);
    EXPECT_EQ(panel.notifiedCode, 1);
    EXPECT_EQ(panel.notifiedData, 77);
    SendMessageA(window, app::WM_UPDATECOMMAND, 33200, 0);
    EXPECT_EQ(panel.askedId, 33200);
    DRAWITEMSTRUCT item = {};
    item.CtlID = 1400;
    SendMessageA(window, WM_DRAWITEM, 1400, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(panel.slider.drawRecord, &item);  // forwarded to the control that draws itself

    // A modeless dialog has no modal ending: cancel does nothing, OK only exchanges.
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(panel.oks, 1);
    EXPECT_TRUE(IsWindow(window));
    HWND tip = panel.GetToolTip()->Handle();
    SendMessageA(window, WM_CLOSE, 0, 0);  // the base class destroys a modeless dialog
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_EQ(panel.Handle(), nullptr);
    EXPECT_EQ(panel.slider.Handle(), nullptr);
}

// The value slider and the angle picker in a dialog: what a press, a drag, a release and a lost
// capture do, and what the dialog is told.
class ControlsDialog : public app::Dialog {
  public:
    ControlsDialog() : Dialog(0) {}
    void OnInitDialog() override {
        volume.AttachItem(Handle(), 1400);
        volume.SetRange(2, 6);
        angle.AttachItem(Handle(), 1405);
    }
    void OnControlNotify(int id, int code, LPARAM /*data*/) override { notified.push_back(MAKELONG(id, code)); }

    app::VolumeControl volume;
    app::AngleControl angle;
    std::vector<LONG> notified;
};

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

TEST_F(Dialogs, SliderAndPickerFollowTheMouseAndReportTheFinalValue) {
    TemplateBuilder layout("controls", WS_POPUP | WS_CAPTION, 120, 60);
    layout.Item(TemplateBuilder::kButton, "value", 1400, BS_OWNERDRAW, 0, 0, 80, 10)
        .Item(TemplateBuilder::kButton, "", 1405, BS_OWNERDRAW, 0, 20, 30, 30);
    ControlsDialog dialog;
    dialog.SetTemplate(layout.Get());
    dialog.CreateModeless(frame_.Handle());
    HWND slider = GetDlgItem(dialog.Handle(), 1400);
    RECT client = {};
    GetClientRect(slider, &client);
    EXPECT_EQ(SendMessageA(slider, WM_GETDLGCODE, 0, 0), 0);  // no keys for the slider

    SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 4, 2));
    EXPECT_DOUBLE_EQ(dialog.volume.Value(), 2 + 4.0 * (client.right / 4) / client.right);
    EXPECT_EQ(GetCapture(), slider);
    SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.right * 2, 2));
    EXPECT_EQ(dialog.volume.Value(), 6.0);  // beyond the end: the maximum
    Pump();
    EXPECT_TRUE(dialog.notified.empty());  // nothing until the release
    SendMessageA(slider, WM_LBUTTONUP, 0, MAKELPARAM(client.right * 2, 2));
    EXPECT_EQ(GetCapture(), nullptr);
    Pump();
    EXPECT_EQ(dialog.notified, (std::vector<LONG>{MAKELONG(1400, 0)}));

    // A capture taken away in the middle of a drag ends it: the value shown is the value set.
    SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 2));
    SetCapture(frame_.Handle());
    ReleaseCapture();
    SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.right, 2));
    Pump();
    EXPECT_EQ(dialog.volume.Value(), 2.0);
    EXPECT_EQ(dialog.notified.size(), 2u);

    HWND picker = GetDlgItem(dialog.Handle(), 1405);
    GetClientRect(picker, &client);
    SendMessageA(picker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2, client.bottom / 2));
    EXPECT_EQ(dialog.angle.Angle(), 0.0);  // the centre points right
    SendMessageA(picker, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.right / 2, 0));
    EXPECT_DOUBLE_EQ(dialog.angle.Angle(), std::atan2(1.0, 0.0));  // straight up
    SendMessageA(picker, WM_LBUTTONUP, 0, 0);
    Pump();
    EXPECT_EQ(dialog.notified.back(), MAKELONG(1405, 0));
    DestroyWindow(dialog.Handle());
}

}  // namespace
