#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "eventconfig/xml/Markup.h"

namespace {

// The element tree as the navigator walks it: "r(a,b(c))".
std::wstring Tree(CMarkup& m) {
    std::wstring out;
    int depth = 0;
    for (;;) {
        if (m.FindElem()) {
            if (!out.empty() && out.back() != L'(') out += L',';
            out += m.GetTagName();
            out += L'(';
            m.IntoElem();
            ++depth;
        } else {
            if (depth == 0) break;
            m.OutOfElem();
            --depth;
            if (out.back() == L'(') {
                out.pop_back();
            } else {
                out += L')';
            }
        }
    }
    return out;
}

// ---- Position rules -----------------------------------------------------------

// A script of steps "op [name] ok|no [tag] [child=tag] [id=value]": the
// result, then the current element, its current child and its "id".
struct Script {
    const char* what;
    const char* steps;
};

void PrintTo(const Script& s, std::ostream* os) {
    *os << s.what;
}

std::wstring Widen(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

const wchar_t* const kPositionDoc =
    L"<?xml version='1.0'?><!-- note --><!DOCTYPE r><r><a id='1'><x id='x1'/><y/><x id='x2'/></a>"
    L"<b/><a id='2'/></r>";

class PositionTest : public ::testing::TestWithParam<Script> {};

TEST_P(PositionTest, Steps) {
    CMarkup m(kPositionDoc);
    std::istringstream steps(GetParam().steps);
    std::string step;
    for (int i = 0; std::getline(steps, step, ';'); ++i) {
        SCOPED_TRACE(testing::Message() << GetParam().what << ", step " << i << ":" << step);
        std::istringstream words(step);
        std::string op, result, word, tag, child, id;
        words >> op >> result;
        const std::wstring name = Widen(result);
        const bool named = result != "ok" && result != "no";
        if (named) words >> result;
        const MCD_CSTR n = named ? name.c_str() : nullptr;
        bool got = false;
        if (op == "find") {
            got = m.FindElem(n);
        } else if (op == "child") {
            got = m.FindChildElem(n);
        } else if (op == "into") {
            got = m.IntoElem();
        } else {
            ASSERT_EQ("out", op);
            got = m.OutOfElem();
        }
        while (words >> word) {
            if (word.rfind("child=", 0) == 0) {
                child = word.substr(6);
            } else if (word.rfind("id=", 0) == 0) {
                id = word.substr(3);
            } else {
                tag = word;
            }
        }
        EXPECT_EQ(result == "ok", got);
        EXPECT_EQ(Widen(tag), m.GetTagName());
        EXPECT_EQ(Widen(child), m.GetChildTagName());
        EXPECT_EQ(Widen(id), m.GetAttrib(L"id"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Markup, PositionTest,
    ::testing::Values(
        Script{"first find lands on the root, a second finds nothing", "find ok r; find no r"},
        Script{"failed first find leaves nothing current", "find a no; find r ok r"},
        Script{"names are case-sensitive", "find R no"},
        Script{"into and out need a current element / a level", "into no; out no"},
        Script{"searches run forward; a failed one keeps the position",
               "find ok r; into ok; find a ok a id=1; find a ok a id=2; find a no a id=2;"
               "find b no a id=2"},
        Script{"find child selects the next element first",
               "child a ok r child=a; child ok r child=b; child b no r child=b"},
        Script{"child searches run after the current child",
               "find ok r; into ok; child x ok a child=x id=1; child x ok a child=x id=1;"
               "child x no a child=x id=1; find ok b; child no b"},
        Script{"find clears the child",
               "find ok r; child b ok r child=b; into ok; child y ok a child=y id=1; find ok b"},
        Script{"out makes the element left current again",
               "find ok r; into ok; find a ok a id=1; into ok; find y ok y; out ok a id=1;"
               "find ok b; out ok r; out no r"},
        Script{"into an element without children gives an empty level",
               "find ok r; into ok; find b ok b; into ok; find no; child no; out ok b"}));

TEST(Markup, ChildReadsFollowTheChild) {
    CMarkup m(L"<r><a k='v'>t<i/></a></r>");
    EXPECT_EQ(L"", m.GetChildAttrib(L"k"));
    EXPECT_EQ(CMarkup::npos, m.GetElemOffset());
    EXPECT_EQ(CMarkup::npos, m.GetChildElemOffset());
    ASSERT_TRUE(m.FindChildElem());
    EXPECT_EQ(L"v", m.GetChildAttrib(L"k"));
    EXPECT_EQ(L"t", m.GetChildData());
    EXPECT_EQ(L"<a k='v'>t<i/></a>", m.GetChildSubDoc());
    EXPECT_EQ(0u, m.GetElemOffset());
    EXPECT_EQ(3u, m.GetChildElemOffset());
    EXPECT_EQ(L"", m.GetData());
}

TEST(Markup, SetDocResetsThePosition) {
    CMarkup m(L"<r><a/></r>");
    ASSERT_TRUE(m.FindChildElem());
    EXPECT_FALSE(m.SetDoc(L"<q"));
    EXPECT_EQ(L"", m.GetTagName());
    EXPECT_TRUE(m.SetDoc(std::wstring(L"<s/>")));
    EXPECT_TRUE(m.FindElem(L"s"));
    EXPECT_FALSE(m.SetDoc(static_cast<MCD_CSTR>(nullptr)));
    EXPECT_EQ(L"", m.GetDoc());
    EXPECT_FALSE(m.FindElem());
}

TEST(Markup, CopiesAreIndependent) {
    CMarkup a(L"<r><a/><b/></r>");
    a.FindElem();
    a.IntoElem();
    a.FindElem();
    CMarkup b(a);
    EXPECT_TRUE(b.FindElem());
    EXPECT_EQ(L"b", b.GetTagName());
    EXPECT_EQ(L"a", a.GetTagName());
    CMarkup c;
    c = b;
    b.SetDoc(L"<z/>");
    EXPECT_EQ(L"b", c.GetTagName());
    EXPECT_EQ(L"<r><a/><b/></r>", c.GetDoc());
    CMarkup& same = c;  // self-assignment, without the compiler's warning
    c = same;
    EXPECT_EQ(L"b", c.GetTagName());
}

// ---- Reads of the root element ----------------------------------------------

struct ReadCase {
    const wchar_t* doc;
    MCD_CSTR attr;
    const wchar_t* attrValue;
    const wchar_t* data;
};

class ReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, RootReads) {
    const ReadCase& c = GetParam();
    CMarkup m(c.doc);
    ASSERT_TRUE(m.FindElem());
    EXPECT_EQ(std::wstring(c.attrValue), m.GetAttrib(c.attr));
    EXPECT_EQ(std::wstring(c.data), m.GetData());
}

INSTANTIATE_TEST_SUITE_P(
    Markup, ReadTest,
    ::testing::Values(
        ReadCase{L"<a x='1' y=\"2\"/>", L"x", L"1", L""},
        ReadCase{L"<a x='1' y=\"2\"/>", L"y", L"2", L""},
        ReadCase{L"<a x='say \"hi\"'/>", L"x", L"say \"hi\"", L""},
        ReadCase{L"<a x = \"1\" \n y='2'/>", L"y", L"2", L""},
        ReadCase{L"<a X='1'/>", L"x", L"", L""}, ReadCase{L"<a x='1'/>", nullptr, L"", L""},
        ReadCase{L"<a xy='1' x='2'/>", L"x", L"2", L""},
        ReadCase{L"<a x='1' xy='2'/>", L"xy", L"2", L""},
        ReadCase{L"<a v='&lt;&gt;&amp;&apos;&quot;'>&lt;&gt;&amp;&apos;&quot;</a>", L"v", L"<>&'\"",
                 L"<>&'\""},
        ReadCase{L"<a v='&#65;&#x42;&#x00e9;&#20013;'>&#65;&#x42;&#x00e9;&#20013;</a>", L"v",
                 L"AB\u00e9\u4e2d", L"AB\u00e9\u4e2d"},
        ReadCase{L"<a v='&nbsp;&#;&#0;&#xD800;&#1114112;&amp'>&x; &#xZ; & </a>", L"v",
                 L"&nbsp;&#;&#0;&#xD800;&#1114112;&amp", L"&x; &#xZ; & "},
        ReadCase{L"<a>x<![CDATA[<b>&amp;</b>]]>y</a>", L"x", L"", L"x<b>&amp;</b>y"},
        ReadCase{L"<a> t1 <b>in</b> t2 <!--c--> <?pi x?> <c/></a>", L"x", L"", L" t1  t2   "},
        // Line ends read as LF; in attribute values tabs and line ends as spaces.
        ReadCase{L"<a v='a\tb\nc\r\nd\re'>\n\t x \r\ny\rz</a>", L"v", L"a b c d e",
                 L"\n\t x \ny\nz"},
        ReadCase{L"<a v='&#9;&#10;&#13;\r'>&#13;&#10;\r<![CDATA[\r\n]]></a>", L"v", L"\t\n\r ",
                 L"\r\n\n\n"},
        ReadCase{L"<a><b>deep</b></a>", L"x", L"", L""},
        ReadCase{L"<a>one<![CDATA[]]>two<![CDATA[3]]></a>", L"x", L"", L"onetwo3"},
        // A surrogate pair where wchar_t has 16 bits, one unit otherwise.
        ReadCase{L"<a v='&#x1F600;'/>", L"v", L"\U0001F600", L""},
        // Units whose low byte is a quote, '<' or '&', beyond the first 16.
        ReadCase{L"<a v='\u0122\u0126\u0127\u013C\u0122\u0126\u0127\u013C\u0122\u0126\u0127"
                 L"\u013C\u0122\u0126\u0127\u013C\U0001003C'>\u013C\u0126\u013C\u0126\u013C\u0126"
                 L"\u013C\u0126\u013C\u0126\u013C\u0126\u013C\u0126\u013C\u0126\U00010026</a>",
                 L"v",
                 L"\u0122\u0126\u0127\u013C\u0122\u0126\u0127\u013C\u0122\u0126\u0127\u013C\u0122"
                 L"\u0126\u0127\u013C\U0001003C",
                 L"\u013C\u0126\u013C\u0126\u013C\u0126\u013C\u0126\u013C\u0126\u013C\u0126\u013C"
                 L"\u0126\u013C\u0126\U00010026"}));

TEST(Markup, SubDocIsTheExactMarkup) {
    const std::wstring doc = L"<r>\n  <a x='1' >t<b/><!--c--></a >\n  <e  /></r>";
    CMarkup m(doc);
    m.FindElem();
    EXPECT_EQ(doc, m.GetSubDoc());
    m.IntoElem();
    m.FindElem();
    EXPECT_EQ(L"<a x='1' >t<b/><!--c--></a >", m.GetSubDoc());
    m.FindElem();
    EXPECT_EQ(L"<e  />", m.GetSubDoc());
}

// ---- Recovery -----------------------------------------------------------------

struct LenientCase {
    std::wstring doc;
    const wchar_t* tree;
    std::size_t errorOffset;  // npos: well-formed
};

// Named by its expected tree: gtest's fallback prints the struct's bytes,
// the string's unused room included, which memcheck reports as uninitialised.
void PrintTo(const LenientCase& c, std::ostream* os) {
    for (const wchar_t* p = c.tree; *p; ++p) *os << (*p < 128 ? static_cast<char>(*p) : '?');
}

// The text with each '#' a NUL.
std::wstring Nul(std::wstring text) {
    for (wchar_t& c : text)
        if (c == L'#') c = L'\0';
    return text;
}

class LenientTest : public ::testing::TestWithParam<LenientCase> {};

TEST_P(LenientTest, TreeAndFirstProblem) {
    const LenientCase& c = GetParam();
    CMarkup m(c.doc);
    EXPECT_EQ(std::wstring(c.tree), Tree(m));
    EXPECT_EQ(c.errorOffset == CMarkup::npos, m.IsWellFormed());
    EXPECT_EQ(c.errorOffset, m.GetErrorOffset());
    EXPECT_EQ(c.errorOffset == CMarkup::npos, m.GetError().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Markup, LenientTest,
    ::testing::Values(
        LenientCase{L"<r><a/><b>t</b></r>", L"r(a,b)", CMarkup::npos},
        // Quotes in the internal subset's comments and instructions open no literal.
        LenientCase{L"<!DOCTYPE r [ <!-- can't --> <?p \"?> <!ENTITY e ']>'> ]><r><a/></r>",
                    L"r(a)", CMarkup::npos},
        // The prolog, comments, CDATA and instructions hold no elements.
        LenientCase{L"\uFEFF<?xml version=\"1.0\"?>\n<!DOCTYPE r [\n<!ELEMENT r ANY>\n"
                    L"<!ENTITY e \"a>b\">\n]>\n<!-- <x/> --><?pi <y/>?><r><!-- <z/> -->"
                    L"<![CDATA[<w/>]]><?p <v/>?></r><!-- tail -->\n",
                    L"r", CMarkup::npos},
        LenientCase{L"<r><a><b></r>", L"r(a(b))", 3},
        LenientCase{L"<r><a></x></a></r>", L"r(a)", 6},
        LenientCase{L"<r><a><b></a><c/></r>", L"r(a(b),c)", 6},
        LenientCase{L"<r><a x='1'", L"r(a)", 0}, LenientCase{L"<r>1 < 2<a/></r>", L"r(a)", 5},
        LenientCase{L"<r>a & b</r>", L"r", 5}, LenientCase{L"<r x=1 y=two/>", L"r", 5},
        LenientCase{L"<r><a x='1<b/></r>", L"r(a(b))", 3},
        LenientCase{L"<r checked><a/></r>", L"r(a)", 3}, LenientCase{L"<a/><b/>", L"a,b", 4},
        LenientCase{L"x<a/>", L"a", 0}, LenientCase{L"", L"", 0},
        LenientCase{L"  <!-- only -->", L"", 15}, LenientCase{L"</a><a/>", L"a", 0},
        LenientCase{L"<r><", L"r", 0}, LenientCase{L"<r><!-- open <a/>", L"r", 0},
        LenientCase{L"<r><![CDATA[ open <a/>", L"r", 0}, LenientCase{L"<r></r ><a/>", L"r,a", 8},
        LenientCase{L"<r><a></a <b/></r>", L"r(a,b)", 6},
        LenientCase{L"<r><a b='1'c='2'/></r>", L"r(a)", 11},
        LenientCase{L"<r><a>x & y</r>", L"r(a)", 3}, LenientCase{L"<r><a\"b\"/></r>", L"r(a)", 5},
        // A NUL inside the text is a character like another (the index stops
        // on the one after the text); a tag or the text cut at the very end.
        LenientCase{Nul(L"<r a='x#y' b=\"#\">t#u</r>"), L"r", CMarkup::npos},
        LenientCase{Nul(L"<r#/>"), L"r", 2}, LenientCase{Nul(L"<r><a#b='1'/></r>"), L"r(a)", 5},
        LenientCase{Nul(L"#<r/>"), L"r", 0}, LenientCase{Nul(L"<r></r#>"), L"r", 3},
        LenientCase{L"<r/", L"r", 0}, LenientCase{L"<r></", L"r", 0},
        // Names compared and read in blocks: a difference at a block's last
        // unit, at the next block's first, only in a unit's high byte; a name
        // that ends with the text at a block's edge.
        LenientCase{L"<r><abcdefgh></abcdefgx></r>", L"r(abcdefgh)", 3},
        LenientCase{L"<r><abcdefgh></abcdxfgh></r>", L"r(abcdefgh)", 3},
        LenientCase{L"<r><abcdefg\u0161></abcdefg\u0261></r>", L"r(abcdefg\u0161)", 3},
        LenientCase{L"<r><abcdefgh", L"r(abcdefgh)", 0}, LenientCase{L"<r abcdefgh", L"r", 0}));

TEST(Markup, RecoveredElementsKeepTheirReads) {
    CMarkup m(L"<r><a x='1' y=2 z>t1<b>t2</r>");
    ASSERT_TRUE(m.FindElem());
    m.IntoElem();
    ASSERT_TRUE(m.FindElem(L"a"));
    EXPECT_EQ(L"1", m.GetAttrib(L"x"));
    EXPECT_EQ(L"2", m.GetAttrib(L"y"));
    EXPECT_EQ(L"", m.GetAttrib(L"z"));
    EXPECT_EQ(L"t1", m.GetData());
    EXPECT_EQ(L"<a x='1' y=2 z>t1<b>t2", m.GetSubDoc());
    ASSERT_TRUE(m.FindChildElem(L"b"));
    EXPECT_EQ(L"t2", m.GetChildData());
    EXPECT_EQ(L"<b>t2", m.GetChildSubDoc());
    EXPECT_NE(std::wstring::npos, m.GetError().find(L"<a>"));
}

// Every element's sub-document, re-read, shows the same element: name,
// attributes, data, sub-document and subtree.
void ExpectSubDocsReread(const std::wstring& doc) {
    CMarkup m(doc);
    int depth = 0;
    for (;;) {
        if (m.FindElem()) {
            const std::wstring sub = m.GetSubDoc();
            CMarkup again(sub);
            ASSERT_TRUE(again.FindElem()) << sub;
            EXPECT_EQ(m.GetTagName(), again.GetTagName());
            EXPECT_EQ(m.GetAttrib(L"x"), again.GetAttrib(L"x"));
            EXPECT_EQ(m.GetData(), again.GetData()) << sub;
            EXPECT_EQ(sub, again.GetSubDoc());
            CMarkup inDoc(m);
            inDoc.IntoElem();
            again.IntoElem();
            EXPECT_EQ(Tree(inDoc), Tree(again)) << sub;
            m.IntoElem();
            ++depth;
        } else {
            if (depth-- == 0) break;
            m.OutOfElem();
        }
    }
}

TEST(Markup, SubDocumentsRereadToTheSameElement) {
    const wchar_t* docs[] = {
        L"<r x='0'><a x='1'>t<b x='2'>u</b>v<![CDATA[w]]></a><c/></r>",
        L"<r><a><b>t</r>",
        L"<r><a></x>t</a><b x=3>u<c></b></r>",
        L"<r><a>x<![CD</a></r>",
        L"<r><a>x<!-- </a> --></a><b <c/></r>",
    };
    for (const wchar_t* doc : docs) {
        SCOPED_TRACE(testing::Message() << std::string(doc, doc + std::wcslen(doc)).c_str());
        ExpectSubDocsReread(doc);
    }
}

// ---- Size and depth ---------------------------------------------------------

std::wstring Repeat(const wchar_t* s, int n) {
    std::wstring out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST(Markup, DeepNestingLoadsAndWalks) {
    const int kDepth = 100000;
    for (bool closed : {true, false}) {
        CMarkup m(Repeat(L"<a>", kDepth) + L"x" +
                  (closed ? Repeat(L"</a>", kDepth) : std::wstring()));
        EXPECT_EQ(closed, m.IsWellFormed());
        int depth = 0;
        while (m.FindElem(L"a")) {
            m.IntoElem();
            ++depth;
        }
        EXPECT_EQ(kDepth, depth);
        m.OutOfElem();
        EXPECT_EQ(L"x", m.GetData());
        while (m.OutOfElem()) --depth;
        EXPECT_EQ(1, depth);
        EXPECT_EQ(m.GetDoc(), m.GetSubDoc());
        EXPECT_EQ(L"", m.GetData());
    }
}

TEST(Markup, DeepMismatchedEndTagsCloseToTheirAncestor) {
    // Beyond the near-ancestor search: the counted path must give the same
    // rule (misses ignored, a match closes everything in between).
    const int kDepth = 200;
    std::wstring doc = L"<m>" + Repeat(L"<a>", kDepth) + Repeat(L"</q>", 50) + L"</m><n/>";
    CMarkup m(doc);
    EXPECT_FALSE(m.IsWellFormed());
    ASSERT_TRUE(m.FindElem(L"m"));
    EXPECT_EQ(doc.size() - 4, m.GetSubDoc().size());
    ASSERT_TRUE(m.FindElem(L"n"));
    m.SetDoc(L"<m><a>" + Repeat(L"<b>", kDepth) + L"</a><c/></m>");
    EXPECT_EQ(L"m(a(" + Repeat(L"b(", kDepth - 1) + L"b" + Repeat(L")", kDepth - 1) + L"),c)",
              Tree(m));
}

// Where a name ends, for every ASCII character and the edges beyond it, at
// every place in a name (the index reads names several characters at a
// time), in start tags, attribute names and end tags alike.
TEST(Markup, NamesEndAtTheFirstNonNameCharacter) {
    std::vector<wchar_t> chars;
    for (int c = 1; c < 128; ++c) chars.push_back(static_cast<wchar_t>(c));
    // Beyond ASCII: among them units whose low byte is markup.
    for (long c : {0x80L, 0xFFL, 0x120L, 0x13CL, 0x13EL, 0x4E2DL, 0x8000L, 0xFFFDL, 0xFFFFL})
        chars.push_back(static_cast<wchar_t>(c));
#if WCHAR_MAX > 0xFFFF
    chars.push_back(static_cast<wchar_t>(0x10FFFF));
    chars.push_back(static_cast<wchar_t>(-1));  // not a character, but a wide string may hold it
#endif
    for (wchar_t c : chars) {
        const unsigned long u = static_cast<unsigned long>(c);
        const bool isName = u >= 128 || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                            (u >= '0' && u <= '9') || u == '_' || u == ':' || u == '-' || u == '.';
        for (std::size_t at = 1; at <= 9; ++at) {
            const std::wstring prefix = std::wstring(L"abcdefghi").substr(0, at);
            const std::wstring name = prefix + c + L"z";
            const std::wstring expected = isName ? name : prefix;
            SCOPED_TRACE(testing::Message() << "char " << static_cast<long>(c) << " at " << at);
            CMarkup element(L"<" + name + L"/>");
            ASSERT_TRUE(element.FindElem());
            EXPECT_EQ(element.GetTagName(), expected);
            if (!isName) continue;
            CMarkup attribute(L"<r " + name + L"='v'/>");
            ASSERT_TRUE(attribute.FindElem());
            EXPECT_EQ(attribute.GetAttrib(name.c_str()), L"v");
            CMarkup endTag(L"<r><" + name + L">t</" + name + L"></r>");
            EXPECT_TRUE(endTag.IsWellFormed());
        }
    }
}

}  // namespace
