#include "ui/win32/AppView.h"

#include <windowsx.h>

#include <algorithm>

#include "host/Options.h"
#include "host/TurnState.h"
#include "paint/AppDoc.h"
#include "paint/ToolEvent.h"
#include "paint/ToolSelection.h"
#include "resources/ResourceIds.h"
#include "ui/CommandRules.h"
#include "ui/DisplayComposer.h"
#include "ui/IdValueTable.h"
#include "ui/ViewGeometry.h"
#include "ui/ViewSession.h"
#include "ui/ZoomTable.h"
#include "ui/win32/AppMessages.h"
#include "ui/win32/ClientDC.h"
#include "ui/win32/Command.h"
#include "ui/win32/OptionsDialog.h"
#include "ui/win32/PaintDC.h"
#include "ui/win32/ViewScrollBars.h"

namespace app {

class AppViewMember {
  public:
    explicit AppViewMember(ViewPort& port) : document(std::make_unique<AppDoc>()), session(*document, port) {}

    HWND frame = nullptr;
    std::unique_ptr<AppDoc> document;
    ViewSession session;
    DisplayComposer composer;
    ViewScrollBars bars;
    int32_t zoom = ZoomTable::kInitialZoom;
    int32_t turnsRun = 0;
};

namespace {

ImageSize ClientSize(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

}  // namespace

AppView::AppView() : m_(std::make_unique<AppViewMember>(static_cast<ViewPort&>(*this))) {}

AppView::~AppView() = default;

void AppView::Create(HWND frame) {
    m_->frame = frame;
    Window::Create(0, AppWindowClass(), "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, Rect32{0, 0, 0, 0}, frame,
                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_VIEW)));
    m_->document->Load();
    OnInitialUpdate();
}

LRESULT AppView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_SIZE:
            OnSize();
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            m_->bars.OnScroll(Handle(), message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
            m_->bars.OnWheel(Handle(), message == WM_MOUSEHWHEEL, GET_WHEEL_DELTA_WPARAM(wParam),
                             GET_KEYSTATE_WPARAM(wParam));
            return 0;
        case WM_ACTIVATEAPP:
            m_->session.Turns().Set(StopInactive, wParam == 0);
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
            DeliverAtCursor(message == WM_KEYDOWN ? ToolEventKeyDown : ToolEventKeyUp, static_cast<int32_t>(wParam));
            return 0;
        case WM_MOUSEMOVE:
            DeliverMouseEvent(ToolEventMouseMove, lParam);
            return 0;
        case WM_LBUTTONDOWN:
            DeliverMouseEvent(ToolEventLeftDown, lParam);
            return 0;
        case WM_LBUTTONUP:
            DeliverMouseEvent(ToolEventLeftUp, lParam);
            return 0;
        case WM_LBUTTONDBLCLK:
            DeliverMouseEvent(ToolEventLeftDoubleClick, lParam);
            return 0;
        case WM_RBUTTONDOWN:
            DeliverMouseEvent(ToolEventRightDown, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_UPDATECOMMAND:
            OnUpdateCommand(static_cast<int>(wParam), reinterpret_cast<Command*>(lParam));
            return 0;
        case WM_OPTIONSCHANGED:
            m_->session.OptionsChanged();
            // The background may be another one now.
            InvalidateRect(Handle(), nullptr, FALSE);
            return 0;
        case WM_VIEWCLOSING:
            OnClose();
            return 0;
        default:
            return Window::WindowProc(message, wParam, lParam);
    }
}

void AppView::OnDestroy() {
    m_->session.Turns().Set(StopSuspended, true);
    Window::OnDestroy();
}

