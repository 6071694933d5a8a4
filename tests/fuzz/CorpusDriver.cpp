// Runs every file of the fuzz corpus through the fuzz target once, without libFuzzer, so that
// the corpus serves as a regression test in every native build.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<fs::path> paths;
        if (fs::is_directory(argv[i])) {
            for (const auto& entry : fs::directory_iterator(argv[i]))
                paths.push_back(entry.path());
        } else {
            paths.emplace_back(argv[i]);
        }
        for (const fs::path& path : paths) {
            std::ifstream file(path, std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++files;
        }
    }
    std::printf("%d inputs read\n", files);
    return files > 0 ? 0 : 1;
}
