#include "ui/win32/ViewScrollBars.h"

#include <initializer_list>

#include "ui/WheelScroll.h"

namespace app {

class ViewScrollBarsMember {
  public:
    ImageSize content = {0, 0};
    WheelScroll wheel;
};

namespace {

ImageSize ClientSize(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

int32_t Along(int bar, ImageSize size) {
    return bar == SB_HORZ ? size.width : size.height;
}

SCROLLINFO ScrollInfo(UINT mask) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = mask;
    return info;
}

int32_t ScrollPosition(HWND window, int bar) {
    SCROLLINFO info = ScrollInfo(SIF_POS);
    return GetScrollInfo(window, bar, &info) ? info.nPos : 0;
}

// A bar's figures and the client extent along it.
bool ReadBar(HWND window, int bar, SCROLLBAR* figures, int32_t* client) {
    SCROLLINFO info = ScrollInfo(SIF_ALL);
    if (!GetScrollInfo(window, bar, &info))
        return false;
    *figures = {info.nPos, static_cast<int32_t>(info.nPage), info.nMax};
    *client = Along(bar, ClientSize(window));
    return true;
}

}  // namespace

ViewScrollBars::ViewScrollBars() : m_(std::make_unique<ViewScrollBarsMember>()) {}

ViewScrollBars::~ViewScrollBars() = default;

void ViewScrollBars::SetContent(HWND window, ImageSize content) {
    m_->content = content;
    for (int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 64, 0, 0};
        SetScrollInfo(window, bar, &info, FALSE);
    }
    Fit(window);
}

void ViewScrollBars::Fit(HWND window) {
    if (!window)
        return;
    for (int bar : {SB_HORZ, SB_VERT}) {
        // Showing or hiding a bar changes the client size, so each bar reads it afresh.
        const SCROLLBAR fitted = ViewGeometry::FitScrollBar(ScrollPosition(window, bar), Along(bar, ClientSize(window)),
                                                            Along(bar, m_->content));
        SCROLLINFO info = {sizeof info,
                           SIF_RANGE | SIF_PAGE | SIF_POS,
                           0,
                           fitted.maximum,
                           static_cast<UINT>(fitted.page),
                           fitted.position,
                           0};
        SetScrollInfo(window, bar, &info, TRUE);
    }
}

Point32 ViewScrollBars::Offsets(HWND window) const {
    const ImageSize client = ClientSize(window);
    return {ViewGeometry::ScrollOffset(ScrollPosition(window, SB_HORZ), client.width, m_->content.width),
            ViewGeometry::ScrollOffset(ScrollPosition(window, SB_VERT), client.height, m_->content.height)};
}

void ViewScrollBars::OnScroll(HWND window, int bar, int code, int thumb) {
    SCROLLBAR current = {};
    int32_t client = 0, target = 0;
    if (ReadBar(window, bar, &current, &client) && ViewGeometry::ScrollTarget(code, thumb, current, client, &target))
        ScrollTo(window, bar, target);
}

void ViewScrollBars::OnWheel(HWND window, bool sideways, int delta, int keys) {
    UINT lines = 3;
    SystemParametersInfoA(sideways ? SPI_GETWHEELSCROLLCHARS : SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const WHEEL_TURN turn = {delta, sideways, (keys & MK_SHIFT) != 0, static_cast<int32_t>(lines)};
    const int bar = WheelScroll::MovesHorizontalBar(turn) ? SB_HORZ : SB_VERT;
    SCROLLBAR current = {};
    int32_t client = 0, target = 0;
    if (ReadBar(window, bar, &current, &client) && m_->wheel.Target(turn, current, client, &target))
        ScrollTo(window, bar, target);
}

void ViewScrollBars::ScrollTo(HWND window, int bar, int32_t target) {
    const int32_t client = Along(bar, ClientSize(window));
    const int32_t shift =
        ViewGeometry::ScrollOffset(ScrollPosition(window, bar), client, Along(bar, m_->content)) - target;
    if (bar == SB_HORZ)
        ScrollWindowEx(window, shift, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    else
        ScrollWindowEx(window, 0, shift, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    SCROLLINFO info = ScrollInfo(SIF_POS);
    info.nPos = target;
    SetScrollInfo(window, bar, &info, TRUE);
    UpdateWindow(window);
}

}  // namespace app
