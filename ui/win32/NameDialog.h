#pragma once

#include <memory>

#include "base/String.h"
#include "ui/win32/Dialog.h"

namespace app {

class NameDialogMember;

// "名前を入れてください": the name of a new preset.  "登録" refuses an empty name with its
// message and keeps the dialog open.
class NameDialog : public Dialog {
  public:
    explicit NameDialog(const String& name);
    ~NameDialog() override;

    const String& Name() const noexcept;

    void DoDataExchange(UpdateControl& exchange) override;
    bool Check() override;

  private:
    std::unique_ptr<NameDialogMember> m_;
};

}  // namespace app
