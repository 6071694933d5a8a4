#include "history/HistoryWriter.h"

#include "base/CheckedInt.h"
#include "history/BYTERANGE.h"
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

void CompressChunk(Delay& stream, UCharBuffer& chunk) {
    DelayCompress compressor(stream, true);
    ReadAll(compressor, chunk);
    // A chunk that is not a complete zlib stream would be found broken only at undo time.
    if (compressor.Failed())
        throw Exception(ErrorReadItem);
}

void HistoryWriter::AddData(Delay& stream) {
    auto chunk = std::make_unique<UCharBuffer>();
    CompressChunk(stream, *chunk);
    const int32_t index = AppendChunk(std::move(chunk));
    WriteLittleEndian32(AppendEntry(kHistoryEntryData, kHistoryEntrySize) + 4, index);
}

void HistoryWriter::AddRange(std::unique_ptr<UCharBuffer> chunk, const BYTERANGE& range) {
    const int32_t index = AppendChunk(std::move(chunk));
    unsigned char* entry = AppendEntry(kHistoryEntryRange, kHistoryRangeEntrySize);
    WriteLittleEndian32(entry + 4, index);
    WriteLittleEndian32(entry + 8, range.offset);
    WriteLittleEndian32(entry + 12, range.rowBytes);
    WriteLittleEndian32(entry + 16, range.rows);
    WriteLittleEndian32(entry + 20, range.stride);
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

// Appends the chunk to the current item; returns the index that refers to it.
int32_t HistoryWriter::AppendChunk(std::unique_ptr<UCharBuffer> chunk) {
    if (!m_->item)
        m_->item = std::make_unique<HistoryItem>();
    DataList& chunks = m_->item->Chunks();
    const int32_t index = CheckedAdd(chunks.Size(), m_->item->ChunkBase(), ErrorOverflow);
    chunks.Append(std::move(chunk));
    return index;
}

// The header's storage grows in 1024-byte steps: to the next multiple of 1024 above the end
// of the entry.  CommitItem cuts it to the written length.  Returns the entry, its type written.
unsigned char* HistoryWriter::AppendEntry(int32_t type, int32_t entrySize) {
    const int32_t offset = m_->headerOffset;
    const int32_t entryEnd = CheckedAdd(offset, entrySize, ErrorOverflow);
    const int32_t reserved = CheckedAdd(entryEnd, 1024, ErrorOverflow) / 1024 * 1024;
    UCharBuffer& header = m_->item->Header();
    header.Reserve(reserved);
    unsigned char* entry = header.Data() + offset;
    WriteLittleEndian32(entry, type);
    m_->headerOffset = entryEnd;
    return entry;
}

}  // namespace app
