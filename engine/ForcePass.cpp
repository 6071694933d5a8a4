#include "engine/ForcePass.h"

#include <algorithm>

#include "base/WorkCrew.h"
#include "engine/CoreMember.h"
#include "engine/ForceBand.h"
#include "engine/Random.h"

namespace app {

namespace {

constexpr int32_t kMostBands = PartsFor(kMostCrew);

}  // namespace

ForcePass::ForcePass(CoreMember& core, const WORLD_SETTINGS& world) : m_(core), world_(world) {}

// Cuts the inner rows 1 ... gridHeight - 2 into bands of about equal particle counts; band b is
// rows starts[b] ... starts[b + 1] - 1.  Returns the number of bands.
int32_t ForcePass::CutBands(int32_t* starts) const {
    const int32_t inner = m_.gridHeight - 2;
    int32_t bands = std::min({static_cast<int32_t>(m_.bands.size()), PartsFor(m_.crew ? m_.crew->Size() : 1), inner});
    int64_t total = 0;
    for (int32_t i = 1; i <= inner && !m_.rows.IsEmpty(); ++i)
        total += m_.rows.ConstData()[i].count;
    if (m_.rows.IsEmpty() || total < m_.fewestToShare)
        bands = 1;
    starts[0] = 1;
    int64_t seen = 0;
    int32_t b = 1;
    for (int32_t i = 1; i <= inner && b < bands; ++i) {
        seen += m_.rows.ConstData()[i].count;
        // Leave every later band at least one row.
        if (seen * bands >= total * b && i < inner - (bands - b - 1))
            starts[b++] = i + 1;
    }
    starts[b] = inner + 1;
    return std::max(b, 1);
}

void ForcePass::Run() {
    if (m_.gridHeight < 3 || m_.bands.empty())
        return;
    int32_t starts[kMostBands + 1];
    const int32_t bands = CutBands(starts);
    const uint32_t origin = RandomState();
    if (bands == 1) {
        RANDOMSTREAM random{origin};
        ForceBand(m_, world_, m_.bands[0]).Run(1, m_.gridHeight - 1, 0, random);
        RestoreRandomState(random.state);
        return;
    }
    // The rows at each cut are changed by one band and read by the other: both copy them first.
    for (int32_t b = 1; b < bands; ++b) {
        ForceBand(m_, world_, m_.bands[b]).CopyRow(starts[b] - 1);
        ForceBand(m_, world_, m_.bands[b - 1]).CopyRowBelow(starts[b]);
    }
    // Each band draws from the sequence where the bands above it leave it: first every band
    // counts its draws, then each starts that many values further on.
    int64_t draws[kMostBands];
    auto count = [&](int32_t b) { draws[b] = ForceBand::CountDraws(m_, starts[b], starts[b + 1]); };
    m_.crew->Run(bands - 1, count);
    uint32_t states[kMostBands];
    states[0] = origin;
    for (int32_t b = 1; b < bands; ++b)
        states[b] = RandomStateAfter(states[b - 1], static_cast<uint64_t>(draws[b - 1]));
    uint32_t finals[kMostBands];
    auto run = [&](int32_t b) {
        RANDOMSTREAM random{states[b]};
        const int32_t copied = (b > 0 ? 1 : 0) | (b + 1 < bands ? 2 : 0);
        ForceBand(m_, world_, m_.bands[b]).Run(starts[b], starts[b + 1], copied, random);
        finals[b] = random.state;
    };
    m_.crew->Run(bands, run);
    RestoreRandomState(finals[bands - 1]);
}

}  // namespace app
