#pragma once

// Terminal output: colour only where asked for or on a terminal.

#include <cstdio>
#include <string>

namespace ectool {

enum class ColorMode { Auto, Always, Never };

class Style {
public:
    Style(ColorMode mode, std::FILE* stream);
    std::string Bold(const std::string& text) const { return Wrap("1", text); }
    std::string Error(const std::string& text) const { return Wrap("1;31", text); }
    std::string Warning(const std::string& text) const { return Wrap("1;35", text); }
    std::string Good(const std::string& text) const { return Wrap("1;32", text); }
    std::string Dim(const std::string& text) const { return Wrap("2", text); }

private:
    std::string Wrap(const char* code, const std::string& text) const {
        return m_color ? "\x1b[" + std::string(code) + "m" + text + "\x1b[0m" : text;
    }
    bool m_color;
};

}  // namespace ectool
