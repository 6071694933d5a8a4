#include "tests/settings/BackendContract.h"

#include <limits>

#include "base/Failure.h"
#include "base/FileException.h"
#include "settings/IniFileBackend.h"

namespace contract {

void SettingsBackendContract::SetUp() {
    if (GetParam().reset)
        GetParam().reset();
}

void SettingsBackendContract::TearDown() {
    if (GetParam().reset)
        GetParam().reset();
}

Values SettingsBackendContract::Load() {
    app::Registry store;
    store.Open(GetParam().open(true, ini_), true);
    Values values;
    values.Exchange(store);
    store.Close();
    return values;
}

void SettingsBackendContract::Save(Values values) {
    app::Registry store;
    store.Open(GetParam().open(false, ini_), false);
    values.Exchange(store);
    store.Close();
}

void SettingsBackendContract::WriteIni(const std::string& text) {
    test::WriteFileText(ini_, text);
}

std::string KindName(const testing::TestParamInfo<BACKENDKIND>& info) {
    return info.param.name;
}

TEST_P(SettingsBackendContract, FirstRunLoadsEveryDefault) {
    const Values values = Load();
    EXPECT_EQ(values.number, 20);
    EXPECT_TRUE(values.flag);
    EXPECT_EQ(values.byte, 255);
    EXPECT_EQ(values.real, 0.05);
    EXPECT_EQ(values.text, "Paint");
    EXPECT_EQ(values.rect.bottom, 4);
    EXPECT_EQ(values.point.y, -0.25);
}

TEST_P(SettingsBackendContract, SavedValuesComeBackWithRealsToSixDigits) {
    Values values;
    values.number = -17;
    values.flag = false;
    values.byte = 7;
    values.real = 3.14159265;
    values.text = std::string(3000, 'x');
    values.rect = {-10, 20, 300, 400};
    values.point = {0.123456789, 1e-7};
    Save(values);
    const Values loaded = Load();
    EXPECT_EQ(loaded.number, -17);
    EXPECT_FALSE(loaded.flag);
    EXPECT_EQ(loaded.byte, 7);
    EXPECT_EQ(loaded.real, 3.14159);
    EXPECT_EQ(loaded.text, values.text);
    EXPECT_EQ(loaded.rect.left, -10);
    EXPECT_EQ(loaded.rect.bottom, 400);
    EXPECT_EQ(loaded.point.x, 0.123457);
    EXPECT_EQ(loaded.point.y, 1e-7);
}

TEST_P(SettingsBackendContract, AnotherLayoutVersionYieldsDefaultsAndSavingRewritesVersionOne) {
    Values values;
    values.number = 77;
    Save(values);
    {
        app::Registry store;
        store.Open(GetParam().open(false, ini_), false);
        store.SelectSection(nullptr);
        int32_t version = 2;
        store.ExchangeInt("RegistryVersion", version, 0);
        store.Close();
    }
    EXPECT_EQ(Load().number, 20);
    Save(values);
    EXPECT_EQ(Load().number, 77);
}

TEST_P(SettingsBackendContract, MissingVersionCountsAsAnotherLayout) {
    if (!GetParam().usesFile)
        GTEST_SKIP() << "no file";
    WriteIni("[App]\r\nTool=Blur\r\n");
    EXPECT_EQ(Load().text, "Paint");
}

TEST_P(SettingsBackendContract, GarbageValuesReadAsTheProfileFunctionsReadThem) {
    if (!GetParam().usesFile)
        GTEST_SKIP() << "no file";
    WriteIni(
        "[app]\r\nregistryversion = 1\r\n[PAINT\\SPRAY]\r\nCount=12abc\r\nUseSplit=yes\r\n"
        "Color0_0=300\r\nBrake=fast\r\n[Frame]\r\nVelocityX=\r\nWindowLeft=-x5\r\n");
    const Values values = Load();
    EXPECT_EQ(values.number, 12);
    EXPECT_FALSE(values.flag);  // "yes" is not a number: 0
    EXPECT_EQ(values.byte, 300 & 0xFF);
    EXPECT_EQ(values.real, 0.0);
    EXPECT_EQ(values.point.x, 0.0);  // present but empty text converts to 0
    EXPECT_EQ(values.rect.left, 0);
    EXPECT_EQ(values.rect.top, 2);  // absent: default
}

TEST_P(SettingsBackendContract, SavingKeepsValuesOfOtherOwners) {
    if (!GetParam().usesFile)
        GTEST_SKIP() << "no file";
    WriteIni("[Panel\\Catalog]\r\nFile=C:\\a.spr\r\n");
    test::WriteFileText(ini_ + ".tmp", "somebody's file");
    Save(Values());
    EXPECT_NE(test::ReadFileText(ini_).find("File=C:\\a.spr"), std::string::npos);
    EXPECT_EQ(test::ReadFileText(ini_ + ".tmp"), "somebody's file");
    EXPECT_EQ(test::FileNamesIn(folder_.Path()), (std::vector<std::string>{"Driftlace.ini", "Driftlace.ini.tmp"}));
}

TEST_P(SettingsBackendContract, AFileThatCannotBeWrittenRaisesCodeOneWithItsPath) {
    if (!GetParam().usesFile)
        GTEST_SKIP() << "no file";
    ini_ = folder_.File("missing-folder/Driftlace.ini");
    try {
        Save(Values());
        FAIL() << "saving into a missing folder must fail";
    } catch (const app::FileException& e) {
        EXPECT_EQ(e.Code(), app::ErrorSystem);
        EXPECT_NE(e.Value(), 0);
        EXPECT_EQ(e.FileName(), ini_);
        // What the user reads names the file.
        EXPECT_EQ(app::FailureText(std::current_exception()).find(ini_), 0u);
    }
}

// One table of stored texts, read by every back end: as an integer (default 777), a real
// (default 7.5) and a text (default "default").  Each row is the value "Value" of the section
// "Paint\Spray", or a whole file when the row is about the file's layout.  The rules follow what
// the Windows profile functions do, with two departures: an integer beyond 32 bits reads as the
// nearest 32-bit value instead of wrapping, and a real is read by decimal conversion only, so
// infinities, NaN and hexadecimal reals read as 0 and a real beyond the range as the largest.
struct STOREDTEXT {
    const char* value;  // the stored text, or nullptr when `file` is the whole file
    const char* file;
    int32_t asInt;
    double asReal;
    const char* asText;
    bool iniSyntax;  // quotes, spaces and layout belong to INI files: not for the registry
};

constexpr double kMost = std::numeric_limits<double>::max();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();

const STOREDTEXT kStoredTexts[] = {
    {"42", nullptr, 42, 42.0, "42", false},
    {"+42", nullptr, 42, 42.0, "+42", false},
    {"12abc", nullptr, 12, 12.0, "12abc", false},
    {"fast", nullptr, 0, 0.0, "fast", false},
    {"- 42", nullptr, 0, 0.0, "- 42", false},
    {"--5", nullptr, 0, 0.0, "--5", false},
    {"", nullptr, 777, 0.0, "", false},
    // Integers beyond 32 bits.
    {"4294967306", nullptr, kIntMax, 4294967306.0, "4294967306", false},
    {"-4294967306", nullptr, kIntMin, -4294967306.0, "-4294967306", false},
    {"2147483648", nullptr, kIntMax, 2147483648.0, "2147483648", false},
    {"-2147483648", nullptr, kIntMin, -2147483648.0, "-2147483648", false},
    {"99999999999999999999", nullptr, kIntMax, 1e20, "99999999999999999999", false},
    // The profile functions' integer notations; none of them is a decimal real.
    {"0x10", nullptr, 16, 0.0, "0x10", false},
    {"-0x5", nullptr, -5, 0.0, "-0x5", false},
    {"0X1f", nullptr, 0, 0.0, "0X1f", false},
    {"0b101", nullptr, 5, 0.0, "0b101", false},
    {"0o17", nullptr, 15, 0.0, "0o17", false},
    {"0xffffffff", nullptr, kIntMax, 0.0, "0xffffffff", false},
    // Reals.
    {".5", nullptr, 0, 0.5, ".5", false},
    {"1.5e3x", nullptr, 1, 1500.0, "1.5e3x", false},
    {"0x1p-1", nullptr, 1, 0.0, "0x1p-1", false},
    {"inf", nullptr, 0, 0.0, "inf", false},
    {"-Infinity", nullptr, 0, 0.0, "-Infinity", false},
    {"nan", nullptr, 0, 0.0, "nan", false},
    {"1e-320", nullptr, 1, 1e-320, "1e-320", false},
    {"1e999", nullptr, 1, kMost, "1e999", false},
    {"-1e999", nullptr, -1, -kMost, "-1e999", false},
    // Quotes and spaces around a value.
    {"\"Blur\"", nullptr, 0, 0.0, "Blur", true},
    {"'7'", nullptr, 7, 7.0, "7", true},
    {"\"  5  \"", nullptr, 5, 5.0, "  5  ", true},
    {"\"Bl\"ur\"", nullptr, 0, 0.0, "Bl\"ur", true},
    {"\"Blur", nullptr, 0, 0.0, "\"Blur", true},
    {"\"\"", nullptr, 777, 0.0, "", true},
    {" \t 42 \v\f", nullptr, 42, 42.0, "42", true},
    // The layout: only the first section of a name and the first line of a key count.
    {nullptr, "[Paint\\Spray]\r\nValue=1\r\n[Other]\r\n[paint\\spray]\r\nValue=2\r\n", 1, 1.0, "1", true},
    {nullptr, "[Paint\\Spray]\r\nOther=1\r\n[PAINT\\SPRAY]\r\nValue=2\r\n", 777, 7.5, "default", true},
    {nullptr, "[Paint\\Spray]\r\nValue=1\r\nValue=2\r\n", 1, 1.0, "1", true},
    {nullptr, "[Paint\\Spray]\r\n;Value=1\r\nValue=2\r\n", 2, 2.0, "2", true},
    {nullptr, "  [ Paint\\Spray ] after\r\n  Value  =  3 4  \r\n", 3, 3.0, "3 4", true},
    {nullptr, "[Paint\\Spray\r\nValue=1\r\n", 777, 7.5, "default", true},
    // Lines end at CR or LF; form feeds and vertical tabs are spaces.
    {nullptr, "[Paint\\Spray]\rValue=1\r", 1, 1.0, "1", true},
    {nullptr, "[Paint\\Spray]\r\r\n\v\f\r\r\nValue=5\r\r\n", 5, 5.0, "5", true},
};

TEST_P(SettingsBackendContract, EveryBackEndReadsStoredTextsAlike) {
    for (const STOREDTEXT& row : kStoredTexts) {
        if (GetParam().usesFile) {
            const std::string body = row.file ? row.file : std::string("[Paint\\Spray]\r\nValue=") + row.value + "\r\n";
            WriteIni("[App]\r\nRegistryVersion=1\r\n" + body);
        } else if (row.iniSyntax) {
            continue;
        } else {
            app::Registry store;
            store.Open(GetParam().open(false, ini_), false);
            store.SelectSection("Paint\\Spray");
            std::string text = row.value;
            store.ExchangeText("Value", text, std::string());
            store.Close();
        }
        app::Registry store;
        store.Open(GetParam().open(true, ini_), true);
        store.SelectSection("Paint\\Spray");
        int32_t number = 0;
        double real = 0;
        std::string text;
        store.ExchangeInt("Value", number, 777);
        store.ExchangeDouble("Value", real, 7.5);
        store.ExchangeText("Value", text, "default");
        store.Close();
        const std::string name = row.value ? row.value : row.file;
        if (GetParam().usesFile) {  // the registry keeps integers as numbers, never as text
            EXPECT_EQ(number, row.asInt) << name;
        }
        EXPECT_EQ(real, row.asReal) << name;
        EXPECT_EQ(text, row.asText) << name;
    }
}

// The longest text a store takes reads whole; a longer one (4 MB without a line break, as a
// hostile file holds it) reads as its default, and at once.
TEST_P(SettingsBackendContract, ATextBeyondTheLongestReadsAsItsDefault) {
    for (const size_t length : {app::kMostTextValueBytes, size_t{4} << 20}) {
        if (GetParam().usesFile) {
            WriteIni("[App]\r\nRegistryVersion=1\r\n[Panel\\Catalog]\r\nFile=" + std::string(length, 'x') + "\r\n");
        } else {
            app::Registry store;
            store.Open(GetParam().open(false, ini_), false);
            store.SelectSection("Panel\\Catalog");
            std::string text(length, 'x');
            store.ExchangeText("File", text, std::string());
            store.Close();
        }
        app::Registry store;
        store.Open(GetParam().open(true, ini_), true);
        store.SelectSection("Panel\\Catalog");
        std::string text;
        store.ExchangeText("File", text, "default");
        store.Close();
        EXPECT_EQ(text.size() == length ? "whole" : text, length <= app::kMostTextValueBytes ? "whole" : "default")
            << length;
    }
}

namespace {

std::unique_ptr<app::SettingsBackend> OpenIni(bool, const std::string& ini) {
    return std::make_unique<app::IniFileBackend>(ini);
}

}  // namespace

// The portable INI back end runs everywhere; the Windows test program adds its own back ends.
INSTANTIATE_TEST_SUITE_P(Portable,
                         SettingsBackendContract,
                         testing::Values(BACKENDKIND{"Ini", OpenIni, true}),
                         KindName);

}  // namespace contract
