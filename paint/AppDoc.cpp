#include "paint/AppDoc.h"

#include <vector>

#include "base/ChangedArea.h"
#include "base/Exception.h"
#include "base/Image.h"
#include "engine/Core.h"
#include "history/History.h"
#include "history/ImageStep.h"
#include "history/ImageStepRecorder.h"
#include "host/HostImage.h"
#include "host/Options.h"
#include "paint/DrawingPass.h"

namespace app {

class AppDocMember {
  public:
    DrawingPass drawing;  // before the engine, which points at it
    Core engine;
    Image image;
    Image previous;
    int32_t width = 0;
    int32_t height = 0;
    History history;
    ChangedArea changes;  // where the picture may differ from the previous copy, or from the view
    std::vector<Rect32> ranges;
    ImageStepRecorder recorder;

    // The previous copy takes the picture over whatever changed since the last step.
    void RefreshPrevious() {
        changes.TakeHistoryRanges(ranges);
        app::RefreshPrevious(image, previous, ranges);
    }
};

AppDoc::AppDoc() : m_(std::make_unique<AppDocMember>()) {
    m_->engine.SetDrawer(&m_->drawing);
    m_->drawing.SetChangedArea(&m_->changes);
}

AppDoc::~AppDoc() = default;

namespace {

constexpr int64_t kMostWorkingPerPictureByte = 8;
constexpr int64_t kWorkingAllowance = int64_t{256} << 20;

}  // namespace

void AppDoc::CheckSize(int32_t width, int32_t height) {
    try {
        // The host's row buffers (3 x width + 4 bytes at most) are smaller than an image row.
        Image::ByteSizeFor(width, height, 4);
        Core::CheckSize(width, height);
        const int64_t working = Core::WorkingBytes(width, height) + DrawingPass::RingBytesFor(width, height) +
                                ChangedArea::BytesFor(width, height);
        // Cells of 16 pixels square with a border all round cost a very wide or very tall picture
        // far more than its pixels: such a picture is refused rather than held at many times its
        // size (an ordinary one works in less than twice its size).
        if (working > kMostWorkingPerPictureByte * int64_t{width} * height * 4 + kWorkingAllowance)
            throw Exception(ErrorImageSize);
    } catch (const Exception& e) {
        if (e.Code() == ErrorOverflow)
            throw Exception(ErrorImageSize);
        throw;
    }
}

void AppDoc::Load() {
    const ImageSize size = GetHostImageSize();
    CheckSize(size.width, size.height);
    m_->width = size.width;
    m_->height = size.height;
    m_->engine.SetSize(size.width, size.height);
    m_->drawing.BuildFor(size);
    m_->engine.Init();
    m_->changes.Build(size.width, size.height);
    m_->image.Create(size.width, size.height, 4);
    m_->image.Clear();
    ReadHostImage(m_->image);
    m_->engine.SetImage(&m_->image);
    // The first step is measured from the host's picture.
    m_->previous = m_->image;
}

void AppDoc::Save() {
    WriteHostImage(m_->image);
}

Core& AppDoc::Engine() noexcept {
    return m_->engine;
}

Image& AppDoc::GetImage() noexcept {
    return m_->image;
}

const Image& AppDoc::GetImage() const noexcept {
    return m_->image;
}

ImageSize AppDoc::GetSize() const noexcept {
    return {m_->width, m_->height};
}

History& AppDoc::GetHistory() noexcept {
    return m_->history;
}

void AppDoc::RecordStep() {
    BeginStep();
    FinishStep();
}

void AppDoc::BeginStep() {
    FinishStep();
    // The options may have changed the limit since the last step.
    m_->history.SetLimit(GetOptions().historyMax);
    m_->changes.TakeHistoryRanges(m_->ranges);
    m_->recorder.Start(m_->history, m_->image, m_->previous, m_->ranges);
}

bool AppDoc::IsRecordingStep() const noexcept {
    return m_->recorder.IsRecording();
}

bool AppDoc::ContinueStep() {
    try {
        return m_->recorder.Continue(m_->history, m_->image, m_->previous, &m_->engine.Crew(),
                                     m_->engine.Crew().Size());
    } catch (...) {
        // The previous copy was left as it was: the next step takes the change again.
        for (const Rect32& range : m_->ranges)
            m_->changes.MarkRect(range);
        throw;
    }
}

void AppDoc::FinishStep() {
    while (IsRecordingStep())
        ContinueStep();
}

void AppDoc::Step() {
    FinishStep();
    m_->engine.Step(m_->image);
}

// A replay leaves the previous copy equal to the picture everywhere: what was painted since the
// last step (particles erased before it closed) stays in the picture and is no longer a change.
void AppDoc::Undo() {
    FinishStep();
    if (!m_->history.CanUndo())
        return;
    m_->RefreshPrevious();
    UndoImageStep(m_->history, m_->image, m_->previous, &m_->engine.Crew());
}

void AppDoc::Redo() {
    FinishStep();
    if (!m_->history.CanRedo())
        return;
    m_->RefreshPrevious();
    RedoImageStep(m_->history, m_->image, m_->previous, &m_->engine.Crew());
}

bool AppDoc::CanUndo() const {
    return m_->history.CanUndo() || IsRecordingStep();
}

bool AppDoc::CanRedo() const {
    return !IsRecordingStep() && m_->history.CanRedo();
}

void AppDoc::TrimHistory() {
    FinishStep();
    m_->history.SetLimit(GetOptions().historyMax);
    m_->history.Trim();
}

void AppDoc::Clear() {
    FinishStep();
    m_->image.Clear();
    m_->changes.MarkAll();
}

Rect32 AppDoc::TakeDisplayChanges() noexcept {
    return m_->changes.TakeDisplayBounds();
}

}  // namespace app
