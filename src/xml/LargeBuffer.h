#pragma once

// Large buffers (a loaded file, its decoded text, the protocol documents, an
// index's arrays) are written once from start to end right after they are
// made. Where the system offers it, they are backed by huge pages: the first
// touch of fresh memory, one page fault per 4 KB, is otherwise most of the
// cost of loading a large configuration.

#include <cstddef>
#include <string>

namespace ecfg {

// Below this size the advice is not worth a system call.
const std::size_t kLargeBufferBytes = std::size_t(4) << 20;

// Asks for huge pages on the whole 2 MB pages inside [p, p + bytes) that
// nothing has touched yet; a no-op where the system has no such advice.
void AdviseLarge(void* p, std::size_t bytes);

// Room for n elements in a string or vector, advised when it is large.
template <class Container>
void ReserveLarge(Container& c, std::size_t n) {
    c.reserve(n);
    if (c.capacity() * sizeof(*c.data()) >= kLargeBufferBytes)
        AdviseLarge(const_cast<void*>(static_cast<const void*>(c.data())),
                    c.capacity() * sizeof(*c.data()));
}

// A copy of [p, p + n), in advised memory when it is large.
inline std::wstring CopyText(const wchar_t* p, std::size_t n) {
    std::wstring out;
    ReserveLarge(out, n);
    out.append(p, n);
    return out;
}

}  // namespace ecfg
