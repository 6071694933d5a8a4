#pragma once

#include <windows.h>

#include "ui/CommandRules.h"

namespace app {

// The target of one command-state query: a popup menu item by position, or a toolbar button
// by command id.  A short-lived value built for each query.
class Command {
  public:
    enum Kind { MenuItem = 1, ToolbarButton = 2 };

    static Command ForMenu(HMENU menu, int position) { return Command(MenuItem, menu, nullptr, position); }
    static Command ForToolbar(HWND toolbar, int id) { return Command(ToolbarButton, nullptr, toolbar, id); }

    void SetCheck(bool check);
    void Enable(bool enable);
    // Sets what a state rule answered and leaves the rest as it is.
    void Apply(const COMMAND_STATE& state);

    int GetKind() const noexcept { return kind_; }
    int Item() const noexcept { return item_; }

  private:
    Command(int kind, HMENU menu, HWND toolbar, int item) : kind_(kind), menu_(menu), toolbar_(toolbar), item_(item) {}
    void SetButtonState(BYTE flag, bool on);

    int kind_;
    HMENU menu_;
    HWND toolbar_;
    int item_;
};

}  // namespace app
