#pragma once

#include <gtest/gtest.h>

#include "host/Options.h"

namespace test {

// Tests of the history set its limit through the options and put the defaults back after.
class WithHistoryMax : public testing::Test {
  protected:
    void SetUp() override { SetHistoryMax(app::kDefaultOptions.historyMax); }
    void TearDown() override { app::SetOptions(app::kDefaultOptions); }

    static void SetHistoryMax(int32_t steps) {
        app::OPTIONS options = app::GetOptions();
        options.historyMax = steps;
        app::SetOptions(options);
    }
};

}  // namespace test
