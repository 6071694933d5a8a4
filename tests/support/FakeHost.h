#pragma once

#include <vector>

#include "host/HostImage.h"
#include "host/HostInterface.h"

namespace test {

// An in-process host image with row functions that record every call.  One at a time: the row
// functions reach it through a process-wide pointer, as the host's own would.
class FakeHost {
  public:
    struct Call {
        bool writing;
        bool colour;
        int32_t row, first, last, minusOne, one;
    };

    FakeHost(int32_t width, int32_t height);
    ~FakeHost();

    // Hands the image to the program as FilterProc would, without running anything.
    void Accept();

    static std::vector<Call>& Calls();

    HostImageInfo info;
    HostRowAccess read;
    HostRowAccess write;
    std::vector<unsigned char> colour;  // blue, green, red
    std::vector<unsigned char> alpha;
};

}  // namespace test
