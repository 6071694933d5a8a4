#include "ui/win32/Window.h"

#include "base/Exception.h"
#include "base/Failure.h"
#include "base/win32/ModuleInstance.h"
#include "resources/ResourceIds.h"
#include "ui/WindowGeometry.h"
#include "ui/win32/Modal.h"

namespace app {

class WindowMember {
  public:
    HWND window = nullptr;
    WNDPROC previous = nullptr;  // null when bound without subclassing
};

namespace {

constexpr char kAppWindowClass[] = "AppWindow";
// Marks a bound window, so that user data set by anyone else is never taken for an object.
constexpr char kBoundProperty[] = "AppWindow.Bound";
// The procedure a subclassed window had, kept with the window: when a later subclass sits on
// top of ours, unbinding cannot take ours out, and it must still reach the original one.
constexpr char kPreviousProperty[] = "AppWindow.Previous";

bool& ClassRegistered() {
    static bool registered = false;
    return registered;
}

WNDPROC PreviousOf(HWND window) {
    return reinterpret_cast<WNDPROC>(GetPropA(window, kPreviousProperty));
}

}  // namespace

void ReportWindowFailure(HWND window) noexcept {
    const std::exception_ptr failure = std::current_exception();
    Modal scope;
    ReportFailure(failure, window);
}

Window::Window() : m_(std::make_unique<WindowMember>()) {}

Window::~Window() {
    HWND window = m_->window;
    Detach();
    if (window && IsWindow(window))
        DestroyWindow(window);
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        default:
            return CallPrevious(message, wParam, lParam);
    }
}

void Window::Destroy() {
    if (m_->window)
        DestroyWindow(m_->window);
}

void Window::OnDestroy() {
    Detach();
}

void Window::OnCommand(int /*id*/, int /*code*/, HWND /*control*/) {}

HWND Window::Handle() const noexcept {
    return m_->window;
}

void Window::Attach(HWND window) {
    Bind(window, true);
}

void Window::AttachItem(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    if (!item)
        throw Exception(ErrorCreateWindow);
    Attach(item);
}

void Window::Bind(HWND window, bool subclass) {
    if (!window)
        throw Exception(ErrorCreateWindow);
    if (m_->window)
        Detach();
    m_->window = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetPropA(window, kBoundProperty, reinterpret_cast<HANDLE>(1));
    if (!subclass)
        return;
    m_->previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    SetPropA(window, kPreviousProperty, reinterpret_cast<HANDLE>(m_->previous));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::CommonProcedure));
}

void Window::Detach() noexcept {
    HWND window = m_->window;
    if (!window)
        return;
    if (IsWindow(window) && FromHandle(window) == this) {
        RemovePropA(window, kBoundProperty);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
        if (m_->previous && current == &Window::CommonProcedure) {
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_->previous));
            RemovePropA(window, kPreviousProperty);
        }
    }
    m_->window = nullptr;
    m_->previous = nullptr;
}

Window* Window::FromHandle(HWND window) noexcept {
    if (!window || !GetPropA(window, kBoundProperty))
        return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Window::Create(DWORD exStyle,
                    const char* className,
                    const char* title,
                    DWORD style,
                    const Rect32& rect,
                    HWND parent,
                    HMENU menuOrId) {
    const CREATE_RECT place = WindowGeometry::ToCreateRect(rect);
    HWND window = CreateWindowExA(exStyle, className, title, style, place.x, place.y, place.width, place.height, parent,
                                  menuOrId, ModuleInstance, nullptr);
    if (!window)
        throw Exception(ErrorCreateWindow);
    Attach(window);
}

const char* Window::AppWindowClass() {
    if (ClassRegistered())
        return kAppWindowClass;
    WNDCLASSA type = {};
    type.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    type.lpfnWndProc = DefWindowProcA;  // the object's procedure replaces it once bound
    type.hInstance = ModuleInstance;
    type.hIcon = LoadIconA(ModuleInstance, MAKEINTRESOURCEA(IDR_MAIN));
    type.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
    type.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN);
    type.lpszClassName = kAppWindowClass;
    if (!RegisterClassA(&type) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Exception(ErrorCreateWindow);
    ClassRegistered() = true;
    return kAppWindowClass;
}

void Window::UnregisterAppWindowClass() noexcept {
    if (!ClassRegistered())
        return;
    UnregisterClassA(kAppWindowClass, ModuleInstance);
    ClassRegistered() = false;
}

LRESULT Window::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_->previous)
        return DefWindowProcA(m_->window, message, wParam, lParam);
    return CallWindowProcA(m_->previous, m_->window, message, wParam, lParam);
}

LRESULT CALLBACK Window::CommonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* object = FromHandle(window);
    if (!object) {
        // Unbound while a later subclass still calls us: pass everything on to the original.
        WNDPROC previous = PreviousOf(window);
        if (message == WM_NCDESTROY)
            RemovePropA(window, kPreviousProperty);
        return previous ? CallWindowProcA(previous, window, message, wParam, lParam)
                        : DefWindowProcA(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = object->WindowProc(message, wParam, lParam);
    } catch (...) {
        ReportWindowFailure(window);
    }
    // The window is gone after this message; an object that did not detach must not keep it.
    if (message == WM_NCDESTROY && FromHandle(window) == object)
        object->Detach();
    return result;
}

}  // namespace app
