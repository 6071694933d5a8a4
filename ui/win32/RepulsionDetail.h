#pragma once

#include "ui/win32/AreaDetail.h"

namespace app {

// The reach of the repulsion between particles, with the repulsion slider's limit.
class RepulsionDetail : public AreaDetail {
  public:
    RepulsionDetail(double limit, const LIMITRANGE& range)
        : AreaDetail(IDD_REPULSION_DETAIL, IDC_REPULSION_AREA, &SPRAYSTYLE::RepulsionArea, limit, range, true) {}
};

}  // namespace app
