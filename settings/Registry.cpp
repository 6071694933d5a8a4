#include "settings/Registry.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "settings/SettingsBackend.h"

namespace app {

class RegistryMember {
  public:
    std::unique_ptr<SettingsBackend> backend;
    bool loading = true;
    bool ignoreStored = false;

    bool ReadsDefaults() const { return ignoreStored || !backend; }
};

std::string FormatReal(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

double ParseReal(const std::string& text) {
    const auto digitsEnd = [&text](size_t i) {
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        return i;
    };
    const auto signAt = [&text](size_t i) { return i < text.size() && (text[i] == '-' || text[i] == '+') ? 1 : 0; };
    const size_t start = text.find_first_not_of(" \t\r\n\v\f");
    if (start == std::string::npos)
        return 0.0;
    const size_t first = start + signAt(start);
    size_t end = digitsEnd(first);
    bool anyDigit = end > first;
    if (end < text.size() && text[end] == '.') {
        const size_t fractionEnd = digitsEnd(end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit)
        return 0.0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        const size_t exponent = end + 1 + signAt(end + 1);
        if (digitsEnd(exponent) > exponent)
            end = digitsEnd(exponent);
    }
    const double value = std::strtod(text.substr(start, end - start).c_str(), nullptr);
    return std::isinf(value) ? std::copysign(DBL_MAX, value) : value;
}

Registry::Registry() : m_(std::make_unique<RegistryMember>()) {}

Registry::~Registry() = default;

void Registry::Open(const char* rootPath, bool loading) {
    Open(OpenDefaultSettingsBackend(rootPath, loading), loading);
}

std::exception_ptr Registry::OpenForLoading(const char* rootPath) {
    try {
        Open(rootPath, true);
        return nullptr;
    } catch (...) {
        Open(std::unique_ptr<SettingsBackend>(), true);
        return std::current_exception();
    }
}

void Registry::Open(std::unique_ptr<SettingsBackend> backend, bool loading) {
    m_->backend = std::move(backend);
    m_->loading = loading;
    m_->ignoreStored = false;
    SelectSection(nullptr);
    int32_t version = 1;
    ExchangeInt("RegistryVersion", version, 0);
    if (loading && version != 1)
        m_->ignoreStored = true;
}

void Registry::Close() {
    if (m_->backend)
        m_->backend->Close();
    m_->backend.reset();
}

void Registry::SelectSection(const char* name) {
    if (m_->backend)
        m_->backend->SelectSection(name);
}

bool Registry::IsLoading() const {
    return m_->loading;
}

void Registry::ExchangeInt(const char* key, int32_t& value, int32_t defaultValue) {
    if (!m_->loading) {
        m_->backend->WriteInt(key, value);
    } else {
        value = m_->ReadsDefaults() ? defaultValue : m_->backend->ReadInt(key, defaultValue);
    }
}

void Registry::ExchangeBool(const char* key, bool& value, bool defaultValue) {
    int32_t number = value ? 1 : 0;
    ExchangeInt(key, number, defaultValue ? 1 : 0);
    value = number != 0;
}

void Registry::ExchangeByte(const char* key, uint8_t& value, uint8_t defaultValue) {
    int32_t number = value;
    ExchangeInt(key, number, defaultValue);
    value = static_cast<uint8_t>(number & 0xFF);
}

void Registry::ExchangeDouble(const char* key, double& value, double defaultValue) {
    std::string text = FormatReal(value);
    ExchangeText(key, text, FormatReal(defaultValue));
    if (m_->loading)
        value = ParseReal(text);
}

void Registry::ExchangeText(const char* key, std::string& value, const std::string& defaultValue) {
    if (!m_->loading) {
        m_->backend->WriteText(key, value);
    } else {
        value = m_->ReadsDefaults() ? defaultValue : m_->backend->ReadText(key, defaultValue);
    }
}

void Registry::ExchangeRect(const char* key, Rect32& value, const Rect32& defaultValue) {
    const std::string name = key;
    ExchangeInt((name + "Left").c_str(), value.left, defaultValue.left);
    ExchangeInt((name + "Top").c_str(), value.top, defaultValue.top);
    ExchangeInt((name + "Right").c_str(), value.right, defaultValue.right);
    ExchangeInt((name + "Bottom").c_str(), value.bottom, defaultValue.bottom);
}

void Registry::ExchangePoint(const char* key, Vector2& value, const Vector2& defaultValue) {
    const std::string name = key;
    ExchangeDouble((name + "X").c_str(), value.x, defaultValue.x);
    ExchangeDouble((name + "Y").c_str(), value.y, defaultValue.y);
}

}  // namespace app
