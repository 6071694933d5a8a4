#pragma once

namespace app {

class Registry;

// Something with settings of its own beyond the run's values (a panel, the frame): exchanged
// with the run's values, in the store's direction.
class SettingsOwner {
  public:
    virtual ~SettingsOwner() = default;
    virtual void ExchangeSettings(Registry& store) = 0;
};

}  // namespace app
