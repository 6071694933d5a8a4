#pragma once

#include <initializer_list>
#include <string>

namespace app {

class Registry;
class SettingsOwner;
struct SPRAYSTYLE;

// What a filter run keeps between runs, and the one order in which it is loaded at the start
// and saved at the end: the options, the spray style of each tool, the current tool, the colour
// settings, the general state (the world settings), then the given owners in their order (the
// panels, then the frame).  Loaded values are brought into range silently; saved values are
// written as they are.
void ExchangeRunSettings(Registry& store, std::initializer_list<SettingsOwner*> owners = {});

// The same from and to an INI file in the store's layout (the headless painter); an empty path
// loads every default.
void LoadRunSettingsFile(const std::string& path);
void SaveRunSettingsFile(const std::string& path);

// Each owner's values, in the store's direction.
void ExchangeOptions(Registry& store);                        // the root section
void ExchangeSprayStyle(Registry& store, SPRAYSTYLE& style);  // the selected section
void ExchangeSprayStyles(Registry& store);                    // "<tool>\Spray", tools in order
void ExchangeCurrentTool(Registry& store);                    // "Tool" in the root
void ExchangeColorSettings(Registry& store);                  // "<tool>\Color", tools in order
void ExchangeWorldSettings(Registry& store);                  // the root section

}  // namespace app
