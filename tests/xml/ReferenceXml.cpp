#include "ReferenceXml.h"

#include <expat.h>
#include <libxml/parser.h>

#include <cstdio>
#include <cstring>

#include "XmlConformance.h"
#include "eventconfig/xml/Markup.h"
#include "xml/MarkupImpl.h"
#include "xml/TextDecoding.h"

namespace xmltest {

namespace {

std::wstring Wide(const XML_Char* s, std::size_t n) {
    std::wstring out;
    ecfg::DecodeUtf8(reinterpret_cast<const unsigned char*>(s), n, out);
    return out;
}
std::wstring Wide(const XML_Char* s) {
    return Wide(s, std::char_traits<char>::length(s));
}

struct ExpatState {
    Reading reading;
    std::vector<Element*> open;
};

// Pointers into the children vectors stay valid: a parent's list only grows
// while that parent is the innermost open element, and its children are
// closed by then. Elements are appended to the innermost open one only.

void XMLCALL Start(void* user, const XML_Char* name, const XML_Char** attrs) {
    ExpatState& s = *static_cast<ExpatState*>(user);
    std::vector<Element>& list = s.open.empty() ? s.reading.tops : s.open.back()->children;
    list.emplace_back();
    Element& e = list.back();
    e.name = Wide(name);
    for (const XML_Char** a = attrs; *a; a += 2) e.attrs.emplace_back(Wide(a[0]), Wide(a[1]));
    s.open.push_back(&e);
}
void XMLCALL End(void* user, const XML_Char*) {
    static_cast<ExpatState*>(user)->open.pop_back();
}
void XMLCALL Text(void* user, const XML_Char* text, int len) {
    ExpatState& s = *static_cast<ExpatState*>(user);
    if (!s.open.empty()) s.open.back()->data += Wide(text, static_cast<std::size_t>(len));
}
void XMLCALL EntityDecl(void* user, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                        const XML_Char*, const XML_Char*, const XML_Char*) {
    static_cast<ExpatState*>(user)->reading.dependsOnDtd = true;
}
void XMLCALL AttlistDecl(void* user, const XML_Char*, const XML_Char*, const XML_Char*,
                         const XML_Char*, int) {
    static_cast<ExpatState*>(user)->reading.dependsOnDtd = true;
}
void XMLCALL Skipped(void* user, const XML_Char*, int) {
    static_cast<ExpatState*>(user)->reading.dependsOnDtd = true;
}

// libxml2 through SAX1: names as written, attributes in order.
const XML_Char* C(const xmlChar* s) {
    return reinterpret_cast<const XML_Char*>(s);
}
void XmlStart(void* user, const xmlChar* name, const xmlChar** attrs) {
    static const xmlChar* kNone[] = {nullptr};
    Start(user, C(name), reinterpret_cast<const XML_Char**>(attrs ? attrs : kNone));
}
void XmlEnd(void* user, const xmlChar* name) {
    End(user, C(name));
}
void XmlText(void* user, const xmlChar* text, int len) {
    Text(user, C(text), len);
}
void XmlDtd(void* user, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*) {
    static_cast<ExpatState*>(user)->reading.dependsOnDtd = true;
}
void XmlAttlist(void* user, const xmlChar*, const xmlChar*, int, int, const xmlChar*,
                xmlEnumerationPtr tree) {
    if (tree) xmlFreeEnumeration(tree);
    static_cast<ExpatState*>(user)->reading.dependsOnDtd = true;
}
void XmlReference(void* user, const xmlChar*) {
    static_cast<ExpatState*>(user)->reading.dependsOnDtd = true;
}
void XmlQuiet(void*, const char*, ...) {}

void Walk(const ecfg::markup::Cursor& c, uint32_t node, Element& out) {
    const ecfg::markup::Index& index = c.GetIndex();
    const ecfg::markup::Node& n = index.nodes[node];
    out.name = c.TagName(node);
    for (uint32_t i = n.firstAttr; i < n.firstAttr + n.attrCount; ++i) {
        const ecfg::markup::Attr& a = index.attrs[i];
        std::wstring name(c.Text() + a.nameStart, a.nameLen);
        out.attrs.emplace_back(name, c.Attrib(node, name.c_str()));
    }
    out.data = c.Data(node);
    for (uint32_t k = n.firstChild; k != 0; k = index.nodes[k].nextSibling) {
        out.children.emplace_back();
        Walk(c, k, out.children.back());
    }
}

std::string Utf8(const std::wstring& w) {
    std::string out;
    for (wchar_t ch : w) {
        const uint32_t u = static_cast<uint32_t>(ch);
        if (u < 0x80) {
            out += static_cast<char>(u);
        } else {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "\\u{%X}", u);
            out += buffer;
        }
    }
    return out;
}

std::string Diff(const std::wstring& what, const std::wstring& expected,
                 const std::wstring& actual) {
    std::size_t i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) ++i;
    return Utf8(what) + ": expected \"" + Utf8(expected) + "\", navigator \"" + Utf8(actual) +
           "\" (first differing character at " + std::to_string(i) + ")";
}

