#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <memory>
#include <string>
#include <vector>

#include "eventconfig/Owned.h"
#include "messages/FieldLocator.h"
#include "reading/Reading.h"

using ecfg::XmlReader;

namespace {

struct NumberCase {
    const wchar_t* text;
    int wtoi;
    int hex;
};

// The Windows runtime's rules, including saturation where long is 64 bits.
TEST(NumberRules, DecimalAndHexadecimal) {
    const NumberCase cases[] = {
        {L"", 0, 0},
        {L"12", 12, 0x12},
        {L"  7", 7, 7},
        {L"\t-5", -5, -5},
        {L"+9", 9, 9},
        {L"12abc", 12, 0x12abc},
        {L"0x10", 0, 16},
        {L"0X1f", 0, 31},
        {L"0x", 0, 0},
        {L"0xz", 0, 0},
        {L"zz", 0, 0},
        {L"-", 0, 0},
        {L"1A/2B", 1, 0x1A},
        {L"2147483647", INT_MAX, INT_MAX},
        {L"2147483648", INT_MAX, INT_MAX},
        {L"99999999999999999999999", INT_MAX, INT_MAX},
        {L"-2147483648", INT_MIN, INT_MIN},
        {L"-2147483649", INT_MIN, INT_MIN},
        {L"7FFFFFFF", 7, INT_MAX},
        {L"80000000", 80000000, INT_MAX},
        {L"FFFFFFFF", 0, INT_MAX},
        {L"-80000000", -80000000, INT_MIN},
        {L"FFFFFFF", 0, 0xFFFFFFF},
        {L"9999999", 9999999, 0x9999999},
        {L"a@", 0, 10},
        {L"F`", 0, 15},
        {L"eG", 0, 14},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(ecfg::DecToInt(c.text), c.wtoi)
            << "decimal of '" << std::wstring(c.text).size() << "' chars";
        EXPECT_EQ(ecfg::HexToInt(c.text), c.hex);
        // The same rule on a span of a longer text: what follows is not read.
        const std::wstring longer = std::wstring(c.text) + L"7";
        const wchar_t* const end = longer.c_str() + longer.size() - 1;
        EXPECT_EQ(ecfg::ReadNumber(longer.c_str(), end, 10).value, c.wtoi);
        EXPECT_EQ(ecfg::ReadNumber(longer.c_str(), end, 16).value, c.hex);
    }
}

TEST(NumberRules, EndPointerStopsAtFirstUnreadCharacter) {
    const wchar_t* text = L" 12abc";
    const wchar_t* end = nullptr;
    EXPECT_EQ(ecfg::WcsToL32(text, &end, 10), 12);
    EXPECT_EQ(end - text, 3);
    EXPECT_EQ(ecfg::WcsToL32(text, &end, 16), 0x12abc);
    EXPECT_EQ(end - text, 6);
    EXPECT_EQ(ecfg::WcsToL32(L"xyz", &end, 10), 0);
    EXPECT_EQ(*end, L'x');
}

struct ListCase {
    const wchar_t* text;
    std::vector<int> hex;
    std::vector<int> dec;
};

TEST(IdLists, SplitAtEverySlash) {
    const std::vector<int> untouched = {42};
    const ListCase cases[] = {
        {L"", untouched, untouched},      {L"1A", {0x1A}, {1}},    {L"1A/2B", {0x1A, 0x2B}, {1, 2}},
        {L"1A/", {0x1A, 0}, {1, 0}},      {L"/3", {0, 3}, {0, 3}}, {L"3//5", {3, 0, 5}, {3, 0, 5}},
        {L"3/5/7", {3, 5, 7}, {3, 5, 7}}, {L"0x4", {4}, {0}},
    };
    for (const ListCase& c : cases) {
        std::vector<int> hex = untouched, dec = untouched;
        ecfg::GetMsgIDList(c.text, hex);
        ecfg::GenRuleIDList(c.text, dec);
        EXPECT_EQ(hex, c.hex);
        EXPECT_EQ(dec, c.dec);
    }
}

TEST(Lowering, ChangesAsciiLettersOnly) {
    EXPECT_EQ(ecfg::Lowered(L"AbC-xYz_09"), L"abc-xyz_09");
    EXPECT_EQ(ecfg::InList({1, 2, 3}, 2), 1);
    EXPECT_EQ(ecfg::InList({}, 0), 0);
}

// Letters beyond ASCII follow the locale's mapping.
TEST(Lowering, LeavesLettersBeyondAsciiToTheLocale) {
    const std::string saved = std::setlocale(LC_CTYPE, nullptr);
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) GTEST_SKIP() << "no C.UTF-8 locale";
    EXPECT_EQ(ecfg::Lowered(L"\u00C4Z\u00D6"), L"\u00E4z\u00F6");
    std::setlocale(LC_CTYPE, saved.c_str());
}

