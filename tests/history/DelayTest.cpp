#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "base/UCharBuffer.h"
#include "history/DelayBuffer.h"
#include "history/DelayCompress.h"
#include "history/DelayDiff.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ToBytes(const app::UCharBuffer& buffer) {
    return Bytes(buffer.ConstData(), buffer.ConstData() + buffer.Size());
}

Bytes Drain(app::Delay& stream) {
    app::UCharBuffer buffer;
    app::ReadAll(stream, buffer);
    return ToBytes(buffer);
}

// Mostly flat with a noisy patch: the shape of an image difference, spread over many windows.
Bytes SampleBytes(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    Bytes bytes(size, 0);
    for (size_t i = size / 3; i < size / 3 + size / 10; ++i)
        bytes[i] = static_cast<unsigned char>(random());
    return bytes;
}

Bytes Compress(const Bytes& data) {
    app::DelayBuffer source(data.data(), static_cast<int32_t>(data.size()));
    app::DelayCompress compressor(source, true);
    return Drain(compressor);
}

// Inflates through the windows of the stream, as the replay consumes it.
Bytes InflateByWindows(const Bytes& chunk, bool* failed = nullptr) {
    app::DelayCompress inflater(std::make_unique<app::DelayBuffer>(chunk.data(), static_cast<int32_t>(chunk.size())),
                                false);
    Bytes out;
    while (!inflater.AtEnd()) {
        const unsigned char* window = inflater.Current();
        const int32_t count = inflater.Available();
        EXPECT_LE(count, app::kDelayWindow);
        if (count == 0)
            continue;  // an ending stream may deliver its end without bytes
        out.insert(out.end(), window, window + count);
        inflater.Advance(count);
    }
    if (failed)
        *failed = inflater.Failed();
    return out;
}

// A source that neither ends nor ever delivers a byte.
class StalledSource : public app::Delay {
  public:
    bool AtEnd() const override { return false; }
    int32_t Available() const override { return 0; }
    const unsigned char* Current() override { return &byte_; }
    void Advance(int32_t) override {}
    int32_t Read(unsigned char*, int32_t) override { return 0; }

  private:
    unsigned char byte_ = 0;
};

TEST(DelayBuffer, ReadsAndWindowsTheWholeRange) {
    const Bytes data = {1, 2, 3, 4, 5};
    app::DelayBuffer stream(data.data(), 5);
    EXPECT_EQ(stream.Available(), 5);
    EXPECT_EQ(stream.Current()[0], 1);
    stream.Advance(2);
    unsigned char out[8] = {};
    EXPECT_EQ(stream.Read(out, 8), 3);
    EXPECT_EQ(out[0], 3);
    EXPECT_TRUE(stream.AtEnd());
    EXPECT_EQ(stream.Read(out, 8), 0);
}

TEST(DelayDiff, SubtractsAndAddsModulo256AndNotesAChange) {
    const Bytes after = {5, 0, 7, 255};
    const Bytes before = {250, 0, 7, 1};
    app::DelayBuffer a(after.data(), 4), b(before.data(), 4);
    app::DelayDiff difference(a, b, false);
    EXPECT_EQ(Drain(difference), (Bytes{11, 0, 0, 254}));
    EXPECT_TRUE(difference.Changed());

    const Bytes delta = {11, 0, 0, 254};
    app::DelayBuffer c(before.data(), 4), d(delta.data(), 4);
    app::DelayDiff sum(c, d, true);
    EXPECT_EQ(Drain(sum), after);
    EXPECT_FALSE(sum.Changed());  // noted in subtract mode only
}

TEST(DelayDiff, EqualSourcesAreUnchanged) {
    const Bytes same = SampleBytes(20000, 1);
    app::DelayBuffer a(same.data(), 20000), b(same.data(), 20000);
    app::DelayDiff difference(a, b, false);
    EXPECT_EQ(Drain(difference), Bytes(20000, 0));
    EXPECT_FALSE(difference.Changed());
}

TEST(DelayDiff, StopsAtTheShorterSourceAndIsEmptyOverNothing) {
    const Bytes longer(10, 9), shorter(4, 2);
    app::DelayBuffer a(longer.data(), 10), b(shorter.data(), 4);
    app::DelayDiff difference(a, b, false);
    EXPECT_EQ(Drain(difference), Bytes(4, 7));

    app::DelayBuffer e(nullptr, 0), f(nullptr, 0);
    app::DelayDiff empty(e, f, false);
    app::UCharBuffer buffer;
    app::ReadAll(empty, buffer);
    EXPECT_EQ(buffer.Size(), 0);
    EXPECT_FALSE(empty.Changed());
}

