#include "settings/IniFileBackend.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <utility>
#include <vector>

#include "base/FileException.h"
#include "base/System.h"

namespace app {

namespace {

constexpr const char* kRootSection = "App";
constexpr const char* kSpaces = " \t\r\n\v\f";

// One line of a section: "key=value", or a line without "=" (kept as it was, read as absent).
struct IniLine {
    std::string key;
    std::string value;
    bool hasValue;
};

// The lines before the first header form a section without a name or a header.
struct IniSection {
    std::string name;
    bool header;
    std::vector<IniLine> lines;
};

bool SameName(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && !b[i];
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(kSpaces);
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(kSpaces);
    return text.substr(first, last - first + 1);
}

// A stored value as the profile functions hand it out: up to a NUL, without the spaces around
// it, and without one pair of matching quotes (" or ') around the whole.
std::string ValueText(const std::string& stored) {
    const std::string value = Trimmed(stored.substr(0, stored.find('\0')));
    const char quote = value.empty() ? '\0' : value.front();
    if (value.size() >= 2 && (quote == '"' || quote == '\'') && value.back() == quote)
        return value.substr(1, value.size() - 2);
    return value;
}

// A digit's value in any base up to 16; other characters are worth more than any digit.
uint32_t DigitValue(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isdigit(u))
        return u - '0';
    if (std::isxdigit(u))
        return static_cast<uint32_t>(std::tolower(u) - 'a' + 10);
    return 99;
}

// A missing file holds no values.  A file that is there but cannot be read, or is larger than
// any settings file can be, is refused: taken for empty, its values would be lost at the save.
std::string ReadWholeFile(const std::string& path) {
    int32_t error = 0;
    const FileHandle file = OpenFileForReading(path, &error);
    if (file == kNoFile) {
        if (IsMissingFileError(error))
            return std::string();
        throw FileException(ErrorSystem, error, path);
    }
    std::string text;
    char chunk[4096];
    int32_t got = 0;
    while ((got = ReadFileBytes(file, chunk, sizeof chunk, &error)) > 0 &&
           text.size() <= static_cast<size_t>(IniFileBackend::kMostBytes))
        text.append(chunk, static_cast<size_t>(got));
    int32_t ignored = 0;
    CloseFile(file, &ignored);
    if (got < 0)
        throw FileException(ErrorSystem, error, path);
    if (text.size() > static_cast<size_t>(IniFileBackend::kMostBytes))
        throw FileException(ErrorFileTooLarge, 0, path);
    return text;
}

// The file as the profile functions read it: lines end at CR or LF; a line that starts with "["
// and holds a "]" is a section header, named by what lies between the "[" and the last "]";
// other lines are "key=value" with spaces around both ignored.
std::vector<IniSection> ParseIni(const std::string& text) {
    std::vector<IniSection> sections(1, IniSection{std::string(), false, {}});
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        if (line.empty())
            continue;
        const size_t close = line.rfind(']');
        if (line[0] == '[' && close != std::string::npos) {
            sections.push_back({Trimmed(line.substr(1, close - 1)), true, {}});
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            sections.back().lines.push_back({line, std::string(), false});
        else
            sections.back().lines.push_back({Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)), true});
    }
    return sections;
}

std::string FormatIni(const std::vector<IniSection>& sections) {
    std::string text;
    for (const IniSection& section : sections) {
        if (section.header)
            text += "[" + section.name + "]\r\n";
        for (const IniLine& line : section.lines)
            text += line.hasValue ? line.key + "=" + line.value + "\r\n" : line.key + "\r\n";
    }
    return text;
}

}  // namespace

class IniFileBackendMember {
  public:
    std::string path;
    std::vector<IniSection> sections;
    std::string section = kRootSection;
    bool modified = false;

