#include "host/win32/Application.h"

#include "paint/ToolSelection.h"
#include "settings/Registry.h"
#include "settings/RunSettings.h"
#include "ui/win32/AppFrame.h"
#include "ui/win32/AppMessages.h"
#include "ui/win32/AppView.h"
#include "ui/win32/Modal.h"

namespace app {

class ApplicationMember {
  public:
    HWND disabledHost = nullptr;
    std::unique_ptr<AppFrame> frame;
};

Application::Application() : m_(std::make_unique<ApplicationMember>()) {}

Application::~Application() {
    SetToolChangedHandler(nullptr);
    SetUpdateCommandsHandler(nullptr);
    DestroyCurrentTool();
    if (m_->disabledHost)
        EnableWindow(m_->disabledHost, TRUE);
    m_->frame.reset();
    Modal::SetFrameWindow(nullptr);
}

void Application::Start(HWND hostWindow) {
    ApplicationMember& run = *m_;
    SetToolChangedHandler([&run](int32_t number) {
        if (!run.frame || !run.frame->Handle())
            return;
        SendMessageA(run.frame->Handle(), WM_TOOLCHANGED, static_cast<WPARAM>(number), 0);
        if (AppView* view = run.frame->View(); view && view->Handle())
            SendMessageA(view->Handle(), WM_TOOLCHANGED, static_cast<WPARAM>(number), 0);
    });
    SetUpdateCommandsHandler([&run] {
        if (run.frame && run.frame->Handle())
            PostMessageA(run.frame->Handle(), WM_UPDATECOMMANDS, 0, 0);
    });

    run.frame = std::make_unique<AppFrame>();
    Registry store;
    store.Open(kRegistryRoot, true);
    ExchangeRunSettings(store, {run.frame.get()});
    if (hostWindow && IsWindowEnabled(hostWindow)) {
        EnableWindow(hostWindow, FALSE);
        run.disabledHost = hostWindow;
    }
    run.frame->SetView(std::make_unique<AppView>());
    run.frame->CreateWindows(hostWindow);
    store.Close();
    SendMessageA(run.frame->Handle(), WM_UPDATECOMMANDS, 0, 0);
}

void Application::End() {
    Registry store;
    store.Open(kRegistryRoot, false);
    ExchangeRunSettings(store, {m_->frame.get()});
    store.Close();
}

AppFrame* Application::Frame() const noexcept {
    return m_->frame.get();
}

HWND Application::FrameWindow() const noexcept {
    return m_->frame ? m_->frame->Handle() : nullptr;
}

void Application::DestroyFrameWindow() noexcept {
    HWND frame = FrameWindow();
    if (frame && IsWindow(frame))
        DestroyWindow(frame);
}

bool Application::OnIdle() {
    return m_->frame && m_->frame->Handle() && m_->frame->OnIdle();
}

int32_t Application::TurnsRun() const noexcept {
    AppView* view = m_->frame ? m_->frame->View() : nullptr;
    return view ? view->TurnsRun() : 0;
}

}  // namespace app
