#include "eventconfig/config/EventConfigApp.h"

namespace {

// Constructed when the library is loaded, destroyed when it is unloaded.
CEventConfigApp g_theApp;

}  // namespace

CEventConfigApp::CEventConfigApp() {}

CEventConfigApp::~CEventConfigApp() {}

int CEventConfigApp::InitInstance() {
    CEventConfigAppBase::InitInstance();
    return TRUE;
}

CEventConfigApp& EventConfigTheApp() {
    return g_theApp;
}
