// Fuzz target for the .spr reader: any byte sequence either loads or is refused with code 7
// (broken) or 8 (newer version).  Anything else - another exception, a crash, a read past the
// end, a hang or an allocation the file cannot justify - is a fault.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/FileException.h"
#include "settings/PresetCatalogue.h"

namespace {

// The reader works on files, so every input goes through one file of this process.
const std::string& InputPath() {
    static const std::string path = [] {
        const char* folder = std::getenv("TMPDIR");
        return std::string(folder && *folder ? folder : "/tmp") + "/driftlace-fuzz-" + std::to_string(getpid()) +
               ".spr";
    }();
    return path;
}

bool WriteInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!WriteInput(data, size))
        std::abort();
    app::PresetCatalogue catalogue;
    try {
        if (!catalogue.LoadCatalogue(InputPath()))
            std::abort();
    } catch (const app::FileException& e) {
        if (e.Code() != app::ErrorBrokenFile && e.Code() != app::ErrorNewerFile)
            std::abort();
    }
    // Every preset costs at least its end tag.
    if (static_cast<size_t>(catalogue.Count()) > size / 4)
        std::abort();
    return 0;
}