std::string Compare(const std::vector<Element>& a, const std::vector<Element>& b,
                    const std::wstring& path) {
    if (a.size() != b.size())
        return Utf8(path) + ": " + std::to_string(a.size()) + " elements expected, navigator " +
               std::to_string(b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::wstring at = path + L"/" + a[i].name + L"[" + std::to_wstring(i) + L"]";
        if (a[i].name != b[i].name) return Diff(at + L" name", a[i].name, b[i].name);
        if (a[i].attrs.size() != b[i].attrs.size())
            return Utf8(at) + ": " + std::to_string(a[i].attrs.size()) +
                   " attributes expected, navigator " + std::to_string(b[i].attrs.size());
        for (std::size_t k = 0; k < a[i].attrs.size(); ++k) {
            if (a[i].attrs[k].first != b[i].attrs[k].first)
                return Diff(at + L" attribute name", a[i].attrs[k].first, b[i].attrs[k].first);
            if (a[i].attrs[k].second != b[i].attrs[k].second)
                return Diff(at + L"@" + a[i].attrs[k].first, a[i].attrs[k].second,
                            b[i].attrs[k].second);
        }
        if (a[i].data != b[i].data) return Diff(at + L" data", a[i].data, b[i].data);
        std::string inner = Compare(a[i].children, b[i].children, at);
        if (!inner.empty()) return inner;
    }
    return std::string();
}

}  // namespace

Reading ReadWithExpat(const std::vector<unsigned char>& bytes) {
    ExpatState state;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(parser, Start, End);
    XML_SetCharacterDataHandler(parser, Text);
    XML_SetEntityDeclHandler(parser, EntityDecl);
    XML_SetAttlistDeclHandler(parser, AttlistDecl);
    XML_SetSkippedEntityHandler(parser, Skipped);
    const char* data = reinterpret_cast<const char*>(bytes.data());
    state.reading.refused =
        XML_Parse(parser, data, static_cast<int>(bytes.size()), 1) != XML_STATUS_OK;
    XML_ParserFree(parser);
    return std::move(state.reading);
}

Reading ReadWithLibxml2(const std::vector<unsigned char>& bytes) {
    ExpatState state;
    xmlSAXHandler sax;
    std::memset(&sax, 0, sizeof sax);
    sax.startElement = XmlStart;
    sax.endElement = XmlEnd;
    sax.characters = XmlText;
    sax.cdataBlock = XmlText;
    sax.entityDecl = XmlDtd;
    sax.attributeDecl = XmlAttlist;
    sax.reference = XmlReference;
    sax.warning = XmlQuiet;
    sax.error = XmlQuiet;
    sax.fatalError = XmlQuiet;
    state.reading.refused =
        xmlSAXUserParseMemory(&sax, &state, reinterpret_cast<const char*>(bytes.data()),
                              static_cast<int>(bytes.size())) != 0;
    return std::move(state.reading);
}

Reading ReadWithNavigator(const std::string& path) {
    Reading reading;
    CMarkup markup;
    std::wstring wide(path.begin(), path.end());
    if (!markup.Load(wide.c_str())) {
        reading.refused = true;
        return reading;
    }
    const std::wstring& text = markup.GetDoc();
    ecfg::markup::Cursor c;
    c.Open(text.data(), text.size());
    const ecfg::markup::Index& index = c.GetIndex();
    for (uint32_t k = index.nodes[0].firstChild; k != 0; k = index.nodes[k].nextSibling) {
        reading.tops.emplace_back();
        Walk(c, k, reading.tops.back());
    }
    reading.refused = !c.WellFormed();
    return reading;
}

std::string FirstDifference(const std::vector<Element>& expected,
                            const std::vector<Element>& actual) {
    return Compare(expected, actual, L"");
}

}  // namespace xmltest
