#pragma once

// Turning a file's bytes into wide text for the navigator, and the one
// UTF-8 codec of the project.

#include <cstddef>
#include <cstdint>
#include <string>
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

// Reads a whole file (a path is handed to the system as UTF-8 where it takes
// bytes); false when it cannot be opened or read.
bool ReadFileBytes(const wchar_t* path, std::vector<unsigned char>& out);

// Decodes XML bytes: a byte-order mark wins, then the XML declaration's
// encoding, else UTF-8. Invalid bytes become U+FFFD; an encoding the platform
// cannot decode is read as UTF-8 with fellBack set. `encoding` receives the
// name of what was used ("UTF-8", "UTF-16LE", "GB18030", ...). A mark is not
// part of the text.
std::wstring DecodeXmlBytes(const unsigned char* data, std::size_t size, std::wstring& encoding,
                            bool& fellBack);

// Reads and decodes a file as ReadFileBytes and DecodeXmlBytes do. UTF-8 (the
// usual case) is decoded a block at a time as it is read, so the file's bytes
// are never held whole beside their text. False when the file cannot be
// opened or read.
bool LoadXmlFile(const wchar_t* path, std::wstring& text, std::wstring& encoding, bool& fellBack,
                 std::size_t block = 65536);

// The individual decoders (exposed for tests).
void DecodeUtf8(const unsigned char* p, std::size_t n, std::wstring& out);
void DecodeUtf16(const unsigned char* p, std::size_t n, bool bigEndian, std::wstring& out);
void DecodeUtf32(const unsigned char* p, std::size_t n, bool bigEndian, std::wstring& out);

}  // namespace ecfg