void AppView::OnCommand(int id, int /*code*/, HWND /*control*/) {
    AppDoc& document = *m_->document;
    if (const int32_t tool = IdValueTable::ValueOf(IdValueTable::Tool(), id); tool >= 0) {
        ChangeTool(tool, document.Engine(), &document.GetImage());
        FollowToolCapture();
        return;
    }
    if (m_->session.Execute(id))
        return;
    if (const int32_t zoom = ZoomTable::ForCommand(id); zoom >= 0) {
        SetZoom(zoom);
        return;
    }
    if (id == IDM_ZOOM_OUT || id == IDM_ZOOM_IN) {
        SetZoom(id == IDM_ZOOM_OUT ? ZoomTable::Out(m_->zoom) : ZoomTable::In(m_->zoom));
        return;
    }
    if (const int32_t background = IdValueTable::ValueOf(IdValueTable::Background(), id); background >= 0) {
        SetBackground(background);
        return;
    }
    if (id == IDM_OPTIONS) {
        OptionsDialog options;
        options.RunModal(Handle());
    }
}

void AppView::OnInitialUpdate() {
    SetContentSize();
    m_->session.InitialUpdate();
    UpdateCaption();
}

bool AppView::OnIdle() {
    const TurnState& turns = m_->session.Turns();
    const uint32_t before = turns.LastTurnTick();
    const bool working = m_->session.OnIdle(GetTickCount());
    // Every turn starts at a later tick than the one before.
    if (turns.LastTurnTick() != before)
        ++m_->turnsRun;
    return working;
}

void AppView::OnUpdateCommand(int id, Command* target) {
    if (!target)
        return;
    VIEW_FACTS facts = m_->session.Facts();
    facts.zoom = m_->zoom;
    facts.background = GetOptions().viewMat;
    COMMAND_STATE state = {};
    if (CommandRules::ForView(id, facts, &state))
        target->Apply(state);
}

void AppView::OnSize() {
    m_->bars.Fit(Handle());
    InvalidateRect(Handle(), nullptr, TRUE);
}

void AppView::OnClose() {
    m_->session.Closing();
}

void AppView::UpdateCaption() {
    if (m_->frame)
        SetWindowTextA(m_->frame, ZoomTable::Caption(m_->zoom).CStr());
}

void AppView::SetZoom(int32_t zoom) {
    m_->zoom = zoom;
    SetContentSize();
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateCaption();
}

int32_t AppView::Zoom() const noexcept {
    return m_->zoom;
}

AppDoc& AppView::Document() noexcept {
    return *m_->document;
}

ViewSession& AppView::Session() noexcept {
    return m_->session;
}

int32_t AppView::TurnsRun() const noexcept {
    return m_->turnsRun;
}

bool AppView::CanTurn() {
    HWND window = Handle();
    return window && IsWindow(window) && IsWindowEnabled(window) && IsWindowVisible(window);
}

void AppView::Redraw() {
    HWND window = Handle();
    if (!window)
        return;
    ClientDC context(window);
    const Point32 scroll = m_->bars.Offsets(window);
    SetViewportOrgEx(context.Handle(), -scroll.x, -scroll.y, nullptr);
    DrawImagePart(context, VisibleContent());
}

void AppView::RedrawImageArea(const Rect32& pixels) {
    HWND window = Handle();
    if (!window)
        return;
    const Rect32 image = ViewGeometry::ImageRect(ClientSize(window), m_->document->GetSize(), m_->zoom);
    const Rect32 area = ViewGeometry::ImageToContent(pixels, {image.left, image.top}, m_->zoom);
    const Rect32 visible = VisibleContent();
    const Rect32 clip = {std::max(area.left, visible.left), std::max(area.top, visible.top),
                         std::min(area.right, visible.right), std::min(area.bottom, visible.bottom)};
    if (clip.right <= clip.left || clip.bottom <= clip.top)
        return;
    ClientDC context(window);
    const Point32 scroll = m_->bars.Offsets(window);
    SetViewportOrgEx(context.Handle(), -scroll.x, -scroll.y, nullptr);
    DrawImagePart(context, clip);
}

Rect32 AppView::VisibleContent() {
    HWND window = Handle();
    const ImageSize client = ClientSize(window);
    const Point32 scroll = m_->bars.Offsets(window);
    return {scroll.x, scroll.y, scroll.x + client.width, scroll.y + client.height};
}

void AppView::UpdateCommands() {
    if (m_->frame)
        PostMessageA(m_->frame, WM_UPDATECOMMANDS, 0, 0);
}

