#pragma once

#include <memory>
#include <string>

#include "eventconfig/operations/OperationTypeConfig.h"
#include "reading/Registry.h"

// The process-wide registry of operation kinds: one prototype per type id.
class COperationTypeConfigFactory : public ecfg::PrototypeRegistry<COperationTypeConfig> {
public:
    // The registry, built on first use; std::bad_alloc when it cannot be.
    static COperationTypeConfigFactory* GetInstance();
    // Destroys the registry (if any); the next GetInstance builds a fresh one.
    static void Release();

    // A new operation of the kind the sub-document's "Type" names, or null.
    // The caller owns it.
    COperationTypeConfig* CreateOperation(std::wstring subDoc) const {
        return Create(std::move(subDoc));
    }
    // The same from a source, without copying an element's text.
    COperationTypeConfig* CreateOperation(const ecfg::XmlSource& source) const {
        return Create(source);
    }

    COperationTypeConfigFactory();
};

namespace ecfg {
// The operation kinds' table, row by row in registration order.
const std::vector<KindRow>& OperationKindRows();
// The row of the operation's own class, or null.
const KindRow* OperationRowOf(const COperationTypeConfig& object);
// Reports every getter of the operation's kind to the visitor; false when no
// row has its class.
bool ViewOperationKind(COperationTypeConfig& object, KindVisitor& visitor);
// A copy by the kind's copy constructor, or by assignment over an object
// that held one; null for the kinds that cannot be copied.
std::unique_ptr<COperationTypeConfig> CopyOperationKind(const COperationTypeConfig& object,
                                                        bool byAssignment);
}  // namespace ecfg
