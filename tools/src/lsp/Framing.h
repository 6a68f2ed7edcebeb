#pragma once

// JSON-RPC messages on a byte stream, each behind a "Content-Length" header
// block. Whatever arrives, the reader makes progress: a header block it
// cannot use is dropped, and no body larger than kMaxBody is waited for.

#include <cstddef>
#include <string>

namespace ectool {
namespace lsp {

class Framer {
public:
    static constexpr std::size_t kMaxBody = 64u << 20;
    static constexpr std::size_t kMaxHeader = 64u << 10;

    void Push(const char* data, std::size_t size) { m_buffer.append(data, size); }
    // The next complete body; false until more bytes arrive.
    bool Next(std::string& body);

private:
    std::string m_buffer;
    std::size_t m_pos = 0;   // start of the next header block
    std::size_t m_scan = 0;  // where the search for its end goes on
};

// A body with its header.
std::string Frame(const std::string& body);

}  // namespace lsp
}  // namespace ectool
