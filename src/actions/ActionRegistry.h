#pragma once

#include <string>

#include "eventconfig/actions/ActionConfig.h"
#include "reading/Registry.h"

// The process-wide registry of action kinds: one prototype per type id.
class CActionTypeFactory : public ecfg::PrototypeRegistry<CActionConfig> {
public:
    // The registry, built on first use; std::bad_alloc when it cannot be.
    static CActionTypeFactory* GetInstance();
    // Destroys the registry (if any); the next GetInstance builds a fresh one.
    static void Release();

    // A new action of the kind the sub-document's "Type" names, or null.
    // The caller owns it.
    CActionConfig* CreateAction(std::wstring subDoc) const { return Create(std::move(subDoc)); }
    // The same from a source, without copying an element's text.
    CActionConfig* CreateAction(const ecfg::XmlSource& source) const { return Create(source); }

    CActionTypeFactory();
};

namespace ecfg {
// The action kinds' table, row by row in registration order.
const std::vector<KindRow>& ActionKindRows();
}  // namespace ecfg
