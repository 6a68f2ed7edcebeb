// How long the language server takes to answer a one-character edit of a
// buffer with fresh diagnostics: the edit goes in as an incremental change,
// the time runs until the publishDiagnostics message is ready to send.
// Usage: bench_lsp FILE [EDITS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "lsp/Server.h"

using nlohmann::json;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_lsp FILE [EDITS]\n");
        return 2;
    }
    int edits = argc > 2 ? std::max(2, std::atoi(argv[2])) : 200;
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string uri = "file:///bench/EventConfig.xml";

    ectool::lsp::Server server;
    std::vector<std::string> out;
    auto send = [&](const json& message) {
        out.clear();
        server.Handle(message.dump(), out);
    };
    send({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}});
    send({{"jsonrpc", "2.0"},
          {"method", "textDocument/didOpen"},
          {"params", {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", text.str()}}}}}});

    // The middle line's first non-blank character, typed over and back.
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    std::size_t line = lines.size() / 2;
    std::size_t column = lines.empty() ? 0 : lines[line].find_first_not_of(' ');
    if (column == std::string::npos) column = 0;
    std::string original = lines.empty() ? std::string() : lines[line].substr(column, 1);

    std::vector<double> ms;
    for (int i = 0; i < edits; ++i) {
        json range = {{"start", {{"line", line}, {"character", column}}},
                      {"end", {{"line", line}, {"character", column + 1}}}};
        json change = {{"jsonrpc", "2.0"},
                       {"method", "textDocument/didChange"},
                       {"params",
                        {{"textDocument", {{"uri", uri}, {"version", i + 2}}},
                         {"contentChanges",
                          {{{"range", range}, {"text", i % 2 ? original : std::string("x")}}}}}}};
        std::string body = change.dump();
        auto start = std::chrono::steady_clock::now();
        out.clear();
        server.Handle(body, out);
        auto end = std::chrono::steady_clock::now();
        if (out.empty()) {
            std::fprintf(stderr, "no diagnostics published\n");
            return 1;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) { return ms[static_cast<std::size_t>(q * (ms.size() - 1))]; };
    std::printf(
        "re-check after a one-character edit of %s (%zu lines), %d edits: median %.2f ms, "
        "90th percentile %.2f ms, max %.2f ms\n",
        argv[1], lines.size(), edits, at(0.5), at(0.9), ms.back());
    return 0;
}
