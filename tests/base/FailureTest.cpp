#include <gtest/gtest.h>

#include <cerrno>
#include <new>

#include "base/ErrorMessages.h"
#include "base/Failure.h"
#include "base/FileException.h"
#include "base/String.h"
#include "base/System.h"
#include "tests/support/TestFiles.h"

namespace {

template <typename E>
std::string FailureTextOf(const E& failure) {
    return app::FailureText(std::make_exception_ptr(failure));
}

TEST(Failure, EachCodeSelectsItsMessage) {
    EXPECT_EQ(FailureTextOf(app::Exception(app::ErrorNoMemory)), "メモリーが足りません。");
    EXPECT_EQ(FailureTextOf(app::Exception(app::ErrorImageSize)), "画像の大きさが異常です。");
    EXPECT_EQ(FailureTextOf(app::Exception(app::ErrorCreateWindow)), "ウィンドウを作れません。");
    EXPECT_EQ(FailureTextOf(app::Exception(app::ErrorAddItem)), "項目を追加できませんでした。");
    EXPECT_EQ(FailureTextOf(app::FileException(app::ErrorBrokenFile, 0, "a.spr")),
              "a.sprは壊れているか違う種類のファイルです。");
    EXPECT_EQ(FailureTextOf(app::FileException(app::ErrorNewerFile, 0, "b.spr")),
              "b.sprは現在使用しているものより新しいバージョンで作成されたファイルです。");
    EXPECT_EQ(FailureTextOf(app::FileException(app::ErrorManual, 0, "C:\\p\\help\\index.html")),
              "説明書のC:\\p\\help\\index.htmlを開けません。");
}

TEST(Failure, CodesWithoutAMessageAndForeignErrorsGiveTheGeneralMessage) {
    const std::string general = "原因不明の理由により処理できません。";
    EXPECT_EQ(FailureTextOf(app::Exception(app::ErrorToolBusy)), general);
    EXPECT_EQ(FailureTextOf(app::Exception(app::ErrorReadItem)), general);
    EXPECT_EQ(FailureTextOf(app::Exception(12345)), general);
    EXPECT_EQ(FailureTextOf(std::runtime_error("x")), general);
    EXPECT_EQ(app::MessageIdForCode(app::ErrorOverflow), app::kUnknownFailureMessage);
}

TEST(Failure, HeapExhaustionCountsAsOutOfMemory) {
    EXPECT_EQ(FailureTextOf(std::bad_alloc()), "メモリーが足りません。");
}

// Error number 2 is "no such file" on both systems; neither system's text names the file.
TEST(Failure, SystemErrorsShowTheSystemsTextUnderTheFileName) {
    const std::string system = app::SystemErrorText(2, "/no/such.ini");
    ASSERT_FALSE(system.empty());
    EXPECT_EQ(FailureTextOf(app::FileException(app::ErrorSystem, 2, "/no/such.ini")), "/no/such.ini\n" + system);
    EXPECT_EQ(FailureTextOf(app::Exception(app::ErrorSystem, 2)), system);
}

TEST(Failure, ReportingGoesToTheSinkAndNeverThrows) {
    test::ReportedFailures().clear();
    try {
        throw app::Exception(app::ErrorImageSize);
    } catch (...) {
        app::ReportFailure(nullptr);
    }
    ASSERT_EQ(test::ReportedFailures().size(), 1u);
    EXPECT_EQ(test::ReportedFailures()[0], "画像の大きさが異常です。");
}

TEST(String, StatusAndTipAreTheTwoHalvesOfATableText) {
    const app::String undo = app::String::Load(33150);
    EXPECT_EQ(undo.StatusText(), app::String("操作を元に戻します。"));
    EXPECT_EQ(undo.TipText(), app::String("元に戻す"));
    const app::String paint = app::String::Load(33100);
    EXPECT_EQ(paint.StatusText(), paint);
    EXPECT_EQ(paint.TipText(), app::String("塗る"));
    EXPECT_EQ(app::String::Load(33332).TipText(), app::String("全体の状態の表示／非表示\tF9"));
    EXPECT_TRUE(app::String::Load(60002).IsEmpty());
}

TEST(String, FormatsFromTableEntries) {
    const app::String caption =
        app::String::Format(app::String::Load(60001).CStr(), app::String::Load(60000).CStr(), 150);
    EXPECT_STREQ(caption.CStr(), "Driftlace (150%)");
    app::String joined = app::String("ab");
    joined += app::String("cd");
    EXPECT_EQ(joined, app::String("abcd"));
    EXPECT_EQ(joined.Length(), 4);
    EXPECT_STREQ(app::String().CStr(), "");
}

}  // namespace
