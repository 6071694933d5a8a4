#pragma once

#include <cstdint>
#include <memory>

namespace app {

class DelayCompress;
class History;
class HistoryReaderMember;
struct BYTERANGE;

// Replays one history step: Start, then for each item (until AtEnd) Kind and ReadData as often
// as it has chunks, then Next; Finish at the end.  A reader destroyed while still open leaves
// the history's replay without moving its position.
class HistoryReader {
  public:
    explicit HistoryReader(History& history);
    ~HistoryReader();
    HistoryReader(const HistoryReader&) = delete;
    HistoryReader& operator=(const HistoryReader&) = delete;

    void Start(bool undo);
    bool AtEnd() const;
    int32_t Kind() const;
    // Replaces `out` with a decompressing stream over the chunk that the next header entry of
    // the current item refers to.
    void ReadData(std::unique_ptr<DelayCompress>& out);
    // The type of the current item's next header entry; 0 when the item has no entry left.
    int32_t NextEntryType() const;
    // For a range entry: the decompressing stream over its chunk, and the range it covers.
    void ReadRange(std::unique_ptr<DelayCompress>& out, BYTERANGE& range);
    void Next();
    void Finish();

    bool IsOpen() const;

  private:
    const unsigned char* TakeEntry(int32_t entrySize);
    void OpenChunk(int32_t index, std::unique_ptr<DelayCompress>& out);

    std::unique_ptr<HistoryReaderMember> m_;
};

}  // namespace app
