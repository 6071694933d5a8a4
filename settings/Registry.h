#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "base/Geometry.h"

namespace app {

class RegistryMember;
class SettingsBackend;

// The settings store.  One routine per owner walks its values in a fixed order and hands each
// variable to the store with its key and default; the store's direction decides whether the
// variable is read or written.  A store whose "RegistryVersion" is not 1 yields every default.
class Registry {
  public:
    Registry();
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // Opens the store of a filter run: the back end chosen by the registry marker.
    void Open(const char* rootPath, bool loading);
    // Opens the store of a filter run's start.  When the stored settings are there but cannot
    // be read, every value reads its default and the failure comes back, for the run to report
    // and to keep those settings from being saved over at its end.
    std::exception_ptr OpenForLoading(const char* rootPath);
    // Opens a given back end (the headless tool's INI file, tests).
    void Open(std::unique_ptr<SettingsBackend> backend, bool loading);
    // Finishes writing; a failure is raised here.
    void Close();

    void SelectSection(const char* name);  // nullptr: the root section
    bool IsLoading() const;

    void ExchangeInt(const char* key, int32_t& value, int32_t defaultValue);
    void ExchangeBool(const char* key, bool& value, bool defaultValue);
    void ExchangeByte(const char* key, uint8_t& value, uint8_t defaultValue);
    void ExchangeDouble(const char* key, double& value, double defaultValue);
    void ExchangeText(const char* key, std::string& value, const std::string& defaultValue);
    void ExchangeRect(const char* key, Rect32& value, const Rect32& defaultValue);
    void ExchangePoint(const char* key, Vector2& value, const Vector2& defaultValue);

  private:
    std::unique_ptr<RegistryMember> m_;
};

constexpr const char* kRegistryRoot = "Software\\TAVRO\\Driftlace";

// Reals are kept as "%g" text: six significant digits.
std::string FormatReal(double value);
// Reads a real by ordinary decimal conversion: spaces, an optional sign, digits with an optional
// point and an optional exponent, up to the first character that does not belong; text that is
// not such a number (also "inf", "nan" and hexadecimal forms) reads as 0.  A number beyond the
// range of a real reads as the largest real of its sign, so no stored text gives a value that is
// not finite.
double ParseReal(const std::string& text);

}  // namespace app
