#include "history/HistoryReader.h"

#include <stdexcept>

#include "history/BYTERANGE.h"
#include "history/DelayBuffer.h"
#include "history/DelayCompress.h"
#include "history/History.h"
#include "history/HistoryEntry.h"
#include "history/HistoryItem.h"

namespace app {

class HistoryReaderMember {
  public:
    explicit HistoryReaderMember(History& h) : history(h) {}

    History& history;
    HistoryItem* item = nullptr;
    int32_t headerOffset = 0;
    bool open = false;
    bool undo = false;
};

HistoryReader::HistoryReader(History& history) : m_(std::make_unique<HistoryReaderMember>(history)) {}

HistoryReader::~HistoryReader() {
    if (m_->open)
        m_->history.AbortReplay();
}

void HistoryReader::Start(bool undo) {
    m_->history.BeginReplay(undo);
    // Open before the first item is fetched, so that a failure there still ends the replay.
    m_->open = true;
    m_->undo = undo;
    m_->item = m_->history.NextItem();
    m_->headerOffset = 0;
}

bool HistoryReader::AtEnd() const {
    return m_->item == nullptr;
}

int32_t HistoryReader::Kind() const {
    return m_->item ? m_->item->KindTag() : 0;
}

void HistoryReader::ReadData(std::unique_ptr<DelayCompress>& out) {
    OpenChunk(ReadLittleEndian32(TakeEntry(kHistoryEntrySize) + 4), out);
}

int32_t HistoryReader::NextEntryType() const {
    if (!m_->item)
        return 0;
    const UCharBuffer& header = m_->item->Header();
    if (m_->headerOffset > header.Size() - 4)
        return 0;
    return ReadLittleEndian32(header.ConstData() + m_->headerOffset);
}

void HistoryReader::ReadRange(std::unique_ptr<DelayCompress>& out, BYTERANGE& range) {
    const unsigned char* entry = TakeEntry(kHistoryRangeEntrySize);
    range = {ReadLittleEndian32(entry + 8), ReadLittleEndian32(entry + 12), ReadLittleEndian32(entry + 16),
             ReadLittleEndian32(entry + 20)};
    OpenChunk(ReadLittleEndian32(entry + 4), out);
}

// The next header entry of the current item, `entrySize` bytes long; the read offset moves past it.
const unsigned char* HistoryReader::TakeEntry(int32_t entrySize) {
    if (!m_->item)
        throw std::out_of_range("history item");
    const UCharBuffer& header = m_->item->Header();
    if (m_->headerOffset > header.Size() - entrySize)
        throw std::out_of_range("history header entry");
    const unsigned char* entry = header.ConstData() + m_->headerOffset;
    m_->headerOffset += entrySize;
    return entry;
}

void HistoryReader::OpenChunk(int32_t index, std::unique_ptr<DelayCompress>& out) {
    const UCharBuffer& chunk = m_->item->Chunks().At(index - m_->item->ChunkBase());
    out.reset();
    out = std::make_unique<DelayCompress>(std::make_unique<DelayBuffer>(chunk.ConstData(), chunk.Size()), false);
}

void HistoryReader::Next() {
    m_->item = m_->history.NextItem();
    m_->headerOffset = 0;
}

void HistoryReader::Finish() {
    if (!m_->open)
        return;
    m_->open = false;
    m_->history.EndReplay();
}

bool HistoryReader::IsOpen() const {
    return m_->open;
}

}  // namespace app
