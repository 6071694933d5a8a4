#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

#include "base/ChangedArea.h"
#include "base/Exception.h"
#include "base/Image.h"
#include "base/WorkCrew.h"
#include "history/DelayBuffer.h"
#include "history/DelayCompress.h"
#include "history/History.h"
#include "history/HistoryItem.h"
#include "history/ImageStep.h"
#include "history/ImageStepRecorder.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes BytesOf(const app::Image& image) {
    return Bytes(image.ConstData(), image.ConstData() + image.ByteSize());
}

void SetBytes(app::Image& image, const Bytes& bytes) {
    ASSERT_EQ(static_cast<size_t>(image.ByteSize()), bytes.size());
    std::memcpy(image.Data(), bytes.data(), bytes.size());
}

// The decompressed payload of the only chunk of a step's only item.
Bytes StoredDifference(const app::History& history, int32_t step) {
    const app::HistoryRecord& record = history.Step(step);
    EXPECT_EQ(record.Size(), 1);
    const app::UCharBuffer& chunk = record.At(0).Chunks().At(0);
    app::DelayCompress inflater(std::make_unique<app::DelayBuffer>(chunk.ConstData(), chunk.Size()), false);
    app::UCharBuffer out;
    app::ReadAll(inflater, out);
    return Bytes(out.ConstData(), out.ConstData() + out.Size());
}

// The document's two images: the picture and its copy as of the last step.
// With a crew, steps are recorded over the tiles marked as changed, a range or two at a time.
struct Pictures {
    Pictures(int32_t width, int32_t height, app::WorkCrew* crew = nullptr) : crew(crew) {
        image.Create(width, height, 4);
        image.Clear();
        previous = image;
        changes.Build(width, height);
    }
    bool Record(app::History& history) {
        if (!crew)
            return app::RecordImageStep(history, image, previous);
        std::vector<app::Rect32> ranges;
        changes.TakeHistoryRanges(ranges);
        app::ImageStepRecorder recorder;
        recorder.Start(history, image, previous, ranges);
        const int32_t steps = history.StepCount(), position = history.Position();
        while (recorder.Continue(history, image, previous, crew, 2)) {
            EXPECT_EQ(history.StepCount(), steps);  // nothing is stored before the last piece
            EXPECT_EQ(history.Position(), position);
        }
        return recorder.Finish(history, image, previous, crew);
    }
    void Undo(app::History& history) { app::UndoImageStep(history, image, previous, crew); }
    void Redo(app::History& history) { app::RedoImageStep(history, image, previous, crew); }

    app::Image image;
    app::Image previous;
    app::ChangedArea changes;
    app::WorkCrew* crew;
};

using ImageStep = testing::Test;

TEST_F(ImageStep, TwoPixelStepStoresTheDifferenceAndReplaysBothWays) {
    app::History history;
    Pictures pictures(2, 1);
    const Bytes first = {0, 0, 0, 0, 255, 255, 255, 255};
    const Bytes second = {1, 0, 0, 0, 0, 255, 255, 255};
    SetBytes(pictures.image, first);
    pictures.previous = pictures.image;
    SetBytes(pictures.image, second);
    ASSERT_TRUE(pictures.Record(history));
    EXPECT_EQ(BytesOf(pictures.previous), second);
    EXPECT_EQ(StoredDifference(history, 0), (Bytes{1, 0, 0, 0, 1, 0, 0, 0}));

    pictures.Undo(history);
    EXPECT_EQ(BytesOf(pictures.image), first);
    EXPECT_EQ(BytesOf(pictures.previous), first);
    EXPECT_FALSE(history.CanUndo());
    pictures.Redo(history);
    EXPECT_EQ(BytesOf(pictures.image), second);
    EXPECT_EQ(BytesOf(pictures.previous), second);
    EXPECT_FALSE(history.CanRedo());
}

TEST_F(ImageStep, AWrappingDifferenceUndoesExactly) {
    app::History history;
    Pictures pictures(1, 1);
    SetBytes(pictures.image, {250, 250, 250, 250});
    pictures.previous = pictures.image;
    SetBytes(pictures.image, {5, 250, 250, 250});
    ASSERT_TRUE(pictures.Record(history));
    EXPECT_EQ(StoredDifference(history, 0), (Bytes{11, 0, 0, 0}));
    pictures.Undo(history);
    EXPECT_EQ(BytesOf(pictures.image), (Bytes{250, 250, 250, 250}));
}

