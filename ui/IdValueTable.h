#pragma once

#include <cstdint>

namespace app {

// One {command id, value} pair of a lookup table; tables end with {0, 0}.
struct ID_VALUE {
    int32_t id;
    int32_t value;
};

// The small tables that map command ids to what they select: zoom percent, background, tool
// number and panel index.  A lookup that finds nothing gives -1.
class IdValueTable {
  public:
    static const ID_VALUE* Zoom();
    static const ID_VALUE* Background();
    static const ID_VALUE* Tool();
    static const ID_VALUE* Panel();

    static int32_t ValueOf(const ID_VALUE* table, int32_t id);
    static int32_t IdOf(const ID_VALUE* table, int32_t value);
    // Position of the entry with this value, -1 when absent.
    static int32_t IndexOf(const ID_VALUE* table, int32_t value);
    static int32_t Count(const ID_VALUE* table);
};

}  // namespace app
