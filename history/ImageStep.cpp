#include "history/ImageStep.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "base/Exception.h"
#include "base/Image.h"
#include "base/UCharBuffer.h"
#include "base/WorkCrew.h"
#include "history/BYTERANGE.h"
#include "history/DelayBuffer.h"
#include "history/DelayCompress.h"
#include "history/DelayDiff.h"
#include "history/DelayRange.h"
#include "history/History.h"
#include "history/HistoryEntry.h"
#include "history/HistoryItem.h"
#include "history/HistoryReader.h"
#include "history/HistoryWriter.h"
#include "history/ImageRanges.h"
#include "history/ImageStepRecorder.h"

namespace app {

namespace {

// One range of a step on its way out of the history.  A part of the crew's work fills in its
// own record only.
struct RANGEWORK {
    BYTERANGE range;
    std::unique_ptr<DelayCompress> difference;  // the inflating stream over the range's chunk
    bool failed = false;                        // the difference is broken
    int32_t error = 0;                          // the code of a failure raised while applying it
};

void CopyBytes(unsigned char* destination, const unsigned char* source, int32_t bytes) {
    if (bytes > 0)
        std::memcpy(destination, source, static_cast<size_t>(bytes));
}

// Combines the range's difference with the image, row by row and in place.  The difference must
// cover the range exactly and its zlib stream must end cleanly.
bool ApplyRange(unsigned char* image, RANGEWORK& work, bool undo) {
    DelayCompress& difference = *work.difference;
    const BYTERANGE& range = work.range;
    DelayRange current(image, range);
    DelayDiff combined(current, difference, !undo);
    for (int32_t row = 0; row < range.rows; ++row) {
        unsigned char* bytes = image + range.offset + static_cast<ptrdiff_t>(row) * range.stride;
        if (combined.Read(bytes, range.rowBytes) != range.rowBytes)
            return false;
    }
    difference.Current();  // runs the inflater to its end: a longer difference is broken too
    return difference.Available() == 0 && difference.AtEnd() && !difference.Failed();
}

// The crew's jobs must not throw: what goes wrong is kept with the range.
void ApplyRangeJob(unsigned char* image, RANGEWORK& work, bool undo) noexcept {
    try {
        work.failed = !ApplyRange(image, work, undo);
    } catch (const Exception& e) {
        work.error = e.Code();
    } catch (...) {
        work.error = ErrorNoMemory;
    }
}

// The entries of one image item, each with its inflating stream.  A whole-block entry covers
// the image as one range; a range must lie within the image.
std::vector<RANGEWORK> ReadImageItem(HistoryReader& reader, int32_t bytes) {
    std::vector<RANGEWORK> ranges;
    for (int32_t type = reader.NextEntryType(); type != 0; type = reader.NextEntryType()) {
        RANGEWORK work;
        if (type == kHistoryEntryData) {
            work.range = {0, bytes, 1, bytes};
            reader.ReadData(work.difference);
        } else if (type == kHistoryEntryRange) {
            reader.ReadRange(work.difference, work.range);
        } else {
            throw Exception(ErrorReadItem);
        }
        if (!RangeFits(work.range, bytes))
            throw Exception(ErrorReadItem);
        ranges.push_back(std::move(work));
    }
    return ranges;
}

// Applies one image item; `applied` collects every range that may have been written, so that a
// failure can put the image back.
void ApplyImageItem(HistoryReader& reader,
                    Image& image,
                    Image& previous,
                    bool undo,
                    WorkCrew* crew,
                    std::vector<BYTERANGE>& applied) {
    std::vector<RANGEWORK> ranges = ReadImageItem(reader, image.ByteSize());
    unsigned char* bytes = image.Data();
    for (const RANGEWORK& work : ranges)
        applied.push_back(work.range);
    auto job = [&](int32_t i) { ApplyRangeJob(bytes, ranges[i], undo); };
    RunParts(crew, static_cast<int32_t>(ranges.size()), job);
    for (const RANGEWORK& work : ranges) {
        if (work.error != 0)
            throw Exception(work.error);
        if (work.failed)
            throw Exception(ErrorReadItem);
    }
    unsigned char* copy = previous.Data();
    for (const RANGEWORK& work : ranges)
        CopyRange(copy, bytes, work.range);
}

void ReplayRanges(History& history, Image& image, Image& previous, bool undo, WorkCrew* crew) {
    CheckSameLayout(image, previous);
    HistoryReader reader(history);
    std::vector<BYTERANGE> applied;
    try {
        reader.Start(undo);
        while (!reader.AtEnd()) {
            if (reader.Kind() == kKindImage)
                ApplyImageItem(reader, image, previous, undo, crew, applied);
            reader.Next();
        }
        reader.Finish();
    } catch (...) {
        // A partly combined image must go back to the state that the history's position, which
        // the failed replay leaves as it was, stands for.  An untouched image is left alone.
        for (const BYTERANGE& range : applied)
            CopyRange(image.Data(), previous.ConstData(), range);
        throw;
    }
}

// Combines one whole-block item's difference with the image, window by window and in place.
// `touched` tells whether the image may have been written.
bool ApplyBlockItem(HistoryReader& reader, unsigned char* image, int32_t bytes, bool undo, bool& touched) {
    RANGEWORK work;
    work.range = {0, bytes, 1, bytes};
    reader.ReadData(work.difference);
    touched = true;
    return ApplyRange(image, work, undo);
}

}  // namespace

bool RecordImageStep(History& history, const unsigned char* image, unsigned char* previous, int32_t bytes) {
    bool stored = false;
    HistoryWriter writer(history);
    if (writer.Begin()) {
        DelayBuffer after(image, bytes);
        DelayBuffer before(previous, bytes);
        DelayDiff difference(after, before, false);
        writer.AddData(difference);
        if (difference.Changed()) {
            writer.CommitItem(kOwnerDocument, kKindImage);
            stored = true;
        }
        writer.End();
    }
    CopyBytes(previous, image, bytes);
    return stored;
}

void ReplayImageStep(History& history, unsigned char* image, unsigned char* previous, int32_t bytes, bool undo) {
    HistoryReader reader(history);
    bool touched = false;
    try {
        reader.Start(undo);
        while (!reader.AtEnd()) {
            if (reader.Kind() == kKindImage) {
                if (!ApplyBlockItem(reader, image, bytes, undo, touched))
                    throw Exception(ErrorReadItem);
                CopyBytes(previous, image, bytes);
            }
            reader.Next();
        }
        reader.Finish();
    } catch (...) {
        if (touched)
            CopyBytes(image, previous, bytes);
        throw;
    }
}

bool RecordImageStep(History& history,
                     const Image& image,
                     Image& previous,
                     const std::vector<Rect32>& rects,
                     WorkCrew* crew) {
    ImageStepRecorder recorder;
    recorder.Start(history, image, previous, rects);
    return recorder.Finish(history, image, previous, crew);
}

bool RecordImageStep(History& history, const Image& image, Image& previous) {
    return RecordImageStep(history, image, previous, {{0, 0, image.Width(), image.Height()}});
}

void UndoImageStep(History& history, Image& image, Image& previous, WorkCrew* crew) {
    ReplayRanges(history, image, previous, true, crew);
}

void RedoImageStep(History& history, Image& image, Image& previous, WorkCrew* crew) {
    ReplayRanges(history, image, previous, false, crew);
}

void RefreshPrevious(const Image& image, Image& previous, const std::vector<Rect32>& rects) {
    CheckSameLayout(image, previous);
    unsigned char* copy = previous.Data();
    for (const BYTERANGE& range : ByteRanges(image, rects))
        CopyRange(copy, image.ConstData(), range);
}

}  // namespace app
