#pragma once

#include <cstdint>
#include <memory>

#include "base/UCharBuffer.h"
#include "history/PtrDeque.h"

namespace app {

class HistoryItemMember;

// The compressed payload chunks of one history item, in the order they were added.
using DataList = PtrDeque<UCharBuffer>;

// A four-character code: the int32 whose bytes in memory order are the four characters.
constexpr int32_t FourCharCode(char a, char b, char c, char d) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned char>(a)) |
                                static_cast<uint32_t>(static_cast<unsigned char>(b)) << 8 |
                                static_cast<uint32_t>(static_cast<unsigned char>(c)) << 16 |
                                static_cast<uint32_t>(static_cast<unsigned char>(d)) << 24);
}

// The tags of the document's image steps.
constexpr int32_t kOwnerDocument = FourCharCode('D', 'o', 'c', 'u');
constexpr int32_t kKindImage = FourCharCode('I', 'm', 'a', 'g');
static_assert(kOwnerDocument == 1969450820 && kKindImage == 1734438217, "tags as the history stores them");

// One tagged part of a history step: an entry list (header) referring to compressed chunks.
class HistoryItem {
  public:
    HistoryItem();
    ~HistoryItem();
    HistoryItem(const HistoryItem&) = delete;
    HistoryItem& operator=(const HistoryItem&) = delete;

    DataList& Chunks();
    const DataList& Chunks() const;
    UCharBuffer& Header();
    const UCharBuffer& Header() const;

    int32_t OwnerTag() const;
    int32_t KindTag() const;
    void SetTags(int32_t owner, int32_t kind);
    // Added to a chunk's position to form the index written in the header.
    int32_t ChunkBase() const;

  private:
    std::unique_ptr<HistoryItemMember> m_;
};

}  // namespace app
