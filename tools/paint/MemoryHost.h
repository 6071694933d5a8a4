#pragma once

#include <string>
#include <vector>

#include "host/HostInterface.h"
#include "tools/common/PngFile.h"

namespace tools {

// The host's side of the image exchange, in this process: a picture laid out as the host keeps
// it (blue, green, red rows and an opacity byte per pixel) with the row functions that read and
// write it.  One at a time, since the row functions find it through a process-wide pointer.
class MemoryHost {
  public:
    explicit MemoryHost(const RgbaPicture& picture);
    ~MemoryHost();
    MemoryHost(const MemoryHost&) = delete;
    MemoryHost& operator=(const MemoryHost&) = delete;

    // Hands the image to the program as FilterProc does; the program writes back into it.
    void Accept(const std::string& hostPath);
    RgbaPicture Picture() const;

    HostImageInfo info{};
    HostRowAccess read{};
    HostRowAccess write{};
    std::vector<unsigned char> colour;
    std::vector<unsigned char> alpha;
};

}  // namespace tools
