#pragma once

#include <string>
#include <vector>

namespace test {

// A fresh folder for one test's files, removed with everything in it when the object goes.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }  // ends with a separator
    std::string File(const std::string& name) const { return path_ + name; }

  private:
    std::string path_;
};

std::string ReadFileText(const std::string& path);
// The names of what a folder holds, sorted: for tests that nothing was left behind.
std::vector<std::string> FileNamesIn(const std::string& folder);
void WriteFileText(const std::string& path, const std::string& text);
std::string SourcePath(const std::string& relative);

// Texts that the code under test reported as failures, oldest first.
std::vector<std::string>& ReportedFailures();

}  // namespace test
