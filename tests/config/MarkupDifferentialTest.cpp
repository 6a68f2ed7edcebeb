// The navigator against pugixml on random well-formed documents: both must
// see the same elements, names, attribute values and character data, and
// every sub-document must re-read to the same subtree.

#ifdef EVENTCONFIG_HAVE_PUGIXML

#include <gtest/gtest.h>

#include <cwchar>
#include <pugixml.hpp>
#include <random>
#include <string>
#include <vector>

#include "eventconfig/xml/Markup.h"

namespace {

const wchar_t* const kNames[] = {L"a",  L"b",    L"A",   L"item",         L"x.y",
                                 L"_n", L"ns:t", L"d-1", L"\u4e2d\u6587", L"\u00e9l"};

class Generator {
public:
    explicit Generator(unsigned seed) : m_rng(seed) {}

    std::wstring Document() {
        std::wstring out;
        if (Chance(50)) out += L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
        if (Chance(30)) out += L"\n<!DOCTYPE r [<!ELEMENT r ANY><!ENTITY e \"x>y\">]>";
        Misc(out);
        Element(out, 0);
        Misc(out);
        return out;
    }

private:
    bool Chance(int percent) { return Pick(100) < percent; }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    const wchar_t* Name() { return kNames[Pick(sizeof kNames / sizeof kNames[0])]; }

    void Misc(std::wstring& out) {
        while (Chance(30)) {
            out += Chance(50) ? L"\n" : L" ";
            if (Chance(60)) {
                Comment(out);
            } else {
                out += L"<?pi some data?>";
            }
        }
    }

    void Comment(std::wstring& out) {
        out += L"<!--";
        Chars(out, L"ab <x/> & ' \" -", 8);
        out += L"-->";
    }

    // Up to max characters from the set, never two '-' in a row.
    void Chars(std::wstring& out, const wchar_t* set, int max) {
        const int n = Pick(max + 1);
        const int size = static_cast<int>(std::wcslen(set));
        for (int i = 0; i < n; ++i) {
            const wchar_t c = set[Pick(size)];
            if (c == L'-' && !out.empty() && out.back() == L'-') continue;
            out += c;
        }
        if (!out.empty() && out.back() == L'-') out += L'x';
    }

    void Reference(std::wstring& out) {
        static const wchar_t* const kRefs[] = {L"&lt;",    L"&gt;",  L"&amp;",    L"&apos;",
                                               L"&quot;",  L"&#65;", L"&#x4E2D;", L"&#x1F600;",
                                               L"&#0233;", L"&#xa;"};
        out += kRefs[Pick(sizeof kRefs / sizeof kRefs[0])];
    }

    void Text(std::wstring& out) {
        const int n = 1 + Pick(6);
        for (int i = 0; i < n; ++i) {
            if (Chance(25)) {
                Reference(out);
            } else {
                Chars(out, L"xyz \n\t\r>\"'\u00e9\u4e2d\U0001F600", 5);
            }
        }
    }

    void Element(std::wstring& out, int depth) {
        const wchar_t* name = Name();
        out += L'<';
        out += name;
        std::vector<const wchar_t*> used;
        const int attrs = Pick(4);
        for (int i = 0; i < attrs; ++i) {
            const wchar_t* an = Name();
            bool dup = false;
            for (const wchar_t* u : used) dup = dup || std::wcscmp(u, an) == 0;
            if (dup) continue;
            used.push_back(an);
            out += Chance(30) ? L"\n  " : L" ";
            out += an;
            out += Chance(20) ? L" = " : L"=";
            const wchar_t quote = Chance(50) ? L'"' : L'\'';
            out += quote;
            for (int k = Pick(4); k > 0; --k) {
                if (Chance(30)) {
                    Reference(out);
                } else {
                    Chars(out, quote == L'"' ? L"vw 1>'\u4e2d" : L"vw 2>\"\u00e9", 4);
                }
            }
            out += quote;
        }
        if (Chance(10)) out += L' ';
        if (Chance(20)) {
            out += L"/>";
            return;
        }
        out += L'>';
        const int items = Pick(depth < 5 ? 6 : 3);
        for (int i = 0; i < items; ++i) {
            const int kind = Pick(10);
            if (kind < 4) {
                Text(out);
            } else if (kind < 7 && depth < 5) {
                Element(out, depth + 1);
            } else if (kind < 8) {
                out += L"<![CDATA[";
                Chars(out, L"c <b>&amp; ]>\n", 8);
                out += L"]]>";
            } else if (kind < 9) {
                Comment(out);
            } else {
                out += L"<?p x?>";
            }
        }
        out += L"</";
        out += name;
        if (Chance(10)) out += L"  ";
        out += L'>';
    }

