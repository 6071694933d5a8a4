#include "host/win32/Application.h"

#include "base/Failure.h"
#include "paint/ToolSelection.h"
#include "settings/Registry.h"
#include "settings/RunSettings.h"
#include "ui/win32/AppFrame.h"
#include "ui/win32/AppMessages.h"
#include "ui/win32/AppView.h"
#include "ui/win32/Broadcast.h"
#include "ui/win32/CatalogPanel.h"
#include "ui/win32/ColorPanel.h"
#include "ui/win32/GeneralPanel.h"
#include "ui/win32/Modal.h"
#include "ui/win32/SprayPanel.h"

namespace app {

class ApplicationMember {
  public:
    HWND disabledHost = nullptr;
    // Settings that are there but could not be read at the start are not saved over at the end.
    bool keepStoredSettings = false;
    // In panel order; null where the run has no such panel.
    std::unique_ptr<Panel> panels[Panel::kCount];
    std::unique_ptr<AppFrame> frame;

    void CreatePanelObjects() {
        panels[Panel::General] = std::make_unique<GeneralPanel>();
        panels[Panel::Spray] = std::make_unique<SprayPanel>();
        panels[Panel::Colour] = std::make_unique<ColorPanel>();
        panels[Panel::Catalog] = std::make_unique<CatalogPanel>();  // spray list panel
    }
    void CreatePanelWindows() {
        for (const std::unique_ptr<Panel>& panel : panels) {
            if (panel)
                panel->CreatePanel(frame->Handle());
        }
    }
    void DestroyPanels() noexcept {
        for (std::unique_ptr<Panel>& panel : panels) {
            if (!panel)
                continue;
            panel->OnRunEnd();
            panel->Destroy();
            panel.reset();
        }
    }
};

Application::Application() : m_(std::make_unique<ApplicationMember>()) {}

Application::~Application() {
    SetToolChangedHandler(nullptr);
    SetUpdateCommandsHandler(nullptr);
    DestroyCurrentTool();
    if (m_->disabledHost)
        EnableWindow(m_->disabledHost, TRUE);
    m_->DestroyPanels();
    m_->frame.reset();
    Modal::SetFrameWindow(nullptr);
}

void Application::Start(HWND hostWindow) {
    ApplicationMember& run = *m_;
    SetToolChangedHandler([](int32_t number) { Broadcast(WM_TOOLCHANGED, static_cast<WPARAM>(number), 0); });
    SetUpdateCommandsHandler([&run] {
        if (run.frame && run.frame->Handle())
            PostMessageA(run.frame->Handle(), WM_UPDATECOMMANDS, 0, 0);
    });

    run.CreatePanelObjects();
    run.frame = std::make_unique<AppFrame>();
    Registry store;
    const std::exception_ptr unreadSettings = store.OpenForLoading(kRegistryRoot);
    run.keepStoredSettings = unreadSettings != nullptr;
    ExchangeRunSettings(
        store, {run.panels[0].get(), run.panels[1].get(), run.panels[2].get(), run.panels[3].get(), run.frame.get()});
    if (hostWindow && IsWindowEnabled(hostWindow)) {
        EnableWindow(hostWindow, FALSE);
        run.disabledHost = hostWindow;
        run.frame->SetDisabledOwner(hostWindow);
    }
    run.frame->SetView(std::make_unique<AppView>());
    run.frame->CreateWindows(hostWindow);
    run.CreatePanelWindows();
    store.Close();
    SendMessageA(run.frame->Handle(), WM_UPDATECOMMANDS, 0, 0);
    if (unreadSettings) {
        Modal scope;
        ReportFailure(unreadSettings, run.frame->Handle());
    }
}

void Application::End() {
    if (m_->keepStoredSettings)
        return;
    Registry store;
    store.Open(kRegistryRoot, false);
    ApplicationMember& run = *m_;
    ExchangeRunSettings(
        store, {run.panels[0].get(), run.panels[1].get(), run.panels[2].get(), run.panels[3].get(), run.frame.get()});
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
    if (!frame || !IsWindow(frame))
        return;
    m_->frame->EnableOwner();
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
