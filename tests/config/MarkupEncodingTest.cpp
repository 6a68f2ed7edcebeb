// Load on files written here: byte-order marks, declared encodings, invalid
// bytes and fallbacks.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "eventconfig/xml/Markup.h"
#include "xml/TextDecoding.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

namespace fs = std::filesystem;

// A directory of this run, removed at exit.
struct TempDirHolder {
    fs::path path;
    TempDirHolder() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path = fs::temp_directory_path() / ("markup_encoding_" + std::to_string(stamp));
        fs::create_directories(path);
    }
    ~TempDirHolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

const fs::path& TempDir() {
    static const TempDirHolder holder;
    return holder.path;
}

std::wstring WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(f.good());
    return path.wstring();
}

// "<r a='X'>X</r>" with X given as bytes, in an 8-bit encoding.
std::string Doc8(const std::string& declaration, const std::string& x) {
    return declaration + "<r a='" + x + "'>" + x + "</r>";
}

// The same document as UTF-16 or UTF-32 code units from wide text.
std::string Units(const std::wstring& text, int width, bool bigEndian) {
    std::string out;
    auto put = [&](uint32_t u, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            const int shift = 8 * (bigEndian ? bytes - 1 - i : i);
            out.push_back(static_cast<char>((u >> shift) & 0xFF));
        }
    };
    put(0xFEFFu, width);
    for (std::size_t i = 0; i < text.size(); ++i) {
        uint32_t cp = static_cast<uint32_t>(text[i]);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size()) {  // 16-bit wchar_t
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<uint32_t>(text[++i]) - 0xDC00);
        }
        if (width == 2 && cp >= 0x10000) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10), 2);
            put(0xDC00 + (cp & 0x3FF), 2);
        } else {
            put(cp, width);
        }
    }
    return out;
}

// Wide text from code points, as the platform's wchar_t holds it.
std::wstring Wide(const std::u32string& s) {
    std::wstring out;
    for (char32_t c : s) {
        if (sizeof(wchar_t) == 2 && c >= 0x10000) {
            out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<wchar_t>(c);
        }
    }
    return out;
}

struct EncodingCase {
    const char* file;
    std::string bytes;
    std::wstring text;  // the root's data and attribute "a"
    const wchar_t* encoding;
    bool fellBack;
};

// Named by its file: gtest's fallback prints the struct's bytes, padding
// included, which memcheck reports as uninitialised.
void PrintTo(const EncodingCase& c, std::ostream* os) {
    *os << c.file;
}

class EncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(EncodingTest, LoadDecodes) {
    const EncodingCase& c = GetParam();
#ifdef _WIN32
    // Wine, for one, has no GB18030 converter (Load then falls back).
    if (std::string(c.file) == "gb18030.xml" && !IsValidCodePage(54936)) GTEST_SKIP();
#endif
    CMarkup m;
    ASSERT_TRUE(m.Load(WriteFile(TempDir() / c.file, c.bytes).c_str()));
    EXPECT_EQ(std::wstring(c.encoding), m.GetLoadEncoding());
    EXPECT_EQ(c.fellBack, m.GetEncodingFellBack());
    ASSERT_TRUE(m.FindElem(L"r")) << c.file;
    EXPECT_EQ(c.text, m.GetData());
    EXPECT_EQ(c.text, m.GetAttrib(L"a"));
    EXPECT_NE(0xFEFF, static_cast<int>(m.GetDoc()[0]));
}

const std::wstring kUnicode = Wide(U"\u4e2d\u6587 \u00e9 \U0001F600");
const std::wstring kUnicodeDoc = L"<r a='" + kUnicode + L"'>" + kUnicode + L"</r>";
const std::string kUtf8 = "\xE4\xB8\xAD\xE6\x96\x87 \xC3\xA9 \xF0\x9F\x98\x80";

