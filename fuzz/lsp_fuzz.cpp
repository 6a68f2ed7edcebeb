// The language server's message handling on whatever an editor (or a broken
// pipe) may send. The first byte chooses: odd, the rest is the raw stream
// (framing and JSON included); even, the rest is the text of a buffer that is
// opened, edited and asked about at positions spread over it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "lsp/Framing.h"
#include "lsp/Server.h"

using nlohmann::json;

namespace {

void Send(ectool::lsp::Server& server, const json& message) {
    std::vector<std::string> out;
    server.Handle(message.dump(-1, ' ', false, json::error_handler_t::replace), out);
}

json At(std::size_t line, std::size_t character) {
    return {{"line", line}, {"character", character}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    ectool::lsp::Server server;
    const char* rest = reinterpret_cast<const char*>(data + 1);
    if (data[0] & 1) {
        ectool::lsp::Framer framer;
        framer.Push(rest, size - 1);
        std::string body;
        std::vector<std::string> out;
        while (!server.Exited() && framer.Next(body)) server.Handle(body, out);
        return 0;
    }
    const std::string uri = "file:///fuzz/EventConfig.xml";
    const json doc = {{"uri", uri}};
    Send(server,
         {{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}});
    std::string text(rest, size - 1);
    Send(server, {{"jsonrpc", "2.0"},
                  {"method", "textDocument/didOpen"},
                  {"params", {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", text}}}}}});
    std::size_t lines = 1;
    for (char c : text) lines += c == '\n';
    for (int round = 0; round < 2; ++round) {
        for (std::size_t k = 0; k < 8; ++k) {
            json position = At(lines * k / 8, (k * 7) % 40);
            for (const char* method :
                 {"textDocument/hover", "textDocument/definition", "textDocument/completion"})
                Send(server, {{"jsonrpc", "2.0"},
                              {"id", 2},
                              {"method", method},
                              {"params", {{"textDocument", doc}, {"position", position}}}});
            Send(server, {{"jsonrpc", "2.0"},
                          {"id", 3},
                          {"method", "textDocument/references"},
                          {"params",
                           {{"textDocument", doc},
                            {"position", position},
                            {"context", {{"includeDeclaration", true}}}}}});
        }
        Send(server, {{"jsonrpc", "2.0"},
                      {"id", 4},
                      {"method", "textDocument/documentSymbol"},
                      {"params", {{"textDocument", doc}}}});
        Send(server,
             {{"jsonrpc", "2.0"},
              {"id", 5},
              {"method", "textDocument/codeAction"},
              {"params",
               {{"textDocument", doc}, {"range", {{"start", At(0, 0)}, {"end", At(lines, 0)}}}}}});
        // A half-typed tag in the middle, as an incremental change.
        Send(server, {{"jsonrpc", "2.0"},
                      {"method", "textDocument/didChange"},
                      {"params",
                       {{"textDocument", {{"uri", uri}, {"version", 2}}},
                        {"contentChanges",
                         {{{"range", {{"start", At(lines / 2, 3)}, {"end", At(lines / 2, 9)}}},
                           {"text", "<Rule ID=\"1/"}}}}}}});
    }
    return 0;
}
