#pragma once

#include <string>
#include <vector>

#include "eventconfig/model/Owned.h"
#include "eventconfig/operations/OperationTypeConfig.h"

// The process-wide registry of operation kinds: one prototype per type id.
class COperationTypeConfigFactory {
public:
    // The registry, built on first use; null if it cannot be allocated.
    static COperationTypeConfigFactory* GetInstance();
    // Destroys the registry (if any); the next GetInstance builds a fresh one.
    static void Release();

    // A new operation of the kind the sub-document's "Type" names, or null.
    // The caller owns it.
    COperationTypeConfig* CreateOperation(const std::wstring& subDoc) const;

    std::vector<int> GetRegisteredTypes() const;
    const COperationTypeConfig* GetPrototype(int typeID) const {
        return m_mapPrototypes.find(typeID);
    }

    COperationTypeConfigFactory();
    COperationTypeConfigFactory(const COperationTypeConfigFactory&) = delete;
    COperationTypeConfigFactory& operator=(const COperationTypeConfigFactory&) = delete;
    virtual ~COperationTypeConfigFactory();

private:
    OwnedPtrMap<int, COperationTypeConfig> m_mapPrototypes;
};
