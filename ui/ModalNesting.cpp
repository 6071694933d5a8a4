#include "ui/ModalNesting.h"

namespace app {

namespace {

int32_t& Count() {
    static int32_t count = 0;
    return count;
}

}  // namespace

bool ModalNesting::Enter() {
    return ++Count() == 1;
}

bool ModalNesting::Leave() {
    if (Count() == 0)
        return false;
    return --Count() == 0;
}

int32_t ModalNesting::Depth() {
    return Count();
}

}  // namespace app
