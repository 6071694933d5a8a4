#include <gtest/gtest.h>

#include <string>

#include "base/TemporaryName.h"

namespace {

std::string NameOf(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

// A file whose name is near the limit still gets a temporary name beside it, cut between two
// characters; short names keep their whole name in front.
TEST(TemporaryName, FitsTheLimitOfANameAndCutsBetweenCharacters) {
    EXPECT_EQ(app::TemporaryName("/d/out.png", 12, 3), "/d/out.png.12-3.tmp");
    const std::string tail = ".4294967295-4294967295.tmp";
    for (const std::string& name : {std::string(244, 'n'), std::string(255, 'n'), std::string(100, 'n') + [] {
                                        std::string accents;
                                        for (int i = 0; i < 80; ++i)
                                            accents += "\xC3\xA9";  // é in UTF-8
                                        return accents;
                                    }()}) {
        const std::string made = app::TemporaryName("/d/" + name, 4294967295u, 4294967295u);
        EXPECT_LE(NameOf(made).size(), app::kMostFileNameBytes) << name;
        EXPECT_EQ(made.substr(0, 3), "/d/");
        EXPECT_EQ(made.substr(made.size() - tail.size()), tail);
        const std::string kept = NameOf(made).substr(0, NameOf(made).size() - tail.size());
        EXPECT_EQ(name.compare(0, kept.size(), kept), 0);
        EXPECT_NE(static_cast<unsigned char>(name[kept.size()]) & 0xC0, 0x80) << "cut inside a character";
    }
}

}  // namespace