INSTANTIATE_TEST_SUITE_P(
    Markup, EncodingTest,
    ::testing::Values(
        EncodingCase{"utf8.xml", Doc8("<?xml version='1.0'?>", kUtf8), kUnicode, L"UTF-8", false},
        EncodingCase{"utf8bom.xml", "\xEF\xBB\xBF" + Doc8("", kUtf8), kUnicode, L"UTF-8", false},
        EncodingCase{"utf16le.xml", Units(kUnicodeDoc, 2, false), kUnicode, L"UTF-16LE", false},
        EncodingCase{"utf16be.xml", Units(kUnicodeDoc, 2, true), kUnicode, L"UTF-16BE", false},
        EncodingCase{"utf32le.xml", Units(kUnicodeDoc, 4, false), kUnicode, L"UTF-32LE", false},
        EncodingCase{"utf32be.xml", Units(kUnicodeDoc, 4, true), kUnicode, L"UTF-32BE", false},
        EncodingCase{"utf16nobom.xml",
                     Units(L"<?xml version='1.0'?>" + kUnicodeDoc, 2, false).substr(2), kUnicode,
                     L"UTF-16LE", false},
        // A mark wins over the declaration.
        EncodingCase{"bomwins.xml",
                     "\xEF\xBB\xBF" + Doc8("<?xml version='1.0' encoding='GBK'?>", kUtf8), kUnicode,
                     L"UTF-8", false},
        EncodingCase{"gb18030.xml",
                     Doc8("<?xml version=\"1.0\" encoding=\"GB18030\"?>",
                          "\xD6\xD0\xCE\xC4\x94\x39\xFC\x36"),
                     Wide(U"\u4e2d\u6587\U0001F600"), L"GB18030", false},
        // White space before the declaration misplaces it, but it still names the encoding.
        EncodingCase{"gbkspaced.xml",
                     Doc8(" \r\n<?xml version='1.0' encoding='GBK'?>", "\xB2\xE2\xCA\xD4"),
                     L"\u6d4b\u8bd5", L"GBK", false},
        EncodingCase{"gbk.xml", Doc8("<?xml version='1.0' encoding='GBK'?>", "\xB2\xE2\xCA\xD4"),
                     L"\u6d4b\u8bd5", L"GBK", false},
        // GB2312 is read as its superset GBK: hand-written files hold GBK-only
        // characters such as this one.
        EncodingCase{"gb2312.xml",
                     Doc8("<?xml version='1.0' encoding=\"gb2312\" ?>", "\xD6\xD0\xE9\x46"),
                     L"\u4e2d\u9555", L"GB2312", false},
#ifndef _WIN32  // the Windows converter chooses its own replacement
        EncodingCase{"gbkbad.xml", Doc8("<?xml version='1.0' encoding='GBK'?>", "a\xFFg"),
                     L"a\uFFFDg", L"GBK", false},
#endif
        EncodingCase{"cp1252.xml",
                     Doc8("<?xml version='1.0' encoding='windows-1252'?>", "\x80\x93\xE9\x94\x81"),
                     L"\u20ac\u201c\u00e9\u201d\uFFFD", L"Windows-1252", false},
        EncodingCase{"latin1.xml",
                     Doc8("<?xml version='1.0' encoding='ISO-8859-1'?>", "\xE9\x80\xFF"),
                     L"\u00e9\u0080\u00ff", L"ISO-8859-1", false},
        EncodingCase{"invalid.xml", Doc8("", "a\xFFg\xC3(c\xE2\x82\xED\xA0\x80\xC0\xAF"),
                     L"a\uFFFDg\uFFFD(c\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", L"UTF-8", false},
        // Three-byte forms at their edges: E0's overlong form, its least and
        // EF's greatest character, a sequence cut short.
        EncodingCase{"edges3.xml", Doc8("", "\xE0\x80\x80\xE0\xA0\x80\xEF\xBF\xBF\xE1\x80x"),
                     L"\uFFFD\uFFFD\uFFFD\u0800\uFFFF\uFFFDx", L"UTF-8", false},
        EncodingCase{"unknown.xml", Doc8("<?xml version='1.0' encoding='x-no-such-42'?>", kUtf8),
                     kUnicode, L"UTF-8", true},
        EncodingCase{"liar16.xml", Doc8("<?xml version='1.0' encoding='UTF-16'?>", kUtf8), kUnicode,
                     L"UTF-8", true}));

#ifndef _WIN32
TEST(MarkupEncoding, TruncatedMultiByteEndsInReplacement) {
    CMarkup m;
    ASSERT_TRUE(
        m.Load(WriteFile(TempDir() / "cut.xml", "<?xml version='1.0' encoding='GB18030'?><r/>\xD6")
                   .c_str()));
    ASSERT_FALSE(m.GetDoc().empty());
    EXPECT_EQ(0xFFFD, static_cast<int>(m.GetDoc().back()));
    EXPECT_TRUE(m.FindElem(L"r"));
    EXPECT_FALSE(m.IsWellFormed());
}
#endif

