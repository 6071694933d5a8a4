#include "history/ImageStep.h"

#include <cstring>
#include <memory>

#include "base/Exception.h"
#include "base/Image.h"
#include "history/DelayBuffer.h"
#include "history/DelayCompress.h"
#include "history/DelayDiff.h"
#include "history/History.h"
#include "history/HistoryItem.h"
#include "history/HistoryReader.h"
#include "history/HistoryWriter.h"

namespace app {

namespace {

void CopyBytes(unsigned char* destination, const unsigned char* source, int32_t bytes) {
    if (bytes > 0)
        std::memcpy(destination, source, static_cast<size_t>(bytes));
}

// Combines one image item's difference with the image, window by window and in place.  The
// difference must cover the image exactly and its zlib stream must end cleanly.
// `touched` tells whether the image may have been written.
bool ApplyImageItem(HistoryReader& reader, unsigned char* image, int32_t bytes, bool undo, bool& touched) {
    std::unique_ptr<DelayCompress> difference;
    reader.ReadData(difference);
    DelayBuffer current(image, bytes);
    DelayDiff combined(current, *difference, !undo);
    touched = true;
    const int32_t written = combined.Read(image, bytes);
    if (written != bytes)
        return false;
    difference->Current();  // runs the inflater to its end: a longer difference is broken too
    return difference->Available() == 0 && difference->AtEnd() && !difference->Failed();
}

void CheckSameSize(const Image& image, const Image& previous) {
    if (image.ByteSize() != previous.ByteSize())
        throw Exception(ErrorImageSize);
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
                if (!ApplyImageItem(reader, image, bytes, undo, touched))
                    throw Exception(ErrorReadItem);
                CopyBytes(previous, image, bytes);
            }
            reader.Next();
        }
        reader.Finish();
    } catch (...) {
        // A partly combined image must go back to the state that the history's position, which
        // the failed replay leaves as it was, stands for.  An untouched image is left alone.
        if (touched)
            CopyBytes(image, previous, bytes);
        throw;
    }
}

bool RecordImageStep(History& history, const Image& image, Image& previous) {
    CheckSameSize(image, previous);
    return RecordImageStep(history, image.ConstData(), previous.Data(), image.ByteSize());
}

void UndoImageStep(History& history, Image& image, Image& previous) {
    CheckSameSize(image, previous);
    ReplayImageStep(history, image.Data(), previous.Data(), image.ByteSize(), true);
}

void RedoImageStep(History& history, Image& image, Image& previous) {
    CheckSameSize(image, previous);
    ReplayImageStep(history, image.Data(), previous.Data(), image.ByteSize(), false);
}

}  // namespace app
