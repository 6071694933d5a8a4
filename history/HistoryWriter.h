#pragma once

#include <cstdint>
#include <memory>

namespace app {

class Delay;
class History;
class UCharBuffer;
struct BYTERANGE;
class HistoryWriterMember;

// Records one history step: Begin, then for each item AddData (one compressed chunk per call)
// and CommitItem, then End.  A writer destroyed while still open abandons the step.
class HistoryWriter {
  public:
    explicit HistoryWriter(History& history);
    ~HistoryWriter();
    HistoryWriter(const HistoryWriter&) = delete;
    HistoryWriter& operator=(const HistoryWriter&) = delete;

    // False when nothing is to be recorded (the history is disabled).
    bool Begin();
    // Compresses the whole stream into a new chunk of the current item and refers to it in the
    // item's header.
    void AddData(Delay& stream);
    // Adds a chunk compressed already (CompressChunk) that holds the difference over `range` of
    // the image, and refers to both in the item's header.
    void AddRange(std::unique_ptr<UCharBuffer> chunk, const BYTERANGE& range);
    // Hands the current item, if it refers to any chunk, to the step being built, and starts a
    // fresh one.
    void CommitItem(int32_t ownerTag, int32_t kindTag);
    void End();

    bool IsOpen() const;

  private:
    int32_t AppendChunk(std::unique_ptr<UCharBuffer> chunk);
    unsigned char* AppendEntry(int32_t type, int32_t entrySize);

    std::unique_ptr<HistoryWriterMember> m_;
};

// Deflates the whole stream into `chunk`, as a step stores it; a stream that zlib could not
// finish raises code 7.
void CompressChunk(Delay& stream, UCharBuffer& chunk);

}  // namespace app
