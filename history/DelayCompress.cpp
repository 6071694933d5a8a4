#include "history/DelayCompress.h"

#include <zlib.h>

#include <algorithm>

#include "base/Exception.h"

namespace app {

namespace {

// The interface version the chunks are made with; zlib checks its major number only.
constexpr const char* kZlibInterfaceVersion = "1.2.1";

bool IsZlibError(int result) {
    return result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR;
}

}  // namespace

class DelayCompressMember {
  public:
    z_stream zlib = {};
    std::unique_ptr<Delay> ownedSource;
    Delay* source = nullptr;
    bool compress = false;
    bool ended = false;
    bool failed = false;
    bool started = false;
};

DelayCompress::DelayCompress(Delay& source, bool compress) : m_(std::make_unique<DelayCompressMember>()) {
    m_->source = &source;
    m_->compress = compress;
    StartZlib();
}

DelayCompress::DelayCompress(std::unique_ptr<Delay> source, bool compress)
    : m_(std::make_unique<DelayCompressMember>()) {
    m_->ownedSource = std::move(source);
    m_->source = m_->ownedSource.get();
    m_->compress = compress;
    StartZlib();
}

DelayCompress::~DelayCompress() {
    if (!m_->started)
        return;
    if (m_->compress) {
        deflateEnd(&m_->zlib);
    } else {
        inflateEnd(&m_->zlib);
    }
}

// Level -1 is zlib's default, which gives method 8, window bits 15, memory level 8 and the
// default strategy.  Allocation is left to zlib.
void DelayCompress::StartZlib() {
    const int result = m_->compress
                           ? deflateInit_(&m_->zlib, Z_DEFAULT_COMPRESSION, kZlibInterfaceVersion, sizeof(z_stream))
                           : inflateInit_(&m_->zlib, kZlibInterfaceVersion, sizeof(z_stream));
    if (result != Z_OK)
        throw Exception(ErrorNoMemory);
    m_->started = true;
}

bool DelayCompress::AtEnd() const {
    // The window filled by the last call may still hold bytes after zlib reported its end.
    return m_->ended && Available() == 0;
}

bool DelayCompress::Failed() const {
    return m_->failed;
}

// Runs zlib until the output is full or the zlib stream has ended.  A call that neither takes
// input nor gives output can never be followed by one that does (a truncated or stalled input),
// so it ends the stream as failed, as does any zlib error.
int32_t DelayCompress::Produce(unsigned char* destination, int32_t n) {
    if (n <= 0 || m_->ended)
        return 0;
    z_stream& zlib = m_->zlib;
    Delay& source = *m_->source;
    zlib.next_out = destination;
    zlib.avail_out = static_cast<uInt>(n);
    while (zlib.avail_out > 0) {
        const unsigned char* input = source.Current();
        const int32_t available = source.Available();
        const bool finish = source.AtEnd();
        zlib.next_in = const_cast<Bytef*>(input);
        zlib.avail_in = static_cast<uInt>(std::max(available, 0));
        const uInt outBefore = zlib.avail_out;
        const int flush = finish ? Z_FINISH : Z_NO_FLUSH;
        const int result = m_->compress ? deflate(&zlib, flush) : inflate(&zlib, flush);
        const int32_t consumed = available - static_cast<int32_t>(zlib.avail_in);
        if (consumed > 0)
            source.Advance(consumed);
        if (result == Z_STREAM_END) {
            m_->ended = true;
            break;
        }
        if (IsZlibError(result) || (consumed == 0 && zlib.avail_out == outBefore)) {
            m_->ended = true;
            m_->failed = true;
            break;
        }
    }
    return n - static_cast<int32_t>(zlib.avail_out);
}

}  // namespace app
