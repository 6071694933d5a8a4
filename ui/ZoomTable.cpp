#include "ui/ZoomTable.h"

#include "resources/ResourceIds.h"
#include "ui/IdValueTable.h"

namespace app {

int32_t ZoomTable::Out(int32_t zoom) {
    const ID_VALUE* table = IdValueTable::Zoom();
    const int32_t index = IdValueTable::IndexOf(table, zoom);
    return index > 0 ? table[index - 1].value : zoom;
}

int32_t ZoomTable::In(int32_t zoom) {
    const ID_VALUE* table = IdValueTable::Zoom();
    const int32_t index = IdValueTable::IndexOf(table, zoom);
    return index >= 0 && index + 1 < IdValueTable::Count(table) ? table[index + 1].value : zoom;
}

int32_t ZoomTable::ForCommand(int32_t id) {
    return IdValueTable::ValueOf(IdValueTable::Zoom(), id);
}

String ZoomTable::Caption(int32_t zoom) {
    const String format = String::Load(IDS_CAPTION);
    const String product = String::Load(IDS_PRODUCT);
    return String::Format(format.CStr(), product.CStr(), static_cast<int>(zoom));
}

}  // namespace app