Vector2 AppView::CursorInImage() {
    const DWORD position = GetMessagePos();
    POINT point = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ScreenToClient(Handle(), &point);
    HWND window = Handle();
    const ImageSize client = ClientSize(window);
    const Point32 scroll = m_->bars.Offsets(window);
    const Point32 origin = ViewGeometry::ImageOrigin(client, m_->document->GetSize(), m_->zoom);
    return ViewGeometry::ClientToImage({point.x, point.y}, scroll, origin, m_->zoom);
}

void AppView::OnPaint() {
    HWND window = Handle();
    PaintDC context(window);
    const ImageSize client = ClientSize(window);
    const Point32 scroll = m_->bars.Offsets(window);
    SetViewportOrgEx(context.Handle(), -scroll.x, -scroll.y, nullptr);
    const Rect32 image = ViewGeometry::ImageRect(client, m_->document->GetSize(), m_->zoom);
    const RECT frame = {image.left - 1, image.top - 1, image.right + 1, image.bottom + 1};
    FrameRect(context.Handle(), &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT clip = {};
    if (GetClipBox(context.Handle(), &clip) == ERROR)
        return;
    DrawImagePart(context, {clip.left, clip.top, clip.right, clip.bottom});
}

void AppView::OnCaptureChanged(HWND /*newOwner*/) {
    // A stroke that loses the mouse (to this view or any other window) ends: without the
    // capture its release would never arrive and the spray would go on by itself.
    if (!CurrentToolIsCapturing())
        return;
    DeliverToolEvent(ToolEventCancel, {0, 0}, 0);
}

void AppView::DeliverMouseEvent(int32_t code, LPARAM lParam) {
    HWND window = Handle();
    const ImageSize client = ClientSize(window);
    const Point32 scroll = m_->bars.Offsets(window);
    const Point32 origin = ViewGeometry::ImageOrigin(client, m_->document->GetSize(), m_->zoom);
    const Point32 point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    DeliverToolEvent(code, ViewGeometry::ClientToImage(point, scroll, origin, m_->zoom), 0);
}

void AppView::DeliverAtCursor(int32_t code, int32_t value) {
    DeliverToolEvent(code, CursorInImage(), value);
}

void AppView::DeliverToolEvent(int32_t code, Vector2 at, int32_t value) {
    m_->session.DeliverToolEvent(code, at.x, at.y, value);
    FollowToolCapture();
}

void AppView::FollowToolCapture() {
    HWND window = Handle();
    if (!window)
        return;
    const bool capturing = CurrentToolIsCapturing();
    if (capturing && GetCapture() != window)
        SetCapture(window);
    else if (!capturing && GetCapture() == window)
        ReleaseCapture();
}

void AppView::SetBackground(int32_t background) {
    OPTIONS options = GetOptions();
    options.viewMat = background;
    SetOptions(options);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void AppView::SetContentSize() {
    m_->bars.SetContent(Handle(), ViewGeometry::ContentSize(m_->document->GetSize(), m_->zoom));
}

void AppView::DrawImagePart(DC& context, const Rect32& clip) {
    HWND window = Handle();
    const Rect32 image = ViewGeometry::ImageRect(ClientSize(window), m_->document->GetSize(), m_->zoom);
    int32_t zoom = m_->zoom;
    bool drawn = false;
    try {
        const Rect32 visible = VisibleContent();
        drawn = m_->composer.Compose(m_->document->GetImage(), image, clip, zoom, GetOptions().viewMat,
                                     {visible.left, visible.top});
    } catch (...) {
        // Without room for the buffer the zoom falls back to 100; the view follows it.
        if (zoom != m_->zoom)
            SetZoom(zoom);
        throw;
    }
    if (zoom != m_->zoom) {
        SetZoom(zoom);
        return;
    }
    if (!drawn)
        return;
    const Point32 at = m_->composer.BufferOrigin();
    context.DrawImage(m_->composer.Buffer(), at.x, at.y);
}

}  // namespace app
