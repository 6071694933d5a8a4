#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/SPRAYSTYLE.h"
#include "settings/PresetCatalogue.h"
#include "tests/support/TestFiles.h"

namespace {

// Every byte pair of a name must be a character of code page 932, so that the panel shows it.
bool IsCodePage932Text(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80 || (c >= 0xA1 && c <= 0xDF))
            continue;
        if (!((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) || i + 1 == text.size())
            return false;
        const auto trail = static_cast<unsigned char>(text[++i]);
        if (trail < 0x40 || trail == 0x7F || trail > 0xFC)
            return false;
    }
    return true;
}

using app::PresetCatalogue;

TEST(ShippedPresets, TheCatalogueLoadsWithDistinctJapaneseNamesAndStylesInRange) {
    PresetCatalogue list;
    ASSERT_TRUE(list.LoadCatalogue(test::SourcePath("preset/preset.spr")));
    EXPECT_GE(list.Count(), 12);
    std::set<std::string> names;
    for (int32_t i = 0; i < list.Count(); ++i) {
        const std::string& name = list.Name(i);
        EXPECT_TRUE(IsCodePage932Text(name)) << i;
        EXPECT_GE(static_cast<unsigned char>(name[0]), 0x81) << "not a Japanese name: " << name;
        EXPECT_TRUE(names.insert(name).second) << name;
        const app::SPRAYSTYLE& style = list.Style(i);
        EXPECT_GT(style.Count, 0) << i;
        EXPECT_GT(style.Life, 0) << i;
    }
}

}  // namespace
