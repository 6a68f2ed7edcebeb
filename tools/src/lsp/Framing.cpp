#include "lsp/Framing.h"

#include <cctype>

namespace ectool {
namespace lsp {

namespace {

// The value of "Content-Length" (any case) in a header block; -1 without one.
long long ContentLength(const std::string& block) {
    static const std::string name = "content-length:";
    std::size_t line = 0;
    while (line < block.size()) {
        std::size_t end = block.find("\r\n", line);
        if (end == std::string::npos) end = block.size();
        if (end - line > name.size()) {
            bool match = true;
            for (std::size_t i = 0; i < name.size() && match; ++i)
                match = std::tolower(static_cast<unsigned char>(block[line + i])) == name[i];
            if (match) {
                std::size_t i = line + name.size();
                while (i < end && (block[i] == ' ' || block[i] == '\t')) ++i;
                long long value = 0;
                std::size_t digits = 0;
                for (; i < end && std::isdigit(static_cast<unsigned char>(block[i]));
                     ++i, ++digits) {
                    value = value * 10 + (block[i] - '0');
                    if (value > static_cast<long long>(Framer::kMaxBody)) return -1;
                }
                return digits ? value : -1;
            }
        }
        line = end + 2;
    }
    return -1;
}

}  // namespace

bool Framer::Next(std::string& body) {
    for (;;) {
        std::size_t end = m_buffer.find("\r\n\r\n", m_scan);
        if (end == std::string::npos) {
            m_scan = m_buffer.size() < 3 ? 0 : m_buffer.size() - 3;
            if (m_scan < m_pos) m_scan = m_pos;
            if (m_buffer.size() - m_pos > kMaxHeader) {  // no header ends: junk
                m_buffer.clear();
                m_pos = m_scan = 0;
            }
            return false;
        }
        long long length = ContentLength(m_buffer.substr(m_pos, end - m_pos));
        std::size_t bodyStart = end + 4;
        if (length < 0) {  // unusable block: skip it
            m_pos = m_scan = bodyStart;
            continue;
        }
        if (m_buffer.size() - bodyStart < static_cast<std::size_t>(length)) {
            m_scan = end;
            return false;
        }
        body.assign(m_buffer, bodyStart, static_cast<std::size_t>(length));
        m_pos = m_scan = bodyStart + static_cast<std::size_t>(length);
        if (m_pos > (1u << 16) && m_pos * 2 > m_buffer.size()) {
            m_buffer.erase(0, m_pos);
            m_pos = m_scan = 0;
        }
        return true;
    }
}

std::string Frame(const std::string& body) {
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

}  // namespace lsp
}  // namespace ectool
