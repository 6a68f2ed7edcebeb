#pragma once

#include <string>
#include <vector>

#include "eventconfig/actions/ActionConfig.h"
#include "eventconfig/model/Owned.h"

// The process-wide registry of action kinds: one prototype per type id.
class CActionTypeFactory {
public:
    // The registry, built on first use; null if it cannot be allocated.
    static CActionTypeFactory* GetInstance();
    // Destroys the registry (if any); the next GetInstance builds a fresh one.
    static void Release();

    // A new action of the kind the sub-document's "Type" names, or null.
    // The caller owns it.
    CActionConfig* CreateAction(const std::wstring& subDoc) const;

    std::vector<int> GetRegisteredTypes() const;
    const CActionConfig* GetPrototype(int typeID) const { return m_mapPrototypes.find(typeID); }

    CActionTypeFactory();
    CActionTypeFactory(const CActionTypeFactory&) = delete;
    CActionTypeFactory& operator=(const CActionTypeFactory&) = delete;
    virtual ~CActionTypeFactory();

private:
    OwnedPtrMap<int, CActionConfig> m_mapPrototypes;
};
