#include "engine/ParticleInfoList.h"

#include <cstring>

#include "base/Buffer.h"
#include "base/CheckedInt.h"
#include "engine/SPRAYSTYLE.h"

namespace app {

namespace {

constexpr int32_t kGrowth = 64;

enum LinkKind { LinkChild, LinkSibling };

// Where a key lies in the trie, or where it would be linked in.
struct SEARCH {
    int32_t found;   // -1 when the key is not in the trie
    int32_t holder;  // item whose child or sibling link points (or would point) there; -1: the root
    LinkKind kind;
    int32_t bit;  // branch bit of a new item
};

const unsigned char* Bytes(const PARTICLE_INFO_KEY& key) {
    return reinterpret_cast<const unsigned char*>(&key);
}

// The first bit from `start` on at which the keys differ, or -1.
int32_t FirstDifferingBit(const PARTICLE_INFO_KEY& a, const PARTICLE_INFO_KEY& b, int32_t start) {
    const unsigned char* x = Bytes(a);
    const unsigned char* y = Bytes(b);
    int32_t i = start / 8;
    if (i >= kKeyBytes)
        return -1;
    const int32_t shift = start % 8;
    const unsigned first = static_cast<unsigned>(x[i] ^ y[i]) >> shift;
    if (first != 0)
        return 8 * i + shift + __builtin_ctz(first);
    for (++i; i < kKeyBytes; ++i) {
        const unsigned d = static_cast<unsigned>(x[i] ^ y[i]);
        if (d != 0)
            return 8 * i + __builtin_ctz(d);
    }
    return -1;
}

PARTICLE_INFO_ITEM BlankItem() {
    PARTICLE_INFO_ITEM item;
    std::memset(&item, 0, sizeof item);
    item.references = 0;
    item.bit = -1;
    item.sibling = -1;
    item.child = -1;
    return item;
}

}  // namespace

class ParticleInfoListMember {
  public:
    Buffer<PARTICLE_INFO_ITEM> items;
    int32_t count = 0;
    int32_t freeHead = -1;
    int32_t root = -1;

    PARTICLE_INFO_ITEM* slots = nullptr;  // items' storage, refreshed whenever it changes

    PARTICLE_INFO_ITEM& At(int32_t index) { return slots[index]; }

    void Hold(int32_t itemCount) {
        const int32_t bytes =
            CheckedMultiply(itemCount, static_cast<int32_t>(sizeof(PARTICLE_INFO_ITEM)), ErrorOverflow);
        items.Reserve(bytes);
        slots = items.Data();
    }

    int32_t& Link(int32_t holder, LinkKind kind) {
        if (holder < 0)
            return root;
        return kind == LinkChild ? At(holder).child : At(holder).sibling;
    }

    SEARCH Search(const PARTICLE_INFO_KEY& key) {
        SEARCH s = {-1, -1, LinkChild, -1};
        int32_t n = root;
        int32_t start = 0;
        for (;;) {
            const int32_t b = FirstDifferingBit(At(n).key, key, start);
            if (b < 0) {
                s.found = n;
                return s;
            }
            s.bit = b;
            s.holder = n;
            s.kind = LinkChild;
            int32_t ch = At(n).child;
            bool descended = false;
            while (ch != -1) {
                const int32_t chBit = At(ch).bit;
                if (b < chBit)
                    return s;
                if (b == chBit) {
                    n = ch;
                    start = b + 1;
                    descended = true;
                    break;
                }
                s.holder = ch;
                s.kind = LinkSibling;
                ch = At(ch).sibling;
            }
            if (!descended)
                return s;
        }
    }

    void Grow() {
        const int32_t a = CheckedAdd(count, kGrowth, ErrorOverflow);
        Hold(a - a % kGrowth);
        PARTICLE_INFO_ITEM& slot = At(count);
        slot = BlankItem();
        slot.references = freeHead;
        freeHead = count;
        ++count;
    }