TEST_F(ImageStep, AnUnchangedImageRecordsNothing) {
    app::History history;
    Pictures pictures(40, 30);
    pictures.image.Data()[7] = 9;
    ASSERT_TRUE(pictures.Record(history));
    EXPECT_FALSE(pictures.Record(history));
    EXPECT_EQ(history.StepCount(), 1);
    EXPECT_EQ(history.Position(), 1);
    pictures.Undo(history);  // still undoes the step before
    EXPECT_EQ(BytesOf(pictures.image), Bytes(40 * 30 * 4, 0));
}

TEST_F(ImageStep, TheCopyIsRefreshedEvenWhenTheHistoryIsOff) {
    app::History history;
    history.SetLimit(0);
    Pictures pictures(3, 3);
    pictures.image.Data()[0] = 1;
    EXPECT_FALSE(pictures.Record(history));
    EXPECT_EQ(BytesOf(pictures.previous), BytesOf(pictures.image));
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(ImageStep, AnEmptyImageRecordsNothing) {
    app::History history;
    Pictures pictures(0, 0);
    EXPECT_FALSE(pictures.Record(history));
    EXPECT_EQ(history.StepCount(), 0);
}

// Random edits of random pictures, a step after each, then undo and redo all the way (with new
// steps mixed in after undos), checked against kept copies byte for byte.
class RandomRoundTrip : public testing::Test {
  protected:
    void Edit(Pictures& pictures) {
        app::Image& image = pictures.image;
        const int32_t width = image.Width(), height = image.Height();
        switch (random_() % 5) {
            case 0:
                break;  // nothing changed
            case 1:
                image.Clear();
                pictures.changes.MarkAll();
                break;
            default: {
                const int32_t x0 = static_cast<int32_t>(random_() % width);
                const int32_t y0 = static_cast<int32_t>(random_() % height);
                const int32_t x1 = x0 + static_cast<int32_t>(random_() % (width - x0)) + 1;
                const int32_t y1 = y0 + static_cast<int32_t>(random_() % (height - y0)) + 1;
                for (int32_t y = y0; y < y1; ++y) {
                    unsigned char* row = image.Row(y);
                    for (int32_t x = x0 * 4; x < x1 * 4; ++x)
                        row[x] = static_cast<unsigned char>(random_());
                }
                pictures.changes.MarkRect({x0, y0, x1, y1});
            }
        }
    }

    // Records a step after an edit; keeps the picture as it stands after each stored step.
    void EditAndRecord(app::History& history, Pictures& pictures, std::vector<Bytes>& states, size_t& position) {
        Edit(pictures);
        const Bytes edited = BytesOf(pictures.image);
        const bool stored = pictures.Record(history);
        EXPECT_EQ(stored, edited != states[position]);
        if (stored) {
            states.resize(position + 1);
            states.push_back(edited);
            ++position;
        }
        ASSERT_EQ(BytesOf(pictures.previous), edited);
    }

    void Run(int32_t width, int32_t height, int32_t limit, int32_t edits, app::WorkCrew* crew = nullptr) {
        app::History history;
        history.SetLimit(limit);
        Pictures pictures(width, height, crew);
        std::vector<Bytes> states = {BytesOf(pictures.image)};  // states[i]: after i steps
        size_t position = 0;
        for (int32_t e = 0; e < edits; ++e) {
            EditAndRecord(history, pictures, states, position);
            if (random_() % 4 == 0) {  // a few undos, then new steps on top
                const int32_t undos = static_cast<int32_t>(random_() % 3) + 1;
                for (int32_t u = 0; u < undos && history.CanUndo(); ++u) {
                    pictures.Undo(history);
                    --position;
                    ASSERT_EQ(BytesOf(pictures.image), states[position]);
                }
            }
        }
        const size_t oldest = position - static_cast<size_t>(history.Position());
        ASSERT_LE(history.StepCount(), limit);
        while (history.CanUndo()) {
            pictures.Undo(history);
            --position;
            ASSERT_EQ(BytesOf(pictures.image), states[position]) << position;
            ASSERT_EQ(BytesOf(pictures.previous), states[position]);
        }
        EXPECT_EQ(position, oldest);
        while (history.CanRedo()) {
            pictures.Redo(history);
            ++position;
            ASSERT_EQ(BytesOf(pictures.image), states[position]) << position;
        }
        EXPECT_EQ(position + 1, states.size());
    }

    std::mt19937 random_{20240611};
};

TEST_F(RandomRoundTrip, SmallPicturesManySteps) {
    for (int trial = 0; trial < 6; ++trial) {
        const int32_t width = static_cast<int32_t>(random_() % 40) + 1;
        const int32_t height = static_cast<int32_t>(random_() % 40) + 1;
        Run(width, height, 100, 30);
    }
}

TEST_F(RandomRoundTrip, PicturesOfManyWindowsAndAShortHistory) {
    Run(301, 199, 5, 25);  // 239596 bytes: many 8192-byte windows and a partial last one
    Run(64, 32, 3, 20);    // exactly one window
}

TEST_F(RandomRoundTrip, StepsOverChangedTilesRecordedInPiecesOnACrew) {
    app::WorkCrew crew(3);
    Run(1500, 150, 100, 30, &crew);  // ranges cut along the rows and across them
    Run(37, 300, 4, 20, &crew);
    Run(1, 1, 1, 10, &crew);
}

// The chunks and headers of a history, byte for byte.
std::vector<Bytes> StoredBytes(const app::History& history) {
    std::vector<Bytes> stored;
    for (int32_t s = 0; s < history.StepCount(); ++s) {
        const app::HistoryItem& item = history.Step(s).At(0);
        stored.emplace_back(item.Header().ConstData(), item.Header().ConstData() + item.Header().Size());
        for (int32_t c = 0; c < item.Chunks().Size(); ++c) {
            const app::UCharBuffer& chunk = item.Chunks().At(c);
            stored.emplace_back(chunk.ConstData(), chunk.ConstData() + chunk.Size());
        }
    }
    return stored;
}

TEST(ImageStepRanges, TheStoredStepDoesNotDependOnTheThreads) {
    std::vector<std::vector<Bytes>> results;
    for (int32_t threads : {1, 2, 5}) {
        app::WorkCrew crew(threads);
        app::History history;
        Pictures pictures(2000, 200, &crew);
        std::mt19937 random(9);
        for (int step = 0; step < 3; ++step) {
            for (int32_t i = 0; i < 3000; ++i) {
                const int32_t x = static_cast<int32_t>(random() % 2000), y = static_cast<int32_t>(random() % 200);
                pictures.image.Row(y)[x * 4] = static_cast<unsigned char>(random());
                pictures.changes.MarkRect({x, y, x + 1, y + 1});
            }
            ASSERT_TRUE(pictures.Record(history));
        }
        results.push_back(StoredBytes(history));
    }
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(results[0], results[2]);
}

TEST(ImageStepRanges, ARangeOutsideThePictureOrOfAnUnknownKindIsRefused) {
    struct CASE {
        int32_t at;  // header byte changed: the entry type, or a field of the range
        int32_t value;
    } cases[] = {{0, 7}, {8, -4}, {8, 1 << 30}, {12, 0}, {16, 1000}, {20, 3}};
    for (const CASE& c : cases) {
        app::History history;
        Pictures pictures(40, 30, nullptr);
        pictures.image.Row(3)[5] = 1;
        std::vector<app::Rect32> ranges = {{0, 0, 40, 16}};
        ASSERT_TRUE(app::RecordImageStep(history, pictures.image, pictures.previous, ranges));
        unsigned char* header = history.Step(0).At(0).Header().Data();
        for (int b = 0; b < 4; ++b)
            header[c.at + b] = static_cast<unsigned char>(static_cast<uint32_t>(c.value) >> (8 * b));
        EXPECT_THROW(pictures.Undo(history), app::Exception) << c.at;
        EXPECT_EQ(pictures.image.Row(3)[5], 1) << c.at;
        EXPECT_EQ(history.Position(), 1);
        EXPECT_FALSE(history.IsReplaying());
    }
}

TEST(ImageStepRanges, AStepHoldsOnlyItsRangesAndUnchangedRangesAreDropped) {
    app::WorkCrew crew(2);
    app::History history;
    Pictures pictures(1000, 1000, &crew);
    pictures.image.Row(500)[4 * 700] = 9;
    pictures.changes.MarkRect({690, 490, 710, 510});
    pictures.changes.MarkRect({0, 0, 30, 30});  // marked, but nothing changed there
    ASSERT_TRUE(pictures.Record(history));
    const app::HistoryItem& item = history.Step(0).At(0);
    ASSERT_EQ(item.Chunks().Size(), 1);
    EXPECT_EQ(item.Header().Size(), 24);
    const Bytes difference = StoredDifference(history, 0);
    EXPECT_EQ(difference.size(), 32u * 32u * 4u);  // the two tiles of rows 496 ... 511 meeting the mark
    pictures.Undo(history);
    EXPECT_EQ(pictures.image.Row(500)[4 * 700], 0);
    pictures.Redo(history);
    EXPECT_EQ(pictures.image.Row(500)[4 * 700], 9);
}

// A broken chunk must neither hang the replay nor leave the picture out of step with the history.
class BrokenStep : public testing::Test {
  protected:
    void SetUp() override {
        std::mt19937 random(5);
        for (int step = 0; step < 2; ++step) {
            for (int32_t i = 0; i < 20000; ++i) {
                pictures_.image.Data()[random() % pictures_.image.ByteSize()] = static_cast<unsigned char>(random());
            }
            ASSERT_TRUE(pictures_.Record(history_));
            states_.push_back(BytesOf(pictures_.image));
        }
    }

    app::UCharBuffer& LastChunk() { return history_.Step(1).At(0).Chunks().At(0); }

    void ExpectFailedUndoLeavesAllUsable() {
        try {
            pictures_.Undo(history_);
            ADD_FAILURE() << "a broken step was replayed as if it were whole";
        } catch (const app::Exception& e) {
            EXPECT_EQ(e.Code(), app::ErrorReadItem);
        }
        EXPECT_FALSE(history_.IsReplaying());
        EXPECT_EQ(history_.Position(), 2);
        EXPECT_EQ(BytesOf(pictures_.image), states_[1]);
        EXPECT_EQ(BytesOf(pictures_.previous), states_[1]);

        // The history goes on working: a new step replaces the broken one, and undo reaches the first.
        pictures_.image.Data()[0] ^= 0xFF;
        const Bytes edited = BytesOf(pictures_.image);
        ASSERT_TRUE(pictures_.Record(history_));
        pictures_.Undo(history_);
        EXPECT_EQ(BytesOf(pictures_.image), states_[1]);
        pictures_.Redo(history_);
        EXPECT_EQ(BytesOf(pictures_.image), edited);
    }

    app::History history_;
    Pictures pictures_{150, 100};
    std::vector<Bytes> states_;
};

TEST_F(BrokenStep, ATruncatedChunkFailsTheUndo) {
    app::UCharBuffer& chunk = LastChunk();
    chunk.Resize(chunk.Size() / 2);
    ExpectFailedUndoLeavesAllUsable();
}

TEST_F(BrokenStep, AChunkWithoutItsTrailerFailsTheUndo) {
    app::UCharBuffer& chunk = LastChunk();
    chunk.Resize(chunk.Size() - 4);  // every byte of the difference is there, its checksum is not
    ExpectFailedUndoLeavesAllUsable();
}

TEST_F(BrokenStep, AGarbledChunkFailsTheUndo) {
    app::UCharBuffer& chunk = LastChunk();
    unsigned char* bytes = chunk.Data();
    for (int32_t i = chunk.Size() / 3; i < chunk.Size() / 3 + 16; ++i)
        bytes[i] = static_cast<unsigned char>(~bytes[i]);
    ExpectFailedUndoLeavesAllUsable();
}

TEST_F(BrokenStep, AnEmptyChunkFailsTheUndo) {
    LastChunk().Release();
    ExpectFailedUndoLeavesAllUsable();
}

TEST_F(BrokenStep, ADifferenceOfAnotherSizeFailsTheUndo) {
    Pictures other(150, 101);
    other.image.Data()[0] = 1;
    app::History otherHistory;
    ASSERT_TRUE(other.Record(otherHistory));
    LastChunk() = otherHistory.Step(0).At(0).Chunks().At(0);
    ExpectFailedUndoLeavesAllUsable();
}

TEST_F(ImageStep, AReplayThatCannotStartLeavesThePictureAlone) {
    app::History history;
    Pictures pictures(4, 4);
    pictures.image.Data()[3] = 77;  // painted, not yet recorded
    EXPECT_THROW(pictures.Undo(history), std::out_of_range);
    EXPECT_EQ(pictures.image.ConstData()[3], 77);
    EXPECT_FALSE(history.IsReplaying());
}

TEST_F(ImageStep, PicturesOfDifferentSizesAreRefused) {
    app::History history;
    app::Image image, previous;
    image.Create(2, 2, 4);
    previous.Create(2, 3, 4);
    EXPECT_THROW(app::RecordImageStep(history, image, previous), app::Exception);
}

}  // namespace
