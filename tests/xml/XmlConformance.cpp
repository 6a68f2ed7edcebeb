#include "XmlConformance.h"

#include <expat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace xmltest {

namespace {

struct ListState {
    std::vector<std::string> bases{""};
    std::vector<SuiteTest> tests;
};

const char* Attr(const XML_Char** attrs, const char* name) {
    for (const XML_Char** a = attrs; *a; a += 2)
        if (std::strcmp(a[0], name) == 0) return a[1];
    return nullptr;
}

void XMLCALL Start(void* user, const XML_Char* name, const XML_Char** attrs) {
    ListState& s = *static_cast<ListState*>(user);
    const char* base = Attr(attrs, "xml:base");
    s.bases.push_back(s.bases.back() + (base ? base : ""));
    if (std::strcmp(name, "TEST") != 0) return;
    SuiteTest t;
    const char* id = Attr(attrs, "ID");
    const char* type = Attr(attrs, "TYPE");
    const char* uri = Attr(attrs, "URI");
    const char* entities = Attr(attrs, "ENTITIES");
    const char* version = Attr(attrs, "VERSION");
    const char* recommendation = Attr(attrs, "RECOMMENDATION");
    const char* edition = Attr(attrs, "EDITION");
    t.id = id ? id : "";
    t.type = type ? type : "";
    t.path = SuiteDir() + "/" + s.bases.back() + (uri ? uri : "");
    t.externalEntities = entities && std::strcmp(entities, "none") != 0;
    const std::string rec = recommendation ? recommendation : "XML1.0";
    t.xml10 = (!version || std::strcmp(version, "1.0") == 0) && rec.compare(0, 6, "XML1.0") == 0 &&
              (!edition || std::strchr(edition, '5') != nullptr);
    s.tests.push_back(t);
}
void XMLCALL End(void* user, const XML_Char*) {
    static_cast<ListState*>(user)->bases.pop_back();
}

}  // namespace

bool ReadBytes(const std::string& path, std::vector<unsigned char>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

std::string SuiteDir() {
    const std::string dir = EVENTCONFIG_XMLCONF_DIR;
    return std::filesystem::exists(dir + "/xmlconf.xml") ? dir : std::string();
}

std::vector<SuiteTest> SuiteTests() {
    ListState state;
    std::vector<unsigned char> bytes;
    if (SuiteDir().empty() || !ReadBytes(SuiteDir() + "/../cleaned/xmlconf-flattened.xml", bytes))
        return state.tests;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(parser, Start, End);
    XML_Parse(parser, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()),
              1);
    XML_ParserFree(parser);
    return state.tests;
}

}  // namespace xmltest
