#pragma once

#include <cstdint>

namespace app {

class Core;

// Holds one reference on an engine snapshot for the length of a scope and releases it when
// the scope ends, also when an error leaves it.  A null engine holds nothing.
class DecreaseReference {
  public:
    DecreaseReference(Core* engine, int32_t snapshot) noexcept : engine_(engine), snapshot_(snapshot) {}
    ~DecreaseReference();
    DecreaseReference(const DecreaseReference&) = delete;
    DecreaseReference& operator=(const DecreaseReference&) = delete;

  private:
    Core* engine_;
    int32_t snapshot_;
};

}  // namespace app
