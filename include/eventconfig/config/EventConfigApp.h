#pragma once

#include "eventconfig/EventConfigExport.h"

#if defined(EVENTCONFIG_WITH_MFC)
#include <afxwin.h>
typedef CWinApp CEventConfigAppBase;
#else
// Minimal stand-in for the framework's application class when the library is
// built without MFC.
class EVENTCONFIG_API CEventConfigAppBase {
public:
    CEventConfigAppBase() {}
    virtual ~CEventConfigAppBase() {}
    virtual int InitInstance() { return TRUE; }
};
#endif

// The library's module object: one instance, constructed at library load.
class EVENTCONFIG_API CEventConfigApp : public CEventConfigAppBase {
public:
    CEventConfigApp();
    ~CEventConfigApp() override;
    int InitInstance() override;
};

// The one instance.
EVENTCONFIG_API CEventConfigApp& EventConfigTheApp();
