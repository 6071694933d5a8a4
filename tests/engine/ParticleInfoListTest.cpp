#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/ParticleInfoList.h"
#include "engine/SPRAYSTYLE.h"

namespace {

using app::PARTICLE_INFO_ITEM;
using app::ParticleInfoList;
using app::SPRAYSTYLE;

std::string KeyBytes(const app::PARTICLE_INFO_KEY& key) {
    return std::string(reinterpret_cast<const char*>(&key), sizeof key);
}

bool Bit(const std::string& key, int32_t n) {
    return (static_cast<unsigned char>(key[n / 8]) >> (n % 8)) & 1;
}

SPRAYSTYLE EngineDefaults() {
    SPRAYSTYLE style;
    style.ToEngineUnits();
    return style;
}

// Walks the trie, checks every structural rule and returns the keys it holds by index.
std::map<int32_t, std::string> CheckTrie(const ParticleInfoList& list) {
    std::map<int32_t, std::string> found;
    if (list.Root() == -1)
        return found;
    EXPECT_EQ(list.Item(list.Root()).bit, -1);
    EXPECT_EQ(list.Item(list.Root()).sibling, -1);
    std::vector<int32_t> pending = {list.Root()};
    while (!pending.empty()) {
        const int32_t n = pending.back();
        pending.pop_back();
        const PARTICLE_INFO_ITEM& item = list.Item(n);
        EXPECT_GT(item.references, 0) << "item " << n;
        EXPECT_TRUE(found.emplace(n, KeyBytes(item.key)).second) << "item " << n << " reached twice";
        const std::string parentKey = KeyBytes(item.key);
        int32_t previousBit = item.bit;
        for (int32_t ch = item.child; ch != -1; ch = list.Item(ch).sibling) {
            const PARTICLE_INFO_ITEM& child = list.Item(ch);
            EXPECT_GT(child.bit, previousBit) << "child list of " << n << " out of order";
            previousBit = child.bit;
            const std::string childKey = KeyBytes(child.key);
            for (int32_t b = 0; b < child.bit; ++b) {
                if (Bit(childKey, b) != Bit(parentKey, b)) {
                    ADD_FAILURE() << "item " << ch << " differs from its parent below its bit";
                    break;
                }
            }
            EXPECT_NE(Bit(childKey, child.bit), Bit(parentKey, child.bit));
            pending.push_back(ch);
        }
    }
    std::set<std::string> distinct;
    for (const auto& entry : found)
        EXPECT_TRUE(distinct.insert(entry.second).second) << "duplicate key";
    // Every slot in use is either in the trie or on the free list.
    int32_t freeSlots = 0;
    for (int32_t f = list.FreeHead(); f != -1 && freeSlots <= list.Count(); f = list.Item(f).references)
        ++freeSlots;
    EXPECT_EQ(static_cast<int32_t>(found.size()) + freeSlots, list.Count());
    return found;
}

TEST(ParticleInfoList, KeyHasTheFixedLayoutWithEveryGapZero) {
    SPRAYSTYLE style;
    style.Color[0] = 0x11223344;
    style.Color[1] = 0x55667788;
    style.useFore = true;
    style.Coloring = 2;
    style.CycleLength = 6;
    style.Life = 0x01020304;
    style.SplitLag = 7;
    style.UseLimitedSpeed = true;
    style.UseSplit = true;
    style.Count = 999;  // emission fields are not part of the key
    const std::string key = KeyBytes(ParticleInfoList::KeyOf(style));
    ASSERT_EQ(key.size(), 168u);
    auto byte = [&](int i) { return static_cast<unsigned char>(key[i]); };
    EXPECT_EQ(byte(0), 0x44);
    EXPECT_EQ(byte(3), 0x11);
    EXPECT_EQ(byte(4), 0x88);
    EXPECT_EQ(byte(8), 1);
    EXPECT_EQ(byte(12), 2);
    EXPECT_EQ(byte(16), 6);
    double repulsion;
    std::memcpy(&repulsion, key.data() + 24, 8);
    EXPECT_EQ(repulsion, 2.5);
    double splitRate;
    std::memcpy(&splitRate, key.data() + 128, 8);
    EXPECT_EQ(splitRate, style.SplitRate);
    EXPECT_EQ(byte(136), 0x04);
    EXPECT_EQ(byte(139), 0x01);
    EXPECT_EQ(byte(156), 7);
    EXPECT_EQ(byte(160), 1);
    EXPECT_EQ(byte(161), 0);
    EXPECT_EQ(byte(162), 1);
    for (int gap : {9, 10, 11, 20, 21, 22, 23, 163, 164, 165, 166, 167})
        EXPECT_EQ(byte(gap), 0) << gap;

    SPRAYSTYLE other = style;
    other.Count = 1;
    other.Size = 50;
    other.Velocity = {3, 4};
    other.VelocityMode = 0;
    EXPECT_EQ(KeyBytes(ParticleInfoList::KeyOf(other)), key);
}

TEST(ParticleInfoList, SameStyleSharesOneItemUntilTheLastRelease) {
    ParticleInfoList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Capacity(), 0);
    const SPRAYSTYLE style = EngineDefaults();
    const int32_t a = list.Acquire(style);
    const int32_t b = list.Acquire(style);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, a);
    EXPECT_EQ(list.Item(a).references, 2);
    EXPECT_EQ(list.Capacity(), 64);
    list.Release(a);
    EXPECT_FALSE(list.IsEmpty());
    list.Release(b);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Root(), -1);
    // Starting over reuses slot 0 and the storage.
    EXPECT_EQ(list.Acquire(style), 0);
    EXPECT_EQ(list.Capacity(), 64);
}

