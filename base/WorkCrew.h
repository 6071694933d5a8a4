#pragma once

#include <cstdint>
#include <memory>

namespace app {

class WorkCrewMember;

// The most threads a crew has.
constexpr int32_t kMostCrew = 8;
// Work shared by a crew is cut into up to this many parts per thread, so that a thread slowed
// by other work on the machine, or given a heavier part, holds the others up less.
constexpr int32_t kPartsPerThread = 4;

// How many parts work is cut into for a crew of `threads`.
constexpr int32_t PartsFor(int32_t threads) {
    return threads > 1 ? threads * kPartsPerThread : 1;
}

// A few threads that share out one piece of work with the calling thread and wait for the
// next: a turn's passes split their work into parts whose results do not depend on which thread
// does which part, or when.  The threads live as long as the crew; they touch nothing but what a
// part's job gives them.  Running work allocates nothing.
class WorkCrew {
  public:
    // `size` threads in all, the caller included; at least 1.  Threads that cannot be started
    // are done without: the crew is then smaller.
    explicit WorkCrew(int32_t size);
    ~WorkCrew();
    WorkCrew(const WorkCrew&) = delete;
    WorkCrew& operator=(const WorkCrew&) = delete;

    int32_t Size() const noexcept;

    // Runs job(context, part) once for every part 0 ... parts - 1 and returns when all are done.
    // The caller and the threads each take the next part not yet taken until none is left, so a
    // thread slowed by other work on the machine takes fewer.  Jobs must not throw.
    void Run(int32_t parts, void (*job)(void* context, int32_t part), void* context) noexcept;

    template <typename Job>
    void Run(int32_t parts, Job& job) noexcept {
        Run(
            parts, [](void* context, int32_t part) { (*static_cast<Job*>(context))(part); }, &job);
    }

  private:
    std::unique_ptr<WorkCrewMember> m_;
};

// How many threads a turn's work is shared among by default: the processors the system reports,
// at least 1 and at most 8.
int32_t DefaultCrewSize() noexcept;

}  // namespace app
