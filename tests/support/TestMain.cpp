#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Failure.h"
#include "tests/support/TestFiles.h"

namespace {

// Failures reported during tests are collected here, never shown.
void CollectFailure(void* /*owner*/, const std::string& text) {
    test::ReportedFailures().push_back(text);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    app::SetFailureSink(CollectFailure);
    return RUN_ALL_TESTS();
}
