#include "paint/AppDoc.h"

#include "base/Exception.h"
#include "base/Image.h"
#include "engine/Core.h"
#include "history/History.h"
#include "history/ImageStep.h"
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
};

AppDoc::AppDoc() : m_(std::make_unique<AppDocMember>()) {
    m_->engine.SetDrawer(&m_->drawing);
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
        const int64_t working = Core::WorkingBytes(width, height) + DrawingPass::RingBytesFor(width, height);
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

ImageSize AppDoc::GetSize() const noexcept {
    return {m_->width, m_->height};
}

History& AppDoc::GetHistory() noexcept {
    return m_->history;
}

void AppDoc::RecordStep() {
    // The options may have changed the limit since the last step.
    m_->history.SetLimit(GetOptions().historyMax);
    RecordImageStep(m_->history, m_->image, m_->previous);
}

void AppDoc::Undo() {
    UndoImageStep(m_->history, m_->image, m_->previous);
}

void AppDoc::Redo() {
    RedoImageStep(m_->history, m_->image, m_->previous);
}

bool AppDoc::CanUndo() const {
    return m_->history.CanUndo();
}

bool AppDoc::CanRedo() const {
    return m_->history.CanRedo();
}

void AppDoc::TrimHistory() {
    m_->history.SetLimit(GetOptions().historyMax);
    m_->history.Trim();
}

void AppDoc::Clear() {
    m_->image.Clear();
}

}  // namespace app