// After a failed search nothing is current: reads are empty and entering
// gives an empty level, instead of the element found before.
TEST(XmlReaderRules, FailedSearchReadsAbsentValues) {
    XmlReader reader(L"<R><A x='1'><B>b</B></A></R>");
    ASSERT_TRUE(reader.Find());
    reader.Into();
    ASSERT_TRUE(reader.Find(L"A"));
    EXPECT_EQ(reader.Attr(L"x"), L"1");
    EXPECT_FALSE(reader.Find(L"Missing"));
    EXPECT_EQ(reader.Attr(L"x"), L"");
    EXPECT_EQ(reader.SubDoc(), L"");
    reader.Into();
    EXPECT_FALSE(reader.Find(L"B"));
    EXPECT_EQ(reader.Data(), L"");
    reader.Out();
    EXPECT_FALSE(reader.HasElem());
}

TEST(XmlReaderRules, SearchesRunOnFromLastFoundElement) {
    XmlReader reader(L"<R><A/><B/><C/></R>");
    reader.Find();
    reader.Into();
    ASSERT_TRUE(reader.Find(L"B"));
    EXPECT_FALSE(reader.Find(L"A"));  // behind the position
    EXPECT_TRUE(reader.Find(L"C"));
}

TEST(XmlReaderRules, MissingSecondChildReadsEmpty) {
    XmlReader reader(L"<Op><First Name='n'>1A</First></Op>");
    reader.Find();
    reader.Into();
    ASSERT_TRUE(reader.Find());
    EXPECT_EQ(reader.DataHex(), 0x1A);
    EXPECT_FALSE(reader.Find());
    EXPECT_EQ(reader.Attr(L"Name"), L"");
    std::vector<std::wstring> texts;
    ecfg::ReadChildTexts(reader, true, texts);
    EXPECT_TRUE(texts.empty());
}

TEST(XmlReaderRules, ChildReadsNeedAFoundChild) {
    XmlReader reader(L"<A><Id>5</Id></A>");
    // With nothing current, the child search first selects the element.
    ASSERT_TRUE(reader.FindChild());
    EXPECT_EQ(reader.ChildDataDec(), 5);
    EXPECT_FALSE(reader.FindChild(L"Other"));
    EXPECT_EQ(reader.ChildData(), L"");
    EXPECT_EQ(reader.Attr(L"none"), L"");
}

