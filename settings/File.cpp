#include "settings/File.h"

#include <algorithm>
#include <cstring>

#include "base/FileException.h"
#include "base/System.h"

namespace app {

namespace {

constexpr int32_t kBufferBytes = 4096;

void PutInt32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetInt32(const uint8_t* bytes) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    return value;
}

void PutReal(uint8_t* bytes, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
}

double GetReal(const uint8_t* bytes) {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= static_cast<uint64_t>(bytes[i]) << (8 * i);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

class FileMember {
  public:
    std::string name;
    FileHandle handle = kNoFile;
    bool createdNew = false;
    bool writing = false;
    // Reading: buffer[position, filled) is still unread.  Writing: buffer[0, filled) is pending.
    uint8_t buffer[kBufferBytes];
    int32_t position = 0;
    int32_t filled = 0;

    [[noreturn]] void FailSystem(int32_t error) const { throw FileException(ErrorSystem, error, name); }

    void Flush() {
        if (filled == 0)
            return;
        int32_t error = 0;
        const int32_t pending = filled;
        filled = 0;
        if (!WriteFileBytes(handle, buffer, pending, &error))
            FailSystem(error);
    }

    void Write(const void* data, int32_t bytes) {
        const uint8_t* from = static_cast<const uint8_t*>(data);
        while (bytes > 0) {
            if (filled == kBufferBytes)
                Flush();
            const int32_t part = std::min(bytes, kBufferBytes - filled);
            std::memcpy(buffer + filled, from, static_cast<size_t>(part));
            filled += part;
            from += part;
            bytes -= part;
        }
    }

    // Fills the buffer again when it is used up; false at the end of the file.
    bool Refill() {
        if (position < filled)
            return true;
        int32_t error = 0;
        const int32_t got = ReadFileBytes(handle, buffer, kBufferBytes, &error);
        if (got < 0)
            FailSystem(error);
        position = 0;
        filled = got;
        return got > 0;
    }

    // Reads up to `bytes`; returns how many there were before the end of the file.
    int32_t Read(void* data, int32_t bytes) {
        uint8_t* to = static_cast<uint8_t*>(data);
        int32_t total = 0;
        while (total < bytes && Refill()) {
            const int32_t part = std::min(bytes - total, filled - position);
            std::memcpy(to + total, buffer + position, static_cast<size_t>(part));
            position += part;
            total += part;
        }
        return total;
    }
};

File::File() : m_(std::make_unique<FileMember>()) {}

File::~File() {
    if (m_->handle == kNoFile)
        return;
    int32_t error = 0;
    CloseFile(m_->handle, &error);
    if (m_->writing && m_->createdNew)
        RemoveFile(m_->name);
}

bool File::OpenForReading(const std::string& path) {
    int32_t error = 0;
    const FileHandle handle = app::OpenFileForReading(path, &error);
    if (handle == kNoFile && IsMissingFileError(error))
        return false;
    if (handle == kNoFile)
        throw FileException(ErrorSystem, error, path);
    m_->name = path;
    m_->handle = handle;
    m_->createdNew = false;
    m_->writing = false;
    m_->position = m_->filled = 0;
    return true;
}

void File::CreateForWriting(const std::string& path) {
    m_->name = path;
    int32_t error = 0;
    bool created = false;
    const FileHandle handle = OpenFileForWriting(path, &created, &error);
    if (handle == kNoFile)
        m_->FailSystem(error);
    m_->handle = handle;
    m_->createdNew = created;
    m_->writing = true;
    m_->position = m_->filled = 0;
}

void File::Close() {
    if (m_->handle == kNoFile)
        return;
    if (m_->writing)
        m_->Flush();
    int32_t error = 0;
    const FileHandle handle = m_->handle;
    m_->handle = kNoFile;
    if (!CloseFile(handle, &error)) {
        // The data may not have reached the disk: a new file is not worth keeping.
        if (m_->writing && m_->createdNew)
            RemoveFile(m_->name);
        m_->FailSystem(error);
    }
}

bool File::IsOpen() const {
    return m_->handle != kNoFile;
}

bool File::CreatedNew() const {
    return m_->createdNew;
}

const std::string& File::FileName() const {
    return m_->name;
}

void File::FailBroken() const {
    throw FileException(ErrorBrokenFile, 0, m_->name);
}

void File::ExpectLength(int32_t length) {
    if (ReadInt() != length)
        FailBroken();
}

void File::WriteInt(int32_t value) {
    uint8_t bytes[4];
    PutInt32(bytes, static_cast<uint32_t>(value));
    m_->Write(bytes, 4);
}

int32_t File::ReadInt() {
    uint8_t bytes[4];
    if (m_->Read(bytes, 4) != 4)
        FailBroken();
    return static_cast<int32_t>(GetInt32(bytes));
}

void File::WriteTaggedInt(int32_t tag, int32_t value) {
    WriteInt(tag);
    WriteInt(4);
    WriteInt(value);
}

int32_t File::ReadTaggedInt() {
    ExpectLength(4);
    return ReadInt();
}

void File::WriteTaggedBool(int32_t tag, bool value) {
    WriteTaggedInt(tag, value ? 1 : 0);
}

bool File::ReadTaggedBool() {
    return ReadTaggedInt() != 0;
}

void File::WriteTaggedReal(int32_t tag, double value) {
    uint8_t bytes[8];
    PutReal(bytes, value);
    WriteInt(tag);
    WriteInt(8);
    m_->Write(bytes, 8);
}

double File::ReadTaggedReal() {
    ExpectLength(8);
    uint8_t bytes[8];
    if (m_->Read(bytes, 8) != 8)
        FailBroken();
    return GetReal(bytes);
}

void File::WriteTaggedPair(int32_t tag, double first, double second) {
    uint8_t bytes[16];
    PutReal(bytes, first);
    PutReal(bytes + 8, second);
    WriteInt(tag);
    WriteInt(16);
    m_->Write(bytes, 16);
}

void File::ReadTaggedPair(double* first, double* second) {
    ExpectLength(16);
    uint8_t bytes[16];
    if (m_->Read(bytes, 16) != 16)
        FailBroken();
    *first = GetReal(bytes);
    *second = GetReal(bytes + 8);
}

void File::WriteTaggedText(int32_t tag, const std::string& text) {
    const size_t characters = std::strlen(text.c_str());
    if (characters > static_cast<size_t>(INT32_MAX - 1))
        throw FileException(ErrorOverflow, 0, m_->name);
    const int32_t length = static_cast<int32_t>(characters) + 1;
    WriteInt(tag);
    WriteInt(length);
    m_->Write(text.c_str(), length);
}

std::string File::ReadTaggedText() {
    const int32_t length = ReadInt();
    if (length < 0)
        FailBroken();
    // The text grows only with bytes actually read, so a huge length in a short file costs
    // nothing before the file runs out.
    std::string text;
    uint8_t chunk[kBufferBytes];
    int32_t left = length;
    while (left > 0) {
        const int32_t part = std::min(left, kBufferBytes);
        if (m_->Read(chunk, part) != part)
            FailBroken();
        text.append(reinterpret_cast<const char*>(chunk), static_cast<size_t>(part));
        left -= part;
    }
    const size_t end = text.find('\0');
    if (end != std::string::npos)
        text.resize(end);
    return text;
}

}  // namespace app
