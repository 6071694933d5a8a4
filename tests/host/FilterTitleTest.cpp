#include "host/FilterTitle.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>

#include "base/Exception.h"
#include "tests/support/TestFiles.h"

namespace {

std::string NoMemory() {
    throw std::bad_alloc();
}

std::string BrokenTable() {
    throw app::Exception(app::ErrorImageSize);
}

std::string NotAnException() {
    throw 42;
}

TEST(FilterTitle, FailuresAreReportedAndNeverReachTheHost) {
    struct Case {
        app::TitleSource source;
        const char* report;
    };
    for (const Case& c : {Case{NoMemory, "メモリーが足りません。"}, Case{BrokenTable, "画像の大きさが異常です。"},
                          Case{NotAnException, "原因不明の理由により処理できません。"}}) {
        test::ReportedFailures().clear();
        char title[16];
        std::memset(title, 'x', sizeof title);
        int32_t first = -1, second = -1;
        EXPECT_EQ(app::RunFilterGetTitle(title, &first, &second, c.source), 0);
        EXPECT_STREQ(title, "");
        ASSERT_EQ(test::ReportedFailures().size(), 1u);
        EXPECT_EQ(test::ReportedFailures()[0], c.report);
    }
}

TEST(FilterTitle, TheProductNameWithTheHostsTwoValuesAndNothingWithoutSomewhereToWrite) {
    test::ReportedFailures().clear();
    char title[16];
    int32_t first = -1, second = -1;
    EXPECT_EQ(app::RunFilterGetTitle(title, &first, &second), 1);
    EXPECT_STREQ(title, "Driftlace");
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 10);
    EXPECT_EQ(app::RunFilterGetTitle(nullptr, &first, &second), 0);
    EXPECT_EQ(app::RunFilterGetTitle(title, nullptr, &second), 0);
    EXPECT_EQ(app::RunFilterGetTitle(title, &first, nullptr), 0);
    EXPECT_TRUE(test::ReportedFailures().empty());
}

}  // namespace