TEST(XmlReaderRules, ChildListsAndLocators) {
    XmlReader reader(
        L"<F Name='Cause' Length='4' StartOffset='-3' StartSearchTag='S' EndSearchTag='E' "
        L"StartReverseSearchTag='RS' EndReverseSearchTag='RE' EventInfoName='Info'>"
        L"<V>1A</V><V></V><V>0x2B</V></F>");
    ASSERT_TRUE(reader.Find());
    const ecfg::FixedLocator fixed = ecfg::ReadFixedLocator(reader);
    EXPECT_EQ(fixed.name, L"Cause");
    EXPECT_EQ(fixed.length, 4);
    EXPECT_EQ(fixed.offset, -3);

    ecfg::TagLocator forward =
        ecfg::ReadTagLocator(reader, ecfg::TagForm::Forward, ecfg::Lower::Name);
    EXPECT_EQ(forward.name, L"cause");
    EXPECT_EQ(forward.startTag, L"S");
    EXPECT_EQ(forward.eventInfoName, L"");
    ecfg::TagLocator reverse =
        ecfg::ReadTagLocator(reader, ecfg::TagForm::ReverseWithEventInfo, ecfg::Lower::NameAndTags);
    EXPECT_EQ(reverse.startTag, L"rs");
    EXPECT_EQ(reverse.endTag, L"re");
    EXPECT_EQ(reverse.eventInfoName, L"Info");
    auto field = ecfg::MakeFieldConfig(reverse);
    EXPECT_EQ(field->GetKeyWordName(), L"cause");
    EXPECT_EQ(field->GetOffset(), -3);
    EXPECT_EQ(field->GetEventInfoName(), L"Info");

    std::vector<int> zeroes, skipped;
    ecfg::ReadChildNumbers(reader, ecfg::kHex, ecfg::EmptyText::AsZero, zeroes);
    ecfg::ReadChildNumbers(reader, ecfg::kHex, ecfg::EmptyText::Skip, skipped);
    EXPECT_EQ(zeroes, (std::vector<int>{0x1A, 0, 0x2B}));
    EXPECT_EQ(skipped, (std::vector<int>{0x1A, 0x2B}));
}

// Filing into an owning map, in every order a file may list its keys: the
// later entry replaces (and frees) the earlier, or the first one stays.
struct Tracked {
    Tracked(int v, int& alive) : value(v), live(alive) { ++live; }
    ~Tracked() { --live; }
    int value;
    int& live;
};

TEST(OwnedPtrMap, FilingInAnyOrder) {
    struct Case {
        std::vector<int> keys;
        std::vector<std::pair<int, int>> replaced;  // key -> index of the entry kept
        std::vector<std::pair<int, int>> firstWins;
    };
    const Case cases[] = {
        {{1, 2, 3}, {{1, 0}, {2, 1}, {3, 2}}, {{1, 0}, {2, 1}, {3, 2}}},
        {{3, 2, 1}, {{1, 2}, {2, 1}, {3, 0}}, {{1, 2}, {2, 1}, {3, 0}}},
        {{1, 3, 2, 3, 1}, {{1, 4}, {2, 2}, {3, 3}}, {{1, 0}, {2, 2}, {3, 1}}},
        {{2, 2}, {{2, 1}}, {{2, 0}}},
        {{5, 1, 9, 7, 9}, {{1, 1}, {5, 0}, {7, 3}, {9, 4}}, {{1, 1}, {5, 0}, {7, 3}, {9, 2}}},
    };
    for (const Case& c : cases) {
        int alive = 0;
        {
            OwnedPtrMap<int, Tracked> replace, first;
            for (std::size_t i = 0; i < c.keys.size(); ++i) {
                const int index = static_cast<int>(i);
                replace.Replace(c.keys[i], std::unique_ptr<Tracked>(new Tracked(index, alive)));
                first.InsertIfAbsent(c.keys[i],
                                     std::unique_ptr<Tracked>(new Tracked(index, alive)));
            }
            std::vector<std::pair<int, int>> gotReplace, gotFirst;
            for (const auto& e : replace.get()) gotReplace.emplace_back(e.first, e.second->value);
            for (const auto& e : first.get()) gotFirst.emplace_back(e.first, e.second->value);
            EXPECT_EQ(gotReplace, c.replaced);
            EXPECT_EQ(gotFirst, c.firstWins);
            EXPECT_EQ(alive, static_cast<int>(c.replaced.size() + c.firstWins.size()));
        }
        EXPECT_EQ(alive, 0);
    }
}

}  // namespace
