// Arbitrary bytes into the navigator, decoded as a file would be, or taken as
// raw wchar_t units when the first byte is 0x01; then the whole tree walked with
// every read. Beyond "no crash", it checks the navigator's own promises:
// offsets point at '<', and an element's sub-document re-reads to the same
// element.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "eventconfig/xml/Markup.h"
#include "xml/TextDecoding.h"

namespace {

#define FUZZ_CHECK(cond)               \
    do {                               \
        if (!(cond)) __builtin_trap(); \
    } while (0)

const wchar_t* const kNames[] = {L"a", L"b", L"x", L"r", L"ProtocolType"};

void ReadElement(const CMarkup& m, const std::wstring& doc) {
    const std::size_t at = m.GetElemOffset();
    FUZZ_CHECK(at < doc.size() && doc[at] == L'<');
    const std::wstring name = m.GetTagName();
    FUZZ_CHECK(doc.compare(at + 1, name.size(), name) == 0);
    for (const wchar_t* n : kNames) m.GetAttrib(n);
    m.GetAttrib(name.c_str());
    m.GetData();
    FUZZ_CHECK(doc.compare(at, m.GetSubDoc().size(), m.GetSubDoc()) == 0);
}

// The sub-document on its own shows the same element.
void Reread(const CMarkup& m) {
    const std::wstring sub = m.GetSubDoc();
    CMarkup again(sub);
    FUZZ_CHECK(again.FindElem());
    FUZZ_CHECK(again.GetTagName() == m.GetTagName());
    FUZZ_CHECK(again.GetData() == m.GetData());
    FUZZ_CHECK(again.GetSubDoc() == sub);
    for (const wchar_t* n : kNames) FUZZ_CHECK(again.GetAttrib(n) == m.GetAttrib(n));
    FUZZ_CHECK(!again.FindElem());
}

void Walk(const std::wstring& doc) {
    CMarkup m(doc);
    FUZZ_CHECK(m.GetDoc() == doc);
    FUZZ_CHECK(m.IsWellFormed() == (m.GetErrorOffset() == CMarkup::npos));
    FUZZ_CHECK(m.IsWellFormed() || m.GetErrorOffset() <= doc.size());
    m.GetError();

    // Auto-selection and searches by name on a copy.
    CMarkup probe(m);
    probe.FindChildElem(L"a");
    probe.GetChildData();
    probe.GetChildSubDoc();
    for (const wchar_t* n : kNames) probe.FindElem(n);

    // Sub-documents re-read while their total stays a few times the input.
    std::size_t budget = 8 * doc.size() + 4096;
    int depth = 0;
    FUZZ_CHECK(!m.OutOfElem());
    for (;;) {
        if (m.FindElem()) {
            ReadElement(m, doc);
            if (m.GetSubDoc().size() <= budget) {
                budget -= m.GetSubDoc().size();
                Reread(m);
            }
            while (m.FindChildElem()) {
                const std::size_t at = m.GetChildElemOffset();
                FUZZ_CHECK(at < doc.size() && doc[at] == L'<');
                m.GetChildTagName();
                for (const wchar_t* n : kNames) m.GetChildAttrib(n);
                m.GetChildData();
                m.GetChildSubDoc();
            }
            m.FindChildElem(L"b");
            FUZZ_CHECK(m.IntoElem());
            ++depth;
        } else {
            if (depth == 0) break;
            FUZZ_CHECK(m.OutOfElem());
            --depth;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::wstring doc;
    if (data[0] != 0x01) {
        std::wstring encoding;
        bool fellBack = false;
        doc = ecfg::DecodeXmlBytes(data, size, encoding, fellBack);
    } else {
        doc.resize((size - 1) / sizeof(wchar_t));
        if (!doc.empty()) std::memcpy(&doc[0], data + 1, doc.size() * sizeof(wchar_t));
    }
    Walk(doc);
    return 0;
}
