#pragma once

#include "ui/win32/AreaDetail.h"

namespace app {

// The reach of the attraction between particles, with the attraction slider's limit.
class GravityDetail : public AreaDetail {
  public:
    GravityDetail(double limit, const LIMITRANGE& range)
        : AreaDetail(IDD_GRAVITY_DETAIL, IDC_GRAVITY_AREA, &SPRAYSTYLE::gravityArea, limit, range, true) {}
};

}  // namespace app
