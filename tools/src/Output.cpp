#include "Output.h"

#include <unistd.h>

#include <cstdlib>

namespace ectool {

Style::Style(ColorMode mode, std::FILE* stream) {
    if (mode == ColorMode::Auto) {
        const char* term = std::getenv("TERM");
        m_color = isatty(fileno(stream)) && !std::getenv("NO_COLOR") &&
                  !(term && std::string(term) == "dumb");
    } else {
        m_color = mode == ColorMode::Always;
    }
}

}  // namespace ectool
