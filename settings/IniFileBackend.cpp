#include "settings/IniFileBackend.h"

#include <cctype>
#include <cstdlib>
#include <utility>
#include <vector>

#include "base/FileException.h"
#include "base/System.h"

namespace app {

namespace {

constexpr const char* kRootSection = "App";

struct IniSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;
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
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::string ReadWholeFile(const std::string& path) {
    int32_t error = 0;
    const FileHandle file = OpenFileForReading(path, &error);
    if (file == kNoFile)
        return std::string();  // a missing file holds no values
    std::string text;
    char chunk[4096];
    for (;;) {
        const int32_t got = ReadFileBytes(file, chunk, sizeof chunk, &error);
        if (got <= 0)
            break;
        text.append(chunk, static_cast<size_t>(got));
    }
    CloseFile(file, &error);
    return text;
}

std::vector<IniSection> ParseIni(const std::string& text) {
    std::vector<IniSection> sections;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            const size_t close = line.find(']');
            sections.push_back({line.substr(1, close == std::string::npos ? std::string::npos : close - 1), {}});
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos || sections.empty())
            continue;
        sections.back().values.emplace_back(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)));
    }
    return sections;
}

std::string FormatIni(const std::vector<IniSection>& sections) {
    std::string text;
    for (const IniSection& section : sections) {
        text += "[" + section.name + "]\r\n";
        for (const auto& value : section.values)
            text += value.first + "=" + value.second + "\r\n";
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

    IniSection* FindSection(bool create) {
        for (IniSection& candidate : sections) {
            if (SameName(candidate.name, section.c_str()))
                return &candidate;
        }
        if (!create)
            return nullptr;
        sections.push_back({section, {}});
        return &sections.back();
    }

    const std::string* Find(const char* key) {
        IniSection* current = FindSection(false);
        if (!current)
            return nullptr;
        for (const auto& value : current->values) {
            if (SameName(value.first, key))
                return &value.second;
        }
        return nullptr;
    }

    void Write(const char* key, const std::string& text) {
        IniSection* current = FindSection(true);
        modified = true;
        for (auto& value : current->values) {
            if (SameName(value.first, key)) {
                value.second = text;
                return;
            }
        }
        current->values.emplace_back(key, text);
    }
};

int32_t ParseProfileInt(const std::string& text) {
    const std::string digits = Trimmed(text);
    size_t i = 0;
    bool negative = false;
    if (i < digits.size() && (digits[i] == '-' || digits[i] == '+'))
        negative = digits[i++] == '-';
    uint32_t value = 0;
    for (; i < digits.size() && std::isdigit(static_cast<unsigned char>(digits[i])); ++i) {
        value = value * 10u + static_cast<uint32_t>(digits[i] - '0');
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
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
    const std::string* text = m_->Find(key);
    return text && !text->empty() ? ParseProfileInt(*text) : defaultValue;
}

std::string IniFileBackend::ReadText(const char* key, const std::string& defaultValue) {
    const std::string* text = m_->Find(key);
    return text ? *text : defaultValue;
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
    const std::string temporary = m_->path + ".tmp";
    const std::string text = FormatIni(m_->sections);
    int32_t error = 0;
    bool created = false;
    const FileHandle file = OpenFileForWriting(temporary, &created, &error);
    if (file == kNoFile)
        throw FileException(ErrorSystem, error, m_->path);
    const bool written = WriteFileBytes(file, text.data(), static_cast<int32_t>(text.size()), &error);
    const bool closed = CloseFile(file, &error);
    if (!written || !closed || !ReplaceFileWith(temporary, m_->path, &error)) {
        RemoveFile(temporary);
        throw FileException(ErrorSystem, error, m_->path);
    }
    m_->modified = false;
}

}  // namespace app
