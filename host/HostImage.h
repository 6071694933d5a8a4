#pragma once

#include "base/ImageSize.h"
#include "host/HostInterface.h"

namespace app {

class Image;

// The run state: what the last accepted FilterProc call handed over.  It stays set after the
// call returns; nothing clears it.
//
// Validates a FilterProc call and, when it is acceptable, stores its pointers as the run state.
// A refused call (no image, not 24 bits, a missing table) touches nothing.
bool AcceptHostImage(const HostImageInfo* info,
                     const HostRowAccess* write,
                     const HostRowAccess* read,
                     const char* path);

// The body of FilterProc: refused calls return 0; accepted ones run the filter and return 1,
// whatever happened inside the run (failures have been reported there).
using FilterRun = int (*)(void* hostWindow);
int32_t RunFilterProc(void* hostWindow,
                      const HostImageInfo* info,
                      const HostRowAccess* write,
                      const HostRowAccess* read,
                      const char* path,
                      FilterRun run);

ImageSize GetHostImageSize();
const char* GetHostPath();

// Copies the host image into a 4-byte document image already created with the host's size and
// cleared; and back.  Colour goes before alpha for every row, rows top first.
void ReadHostImage(Image& image);
void WriteHostImage(const Image& image);

}  // namespace app
