#include "history/ImageStepRecorder.h"

#include <algorithm>
#include <new>

#include "base/Exception.h"
#include "base/Image.h"
#include "base/UCharBuffer.h"
#include "base/WorkCrew.h"
#include "history/DelayDiff.h"
#include "history/DelayRange.h"
#include "history/History.h"
#include "history/HistoryItem.h"
#include "history/HistoryWriter.h"
#include "history/ImageRanges.h"
#include "history/ImageStep.h"

namespace app {

namespace {

// One range on its way into the history.  A part of the crew's work fills in its own record
// only, and must not throw: what goes wrong is kept with the range.
struct RANGECHUNK {
    BYTERANGE range;
    std::unique_ptr<UCharBuffer> chunk;
    bool changed = false;
    int32_t error = 0;
};

void CompressRange(const unsigned char* image, const unsigned char* previous, RANGECHUNK& work) noexcept {
    try {
        DelayRange after(image, work.range);
        DelayRange before(previous, work.range);
        DelayDiff difference(after, before, false);
        work.chunk = std::make_unique<UCharBuffer>();
        CompressChunk(difference, *work.chunk);
        work.changed = difference.Changed();
    } catch (const Exception& e) {
        work.error = e.Code();
    } catch (const std::bad_alloc&) {
        work.error = ErrorNoMemory;
    } catch (...) {
        work.error = ErrorSystem;
    }
}

}  // namespace

class ImageStepRecorderMember {
  public:
    std::vector<Rect32> rects;
    std::vector<RANGECHUNK> ranges;
    int32_t next = 0;  // the first range not compressed yet
    bool recording = false;
    bool stored = false;

    void Reset() {
        rects.clear();
        ranges.clear();
        next = 0;
        recording = false;
    }
};

ImageStepRecorder::ImageStepRecorder() : m_(std::make_unique<ImageStepRecorderMember>()) {}

ImageStepRecorder::~ImageStepRecorder() = default;

void ImageStepRecorder::Start(History& history, const Image& image, Image& previous, const std::vector<Rect32>& rects) {
    CheckSameLayout(image, previous);
    m_->Reset();
    m_->stored = false;
    if (history.Limit() <= 0) {
        RefreshPrevious(image, previous, rects);
        return;
    }
    const std::vector<BYTERANGE> ranges = ByteRanges(image, rects);
    m_->rects = rects;
    m_->ranges.resize(ranges.size());
    for (size_t i = 0; i < ranges.size(); ++i)
        m_->ranges[i].range = ranges[i];
    m_->recording = true;
}

bool ImageStepRecorder::IsRecording() const noexcept {
    return m_->recording;
}

const std::vector<Rect32>& ImageStepRecorder::Ranges() const noexcept {
    return m_->rects;
}

bool ImageStepRecorder::Continue(History& history, const Image& image, Image& previous, WorkCrew* crew, int32_t parts) {
    ImageStepRecorderMember& m = *m_;
    if (!m.recording)
        return false;
    CheckSameLayout(image, previous);
    const int32_t first = m.next;
    const int32_t count = std::min(std::max(parts, 1), static_cast<int32_t>(m.ranges.size()) - first);
    const unsigned char* after = image.ConstData();
    const unsigned char* before = previous.ConstData();
    auto job = [&](int32_t i) { CompressRange(after, before, m.ranges[first + i]); };
    RunParts(crew, count, job);
    m.next += count;
    for (int32_t i = first; i < m.next; ++i) {
        if (m.ranges[i].error != 0) {
            const int32_t code = m.ranges[i].error;
            m.Reset();
            throw Exception(code);
        }
    }
    if (m.next < static_cast<int32_t>(m.ranges.size()))
        return true;
    try {
        m.stored = Store(history, image, previous);
    } catch (...) {
        m.Reset();
        throw;
    }
    m.Reset();
    return false;
}

bool ImageStepRecorder::Finish(History& history, const Image& image, Image& previous, WorkCrew* crew) {
    while (Continue(history, image, previous, crew, static_cast<int32_t>(m_->ranges.size()))) {
    }
    return m_->stored;
}

// The changed ranges as one item of one step, then the previous copy over every range.
bool ImageStepRecorder::Store(History& history, const Image& image, Image& previous) {
    bool stored = false;
    HistoryWriter writer(history);
    if (writer.Begin()) {
        for (RANGECHUNK& range : m_->ranges) {
            if (!range.changed)
                continue;
            writer.AddRange(std::move(range.chunk), range.range);
            stored = true;
        }
        writer.CommitItem(kOwnerDocument, kKindImage);
        writer.End();
    }
    unsigned char* copy = previous.Data();
    for (const RANGECHUNK& range : m_->ranges)
        CopyRange(copy, image.ConstData(), range.range);
    return stored;
}

}  // namespace app
