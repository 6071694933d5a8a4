#include "history/DelayDiff.h"

#include <algorithm>

namespace app {

class DelayDiffMember {
  public:
    std::unique_ptr<Delay> ownedA;
    std::unique_ptr<Delay> ownedB;
    Delay* a = nullptr;
    Delay* b = nullptr;
    bool add = false;
    bool changed = false;
};

namespace {

void AddBytes(unsigned char* out, const unsigned char* a, const unsigned char* b, int32_t count) {
    for (int32_t i = 0; i < count; ++i)
        out[i] = static_cast<unsigned char>(a[i] + b[i]);
}

// Returns the OR of every output byte, so that the caller learns "any non-zero" in the same pass.
unsigned SubtractBytes(unsigned char* out, const unsigned char* a, const unsigned char* b, int32_t count) {
    unsigned any = 0;
    for (int32_t i = 0; i < count; ++i) {
        const unsigned char value = static_cast<unsigned char>(a[i] - b[i]);
        out[i] = value;
        any |= value;
    }
    return any;
}

}  // namespace

DelayDiff::DelayDiff(Delay& a, Delay& b, bool add) : m_(std::make_unique<DelayDiffMember>()) {
    m_->a = &a;
    m_->b = &b;
    m_->add = add;
}

DelayDiff::DelayDiff(std::unique_ptr<Delay> a, std::unique_ptr<Delay> b, bool add)
    : m_(std::make_unique<DelayDiffMember>()) {
    m_->ownedA = std::move(a);
    m_->ownedB = std::move(b);
    m_->a = m_->ownedA.get();
    m_->b = m_->ownedB.get();
    m_->add = add;
}

DelayDiff::~DelayDiff() = default;

bool DelayDiff::AtEnd() const {
    return Available() == 0 && (m_->a->AtEnd() || m_->b->AtEnd());
}

bool DelayDiff::Changed() const {
    return m_->changed;
}

// Combines the sources window by window straight into the destination.  The destination may be
// A's own bytes: each output byte goes where the A byte it came from was, after that was read.
int32_t DelayDiff::Produce(unsigned char* destination, int32_t n) {
    Delay& a = *m_->a;
    Delay& b = *m_->b;
    int32_t total = 0;
    while (total < n) {
        if (a.AtEnd() || b.AtEnd())
            break;
        const unsigned char* bytesA = a.Current();
        const int32_t availableA = a.Available();
        const unsigned char* bytesB = b.Current();
        const int32_t availableB = b.Available();
        const int32_t count = std::min({n - total, availableA, availableB});
        if (count <= 0)
            break;  // a source that neither ends nor delivers
        if (m_->add) {
            AddBytes(destination + total, bytesA, bytesB, count);
        } else if (SubtractBytes(destination + total, bytesA, bytesB, count) != 0) {
            m_->changed = true;
        }
        a.Advance(count);
        b.Advance(count);
        total += count;
    }
    return total;
}

}  // namespace app
