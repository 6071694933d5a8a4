#include "base/WorkCrew.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace app {

class WorkCrewMember {
  public:
    std::mutex lock;
    std::condition_variable wake;  // a new piece of work, or the end
    std::condition_variable done;  // a part finished
    std::vector<std::thread> threads;
    uint64_t generation = 0;  // counts pieces of work handed out
    int32_t parts = 0;
    int32_t pending = 0;  // parts of the current piece not finished yet
    void (*job)(void*, int32_t) = nullptr;
    void* context = nullptr;
    bool stopping = false;

    // Thread `part` waits for each piece of work that has a part for it.
    void Serve(int32_t part) {
        uint64_t seen = 0;
        std::unique_lock<std::mutex> guard(lock);
        for (;;) {
            wake.wait(guard, [&] { return stopping || generation != seen; });
            if (stopping)
                return;
            seen = generation;
            if (part >= parts)
                continue;
            void (*run)(void*, int32_t) = job;
            void* with = context;
            guard.unlock();
            run(with, part);
            guard.lock();
            if (--pending == 0)
                done.notify_all();
        }
    }
};

WorkCrew::WorkCrew(int32_t size) : m_(std::make_unique<WorkCrewMember>()) {
    size = std::clamp(size, 1, kMostCrew);
    for (int32_t part = 1; part < size; ++part) {
        try {
            m_->threads.emplace_back([this, part] { m_->Serve(part); });
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
    parts = std::min(parts, Size());
    if (parts <= 1) {
        if (parts == 1)
            job(context, 0);
        return;
    }
    WorkCrewMember& m = *m_;
    {
        std::lock_guard<std::mutex> guard(m.lock);
        m.job = job;
        m.context = context;
        m.parts = parts;
        m.pending = parts - 1;
        ++m.generation;
    }
    m.wake.notify_all();
    job(context, 0);
    std::unique_lock<std::mutex> guard(m.lock);
    m.done.wait(guard, [&] { return m.pending == 0; });
}

int32_t DefaultCrewSize() noexcept {
    const unsigned processors = std::thread::hardware_concurrency();
    return std::clamp(static_cast<int32_t>(processors), 1, kMostCrew);
}

}  // namespace app