    void Unlink(int32_t x, int32_t holder, LinkKind kind) {
        int32_t& link = Link(holder, kind);
        PARTICLE_INFO_ITEM& item = At(x);
        item.references = freeHead;
        freeHead = x;
        if (item.child == -1) {
            link = item.sibling;
            return;
        }
        // The child that branches last takes x's place; the children that branch before it
        // become its first children, ahead of its own, so every child list stays sorted.
        const int32_t ch = item.child;
        int32_t z = ch;
        int32_t p = -1;
        while (At(z).sibling != -1) {
            p = z;
            z = At(z).sibling;
        }
        link = z;
        At(z).bit = item.bit;
        At(z).sibling = item.sibling;
        if (z != ch) {
            const int32_t saved = At(z).child;
            At(z).child = ch;
            At(p).sibling = saved;
        }
    }
};

ParticleInfoList::ParticleInfoList() : m_(std::make_unique<ParticleInfoListMember>()) {}

ParticleInfoList::~ParticleInfoList() = default;

bool ParticleInfoList::IsEmpty() const noexcept {
    return m_->root == -1;
}

PARTICLE_INFO_KEY ParticleInfoList::KeyOf(const SPRAYSTYLE& style) noexcept {
    PARTICLE_INFO_KEY key;
    std::memset(&key, 0, sizeof key);
    key.Color[0] = style.Color[0];
    key.Color[1] = style.Color[1];
    key.useFore = style.useFore ? 1 : 0;
    key.Coloring = style.Coloring;
    key.CycleLength = style.CycleLength;
    key.Repulsion = style.Repulsion;
    key.RepulsionArea = style.RepulsionArea;
    key.Gravity = style.Gravity;
    key.gravityArea = style.gravityArea;
    key.Brake = style.Brake;
    key.Viscosity = style.Viscosity;
    key.ViscosityArea = style.ViscosityArea;
    key.LimitedSpeed = style.LimitedSpeed;
    key.SpinAngle = style.SpinAngle;
    key.SpinAngleWiggle = style.SpinAngleWiggle;
    key.SplitAngle1 = style.SplitAngle1;
    key.SplitAngle2 = style.SplitAngle2;
    key.SplitAngleWiggle = style.SplitAngleWiggle;
    key.SplitRate = style.SplitRate;
    key.Life = style.Life;
    key.SpinStep = style.SpinStep;
    key.SplitMode = style.SplitMode;
    key.SplitStep1 = style.SplitStep1;
    key.SplitStep2 = style.SplitStep2;
    key.SplitLag = style.SplitLag;
    key.UseLimitedSpeed = style.UseLimitedSpeed ? 1 : 0;
    key.UseSpin = style.UseSpin ? 1 : 0;
    key.UseSplit = style.UseSplit ? 1 : 0;
    return key;
}

int32_t ParticleInfoList::Acquire(const SPRAYSTYLE& style) {
    PARTICLE_INFO_ITEM local = BlankItem();
    local.key = KeyOf(style);
    ParticleInfoListMember& m = *m_;
    if (m.root == -1) {
        // Starting over: earlier slots and the free list are forgotten, the storage is kept.
        m.Hold(kGrowth);
        m.At(0) = local;
        m.At(0).references = 1;
        m.root = 0;
        m.count = 1;
        m.freeHead = -1;
        return 0;
    }
    const SEARCH s = m.Search(local.key);
    if (s.found >= 0) {
        ++m.At(s.found).references;
        return s.found;
    }
    if (m.freeHead == -1)
        m.Grow();
    const int32_t slot = m.freeHead;
    m.freeHead = m.At(slot).references;
    PARTICLE_INFO_ITEM& item = m.At(slot);
    item = local;
    item.references = 1;
    item.bit = s.bit;
    int32_t& link = m.Link(s.holder, s.kind);
    item.sibling = link;
    link = slot;
    return slot;
}

void ParticleInfoList::AddRef(int32_t index) noexcept {
    ++m_->slots[index].references;
}

void ParticleInfoList::Release(int32_t index) noexcept {
    ParticleInfoListMember& m = *m_;
    if (--m.At(index).references != 0)
        return;
    const SEARCH s = m.Search(m.At(index).key);
    m.Unlink(s.found, s.holder, s.kind);
}

const PARTICLE_INFO_ITEM& ParticleInfoList::Item(int32_t index) const noexcept {
    return m_->slots[index];
}

const PARTICLE_INFO_ITEM* ParticleInfoList::Items() const noexcept {
    return m_->slots;
}

int32_t ParticleInfoList::Count() const noexcept {
    return m_->count;
}

int32_t ParticleInfoList::FreeHead() const noexcept {
    return m_->freeHead;
}

int32_t ParticleInfoList::Root() const noexcept {
    return m_->root;
}

int32_t ParticleInfoList::Capacity() const noexcept {
    return m_->items.Count();
}

}  // namespace app
