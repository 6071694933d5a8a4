#include "ui/IdValueTable.h"

#include "resources/ResourceIds.h"

namespace app {

namespace {

const ID_VALUE kZoom[] = {{IDM_ZOOM25, 25},   {IDM_ZOOM50, 50},   {IDM_ZOOM75, 75},
                          {IDM_ZOOM100, 100}, {IDM_ZOOM150, 150}, {IDM_ZOOM200, 200},
                          {IDM_ZOOM300, 300}, {IDM_ZOOM400, 400}, {0, 0}};
const ID_VALUE kBackground[] = {{IDM_MAT_CHECKER, 0}, {IDM_MAT_WHITE, 2}, {IDM_MAT_BLACK, 1}, {0, 0}};
const ID_VALUE kTool[] = {{IDM_TOOL_PAINT, 0}, {IDM_TOOL_ERASE, 1}, {IDM_TOOL_BLUR, 2}, {0, 0}};
const ID_VALUE kPanel[] = {{IDM_PANEL_GENERAL, 0},
                           {IDM_PANEL_SPRAY, 1},
                           {IDM_PANEL_COLOR, 2},
                           {IDM_PANEL_CATALOG, 3},
                           {0, 0}};

}  // namespace

const ID_VALUE* IdValueTable::Zoom() {
    return kZoom;
}
const ID_VALUE* IdValueTable::Background() {
    return kBackground;
}
const ID_VALUE* IdValueTable::Tool() {
    return kTool;
}
const ID_VALUE* IdValueTable::Panel() {
    return kPanel;
}

int32_t IdValueTable::ValueOf(const ID_VALUE* table, int32_t id) {
    for (; table->id != 0; ++table) {
        if (table->id == id)
            return table->value;
    }
    return -1;
}

int32_t IdValueTable::IdOf(const ID_VALUE* table, int32_t value) {
    for (; table->id != 0; ++table) {
        if (table->value == value)
            return table->id;
    }
    return -1;
}

int32_t IdValueTable::IndexOf(const ID_VALUE* table, int32_t value) {
    for (int32_t i = 0; table[i].id != 0; ++i) {
        if (table[i].value == value)
            return i;
    }
    return -1;
}

int32_t IdValueTable::Count(const ID_VALUE* table) {
    int32_t count = 0;
    while (table[count].id != 0)
        ++count;
    return count;
}

}  // namespace app
