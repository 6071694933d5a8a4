#include "ui/win32/AreaDetail.h"

#include "ui/VolumeScale.h"
#include "ui/win32/UpdateControl.h"
#include "ui/win32/VolumeControl.h"

namespace app {

class AreaDetailMember {
  public:
    VolumeControl slider;
    int sliderId = 0;
    double SPRAYSTYLE::*field = nullptr;
    double area = 0.0;
};

namespace {

constexpr double kMostArea = 16.0;  // dots

}  // namespace

AreaDetail::AreaDetail(int32_t templateId,
                       int slider,
                       double SPRAYSTYLE::*area,
                       double limit,
                       const LIMITRANGE& range,
                       bool hasLimitEdit)
    : LimitDialog(limit, range, templateId, hasLimitEdit), m_(std::make_unique<AreaDetailMember>()) {
    m_->sliderId = slider;
    m_->field = area;
}

AreaDetail::~AreaDetail() = default;

void AreaDetail::OnInitDialog() {
    m_->slider.AttachItem(Handle(), m_->sliderId);
    m_->slider.SetKind(VolumeScale::KindFineDots);
    m_->slider.SetRange(0.0, kMostArea);
    m_->area = GetSprayStyle(-1).*m_->field;
}

void AreaDetail::DoDataExchange(UpdateControl& exchange) {
    LimitDialog::DoDataExchange(exchange);
    exchange.Volume(m_->sliderId, m_->area);
}

void AreaDetail::Commit() {
    SPRAYSTYLE style = GetSprayStyle(-1);
    style.*m_->field = m_->area;
    SetSprayStyle(-1, style);
}

}  // namespace app