// A file far larger than one read or one decoded slice, with every kind of
// sequence (and of broken one) at every offset from a block boundary: what is
// decoded a block at a time must read as a character at a time.
TEST(MarkupEncoding, LargeFileDecodesAcrossEveryBoundary) {
    struct Piece {
        const char* bytes;
        std::wstring text;
    };
    const Piece pieces[] = {{"\xC3\xA9", L"\u00e9"},
                            {"\xE4\xB8\xAD", L"\u4e2d"},
                            {"\xF0\x9F\x98\x80", Wide(U"\U0001F600")},
                            {"\xFF", L"\uFFFD"},
                            {"\xE2\x82", L"\uFFFD"}};
    std::string bytes = "<r>";
    std::wstring expected = L"<r>";
    for (std::size_t i = 0; bytes.size() < 200000; ++i) {
        const std::size_t run = i % 37;
        bytes.append(run, static_cast<char>('a' + i % 26));
        expected.append(run, static_cast<wchar_t>(L'a' + i % 26));
        const Piece& piece = pieces[i % (sizeof pieces / sizeof pieces[0])];
        bytes += piece.bytes;
        expected += piece.text;
    }
    bytes += "</r>";
    expected += L"</r>";
    CMarkup m;
    const std::wstring path = WriteFile(TempDir() / "large.xml", bytes);
    ASSERT_TRUE(m.Load(path.c_str()));
    EXPECT_EQ(m.GetDoc().size(), expected.size());
    EXPECT_TRUE(m.GetDoc() == expected);
    EXPECT_TRUE(m.FindElem(L"r"));
    // Blocks so small that every sequence is cut at every offset somewhere.
    for (std::size_t block : {1, 2, 3, 5, 4093}) {
        std::wstring text, encoding;
        bool fellBack = true;
        ASSERT_TRUE(ecfg::LoadXmlFile(path.c_str(), text, encoding, fellBack, block));
        EXPECT_TRUE(text == expected && encoding == L"UTF-8" && !fellBack) << block;
    }
}

TEST(MarkupEncoding, UnreadableFilesKeepTheDocumentWidePathsAndEmptyFilesLoad) {
    CMarkup m(L"<keep/>");
    EXPECT_FALSE(m.Load((TempDir() / "no-such-file.xml").wstring().c_str()));
    EXPECT_FALSE(m.Load(TempDir().wstring().c_str()));  // a directory cannot be read
    EXPECT_FALSE(m.Load(nullptr));
    EXPECT_EQ(L"<keep/>", m.GetDoc());
    EXPECT_TRUE(m.FindElem(L"keep"));
    // Written through UTF-8 names (the C locale cannot convert wide names);
    // loaded through the wide one.
    const fs::path dir = fs::u8path(TempDir().u8string() + "/\xE9\x85\x8D\xE7\xBD\xAE");
    fs::create_directories(dir);
    std::ofstream(dir / fs::u8path("\xE6\x96\x87.xml"), std::ios::binary) << "<r>x</r>";
    const std::wstring wide = TempDir().wstring() + L"/\u914d\u7f6e/\u6587.xml";
    ASSERT_TRUE(m.Load(wide.c_str()));
    EXPECT_TRUE(m.FindElem(L"r"));
    EXPECT_EQ(L"x", m.GetData());
    ASSERT_TRUE(m.Load(WriteFile(TempDir() / "empty.xml", "").c_str()));
    EXPECT_EQ(L"", m.GetDoc());
    EXPECT_FALSE(m.IsWellFormed());
    EXPECT_FALSE(m.FindElem());
}

TEST(Utf8, EncodesAndRoundTrips) {
    std::wstring text = L"host \u914D\u7F6E \u00E9";
    text += sizeof(wchar_t) == 2 ? std::wstring(L"\xD83D\xDE00")
                                 : std::wstring(1, static_cast<wchar_t>(0x1F600));
    EXPECT_EQ(ecfg::WideToUtf8(text), "host \xE9\x85\x8D\xE7\xBD\xAE \xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(ecfg::Utf8ToWide(ecfg::WideToUtf8(text)), text);
    EXPECT_EQ(ecfg::Utf8ToWide("/opt/\xE5\xB7\xA5\x80/host"), L"/opt/\u5DE5\uFFFD/host");
    // A lone surrogate cannot be encoded.
    EXPECT_EQ(ecfg::WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xDC00))), "\xEF\xBF\xBD");
}

}  // namespace