TEST(DelayDiff, WindowsAreAtMost8192BytesAndMixWithRead) {
    const Bytes a = SampleBytes(30000, 2), b = SampleBytes(30000, 3);
    app::DelayBuffer sa(a.data(), 30000), sb(b.data(), 30000);
    app::DelayDiff difference(sa, sb, false);
    Bytes out;
    const unsigned char* window = difference.Current();
    EXPECT_EQ(difference.Available(), 8192);
    out.insert(out.end(), window, window + 100);
    difference.Advance(100);
    unsigned char rest[30000];
    const int32_t count = difference.Read(rest, 30000);
    out.insert(out.end(), rest, rest + count);
    ASSERT_EQ(out.size(), 30000u);
    for (size_t i = 0; i < out.size(); ++i)
        ASSERT_EQ(out[i], static_cast<unsigned char>(a[i] - b[i])) << i;
}

TEST(DelayCompress, ChunksAreTheZlibStreamOfTheDefaultSettings) {
    const Bytes data = SampleBytes(100000, 4);
    const Bytes chunk = Compress(data);
    ASSERT_GE(chunk.size(), 2u);
    EXPECT_EQ(chunk[0], 0x78);  // deflate, 32K window
    EXPECT_EQ(chunk[1], 0x9C);  // default level
    // zlib's one-call compression with the default level gives the same bytes.
    uLongf expectedSize = compressBound(data.size());
    Bytes expected(expectedSize);
    ASSERT_EQ(compress2(expected.data(), &expectedSize, data.data(), data.size(), Z_DEFAULT_COMPRESSION), Z_OK);
    expected.resize(expectedSize);
    EXPECT_EQ(chunk, expected);
    EXPECT_EQ(InflateByWindows(chunk), data);
}

TEST(DelayCompress, AnEmptySourceGivesACompleteStream) {
    const Bytes chunk = Compress(Bytes());
    EXPECT_FALSE(chunk.empty());
    Bytes out(16);
    uLongf outSize = out.size();
    EXPECT_EQ(uncompress(out.data(), &outSize, chunk.data(), chunk.size()), Z_OK);
    EXPECT_EQ(outSize, 0u);
    bool failed = true;
    EXPECT_TRUE(InflateByWindows(chunk, &failed).empty());
    EXPECT_FALSE(failed);
}

TEST(DelayCompress, DeliversTheLastWindowAfterZlibEnded) {
    // The final window is produced by the same call that sees the end of the zlib stream; a
    // consumer that takes it in small pieces must still get all of it.
    const Bytes data = SampleBytes(12345, 5);
    const Bytes chunk = Compress(data);
    app::DelayCompress inflater(std::make_unique<app::DelayBuffer>(chunk.data(), static_cast<int32_t>(chunk.size())),
                                false);
    Bytes out;
    while (!inflater.AtEnd()) {
        const unsigned char* window = inflater.Current();
        const int32_t count = std::min(inflater.Available(), 1000);
        out.insert(out.end(), window, window + count);
        inflater.Advance(count);
    }
    EXPECT_EQ(out, data);
}

TEST(DelayCompress, ATruncatedChunkEndsAsFailed) {
    const Bytes chunk = Compress(SampleBytes(50000, 6));
    for (size_t keep : {size_t(0), size_t(1), size_t(2), chunk.size() / 2, chunk.size() - 1}) {
        const Bytes truncated(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(keep));
        bool failed = false;
        InflateByWindows(truncated, &failed);
        EXPECT_TRUE(failed) << keep;
        app::DelayCompress inflater(
            std::make_unique<app::DelayBuffer>(truncated.data(), static_cast<int32_t>(truncated.size())), false);
        app::UCharBuffer buffer;
        app::ReadAll(inflater, buffer);
        EXPECT_LE(buffer.Size(), 50000) << keep;
        EXPECT_TRUE(inflater.AtEnd());
        EXPECT_TRUE(inflater.Failed());
    }
}

TEST(DelayCompress, AGarbledChunkEndsAsFailed) {
    const Bytes data = SampleBytes(50000, 7);
    const Bytes chunk = Compress(data);
    std::mt19937 random(8);
    for (int trial = 0; trial < 40; ++trial) {
        Bytes garbled = chunk;
        const size_t at = 2 + random() % (garbled.size() - 2);
        garbled[at] = static_cast<unsigned char>(garbled[at] ^ (1u + random() % 255u));
        bool failed = false;
        InflateByWindows(garbled, &failed);
        // Adler-32 catches what the deflate data does not, so a garbled chunk never passes as good.
        EXPECT_TRUE(failed) << at;
    }
}

TEST(DelayCompress, AStalledSourceCannotHangTheReader) {
    StalledSource stalled;
    app::DelayCompress compressor(stalled, true);
    app::UCharBuffer buffer;
    app::ReadAll(compressor, buffer);
    EXPECT_TRUE(compressor.Failed());

    app::ReadAll(stalled, buffer);  // ReadAll itself gives up on a stream that gives nothing
    EXPECT_EQ(buffer.Size(), 0);
}

}  // namespace