    std::mt19937 m_rng;
};

std::wstring Wide(const char* utf8) {
    return pugi::as_wide(utf8);
}

std::wstring PugiData(pugi::xml_node n) {
    std::wstring out;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) out += Wide(c.value());
    return out;
}

class Comparer {
public:
    std::string why;

    // m is at the level whose elements are the element children of parent.
    bool SameElements(CMarkup& m, pugi::xml_node parent, bool reread) {
        for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling()) {
            if (n.type() != pugi::node_element) continue;
            if (!m.FindElem()) return Fail("missing element " + std::string(n.name()));
            if (!SameElement(m, n, reread)) return false;
        }
        if (m.FindElem()) return Fail("extra element " + pugi::as_utf8(m.GetTagName()));
        return true;
    }

    bool SameElement(CMarkup& m, pugi::xml_node n, bool reread, bool siblings = true) {
        const std::string at = std::string(" at <") + n.name() + ">";
        if (m.GetTagName() != Wide(n.name())) return Fail("name" + at);
        for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute())
            if (m.GetAttrib(Wide(a.name()).c_str()) != Wide(a.value()))
                return Fail("attribute " + std::string(a.name()) + at);
        for (const wchar_t* name : kNames)
            if (!n.attribute(pugi::as_utf8(name).c_str()) && !m.GetAttrib(name).empty())
                return Fail("phantom attribute" + at);
        if (m.GetData() != PugiData(n)) return Fail("data" + at);
        // Searches by name, among the children and among the following siblings.
        for (const wchar_t* name : kNames) {
            CMarkup probe(m);
            pugi::xml_node want = n.child(pugi::as_utf8(name).c_str());
            if (probe.FindChildElem(name) != static_cast<bool>(want))
                return Fail("child search" + at);
            if (want && probe.GetChildSubDoc().empty()) return Fail("child sub-document" + at);
            pugi::xml_node sib = n.next_sibling(pugi::as_utf8(name).c_str());
            if (siblings && probe.FindElem(name) != static_cast<bool>(sib))
                return Fail("sibling search" + at);
        }
        if (reread) {
            CMarkup sub(m.GetSubDoc());
            if (!sub.IsWellFormed()) return Fail("sub-document not well-formed" + at);
            if (!sub.FindElem() || !SameElement(sub, n, false, false))
                return Fail("re-read" + at + ": " + why);
            if (sub.FindElem()) return Fail("re-read has a second element" + at);
        }
        m.IntoElem();
        const bool same = SameElements(m, n, reread && siblings);
        m.OutOfElem();
        return same;
    }

private:
    bool Fail(const std::string& what) {
        why = what;
        return false;
    }
};

TEST(MarkupDifferential, RandomDocumentsMatchPugixml) {
    Generator gen(20240611u);
    const unsigned options = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_ws_pcdata |
                            pugi::parse_eol | pugi::parse_wconv_attribute;
    for (int i = 0; i < 400; ++i) {
        const std::wstring doc = gen.Document();
        pugi::xml_document ref;
        const pugi::xml_parse_result parsed = ref.load_buffer(
            doc.data(), doc.size() * sizeof(wchar_t), options, pugi::encoding_wchar);
        ASSERT_TRUE(parsed) << "generator wrote a bad document " << i << ": "
                            << parsed.description();
        CMarkup m(doc);
        EXPECT_TRUE(m.IsWellFormed()) << "document " << i << ": " << pugi::as_utf8(m.GetError())
                                      << " at " << m.GetErrorOffset() << "\n"
                                      << pugi::as_utf8(doc);
        Comparer cmp;
        EXPECT_TRUE(cmp.SameElements(m, ref, true)) << "document " << i << ": " << cmp.why << "\n"
                                                    << pugi::as_utf8(doc);
    }
}

}  // namespace

#endif  // EVENTCONFIG_HAVE_PUGIXML
