#include "history/HistoryItem.h"

namespace app {

class HistoryItemMember {
  public:
    DataList chunks;
    UCharBuffer header;
    int32_t ownerTag = 0;
    int32_t kindTag = 0;
    int32_t chunkBase = 0;
};

HistoryItem::HistoryItem() : m_(std::make_unique<HistoryItemMember>()) {}

HistoryItem::~HistoryItem() = default;

DataList& HistoryItem::Chunks() {
    return m_->chunks;
}

const DataList& HistoryItem::Chunks() const {
    return m_->chunks;
}

UCharBuffer& HistoryItem::Header() {
    return m_->header;
}

const UCharBuffer& HistoryItem::Header() const {
    return m_->header;
}

int32_t HistoryItem::OwnerTag() const {
    return m_->ownerTag;
}

int32_t HistoryItem::KindTag() const {
    return m_->kindTag;
}

void HistoryItem::SetTags(int32_t owner, int32_t kind) {
    m_->ownerTag = owner;
    m_->kindTag = kind;
}

int32_t HistoryItem::ChunkBase() const {
    return m_->chunkBase;
}

}  // namespace app
