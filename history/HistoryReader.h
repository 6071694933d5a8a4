#pragma once

#include <cstdint>
#include <memory>

namespace app {

class DelayCompress;
class History;
class HistoryReaderMember;

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
    void Next();
    void Finish();

    bool IsOpen() const;

  private:
    std::unique_ptr<HistoryReaderMember> m_;
};

}  // namespace app
