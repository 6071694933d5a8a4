#pragma once

#include <cstdint>
#include <memory>

#include "engine/SPRAYSTYLE.h"
#include "ui/win32/LimitDialog.h"

namespace app {

class AreaDetailMember;

// The reach of one force of the spray style on a slider of 0 ... 16 dots, with the force's
// slider limit where the dialog has one: the attraction, repulsion and viscosity details.
class AreaDetail : public LimitDialog {
  public:
    AreaDetail(int32_t templateId,
               int slider,
               double SPRAYSTYLE::*area,
               double limit,
               const LIMITRANGE& range,
               bool hasLimitEdit);
    ~AreaDetail() override;

    void OnInitDialog() override;
    void DoDataExchange(UpdateControl& exchange) override;

  protected:
    void Commit() override;

  private:
    std::unique_ptr<AreaDetailMember> m_;
};

}  // namespace app
