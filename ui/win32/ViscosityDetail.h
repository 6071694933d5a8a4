#pragma once

#include "ui/win32/AreaDetail.h"

namespace app {

// The reach of the viscosity; its slider keeps its fixed limit.
class ViscosityDetail : public AreaDetail {
  public:
    ViscosityDetail(double limit, const LIMITRANGE& range)
        : AreaDetail(IDD_VISCOSITY_DETAIL, IDC_VISCOSITY_AREA, &SPRAYSTYLE::ViscosityArea, limit, range, false) {}
};

}  // namespace app
