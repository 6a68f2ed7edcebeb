#include "reading/Registry.h"

#include <algorithm>

namespace ecfg {

const KindRow* FindKindRow(const std::vector<KindRow>& rows, int typeID) {
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const KindRow& row) { return row.nTypeID == typeID; });
    return it != rows.end() ? &*it : nullptr;
}

const KindRow* FindKindRow(const std::vector<KindRow>& rows, const std::type_info& type) {
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const KindRow& row) { return *row.type == type; });
    return it != rows.end() ? &*it : nullptr;
}

}  // namespace ecfg
