#pragma once

#include <cstdint>
#include <memory>

#include "engine/PARTICLE_INFO_ITEM.h"

namespace app {

class ParticleInfoListMember;
struct SPRAYSTYLE;

// The table of style snapshots that particles point to.  Each distinct key is kept once, found
// through a bitwise trie over its bytes, counted by reference and recycled through a free list.
// Indexes stay valid while referenced; callers pass only indexes they hold a reference on.
class ParticleInfoList {
  public:
    ParticleInfoList();
    ~ParticleInfoList();
    ParticleInfoList(const ParticleInfoList&) = delete;
    ParticleInfoList& operator=(const ParticleInfoList&) = delete;

    bool IsEmpty() const noexcept;
    // The item whose key is that of `style` (engine form), with one more reference.
    int32_t Acquire(const SPRAYSTYLE& style);
    void AddRef(int32_t index) noexcept;
    void Release(int32_t index) noexcept;
    const PARTICLE_INFO_ITEM& Item(int32_t index) const noexcept;

    // Direct view of the slots for the inner loops; valid until the next Acquire.
    const PARTICLE_INFO_ITEM* Items() const noexcept;
    // Slots brought into use, the free list's head and the trie's root (-1 for none).
    int32_t Count() const noexcept;
    int32_t FreeHead() const noexcept;
    int32_t Root() const noexcept;
    int32_t Capacity() const noexcept;

    static PARTICLE_INFO_KEY KeyOf(const SPRAYSTYLE& style) noexcept;

  private:
    std::unique_ptr<ParticleInfoListMember> m_;
};

}  // namespace app
