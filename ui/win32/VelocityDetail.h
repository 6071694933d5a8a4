#pragma once

#include <memory>

#include "ui/win32/LimitDialog.h"

namespace app {

class VelocityDetailMember;

// The initial velocity's details: the speed slider's limit, the wiggle, the width of the
// spread and how the spread turns from batch to batch (left, right, back and forth, at random)
// at what speed.
class VelocityDetail : public LimitDialog {
  public:
    VelocityDetail(double limit, const LIMITRANGE& range);
    ~VelocityDetail() override;

    void OnInitDialog() override;
    void DoDataExchange(UpdateControl& exchange) override;
    void OnCommand(int id, int code, HWND control) override;

  protected:
    CHECKRESULT CheckValues() const override;
    void Commit() override;

  private:
    std::unique_ptr<VelocityDetailMember> m_;
};

}  // namespace app
