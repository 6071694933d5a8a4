#include "paint/ToolTable.h"

namespace app {

namespace {

const TOOLINFO kTools[kToolCount] = {
    {"Paint", true, true, true},
    {"Erase", false, true, true},
    {"Blur", false, true, true},
};

}  // namespace

const TOOLINFO& ToolInfo(int32_t tool) {
    return kTools[IsToolNumber(tool) ? tool : 0];
}

}  // namespace app
