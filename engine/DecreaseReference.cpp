#include "engine/DecreaseReference.h"

#include "engine/Core.h"

namespace app {

DecreaseReference::~DecreaseReference() {
    if (engine_)
        engine_->ReleaseStyle(snapshot_);
}

}  // namespace app
