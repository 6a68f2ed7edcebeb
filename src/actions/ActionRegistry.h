#pragma once

#include <memory>
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
// The row of the action's own class, or null.
const KindRow* ActionRowOf(const CActionConfig& object);
// Reports every getter of the action's kind to the visitor; false when no
// row has its class.
bool ViewActionKind(CActionConfig& object, KindVisitor& visitor);
// A copy by the kind's copy constructor, or by assignment over an object
// that held one; null for the kinds that cannot be copied.
std::unique_ptr<CActionConfig> CopyActionKind(const CActionConfig& object, bool byAssignment);
}  // namespace ecfg