TEST(ParticleInfoList, StylesDifferingInLifeBranchInsideItsBytes) {
    ParticleInfoList list;
    SPRAYSTYLE style = EngineDefaults();
    const int32_t first = list.Acquire(style);
    style.Life = 21;
    const int32_t second = list.Acquire(style);
    EXPECT_NE(first, second);
    EXPECT_GE(list.Item(second).bit, 1088);
    EXPECT_LE(list.Item(second).bit, 1119);
    EXPECT_EQ(list.Item(first).child, second);
}

TEST(ParticleInfoList, ReleasingTheRootPromotesItsLastChild) {
    ParticleInfoList list;
    SPRAYSTYLE style = EngineDefaults();
    std::vector<int32_t> held;
    for (int32_t life = 0; life < 12; ++life) {
        style.Life = life * 37;
        style.Coloring = life % 3;
        held.push_back(list.Acquire(style));
    }
    const int32_t root = list.Root();
    ASSERT_NE(list.Item(root).child, -1);
    int32_t last = list.Item(root).child;
    while (list.Item(last).sibling != -1)
        last = list.Item(last).sibling;
    std::map<int32_t, std::string> before = CheckTrie(list);
    list.Release(root);
    EXPECT_EQ(list.Root(), last);
    EXPECT_EQ(list.Item(last).bit, -1);
    std::map<int32_t, std::string> after = CheckTrie(list);
    before.erase(root);
    EXPECT_EQ(after, before);
    EXPECT_EQ(list.FreeHead(), root);
}

TEST(ParticleInfoList, TheSixtyFifthKeyGrowsByABlockAndFreedSlotsComeFirst) {
    ParticleInfoList list;
    SPRAYSTYLE style = EngineDefaults();
    for (int32_t i = 0; i < 64; ++i) {
        style.Life = i;
        list.Acquire(style);
    }
    EXPECT_EQ(list.Capacity(), 64);
    EXPECT_EQ(list.Count(), 64);
    style.Life = 64;
    EXPECT_EQ(list.Acquire(style), 64);
    EXPECT_EQ(list.Capacity(), 128);
    EXPECT_EQ(list.Count(), 65);
    EXPECT_EQ(list.FreeHead(), -1);

    list.Release(10);
    style.Life = 1000;
    EXPECT_EQ(list.Acquire(style), 10);
    EXPECT_EQ(list.Count(), 65);
    CheckTrie(list);
}

TEST(ParticleInfoList, RandomAcquiresAndReleasesMatchAPlainModel) {
    std::mt19937 random(12345);
    std::vector<SPRAYSTYLE> pool;
    SPRAYSTYLE base = EngineDefaults();
    for (int32_t i = 0; i < 300; ++i) {
        SPRAYSTYLE style = base;
        // Vary fields all over the key, so that branches appear at many bit positions.
        style.Life = static_cast<int32_t>(random() % 7);
        style.Color[0] = random() % 5 == 0 ? random() : 0xFF0000FFu;
        style.Repulsion = (random() % 4) * 0.25;
        style.UseSplit = random() % 2 == 1;
        style.SplitLag = static_cast<int32_t>(random() % 3);
        style.Coloring = static_cast<int32_t>(random() % 4);
        pool.push_back(style);
    }
    ParticleInfoList list;
    std::map<std::string, int32_t> indexOfKey;
    std::map<std::string, int32_t> references;
    std::vector<std::pair<std::string, int32_t>> held;
    for (int32_t round = 0; round < 6000; ++round) {
        const bool acquire = held.empty() || random() % 100 < (round < 3000 ? 60 : 35);
        if (acquire) {
            const SPRAYSTYLE& style = pool[random() % pool.size()];
            const std::string key = KeyBytes(ParticleInfoList::KeyOf(style));
            const int32_t index = list.Acquire(style);
            if (references[key] > 0) {
                EXPECT_EQ(index, indexOfKey[key]) << "a live key must keep its index";
            }
            indexOfKey[key] = index;
            ++references[key];
            held.emplace_back(key, index);
        } else {
            const size_t which = random() % held.size();
            const auto [key, index] = held[which];
            held.erase(held.begin() + static_cast<std::ptrdiff_t>(which));
            list.Release(index);
            if (--references[key] == 0)
                references.erase(key);
        }
        if (round % 50 == 0 || round > 5900) {
            const std::map<int32_t, std::string> trie = CheckTrie(list);
            ASSERT_EQ(trie.size(), references.size()) << "round " << round;
            for (const auto& [index, key] : trie) {
                ASSERT_TRUE(references.count(key)) << "round " << round;
                EXPECT_EQ(list.Item(index).references, references[key]);
                EXPECT_EQ(indexOfKey[key], index);
            }
        }
    }
    for (const auto& [key, index] : held)
        list.Release(index);
    EXPECT_TRUE(list.IsEmpty());
}

}  // namespace
