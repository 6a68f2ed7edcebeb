#pragma once

// Turning a file's bytes into wide text for the navigator, and the one
// UTF-8 codec of the project.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace ecfg {

// Appends one code point: as itself where wchar_t is 32-bit, as UTF-16
// (with surrogates) where it is 16-bit. Invalid values become U+FFFD.
void AppendCodePoint(std::wstring& out, uint32_t cp);

// UTF-8 <-> wide text (UTF-16 where wchar_t has 16 bits, UTF-32 elsewhere).
// Invalid bytes decode to U+FFFD as the navigator decodes files; encoding
// replaces unpaired surrogates and values beyond U+10FFFF the same way.
std::wstring Utf8ToWide(const std::string& bytes);
std::string WideToUtf8(const std::wstring& text);

// An allocator whose resize leaves new elements unfilled: a file's bytes are
// read over them at once, and zeroing a large buffer first is a pass of its
// own.
template <class T>
struct UnfilledAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        typedef UnfilledAllocator<U> other;
    };
    UnfilledAllocator() = default;
    template <class U>
    UnfilledAllocator(const UnfilledAllocator<U>&) {}
    template <class U>
    void construct(U* p) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};
typedef std::vector<unsigned char, UnfilledAllocator<unsigned char>> FileBytes;

// Reads a whole file (a path is handed to the system as UTF-8 where it takes
// bytes); false when it cannot be opened or read.
bool ReadFileBytes(const wchar_t* path, std::vector<unsigned char>& out);
bool ReadFileBytes(const wchar_t* path, FileBytes& out);

// Decodes XML bytes: a byte-order mark wins, then the XML declaration's
// encoding, else UTF-8. Invalid bytes become U+FFFD; an encoding the platform
// cannot decode is read as UTF-8 with fellBack set. `encoding` receives the
// name of what was used ("UTF-8", "UTF-16LE", "GB18030", ...). A mark is not
// part of the text.
std::wstring DecodeXmlBytes(const unsigned char* data, std::size_t size, std::wstring& encoding,
                            bool& fellBack);

// The individual decoders (exposed for tests).
void DecodeUtf8(const unsigned char* p, std::size_t n, std::wstring& out);
void DecodeUtf16(const unsigned char* p, std::size_t n, bool bigEndian, std::wstring& out);
void DecodeUtf32(const unsigned char* p, std::size_t n, bool bigEndian, std::wstring& out);

}  // namespace ecfg
