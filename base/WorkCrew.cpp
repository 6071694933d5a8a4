#include "base/WorkCrew.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace app {

class WorkCrewMember {
  public:
    std::mutex lock;
    std::condition_variable wake;  // a new piece of work, or the end
    std::condition_variable done;  // the last part of a piece finished
    std::vector<std::thread> threads;
    uint32_t generation = 0;  // counts pieces of work handed out
    void (*job)(void*, int32_t) = nullptr;
    void* context = nullptr;
    int32_t parts = 0;
    // The piece's generation (high half) and its next part not taken yet (low half): a part is
    // taken only by a thread that knows the piece it belongs to, so a thread that wakes late
    // for a finished piece takes nothing from the next one.
    std::atomic<uint64_t> ticket{0};
    std::atomic<int32_t> unfinished{0};
    bool stopping = false;

    // Takes parts of piece `piece` until none is left.
    void Work(uint32_t piece, void (*run)(void*, int32_t), void* with, int32_t count) {
        uint64_t t = ticket.load();
        while ((t >> 32) == piece && static_cast<int32_t>(t & 0xFFFFFFFFu) < count) {
            if (!ticket.compare_exchange_weak(t, t + 1))
                continue;
            run(with, static_cast<int32_t>(t & 0xFFFFFFFFu));
            if (unfinished.fetch_sub(1) == 1) {
                std::lock_guard<std::mutex> guard(lock);
                done.notify_all();
            }
            t = ticket.load();
        }
    }

    // A thread of the crew: waits for each piece of work and joins in.
    void Serve() {
        uint32_t seen = 0;
        std::unique_lock<std::mutex> guard(lock);
        for (;;) {
            wake.wait(guard, [&] { return stopping || generation != seen; });
            if (stopping)
                return;
            seen = generation;
            void (*run)(void*, int32_t) = job;
            void* with = context;
            const int32_t count = parts;
            guard.unlock();
            Work(seen, run, with, count);
            guard.lock();
        }
    }
};

WorkCrew::WorkCrew(int32_t size) : m_(std::make_unique<WorkCrewMember>()) {
    size = std::clamp(size, 1, kMostCrew);
    for (int32_t thread = 1; thread < size; ++thread) {
        try {
            m_->threads.emplace_back([this] { m_->Serve(); });
        } catch (...) {
            break;  // no more threads to be had: the crew works with those it has
        }
    }
}

WorkCrew::~WorkCrew() {
    {
        std::lock_guard<std::mutex> guard(m_->lock);
        m_->stopping = true;
    }
    m_->wake.notify_all();
    for (std::thread& thread : m_->threads)
        thread.join();
}

int32_t WorkCrew::Size() const noexcept {
    return static_cast<int32_t>(m_->threads.size()) + 1;
}

void WorkCrew::Run(int32_t parts, void (*job)(void* context, int32_t part), void* context) noexcept {
    WorkCrewMember& m = *m_;
    if (parts <= 1 || m.threads.empty()) {
        for (int32_t part = 0; part < parts; ++part)
            job(context, part);
        return;
    }
    uint32_t piece;
    {
        std::lock_guard<std::mutex> guard(m.lock);
        piece = ++m.generation;
        m.job = job;
        m.context = context;
        m.parts = parts;
        m.unfinished.store(parts);
        m.ticket.store(uint64_t{piece} << 32);
    }
    m.wake.notify_all();
    m.Work(piece, job, context, parts);
    std::unique_lock<std::mutex> guard(m.lock);
    m.done.wait(guard, [&] { return m.unfinished.load() == 0; });
}

int32_t DefaultCrewSize() noexcept {
    const unsigned processors = std::thread::hardware_concurrency();
    return std::clamp(static_cast<int32_t>(processors), 1, kMostCrew);
}

}  // namespace app
