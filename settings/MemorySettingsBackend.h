#pragma once

#include <map>
#include <memory>
#include <string>

#include "settings/SettingsBackend.h"

namespace app {

// Settings kept in memory: what a save wrote can be looked at, changed and loaded again through
// the owners' own exchange routines, with their key names, limits and defaults.  Section and key
// names compare without regard to ASCII case, as in the other back ends.
class MemorySettingsBackend : public SettingsBackend {
  public:
    struct Value {
        std::string text;
        bool integer = false;  // written as an integer, not as text
    };
    struct NoCase {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    using Section = std::map<std::string, Value, NoCase>;
    using Sections = std::map<std::string, Section, NoCase>;

    // Several back ends, one after another, may share one set of sections.
    explicit MemorySettingsBackend(std::shared_ptr<Sections> sections);

    void SelectSection(const char* name) override;
    int32_t ReadInt(const char* key, int32_t defaultValue) override;
    std::string ReadText(const char* key, const std::string& defaultValue) override;
    void WriteInt(const char* key, int32_t value) override;
    void WriteText(const char* key, const std::string& value) override;

  private:
    std::shared_ptr<Sections> sections_;
    std::string section_;  // "" is the root
};

}  // namespace app
