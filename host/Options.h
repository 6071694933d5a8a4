#pragma once

#include <cstdint>

namespace app {

// The options that tune a filter run: turn pacing, screen refresh, the background behind
// transparent pixels and the length of the undo history.  One record for the whole process,
// read by copy and replaced as a whole.
struct OPTIONS {
    int32_t turnInterval;        // milliseconds between the starts of two turns, at least 1
    int32_t displayingInterval;  // the screen is redrawn after every this many turns, at least 1
    int32_t viewMat;             // background: 0 checker, 1 black, 2 white
    int32_t historyMax;          // most undo steps kept; 0 disables the history
};

constexpr OPTIONS kDefaultOptions = {40, 1, 0, 100};

// Returns the record, and fills `copy` with it when one is given.
OPTIONS GetOptions(OPTIONS* copy = nullptr);
void SetOptions(const OPTIONS& options);

// What loading does to stored values: intervals below 1 become 1, a negative history
// length 0.
void ClampLoadedOptions(OPTIONS& options) noexcept;

}  // namespace app
