#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "eventconfig/xml/Markup.h"
#include "reading/Reading.h"

using ecfg::XmlReader;

namespace {

// Calls visit() at every element in document order: find() selects the next
// element at the level, into() and out() enter and leave it.
template <class Find, class Into, class Out, class Visit>
void EachElement(Find find, Into into, Out out, Visit visit) {
    int depth = 0;
    for (;;) {
        if (find()) {
            visit();
            into();
            ++depth;
        } else if (depth > 0) {
            out();
            --depth;
        } else {
            return;
        }
    }
}

// What a reader shows of its text: every element in document order with its
// markup, data and two attributes, and whether the text is well-formed.
std::wstring Walk(XmlReader& r) {
    std::wstring out = r.IsWellFormed() ? L"wf|" : L"bad|";
    EachElement([&] { return r.Find(); }, [&] { r.Into(); }, [&] { r.Out(); },
                [&] {
                    out += L"[" + r.SubDoc() + L"|" + r.Data() + L"|" + r.Attr(L"a") + L"|" +
                           r.Attr(L"b") + L"|" + std::to_wstring(r.AttrDec(L"n")) + L"|" +
                           std::to_wstring(r.DataHex()) + L"]";
                });
    return out;
}

// The same walk through the navigator's own interface, on its own copy and
// its own index of the text.
std::wstring Walk(CMarkup& m) {
    std::wstring out = m.IsWellFormed() ? L"wf|" : L"bad|";
    EachElement([&] { return m.FindElem(); }, [&] { m.IntoElem(); }, [&] { m.OutOfElem(); },
                [&] {
                    out += L"[" + m.GetSubDoc() + L"|" + m.GetData() + L"|" + m.GetAttrib(L"a") +
                           L"|" + m.GetAttrib(L"b") + L"|" +
                           std::to_wstring(ecfg::DecToInt(m.GetAttrib(L"n"))) + L"|" +
                           std::to_wstring(ecfg::HexToInt(m.GetData())) + L"]";
                });
    return out;
}

// The elements down to maxDepth with their markup and attributes: what a
// reader of the top levels serves.
std::wstring WalkTop(XmlReader& r, int maxDepth) {
    std::wstring out = r.IsWellFormed() ? L"wf|" : L"bad|";
    int depth = 0;
    for (;;) {
        if (depth < maxDepth && r.Find()) {
            out += L"[" + r.SubDoc() + L"|" + r.Attr(L"a") + L"|" + r.Attr(L"b") + L"|" +
                   std::to_wstring(r.AttrDec(L"n")) + L"]";
            r.Into();
            ++depth;
        } else if (depth > 0) {
            r.Out();
            --depth;
            out += L"^";
        } else {
            return out;
        }
    }
}

// A reader of the top levels only must see them exactly as a full one,
// whatever the text below them holds.
void ExpectTopLevelsReadAlike(const std::wstring& doc) {
    for (int depth = 1; depth <= 3; ++depth) {
        XmlReader full(doc);
        const std::wstring expected = WalkTop(full, depth);
        XmlReader top(doc, static_cast<uint32_t>(depth));
        EXPECT_EQ(WalkTop(top, depth), expected)
            << "depth " << depth << ": " << std::string(doc.begin(), doc.end());
    }
}

// Every element's sub-document, read by a reader made while the reader that
// handed it out is open (so it may read through that reader's index), must
// read exactly as a navigator that indexed it alone; and so must a second
// reader of an equal text.
void ExpectSubDocsReadAlike(const std::wstring& doc) {
    XmlReader outer(doc);
    EachElement([&] { return outer.Find(); }, [&] { outer.Into(); }, [&] { outer.Out(); },
                [&] {
                    const std::wstring sub = outer.SubDoc();
                    CMarkup alone(sub);
                    const std::wstring expected = Walk(alone);
                    XmlReader inner(sub);
                    EXPECT_EQ(Walk(inner), expected)
                        << "sub-document: " << std::string(sub.begin(), sub.end());
                    const std::wstring copy = sub;
                    XmlReader again(copy);
                    EXPECT_EQ(Walk(again), expected);
                    // Handed on without a copy, as the model's levels do.
                    XmlReader element{ecfg::XmlSource(outer)};
                    EXPECT_EQ(Walk(element), expected);
                });
    CMarkup whole(doc);
    XmlReader fresh(doc);
    EXPECT_EQ(Walk(fresh), Walk(whole));
    ExpectTopLevelsReadAlike(doc);
}

TEST(ReaderSharing, HandWrittenDocuments) {
    const wchar_t* const docs[] = {
        (L"<r a='1'><x n='12' b='&amp;q'>1F<y/>tail</x><x a=\"2\">&#x41;&lt;</x><!-- c "
         L"--><z><![CDATA[<x>]]></z></r>"),
        L"<?xml version='1.0'?><!DOCTYPE r><r><a><b><c n='7'>3</c></b></a><a/></r>",
        L"<r><a><b></a><c>x</c></r>",                   // end tag closing several open elements
        L"<r><a><b>text</r>",                           // unclosed inside
        L"<r><a x='1' x='2' n=5>z</a><b></c></b></r>",  // duplicate, unquoted, stray end tag
        L"<r><a>1 < 2 & 3</a><b a='<'>q</b></r>",       // stray '<' and '&'
        L"<r><a>",                                      // cut short
        L"<r/><s/>",                                    // two roots
        L"<r><a><a><a>deep</a></a></a><a/></r>",
        L"<r><a b='x\ny'>\n\t<c/>\n</a></r>",
    };
    for (const wchar_t* doc : docs) ExpectSubDocsReadAlike(doc);
}

// Random nesting, attributes, text, comments and references, then random
// damage: sub-documents of broken texts must still read alike.
TEST(ReaderSharing, RandomDocuments) {
    std::mt19937 rng(20261208);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const wchar_t* const names[] = {L"a", L"b", L"Msg", L"Rule"};
    const wchar_t* const texts[] = {L"1A",    L" 7 ", L"x&amp;y", L"<!--n-->", L"<![CDATA[<q>]]>",
                                    L"&#65;", L""};
    for (int round = 0; round < 300; ++round) {
        std::wstring doc;
        std::vector<const wchar_t*> open;
        doc += L"<r>";
        for (int step = 0; step < 40; ++step) {
            const int what = pick(6);
            if (what <= 1 && open.size() < 6) {
                const wchar_t* name = names[pick(4)];
                doc += std::wstring(L"<") + name;
                if (pick(2)) doc += L" a='" + std::to_wstring(pick(100)) + L"'";
                if (pick(3) == 0) doc += L" n=\"" + std::to_wstring(pick(1000)) + L"\"";
                if (pick(4) == 0) {
                    doc += L"/>";
                } else {
                    doc += L">";
                    open.push_back(name);
                }
            } else if (what == 2 && !open.empty()) {
                doc += std::wstring(L"</") + open.back() + L">";
                open.pop_back();
            } else {
                doc += texts[pick(7)];
            }
        }
        while (!open.empty()) {
            doc += std::wstring(L"</") + open.back() + L">";
            open.pop_back();
        }
        doc += L"</r>";
        if (round % 2) {
            // Damage: drop, duplicate or replace a few characters.
            for (int k = pick(4); k >= 0 && !doc.empty(); --k) {
                const std::size_t at = static_cast<std::size_t>(pick(static_cast<int>(doc.size())));
                switch (pick(3)) {
                    case 0:
                        doc.erase(at, 1);
                        break;
                    case 1:
                        doc.insert(at, 1, doc[at]);
                        break;
                    default:
                        doc[at] = L"<>/'\"&="[pick(7)];
                        break;
                }
            }
        }
        ExpectSubDocsReadAlike(doc);
    }
}

TEST(ReaderSharing, TextThatDiffersIsIndexedAfresh) {
    const std::wstring doc = L"<r><a n='1'><b/></a></r>";
    XmlReader outer(doc);
    outer.Find();
    outer.Into();
    outer.Find(L"a");
    const std::wstring sub = outer.SubDoc();
    // Same length, other content.
    std::wstring other = sub;
    other[6] = L'2';
    XmlReader inner(other);
    inner.Find();
    EXPECT_EQ(inner.AttrDec(L"n"), 2);
    EXPECT_TRUE(inner.FindChild(L"b"));
}

TEST(ReaderSharing, ReadsNumbersInPlaceAsFromText) {
    const std::wstring doc =
        L"<r n=' 42x' h='0x1f' e='' r='&#x31;2'><d>  -7</d><h>1A<!--c-->2</h><l>ffffffffff</l></r>";
    XmlReader r(doc);
    r.Find();
    EXPECT_EQ(r.AttrDec(L"n"), 42);
    EXPECT_EQ(r.AttrHex(L"h"), 31);
    EXPECT_EQ(r.AttrDec(L"e"), 0);
    EXPECT_EQ(r.AttrDec(L"r"), 12);  // a reference is decoded first
    EXPECT_EQ(r.AttrDec(L"missing"), 0);
    EXPECT_TRUE(r.AttrIs(L"h", L"0x1f"));
    EXPECT_TRUE(r.AttrIs(L"missing", L""));
    EXPECT_FALSE(r.AttrIs(L"h", L"0x1F"));
    EXPECT_TRUE(r.FindChild(L"d"));
    EXPECT_EQ(r.ChildDataDec(), -7);
    EXPECT_TRUE(r.FindChild(L"h"));
    EXPECT_EQ(r.ChildDataHex(), 0x1A2);  // the comment is not data
    EXPECT_TRUE(r.FindChild(L"l"));
    EXPECT_EQ(r.ChildDataHex(), 0x7FFFFFFF);
}

}  // namespace
