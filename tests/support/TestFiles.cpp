#include "tests/support/TestFiles.h"

#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::mt19937 names(std::random_device{}());
    for (;;) {
        const fs::path candidate = fs::temp_directory_path() / ("driftlace-test-" + std::to_string(names()));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            path_ = candidate.string() + static_cast<char>(fs::path::preferred_separator);
            return;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFileText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
}

std::string SourcePath(const std::string& relative) {
    return std::string(DRIFTLACE_SOURCE_DIR) + "/" + relative;
}

std::vector<std::string>& ReportedFailures() {
    static std::vector<std::string> failures;
    return failures;
}

}  // namespace test