    // Only the first section of a name counts, as with the profile functions; a later one of
    // the same name is kept in the file but never read or written.
    IniSection* FindSection(bool create) {
        for (IniSection& candidate : sections) {
            if (candidate.header && SameName(candidate.name, section.c_str()))
                return &candidate;
        }
        if (!create)
            return nullptr;
        sections.push_back({section, true, {}});
        return &sections.back();
    }

    // The first line of the key in the section; a key given twice is read from its first line.
    IniLine* FindLine(IniSection* current, const char* key) {
        if (!current)
            return nullptr;
        for (IniLine& line : current->lines) {
            if (SameName(line.key, key))
                return &line;
        }
        return nullptr;
    }

    const std::string* Find(const char* key) {
        const IniLine* line = FindLine(FindSection(false), key);
        return line && line->hasValue ? &line->value : nullptr;
    }

    void Write(const char* key, const std::string& text) {
        IniSection* current = FindSection(true);
        modified = true;
        if (IniLine* line = FindLine(current, key)) {
            line->value = text;
            line->hasValue = true;
            return;
        }
        current->lines.push_back({key, text, true});
    }
};

int32_t ParseProfileInt(const std::string& text) {
    size_t i = text.find_first_not_of(kSpaces);
    if (i == std::string::npos)
        return 0;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+')
        negative = text[i++] == '-';
    uint32_t base = 10;
    if (text.compare(i, 2, "0x") == 0)
        base = 16;
    else if (text.compare(i, 2, "0o") == 0)
        base = 8;
    else if (text.compare(i, 2, "0b") == 0)
        base = 2;
    if (base != 10)
        i += 2;
    // Beyond 32 bits the value stays at the most it can be instead of wrapping round.
    constexpr uint64_t kCeiling = uint64_t{1} << 32;
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const uint32_t digit = DigitValue(text[i]);
        if (digit >= base)
            break;
        value = std::min(value * base + digit, kCeiling);
    }
    if (negative)
        return value >= uint64_t{1} << 31 ? INT32_MIN : -static_cast<int32_t>(value);
    return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

IniFileBackend::IniFileBackend(const std::string& path) : m_(std::make_unique<IniFileBackendMember>()) {
    m_->path = path;
    m_->sections = ParseIni(ReadWholeFile(path));
}

IniFileBackend::~IniFileBackend() = default;

void IniFileBackend::SelectSection(const char* name) {
    m_->section = name ? name : kRootSection;
}

int32_t IniFileBackend::ReadInt(const char* key, int32_t defaultValue) {
    const std::string* stored = m_->Find(key);
    const std::string text = stored ? ValueText(*stored) : std::string();
    return text.empty() ? defaultValue : ParseProfileInt(text);
}

std::string IniFileBackend::ReadText(const char* key, const std::string& defaultValue) {
    const std::string* stored = m_->Find(key);
    if (!stored)
        return defaultValue;
    std::string value = ValueText(*stored);
    return value.size() > kMostTextValueBytes ? defaultValue : value;
}

void IniFileBackend::WriteInt(const char* key, int32_t value) {
    m_->Write(key, std::to_string(value));
}

void IniFileBackend::WriteText(const char* key, const std::string& value) {
    m_->Write(key, value);
}

void IniFileBackend::Close() {
    if (!m_->modified)
        return;
    const std::string text = FormatIni(m_->sections);
    int32_t error = 0;
    const std::string temporary = CreateTemporaryBeside(m_->path, &error);
    if (temporary.empty())
        throw FileException(ErrorSystem, error, m_->path);
    bool created = false;
    const FileHandle file = OpenFileForWriting(temporary, &created, &error);
    bool written = file != kNoFile && WriteFileBytes(file, text.data(), static_cast<int32_t>(text.size()), &error);
    if (file != kNoFile)
        written = CloseFile(file, &error) && written;
    if (!written || !ReplaceFileWith(temporary, m_->path, &error)) {
        RemoveFile(temporary);
        throw FileException(ErrorSystem, error, m_->path);
    }
    m_->modified = false;
}

}  // namespace app
