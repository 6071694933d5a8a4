// A real "disk full" for native tests: the process's file-size limit makes the system refuse
// a write once a file reaches the given size (POSIX only).
#pragma once

#ifndef _WIN32

#include <sys/resource.h>

#include <csignal>

namespace test {

// Limits the size of every file the process writes for the object's lifetime.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }
    bool Active() const { return active_; }

  private:
    rlimit previous_{};
    void (*previousSignal_)(int) = SIG_DFL;
    bool active_ = false;
};

}  // namespace test

#endif
