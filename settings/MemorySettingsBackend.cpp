#include "settings/MemorySettingsBackend.h"

#include <algorithm>
#include <cctype>

#include "settings/IniFileBackend.h"

namespace app {

bool MemorySettingsBackend::NoCase::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

MemorySettingsBackend::MemorySettingsBackend(std::shared_ptr<Sections> sections) : sections_(std::move(sections)) {}

void MemorySettingsBackend::SelectSection(const char* name) {
    section_ = name ? name : "";
}

int32_t MemorySettingsBackend::ReadInt(const char* key, int32_t defaultValue) {
    const auto section = sections_->find(section_);
    if (section == sections_->end())
        return defaultValue;
    const auto value = section->second.find(key);
    return value == section->second.end() ? defaultValue : ParseProfileInt(value->second.text);
}

std::string MemorySettingsBackend::ReadText(const char* key, const std::string& defaultValue) {
    const auto section = sections_->find(section_);
    if (section == sections_->end())
        return defaultValue;
    const auto value = section->second.find(key);
    return value == section->second.end() ? defaultValue : value->second.text;
}

void MemorySettingsBackend::WriteInt(const char* key, int32_t value) {
    (*sections_)[section_][key] = {std::to_string(value), true};
}

void MemorySettingsBackend::WriteText(const char* key, const std::string& value) {
    (*sections_)[section_][key] = {value, false};
}

}  // namespace app
