#include "base/ChangedArea.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "base/CheckedInt.h"

namespace app {

namespace {

int32_t TilesFor(int32_t pixels) {
    return CheckedAdd(pixels, ChangedArea::kTilePixels - 1, ErrorOverflow) / ChangedArea::kTilePixels;
}

void Zero(Buffer<uint64_t>& words) {
    if (words.Size() > 0)
        std::memset(words.Data(), 0, static_cast<size_t>(words.Size()));
}

bool AllZero(const uint64_t* words, int32_t count) noexcept {
    for (int32_t w = 0; w < count; ++w) {
        if (words[w] != 0)
            return false;
    }
    return true;
}

void MarkWord(uint64_t* word, uint64_t bits) noexcept {
    // Most marks fall on tiles marked already: a plain look first spares the locked operation.
    if ((__atomic_load_n(word, __ATOMIC_RELAXED) & bits) != bits)
        __atomic_fetch_or(word, bits, __ATOMIC_RELAXED);
}

// The bits of tiles first ... end - 1 within word w.
uint64_t BitsBetween(int32_t w, int32_t first, int32_t end) noexcept {
    const int32_t from = std::max(first - w * ChangedArea::kTilesPerWord, 0);
    const int32_t to = std::min(end - w * ChangedArea::kTilesPerWord, ChangedArea::kTilesPerWord);
    if (to <= from)
        return 0;
    const uint64_t upTo = to == 64 ? ~uint64_t{0} : (uint64_t{1} << to) - 1;
    return upTo & ~((uint64_t{1} << from) - 1);
}

bool TileIsMarked(const uint64_t* words, int32_t column) noexcept {
    return (words[column / ChangedArea::kTilesPerWord] >> (column % ChangedArea::kTilesPerWord) & 1) != 0;
}

}  // namespace

int32_t ChangedArea::BytesFor(int32_t width, int32_t height) {
    const int32_t words = CheckedAdd(TilesFor(std::max(width, 0)), kTilesPerWord - 1, ErrorOverflow) / kTilesPerWord;
    const int32_t plane = CheckedMultiply(CheckedMultiply(words, TilesFor(std::max(height, 0)), ErrorOverflow),
                                          static_cast<int32_t>(sizeof(uint64_t)), ErrorOverflow);
    return CheckedAdd(CheckedAdd(plane, plane, ErrorOverflow), words * static_cast<int32_t>(sizeof(uint64_t)),
                      ErrorOverflow);
}

void ChangedArea::Build(int32_t width, int32_t height) {
    BytesFor(width, height);
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    columns_ = TilesFor(width_);
    rows_ = TilesFor(height_);
    words_ = (columns_ + kTilesPerWord - 1) / kTilesPerWord;
    const int32_t plane = words_ * rows_ * static_cast<int32_t>(sizeof(uint64_t));
    history_.Allocate(plane);
    display_.Allocate(plane);
    joined_.Allocate(words_ * static_cast<int32_t>(sizeof(uint64_t)));
    Zero(history_);
    Zero(display_);
    historyWords_ = history_.Data();
    displayWords_ = display_.Data();
}

uint64_t* ChangedArea::HistoryRow(int32_t tileRow) noexcept {
    return historyWords_ + static_cast<ptrdiff_t>(tileRow) * words_;
}

uint64_t* ChangedArea::DisplayRow(int32_t tileRow) noexcept {
    return displayWords_ + static_cast<ptrdiff_t>(tileRow) * words_;
}

void ChangedArea::Mark(int32_t y, int32_t word, uint64_t bits) noexcept {
    if (bits == 0 || y < 0 || y >= height_ || word < 0 || word >= words_)
        return;
    const int32_t row = y / kTilePixels;
    MarkWord(HistoryRow(row) + word, bits);
    MarkWord(DisplayRow(row) + word, bits);
}

void ChangedArea::MarkRect(const Rect32& pixels) noexcept {
    const int32_t left = std::max(pixels.left, 0);
    const int32_t top = std::max(pixels.top, 0);
    const int32_t right = std::min(pixels.right, width_);
    const int32_t bottom = std::min(pixels.bottom, height_);
    if (right <= left || bottom <= top)
        return;
    const int32_t first = left / kTilePixels;
    const int32_t end = (right + kTilePixels - 1) / kTilePixels;
    for (int32_t row = top / kTilePixels; row * kTilePixels < bottom; ++row) {
        for (int32_t w = first / kTilesPerWord; w <= (end - 1) / kTilesPerWord; ++w) {
            const uint64_t bits = BitsBetween(w, first, end);
            MarkWord(HistoryRow(row) + w, bits);
            MarkWord(DisplayRow(row) + w, bits);
        }
    }
}

void ChangedArea::MarkAll() noexcept {
    MarkRect({0, 0, width_, height_});
}

bool ChangedArea::HistoryIsClear() const noexcept {
    return AllZero(history_.ConstData(), history_.Count());
}

Rect32 ChangedArea::TileRect(int32_t firstColumn, int32_t endColumn, int32_t firstRow, int32_t endRow) const noexcept {
    return {firstColumn * kTilePixels, firstRow * kTilePixels, std::min(endColumn * kTilePixels, width_),
            std::min(endRow * kTilePixels, height_)};
}

void ChangedArea::TakeHistoryRanges(std::vector<Rect32>& ranges) {
    ranges.clear();
    for (int32_t row = 0; row < rows_; row += kRangeTileRows)
        TakeRanges(row, std::min(row + kRangeTileRows, rows_), ranges);
}

// One band of tile rows: the marks of its rows together, cut into runs of marked tiles, each
// run a range from the first to the last marked row of the band.
void ChangedArea::TakeRanges(int32_t firstRow, int32_t endRow, std::vector<Rect32>& ranges) {
    uint64_t* joined = joined_.Data();
    std::fill(joined, joined + words_, uint64_t{0});
    int32_t top = -1;
    int32_t bottom = -1;
    for (int32_t row = firstRow; row < endRow; ++row) {
        uint64_t* marks = HistoryRow(row);
        if (AllZero(marks, words_))
            continue;
        for (int32_t w = 0; w < words_; ++w)
            joined[w] |= marks[w];
        std::fill(marks, marks + words_, uint64_t{0});
        top = top < 0 ? row : top;
        bottom = row + 1;
    }
    if (top < 0)
        return;
    int32_t runStart = -1;
    int32_t runEnd = -1;
    for (int32_t column = 0; column < columns_; ++column) {
        if (!TileIsMarked(joined, column))
            continue;
        if (runStart >= 0 && (column - runEnd >= kJoinTiles || column - runStart >= kRangeTiles)) {
            ranges.push_back(TileRect(runStart, runEnd, top, bottom));
            runStart = -1;
        }
        if (runStart < 0)
            runStart = column;
        runEnd = column + 1;
    }
    ranges.push_back(TileRect(runStart, runEnd, top, bottom));
}

Rect32 ChangedArea::TakeDisplayBounds() noexcept {
    int32_t first = columns_;
    int32_t end = 0;
    int32_t top = rows_;
    int32_t bottom = 0;
    for (int32_t row = 0; row < rows_; ++row) {
        uint64_t* marks = DisplayRow(row);
        for (int32_t w = 0; w < words_; ++w) {
            if (marks[w] == 0)
                continue;
            first = std::min(first, w * kTilesPerWord + __builtin_ctzll(marks[w]));
            end = std::max(end, w * kTilesPerWord + 64 - __builtin_clzll(marks[w]));
            top = std::min(top, row);
            bottom = row + 1;
            marks[w] = 0;
        }
    }
    if (bottom == 0)
        return {0, 0, 0, 0};
    return TileRect(first, end, top, bottom);
}

}  // namespace app
