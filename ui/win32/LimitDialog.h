#pragma once

#include <cstdint>
#include <memory>

#include "resources/ResourceIds.h"
#include "ui/ParameterChecks.h"
#include "ui/win32/Dialog.h"

namespace app {

class LimitDialogMember;

// The upper limit of a panel slider, and the base of the detail dialogs that edit a limit
// with their other values.  A limit takes effect (CommittedLimit) only when the whole check
// passes, with "決定" or "適用(&A)"; a failed check writes nothing.
class LimitDialog : public Dialog {
  public:
    LimitDialog(double limit, const LIMITRANGE& range, int32_t templateId = IDD_LIMIT, bool hasLimitEdit = true);
    ~LimitDialog() override;

    // The limit as last accepted; the one given until then.
    double CommittedLimit() const noexcept;

    void DoDataExchange(UpdateControl& exchange) override;
    bool Check() override;

  protected:
    // The limit check; derived dialogs check their own values after it.
    virtual CHECKRESULT CheckValues() const;
    // Writes what the dialog edits into the current tool's spray style.
    virtual void Commit();
    double EditedLimit() const noexcept;
    const LIMITRANGE& Range() const noexcept;
    bool HasLimitEdit() const noexcept;

  private:
    std::unique_ptr<LimitDialogMember> m_;
};

}  // namespace app
