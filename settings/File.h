#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace app {

class FileMember;

// A binary file of little-endian tagged values, read or written front to back.
//
// A tagged value is a tag, a payload length and the payload; the tag is read by the caller
// (ReadInt), who then asks for the value it expects, and a payload of another length marks the
// file as broken.  Every failure names the file: code 1 with the system's error number when the
// system refuses, code 7 when the bytes are not what the layout promises (also a file that ends
// inside a value).  A file that this object created is deleted again when the object is
// destroyed without having been closed, so an interrupted write leaves no half-written new file.
class File {
  public:
    File();
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens for shared reading.  False, without a failure, when there is no such file; a file
    // that is there but cannot be opened (locked, no access) raises code 1 with its path.
    bool OpenForReading(const std::string& path);
    // Creates a new file, or truncates an existing one.
    void CreateForWriting(const std::string& path);
    // Writes what is pending and closes; the file then stays whatever happens to the object.
    void Close();

    bool IsOpen() const;
    bool CreatedNew() const;
    const std::string& FileName() const;

    // Plain int32: magic, version, counts and tags.
    void WriteInt(int32_t value);
    int32_t ReadInt();

    // The Read functions below are called after the tag: they read the length and the payload.
    void WriteTaggedInt(int32_t tag, int32_t value);
    int32_t ReadTaggedInt();
    void WriteTaggedBool(int32_t tag, bool value);  // as int32 1 or 0
    bool ReadTaggedBool();                          // any non-zero is true
    void WriteTaggedReal(int32_t tag, double value);
    double ReadTaggedReal();
    void WriteTaggedPair(int32_t tag, double first, double second);
    void ReadTaggedPair(double* first, double* second);
    // Text with its terminating NUL; reading keeps the characters before the first NUL.
    void WriteTaggedText(int32_t tag, const std::string& text);
    std::string ReadTaggedText();

  private:
    void ExpectLength(int32_t length);
    [[noreturn]] void FailBroken() const;

    std::unique_ptr<FileMember> m_;
};

}  // namespace app
