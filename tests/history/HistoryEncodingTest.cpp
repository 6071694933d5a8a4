#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "history/DelayBuffer.h"
#include "history/DelayCompress.h"
#include "history/History.h"
#include "history/HistoryItem.h"
#include "history/HistoryReader.h"
#include "history/HistoryWriter.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes HeaderBytes(const app::HistoryItem& item) {
    const app::UCharBuffer& header = item.Header();
    return Bytes(header.ConstData(), header.ConstData() + header.Size());
}

void AddBytes(app::HistoryWriter& writer, const Bytes& data) {
    app::DelayBuffer source(data.data(), static_cast<int32_t>(data.size()));
    writer.AddData(source);
}

Bytes ReadChunk(app::HistoryReader& reader) {
    std::unique_ptr<app::DelayCompress> stream;
    reader.ReadData(stream);
    app::UCharBuffer buffer;
    app::ReadAll(*stream, buffer);
    EXPECT_FALSE(stream->Failed());
    return Bytes(buffer.ConstData(), buffer.ConstData() + buffer.Size());
}

using HistoryEncoding = testing::Test;

TEST_F(HistoryEncoding, OneDataReferenceIsAnEightByteHeader) {
    app::History history;
    {
        app::HistoryWriter writer(history);
        ASSERT_TRUE(writer.Begin());
        AddBytes(writer, {1, 2, 3});
        writer.CommitItem(app::kOwnerDocument, app::kKindImage);
        writer.End();
    }
    ASSERT_EQ(history.StepCount(), 1);
    const app::HistoryItem& item = history.Step(0).At(0);
    EXPECT_EQ(HeaderBytes(item), (Bytes{2, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(item.OwnerTag(), 1969450820);
    EXPECT_EQ(item.KindTag(), 1734438217);
    EXPECT_EQ(item.Chunks().Size(), 1);
}

TEST_F(HistoryEncoding, ItemsWithSeveralChunksReplayInOrder) {
    app::History history;
    {
        app::HistoryWriter writer(history);
        ASSERT_TRUE(writer.Begin());
        AddBytes(writer, {1});
        AddBytes(writer, {2, 2});
        writer.CommitItem(1, 100);
        for (int32_t i = 0; i < 200; ++i)
            AddBytes(writer, {static_cast<unsigned char>(i)});  // past 1024 bytes
        writer.CommitItem(1, 200);
        writer.CommitItem(1, 300);  // nothing added since: nothing committed
        writer.End();
    }
    ASSERT_EQ(history.StepCount(), 1);
    ASSERT_EQ(history.Step(0).Size(), 2);
    EXPECT_EQ(HeaderBytes(history.Step(0).At(0)), (Bytes{2, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0}));
    const Bytes second = HeaderBytes(history.Step(0).At(1));
    ASSERT_EQ(second.size(), 1600u);
    EXPECT_EQ(Bytes(second.end() - 8, second.end()), (Bytes{2, 0, 0, 0, 199, 0, 0, 0}));

    app::HistoryReader reader(history);
    reader.Start(true);  // undo: the last item first
    ASSERT_FALSE(reader.AtEnd());
    EXPECT_EQ(reader.Kind(), 200);
    reader.Next();
    EXPECT_EQ(reader.Kind(), 100);
    EXPECT_EQ(ReadChunk(reader), Bytes{1});  // chunks of an item in the order they were added
    EXPECT_EQ(ReadChunk(reader), (Bytes{2, 2}));
    EXPECT_THROW(ReadChunk(reader), std::out_of_range);  // no third entry
    reader.Next();
    EXPECT_TRUE(reader.AtEnd());
    reader.Finish();
    EXPECT_FALSE(history.IsReplaying());
    EXPECT_EQ(history.Position(), 0);
}

TEST_F(HistoryEncoding, AWriterLeftOpenAbandonsItsStep) {
    app::History history;
    {
        app::HistoryWriter writer(history);
        ASSERT_TRUE(writer.Begin());
        AddBytes(writer, {1});
        writer.CommitItem(1, 2);
    }
    EXPECT_EQ(history.StepCount(), 0);
    EXPECT_EQ(history.Depth(), 0);
    EXPECT_FALSE(history.IsRecording());
}

TEST_F(HistoryEncoding, ADisabledHistoryOpensNoWriter) {
    app::History history;
    history.SetLimit(0);
    app::HistoryWriter writer(history);
    EXPECT_FALSE(writer.Begin());
    EXPECT_FALSE(writer.IsOpen());
}

TEST_F(HistoryEncoding, AReaderLeftOpenEndsTheReplayWithoutMovingThePosition) {
    app::History history;
    {
        app::HistoryWriter writer(history);
        ASSERT_TRUE(writer.Begin());
        AddBytes(writer, {1});
        writer.CommitItem(1, 2);
        writer.End();
    }
    {
        app::HistoryReader reader(history);
        reader.Start(true);
        EXPECT_TRUE(history.IsReplaying());
    }
    EXPECT_FALSE(history.IsReplaying());
    EXPECT_EQ(history.Position(), 1);
}

TEST_F(HistoryEncoding, AStartWithNothingToReplayStillEndsTheReplay) {
    app::History history;
    {
        app::HistoryReader reader(history);
        EXPECT_THROW(reader.Start(true), std::out_of_range);
    }
    EXPECT_FALSE(history.IsReplaying());
}

TEST_F(HistoryEncoding, AChunkIndexOutsideTheItemIsOutOfRange) {
    app::History history;
    {
        app::HistoryWriter writer(history);
        ASSERT_TRUE(writer.Begin());
        AddBytes(writer, {1});
        writer.CommitItem(1, 2);
        writer.End();
    }
    history.Step(0).At(0).Header().Data()[4] = 5;
    app::HistoryReader reader(history);
    reader.Start(true);
    std::unique_ptr<app::DelayCompress> stream;
    EXPECT_THROW(reader.ReadData(stream), std::out_of_range);
}

}  // namespace
