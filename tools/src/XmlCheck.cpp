#include "XmlCheck.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

#include "Text.h"

namespace ectool {

namespace {

const char* const kSyntax = "xml-syntax";
const char* const kEncoding = "encoding";

std::string Ch(wchar_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return buffer;
}

bool IsSpace(wchar_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
// Loose on purpose: beyond ASCII every character may stand in a name, as the
// library reads it; libxml2 judges the exact rule.
bool IsNameStart(wchar_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
}
bool IsNameChar(wchar_t c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}
bool IsXmlChar(uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// The replacements for the HTML entities people write by habit.
const char* Suggestion(const std::wstring& name) {
    static const struct {
        const wchar_t* name;
        const char* write;
    } kKnown[] = {{L"nbsp", "&#160;"},   {L"copy", "&#169;"},    {L"reg", "&#174;"},
                  {L"deg", "&#176;"},    {L"middot", "&#183;"},  {L"laquo", "&#171;"},
                  {L"raquo", "&#187;"},  {L"times", "&#215;"},   {L"ndash", "&#8211;"},
                  {L"mdash", "&#8212;"}, {L"hellip", "&#8230;"}, {L"bull", "&#8226;"},
                  {L"euro", "&#8364;"},  {L"trade", "&#8482;"}};
    for (const auto& k : kKnown)
        if (name == k.name) return k.write;
    return nullptr;
}

// ---- The scan ---------------------------------------------------------------------

// One pass over the decoded text with a stack of open elements. It knows the
// mistakes people make by hand and recovers from each the way the library
// does, so that every one in the file is found.
class Scanner {
public:
    explicit Scanner(const std::wstring& text) : t(text), n(text.size()) {
        for (std::size_t i = t.find(L'\n'); i != std::wstring::npos; i = t.find(L'\n', i + 1))
            m_newlines.push_back(i);
    }
    std::vector<Finding> Run();

private:
    struct Open {
        std::wstring name;
        std::size_t at;
    };
    // A file broken throughout (a binary, another format) shows its first
    // mistakes, not thousands.
    static const std::size_t kMaxFindings = 100;
    void Error(std::size_t at, std::string message) {
        if (m_out.size() < kMaxFindings) {
            m_out.push_back({Severity::Error, at, std::move(message), kSyntax});
        } else if (!m_truncated) {
            m_truncated = true;
            m_out.push_back(
                {Severity::Error, at, "too many XML errors: the rest are not shown", kSyntax});
        }
    }
    void Note(std::size_t at, std::string message) {
        if (m_out.size() < kMaxFindings)
            m_out.push_back({Severity::Note, at, std::move(message), kSyntax});
    }
    bool At(std::size_t i, const char* lit) const {
        for (; *lit; ++lit, ++i)
            if (i >= n || t[i] != static_cast<wchar_t>(*lit)) return false;
        return true;
    }
    std::size_t Name(std::size_t i) const {
        while (i < n && IsNameChar(t[i])) ++i;
        return i;
    }
    std::size_t Line(std::size_t at) const {
        return static_cast<std::size_t>(std::upper_bound(m_newlines.begin(), m_newlines.end(), at) -
                                        m_newlines.begin()) +
               1;
    }
    std::string Tag(const Open& o) const {
        return "<" + Utf8(o.name) + "> (line " + std::to_string(Line(o.at)) + ")";
    }

    void Declaration();
    std::size_t Comment(std::size_t i);
    std::size_t Doctype(std::size_t i);
    std::size_t StartTag(std::size_t i);
    std::size_t EndTag(std::size_t i);
    std::size_t Reference(std::size_t i, std::size_t end);
    void Text(std::size_t from, std::size_t to);

    const std::wstring& t;
    const std::size_t n;
    std::vector<Open> m_open;
    bool m_rootSeen = false;
    bool m_rootClosed = false;
    bool m_truncated = false;
    std::vector<std::size_t> m_newlines;  // offsets of the line ends
    std::set<std::wstring> m_entities;    // declared in the internal subset
    std::vector<Finding> m_out;
};

// "<?xml" VersionInfo EncodingDecl? SDDecl? S? "?>", at the very start.
void Scanner::Declaration() {
    std::size_t i = 5;
    const char* const names[] = {"version", "encoding", "standalone"};
    int next = 0;
    for (;;) {
        const std::size_t ws = i;
        while (i < n && IsSpace(t[i])) ++i;
        if (At(i, "?>")) break;
        if (i >= n) {
            Error(0, "malformed XML declaration: it does not end with \"?>\"");
            return;
        }
        const std::size_t nameEnd = Name(i);
        const std::wstring name = t.substr(i, nameEnd - i);
        int which = -1;
        for (int k = next; k < 3; ++k)
            if (name == Widen(names[k])) which = k;
        if (which < 0 || (next == 0 && which != 0) || ws == i) {
            Error(i, next == 0 ? "malformed XML declaration: it must begin with version=\"1.0\""
                               : "malformed XML declaration: expected encoding=\"...\", "
                                 "standalone=\"yes\" or \"no\", or \"?>\" here");
            return;
        }
        i = nameEnd;
        while (i < n && IsSpace(t[i])) ++i;
        if (i >= n || t[i] != '=') {
            Error(i, "malformed XML declaration: expected '=' after " + Utf8(name));
            return;
        }
        ++i;
        while (i < n && IsSpace(t[i])) ++i;
        if (i >= n || (t[i] != '"' && t[i] != '\'')) {
            Error(i,
                  "malformed XML declaration: the value of " + Utf8(name) + " must be in quotes");
            return;
        }
        const wchar_t quote = t[i];
        const std::size_t v = ++i;
        while (i < n && t[i] != quote && t[i] != '?' && t[i] != '\n') ++i;
        if (i >= n || t[i] != quote) {
            Error(v - 1, "malformed XML declaration: the value of " + Utf8(name) +
                             " has no closing quote");
            return;
        }
        const std::wstring value = t.substr(v, i - v);
        const bool ok = which == 0
                            ? value.size() >= 3 && value.compare(0, 2, L"1.") == 0 &&
                                  value.find_first_not_of(L"0123456789", 2) == std::wstring::npos
                        : which == 1 ? !value.empty() &&
                                           ((value[0] >= 'a' && value[0] <= 'z') ||
                                            (value[0] >= 'A' && value[0] <= 'Z')) &&
                                           value.find_first_not_of(
                                               L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVW"
                                               L"XYZ0123456789._-") == std::wstring::npos
                                     : value == L"yes" || value == L"no";
        if (!ok) {
            Error(v, "malformed XML declaration: " + Utf8(name) + " \"" + Utf8(value) +
                         "\" is not a valid value" +
                         (which == 0   ? " (write \"1.0\")"
                          : which == 2 ? " (\"yes\" or \"no\")"
                                       : ""));
            return;
        }
        ++i;
        next = which + 1;
    }
}

// A comment at i: "--" is not allowed inside, and comments do not nest.
std::size_t Scanner::Comment(std::size_t i) {
    bool reported = false;
    for (std::size_t j = i + 4; j < n; ++j) {
        if (t[j] == '<' && At(j, "<!--")) {
            if (!reported)
                Error(j,
                      "a comment opened inside a comment: comments do not nest, so the first "
                      "\"-->\" ends the outer one and what follows it is read as markup");
            reported = true;
            j += 3;
        } else if (t[j] == '-' && j + 1 < n && t[j + 1] == '-') {
            if (j + 2 < n && t[j + 2] == '>') return j + 3;
            if (!reported)
                Error(j, "\"--\" inside a comment: XML allows it only in the closing \"-->\"");
            reported = true;
            ++j;
        }
    }
    Error(i, "comment not closed: no \"-->\" follows");
    return n;
}

// A DOCTYPE: its internal subset's entity names are remembered.
std::size_t Scanner::Doctype(std::size_t i) {
    wchar_t quote = 0;
    bool subset = false;
    for (std::size_t j = i + 9; j < n; ++j) {
        const wchar_t c = t[j];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (subset && At(j, "<!--")) {
            const std::size_t end = t.find(L"-->", j + 4);
            if (end == std::wstring::npos) break;
            j = end + 2;
        } else if (subset && At(j, "<?")) {
            const std::size_t end = t.find(L"?>", j + 2);
            if (end == std::wstring::npos) break;
            j = end + 1;
        } else if (subset && At(j, "<!ENTITY")) {
            std::size_t k = j + 8;
            while (k < n && IsSpace(t[k])) ++k;
            if (k < n && t[k] != '%') m_entities.insert(t.substr(k, Name(k) - k));
            j = k;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            subset = true;
        } else if (c == ']') {
            subset = false;
        } else if (c == '>' && !subset) {
            return j + 1;
        }
    }
    Error(i, "DOCTYPE declaration not closed");
    return n;
}

// A reference at i, inside [.., end): the position after it.
std::size_t Scanner::Reference(std::size_t i, std::size_t end) {
    std::size_t j = i + 1;
    if (j < end && t[j] == '#') {
        ++j;
        const bool hex = j < end && t[j] == 'x';
        if (hex) ++j;
        const std::size_t digits = j;
        uint32_t v = 0;
        for (; j < end; ++j) {
            const wchar_t c = t[j];
            int d = c >= '0' && c <= '9'          ? c - '0'
                    : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                  : -1;
            if (d < 0) break;
            v = v > 0x10FFFF ? v : v * (hex ? 16 : 10) + static_cast<uint32_t>(d);
        }
        if (j == digits || j >= end || t[j] != ';') {
            Error(i,
                  "malformed character reference: write &#NNN; or &#xHHH; (or &amp; for a "
                  "plain '&')");
            return i + 1;
        }
        if (!IsXmlChar(v))
            Error(i, "character reference " + Utf8(t.substr(i, j + 1 - i)) +
                         " names a character XML does not allow");
        return j + 1;
    }
    const std::size_t nameEnd = j < end && IsNameStart(t[j]) ? Name(j) : j;
    if (nameEnd == j || nameEnd >= end || t[nameEnd] != ';') {
        Error(i, "'&' that starts no reference: write &amp;");
        return i + 1;
    }
    const std::wstring name = t.substr(j, nameEnd - j);
    static const std::set<std::wstring> kPredefined = {L"lt", L"gt", L"amp", L"apos", L"quot"};
    if (!kPredefined.count(name) && !m_entities.count(name)) {
        const char* write = Suggestion(name);
        Error(i, "undefined entity &" + Utf8(name) + ";" +
                     (write ? std::string(": write ") + write
                            : std::string(": XML knows only &lt; &gt; &amp; &apos; &quot; and "
                                          "character references such as &#160;")));
    }
    return nameEnd + 1;
}

// Character data between markup: forbidden characters, "]]>", references,
// and text outside the root element.
void Scanner::Text(std::size_t from, std::size_t to) {
    bool outside = m_open.empty();
    bool reportedOutside = false;
    for (std::size_t i = from; i < to;) {
        const wchar_t c = t[i];
        if (c == '&') {
            i = Reference(i, to);
            continue;
        }
        if (!IsXmlChar(static_cast<uint32_t>(c))) {
            Error(i, "character " + Ch(c) + " is not allowed in XML");
        } else if (c == ']' && At(i, "]]>")) {
            Error(i, "\"]]>\" is not allowed in text: write ]]&gt;");
        } else if (c == '-' && At(i, "-->")) {
            if (!outside && m_out.size() < kMaxFindings)
                m_out.push_back({Severity::Warning, i,
                                 "a stray \"-->\" is read as text here: the comment it was meant "
                                 "to close ended earlier",
                                 kSyntax});
        }
        if (outside && !IsSpace(c) && !reportedOutside) {
            Error(i, At(i, "-->") ? "a stray \"-->\" outside the root element: the comment it "
                                    "was meant to close ended earlier"
                                  : "text outside the root element");
            reportedOutside = true;
        }
        ++i;
    }
}

// A start tag at i: the position after it.
std::size_t Scanner::StartTag(std::size_t i) {
    const std::size_t nameEnd = Name(i + 1);
    Open element{t.substr(i + 1, nameEnd - i - 1), i};
    if (m_rootClosed && m_open.empty())
        Error(i, "a second root element <" + Utf8(element.name) +
                     ">: a file holds exactly one root element");
    m_rootSeen = true;
    std::map<std::wstring, std::size_t> attrs;  // name: where it stands
    std::size_t j = nameEnd;
    for (;;) {
        const std::size_t ws = j;
        while (j < n && IsSpace(t[j])) ++j;
        if (j >= n || t[j] == '<') {
            Error(j, "start tag <" + Utf8(element.name) + " is not closed with '>'");
            m_open.push_back(element);
            return j;
        }
        if (t[j] == '>') {
            m_open.push_back(element);
            return j + 1;
        }
        if (t[j] == '/') {
            if (j + 1 < n && t[j + 1] == '>') {
                if (m_open.empty()) m_rootClosed = true;
                return j + 2;
            }
            Error(j, "'/' in a tag must be followed directly by '>' (write \"/>\")");
            ++j;
            continue;
        }
        if (!IsNameStart(t[j])) {
            Error(j, "unexpected " +
                         (t[j] == '"' || t[j] == '\''
                              ? std::string("quote")
                              : "character '" + Utf8(std::wstring(1, t[j])) + "'") +
                         " in the tag <" + Utf8(element.name) + ">");
            ++j;
            continue;
        }
        if (ws == j) Error(j, "attributes must be separated by white space");
        const std::size_t an = j;
        j = Name(j);
        const std::wstring name = t.substr(an, j - an);
        const auto seen = attrs.emplace(name, an);
        if (!seen.second) {
            Error(an, "duplicate attribute " + Utf8(name) + " in <" + Utf8(element.name) + ">");
            Note(seen.first->second,
                 "the first " + Utf8(name) + " is here; the library reads this one");
        }
        std::size_t k = j;
        while (k < n && IsSpace(t[k])) ++k;
        if (k >= n || t[k] != '=') {
            Error(j, "attribute " + Utf8(name) + " has no value: write " + Utf8(name) + "=\"...\"");
            continue;
        }
        ++k;
        while (k < n && IsSpace(t[k])) ++k;
        if (k >= n || (t[k] != '"' && t[k] != '\'')) {
            Error(k, "the value of attribute " + Utf8(name) + " must be in quotes");
            while (k < n && !IsSpace(t[k]) && t[k] != '>' && t[k] != '<' && !At(k, "/>")) ++k;
            j = k;
            continue;
        }
        const wchar_t quote = t[k];
        const std::size_t v = k + 1;
        const std::size_t close = std::min(t.find(quote, v), n);
        const std::size_t lt = std::min(t.find(L'<', v), close);
        const std::size_t gt = t.find(L'>', v);
        if (close >= n || (lt < close && gt < lt)) {
            // The value swallowed the tag's end: its closing quote is missing.
            Error(k, "the value of attribute " + Utf8(name) + " has no closing quote");
            if (gt == std::wstring::npos) return n;
            if (gt > v && t[gt - 1] == '/') {
                if (m_open.empty()) m_rootClosed = true;
            } else {
                m_open.push_back(element);
            }
            return gt + 1;
        }
        for (std::size_t p = v; p < close;) {
            if (t[p] == '<') {
                Error(p, "'<' in the value of attribute " + Utf8(name) + ": write &lt;");
                ++p;
            } else if (t[p] == '&') {
                p = Reference(p, close);
            } else {
                if (!IsXmlChar(static_cast<uint32_t>(t[p])))
                    Error(p, "character " + Ch(t[p]) + " is not allowed in XML");
                ++p;
            }
        }
        j = close + 1;
    }
}

// An end tag at i: the position after it.
std::size_t Scanner::EndTag(std::size_t i) {
    const std::size_t nameEnd = Name(i + 2);
    const std::wstring name = t.substr(i + 2, nameEnd - i - 2);
    std::size_t j = nameEnd;
    while (j < n && IsSpace(t[j])) ++j;
    std::size_t after = j + 1;
    if (j >= n || t[j] != '>') {
        Error(j, "end tag </" + Utf8(name) + " is not closed with '>'");
        after = j;
    }
    if (m_open.empty()) {
        Error(i, "end tag </" + Utf8(name) + "> closes nothing: no element is open here");
        return after;
    }
    if (m_open.back().name == name) {
        m_open.pop_back();
        if (m_open.empty()) m_rootClosed = true;
        return after;
    }
    std::size_t match = m_open.size();
    for (std::size_t k = m_open.size(); k-- > 0;)
        if (m_open[k].name == name) {
            match = k;
            break;
        }
    const Open& top = m_open.back();
    if (match == m_open.size()) {
        Error(i, "end tag </" + Utf8(name) + "> does not match the open element " + Tag(top) +
                     ": write </" + Utf8(top.name) + ">");
        m_open.pop_back();
    } else {
        Error(i,
              "end tag </" + Utf8(name) + "> while " + Tag(top) + " is still open: close it first");
        Note(top.at, "<" + Utf8(top.name) + "> opened here is not closed");
        m_open.resize(match);
    }
    if (m_open.empty()) m_rootClosed = true;
    return after;
}

std::vector<Finding> Scanner::Run() {
    std::size_t i = 0;
    if (At(0, "<?xml") && (n == 5 || IsSpace(t[5]) || t[5] == '?')) Declaration();
    while (i < n) {
        std::size_t lt = t.find(L'<', i);
        if (lt == std::wstring::npos) lt = n;
        Text(i, lt);
        i = lt;
        if (i >= n) break;
        if (At(i, "<?")) {
            if (i > 0 && At(i, "<?xml") && i + 5 < n && (IsSpace(t[i + 5]) || t[i + 5] == '?'))
                Error(i,
                      "the XML declaration must stand at the very start of the file: remove "
                      "what stands before it");
            const std::size_t end = t.find(L"?>", i + 2);
            if (end == std::wstring::npos) {
                Error(i, "processing instruction not closed: no \"?>\" follows");
                break;
            }
            i = end + 2;
        } else if (At(i, "<!--")) {
            i = Comment(i);
        } else if (At(i, "<![CDATA[")) {
            if (m_open.empty()) Error(i, "a CDATA section outside the root element");
            const std::size_t end = t.find(L"]]>", i + 9);
            if (end == std::wstring::npos) {
                Error(i, "CDATA section not closed: no \"]]>\" follows");
                break;
            }
            i = end + 3;
        } else if (At(i, "<!DOCTYPE")) {
            if (m_rootSeen) Error(i, "a DOCTYPE declaration after the root element");
            i = Doctype(i);
        } else if (At(i, "</")) {
            i = EndTag(i);
        } else if (i + 1 < n && IsNameStart(t[i + 1])) {
            i = StartTag(i);
        } else {
            Error(i, "'<' that starts no tag: write &lt;");
            ++i;
        }
    }
    for (const Open& o : m_open) Error(o.at, "<" + Utf8(o.name) + "> is never closed");
    if (!m_rootSeen) Error(n, "no root element");
    return std::move(m_out);
}

// ---- libxml2 -------------------------------------------------------------------------

struct Verdict {
    bool wellFormed = true;
    int line = 0, column = 0;
    std::string message;
};

void Collect(void* user, xmlErrorPtr error) {
    Verdict& v = *static_cast<Verdict*>(user);
    if (error->level != XML_ERR_FATAL || error->domain == XML_FROM_NAMESPACE || !v.wellFormed)
        return;
    v.wellFormed = false;
    v.line = error->line;
    v.column = error->int2;
    v.message = error->message ? error->message : "not well-formed";
    while (!v.message.empty() && (v.message.back() == '\n' || v.message.back() == ' '))
        v.message.pop_back();
}

// libxml2 on the decoded text, handed over as UTF-8 so that every encoding
// the library decodes is judged alike; external entities are not loaded.
Verdict AskLibxml2(const std::wstring& text) {
    const std::string utf8 = Utf8(text);
    Verdict verdict;
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt) return verdict;
    xmlSetStructuredErrorFunc(&verdict, Collect);
    xmlDocPtr doc =
        xmlCtxtReadMemory(ctxt, utf8.data(), static_cast<int>(utf8.size()), "file", "UTF-8",
                          XML_PARSE_NONET | XML_PARSE_HUGE | XML_PARSE_IGNORE_ENC |
                              XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!ctxt->wellFormed && verdict.wellFormed) {
        verdict.wellFormed = false;
        verdict.message = "not well-formed";
        verdict.line = ctxt->input ? ctxt->input->line : 0;
    }
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (doc) xmlFreeDoc(doc);
    xmlFreeParserCtxt(ctxt);
    return verdict;
}

// The offset in the text of a 1-based line and column (in characters).
std::size_t OffsetOf(const std::wstring& text, int line, int column) {
    std::size_t at = 0;
    for (int l = 1; l < line; ++l) {
        const std::size_t nl = text.find(L'\n', at);
        if (nl == std::wstring::npos) return text.size();
        at = nl + 1;
    }
    const std::size_t lineEnd = std::min(text.find(L'\n', at), text.size());
    return std::min(at + static_cast<std::size_t>(column > 0 ? column - 1 : 0), lineEnd);
}

// ---- Encoding -------------------------------------------------------------------------

// Lengths of the valid UTF-8 sequences in order, 0 for each invalid byte.
bool ValidUtf8(const unsigned char* p, std::size_t n, std::vector<std::size_t>* badLines,
               bool* nonAscii) {
    bool valid = true;
    std::size_t line = 1;
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = p[i];
        if (c == '\n') ++line;
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len = c >= 0xF0 && c <= 0xF4  ? 4
                          : c >= 0xE0             ? 3
                          : c >= 0xC2 && c < 0xE0 ? 2
                                                  : 0;
        bool ok = len != 0 && i + len <= n;
        for (std::size_t k = 1; ok && k < len; ++k) ok = (p[i + k] & 0xC0) == 0x80;
        if (ok && len == 3) {
            const uint32_t v = ((c & 0x0Fu) << 12) | ((p[i + 1] & 0x3Fu) << 6);
            ok = v >= 0x800 && (v < 0xD800 || v > 0xDFFF);
        } else if (ok && len == 4) {
            const uint32_t v = ((c & 0x07u) << 18) | ((p[i + 1] & 0x3Fu) << 12);
            ok = v >= 0x10000 && v <= 0x10FFFF;
        }
        if (ok) {
            if (nonAscii) *nonAscii = true;
            i += len;
        } else {
            valid = false;
            if (badLines && (badLines->empty() || badLines->back() != line))
                badLines->push_back(line);
            ++i;
        }
    }
    return valid;
}

// The encoding the declaration names, and where its name stands in the text.
std::string Declared(const std::wstring& text, std::size_t& at) {
    std::size_t i = text.find_first_not_of(L" \t\r\n");
    if (i == std::wstring::npos || text.compare(i, 5, L"<?xml") != 0) return std::string();
    const std::size_t end = text.find(L"?>", i);
    const std::size_t key = text.find(L"encoding", i);
    if (key == std::wstring::npos || key > end) return std::string();
    std::size_t q = text.find_first_of(L"\"'", key);
    if (q == std::wstring::npos || q > end) return std::string();
    const std::size_t close = text.find(text[q], q + 1);
    if (close == std::wstring::npos || close > end) return std::string();
    at = q + 1;
    return Utf8(text.substr(q + 1, close - q - 1));
}

// Places of damaged bytes shown at most; a file in the wrong encoding has them
// on every line.
const std::size_t kMaxPlaces = 20;

void CheckEncoding(const std::vector<unsigned char>& bytes, const std::wstring& text,
                   const std::wstring& encoding, std::vector<Finding>& out) {
    auto has = [&](const char* sig, std::size_t len) {
        return bytes.size() >= len && std::memcmp(bytes.data(), sig, len) == 0;
    };
    const char* bom = has("\xEF\xBB\xBF", 3)                                ? "UTF-8"
                      : has("\xFF\xFE\0\0", 4) || has("\0\0\xFE\xFF", 4)    ? "UTF-32"
                      : has("\xFF\xFE", 2) || has("\xFE\xFF", 2)            ? "UTF-16"
                      : has("<\0", 2) || has("\0<", 2) || has("\0\0\0<", 4) ? "UTF-16"
                                                                            : nullptr;
    std::size_t at = 0;
    const std::string declared = Upper(Declared(text, at));
    const std::string used = Utf8(encoding);
    if (bom && !declared.empty()) {
        const bool same = std::string(bom) == "UTF-8"
                              ? declared == "UTF-8" || declared == "UTF8"
                              : declared.compare(0, 6, bom) == 0 ||
                                    (std::string(bom) == "UTF-16" && declared == "UCS-2");
        if (!same)
            out.push_back({Severity::Error, at,
                           "the file's bytes are " + std::string(bom) +
                               (has("<", 1) ? "" : " (byte-order mark)") +
                               " but it declares encoding \"" + Declared(text, at) +
                               "\": the library reads it as " + used + "; declare " + bom,
                           kEncoding});
    }
    if (used == "UTF-8" && !bom) {
        std::vector<std::size_t> lines;
        bool nonAscii = false;
        ValidUtf8(bytes.data(), bytes.size(), &lines, &nonAscii);
        // Lines only grow: one walk over the text places them all.
        std::size_t from = 0, line = 1, lineStart = 0, shown = 0;
        for (std::size_t bad : lines) {
            for (; line < bad && lineStart < text.size(); ++line) {
                const std::size_t nl = text.find(L'\n', lineStart);
                lineStart = nl == std::wstring::npos ? text.size() : nl + 1;
            }
            if (++shown > kMaxPlaces) {
                out.push_back({Severity::Error, lineStart,
                               std::to_string(lines.size() - kMaxPlaces) +
                                   " more lines hold bytes that are not valid UTF-8",
                               kEncoding});
                break;
            }
            std::size_t at = text.find(L'\uFFFD', std::max(from, lineStart));
            if (at == std::wstring::npos) at = lineStart;
            out.push_back({Severity::Error, at,
                           "bytes that are not valid UTF-8: the library reads them as U+FFFD "
                           "(\xEF\xBF\xBD)" +
                               std::string(declared.empty() ? "; if the file is in another "
                                                              "encoding, declare it"
                                                            : ""),
                           kEncoding});
            from = at + 1;
        }
    } else if (used != "UTF-8" && used.compare(0, 3, "UTF") != 0) {
        std::size_t shown = 0;
        for (std::size_t i = text.find(L'\uFFFD'); i != std::wstring::npos && shown++ < kMaxPlaces;
             i = text.find(L'\uFFFD', i)) {
            out.push_back({Severity::Error, i,
                           "bytes that are not valid " + used +
                               ": the library reads them as U+FFFD (\xEF\xBF\xBD)",
                           kEncoding});
            while (i < text.size() && text[i] == L'\uFFFD') ++i;
        }
    }
    if (!bom && (declared == "GB2312" || declared == "GBK" || declared == "GB18030")) {
        bool nonAscii = false;
        if (ValidUtf8(bytes.data(), bytes.size(), nullptr, &nonAscii) && nonAscii)
            out.push_back({Severity::Warning, at,
                           "the file declares " + Declared(text, at) +
                               ", but its bytes are valid UTF-8 with non-ASCII text: it looks "
                               "like UTF-8 (declare encoding=\"UTF-8\" if it is)",
                           kEncoding});
    }
}

}  // namespace

std::vector<Finding> CheckXml(const std::vector<unsigned char>& bytes, const std::wstring& text,
                              const std::wstring& encoding) {
    std::vector<Finding> out;
    CheckEncoding(bytes, text, encoding, out);
    const Verdict verdict = AskLibxml2(text);
    std::vector<Finding> scanned = Scanner(text).Run();
    if (verdict.wellFormed) {
        // libxml2 has the last word: what it accepts is well-formed.
        for (Finding& f : scanned)
            if (f.severity == Severity::Warning) out.push_back(std::move(f));
        return out;
    }
    const std::size_t at = OffsetOf(text, verdict.line, verdict.column);
    const std::size_t lineEnd = std::min(text.find(L'\n', at), text.size());
    const bool placed = std::any_of(scanned.begin(), scanned.end(), [&](const Finding& f) {
        return f.severity == Severity::Error && f.offset <= lineEnd;
    });
    if (!placed)
        out.push_back({Severity::Error, at, "not well-formed: " + verdict.message, kSyntax});
    for (Finding& f : scanned) out.push_back(std::move(f));
    return out;
}

}  // namespace ectool
