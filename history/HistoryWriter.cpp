#include "history/HistoryWriter.h"

#include "base/CheckedInt.h"
#include "history/DelayCompress.h"
#include "history/History.h"
#include "history/HistoryEntry.h"
#include "history/HistoryItem.h"

namespace app {

class HistoryWriterMember {
  public:
    explicit HistoryWriterMember(History& h) : history(h) {}

    History& history;
    std::unique_ptr<HistoryItem> item;
    int32_t headerOffset = 0;
    bool open = false;
};

HistoryWriter::HistoryWriter(History& history) : m_(std::make_unique<HistoryWriterMember>(history)) {}

HistoryWriter::~HistoryWriter() {
    if (m_->open)
        m_->history.Abort();
}

bool HistoryWriter::Begin() {
    if (!m_->history.Begin())
        return false;
    m_->open = true;
    m_->item = std::make_unique<HistoryItem>();
    m_->headerOffset = 0;
    return true;
}

void HistoryWriter::AddData(Delay& stream) {
    if (!m_->item)
        m_->item = std::make_unique<HistoryItem>();
    DelayCompress compressor(stream, true);
    auto chunk = std::make_unique<UCharBuffer>();
    ReadAll(compressor, *chunk);
    // A chunk that is not a complete zlib stream would be found broken only at undo time.
    if (compressor.Failed())
        throw Exception(ErrorReadItem);
    DataList& chunks = m_->item->Chunks();
    const int32_t index = CheckedAdd(chunks.Size(), m_->item->ChunkBase(), ErrorOverflow);
    chunks.Append(std::move(chunk));
    AppendDataEntry(index);
}

void HistoryWriter::CommitItem(int32_t ownerTag, int32_t kindTag) {
    if (!m_->item || m_->headerOffset == 0)
        return;
    m_->item->SetTags(ownerTag, kindTag);
    m_->item->Header().Resize(m_->headerOffset);
    m_->history.Add(std::move(m_->item));
    m_->item = std::make_unique<HistoryItem>();
    m_->headerOffset = 0;
}

void HistoryWriter::End() {
    if (!m_->open)
        return;
    m_->open = false;
    m_->history.End();
}

bool HistoryWriter::IsOpen() const {
    return m_->open;
}

// The header's storage grows in 1024-byte steps: to the next multiple of 1024 above the end
// of the entry.  CommitItem cuts it to the written length.
void HistoryWriter::AppendDataEntry(int32_t chunkIndex) {
    const int32_t offset = m_->headerOffset;
    const int32_t entryEnd = CheckedAdd(offset, kHistoryEntrySize, ErrorOverflow);
    const int32_t reserved = CheckedAdd(offset, 4 + 1028, ErrorOverflow) / 1024 * 1024;
    UCharBuffer& header = m_->item->Header();
    header.Reserve(reserved);
    unsigned char* entry = header.Data() + offset;
    WriteLittleEndian32(entry, kHistoryEntryData);
    WriteLittleEndian32(entry + 4, chunkIndex);
    m_->headerOffset = entryEnd;
}

}  // namespace app
