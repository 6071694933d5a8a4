#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/win32/Panel.h"

namespace app {

class CatalogPanelMember;

// "スプレー一覧": the preset catalogue in name order.  Selecting a preset makes it the current
// tool's spray style; the buttons add the current style under a new name, replace the selected
// preset's style, delete the selected preset and open another catalogue file.  The catalogue is
// read when the window is created and written back, when it changed, when the window goes.
// Replace and delete ask first, naming the preset; the picked name is marked while the current
// style differs from it.
class CatalogPanel : public Panel {
  public:
    CatalogPanel();
    ~CatalogPanel() override;

    // The panel's place, then the catalogue file ("File") and the selection ("Select").
    void ExchangeSettings(Registry& store) override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog() override;
    void DoDataExchange(UpdateControl& exchange) override;
    void OnCommand(int id, int code, HWND control) override;
    void OnDestroy() override;

  private:
    void AddPreset();
    void ReplacePreset();
    void DeletePreset();
    void ShowChangedMark();
    void ClearChangedMark();
    void SetListText(int32_t index, const std::string& text);
    void OpenCatalogue();
    void ApplySelection();
    // The list box shows the catalogue's names in its order; false when it refused one.
    bool ShowNames();
    bool InsertName(int32_t index);
    HWND List() const;

    std::unique_ptr<CatalogPanelMember> m_;
};

}  // namespace app
