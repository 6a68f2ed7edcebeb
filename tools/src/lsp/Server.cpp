#include "lsp/Server.h"

#include <cstdio>
#include <exception>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include "Text.h"
#include "lsp/Features.h"
#include "lsp/Framing.h"

#ifndef EVENTCONFIG_TOOL_VERSION
#define EVENTCONFIG_TOOL_VERSION "0"
#endif

namespace ectool {
namespace lsp {

using nlohmann::json;

namespace {

// Error codes of JSON-RPC and the protocol.
enum {
    kParseError = -32700,
    kInvalidRequest = -32600,
    kMethodNotFound = -32601,
    kInvalidParams = -32602,
    kInternalError = -32603,
    kNotInitialized = -32002,
};

struct RpcError {
    int code;
    std::string message;
};

const json& Member(const json& object, const char* key) {
    static const json none;
    if (!object.is_object()) return none;
    auto it = object.find(key);
    return it == object.end() ? none : *it;
}

std::string String(const json& value) {
    return value.is_string() ? value.get<std::string>() : std::string();
}

long long Integer(const json& value, long long fallback = 0) {
    if (value.is_number_integer()) return value.get<long long>();
    if (value.is_number_unsigned())
        return static_cast<long long>(
            std::min<unsigned long long>(value.get<unsigned long long>(), 1ull << 62));
    return fallback;
}

Pos PosOf(const json& value) {
    Pos pos;
    long long line = Integer(Member(value, "line")),
              character = Integer(Member(value, "character"));
    pos.line = line < 0 ? 0 : static_cast<std::size_t>(line);
    pos.character = character < 0 ? 0 : static_cast<std::size_t>(character);
    return pos;
}

std::string Dump(const json& message) {
    return message.dump(-1, ' ', false, json::error_handler_t::replace);
}

const char* kCapabilities = R"({
  "textDocumentSync": {"openClose": true, "change": 2, "save": {"includeText": true}},
  "hoverProvider": true,
  "definitionProvider": true,
  "referencesProvider": true,
  "completionProvider": {"triggerCharacters": ["<", "\"", " "]},
  "documentSymbolProvider": true,
  "codeActionProvider": {"codeActionKinds": ["quickfix"]}
})";

}  // namespace

Server::Open* Server::Find(const json& params) {
    auto it = m_docs.find(String(Member(Member(params, "textDocument"), "uri")));
    return it == m_docs.end() ? nullptr : &it->second;
}

const Analysis& Server::Analyse(const std::string& uri, Open& open) {
    if (!open.analysis) open.analysis.reset(new Analysis(uri, open.doc.Text()));
    return *open.analysis;
}

void Server::Publish(const std::string& uri, Open& open, std::vector<std::string>& out) {
    json params = {{"uri", uri},
                   {"version", open.version},
                   {"diagnostics", Diagnostics(Analyse(uri, open), open.doc, uri)}};
    out.push_back(Dump(
        {{"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"}, {"params", params}}));
}

void Server::Notification(const std::string& method, const json& params,
                          std::vector<std::string>& out) {
    if (method == "exit") {
        m_exited = true;
        return;
    }
    if (!m_initialized || m_shutdown) return;
    std::string uri = String(Member(Member(params, "textDocument"), "uri"));
    if (method == "textDocument/didOpen") {
        if (uri.empty()) return;
        Open& open = m_docs[uri];
        open.doc.Set(Widen(String(Member(Member(params, "textDocument"), "text"))));
        open.version = Integer(Member(Member(params, "textDocument"), "version"));
        open.analysis.reset();
        Publish(uri, open, out);
    } else if (method == "textDocument/didChange") {
        Open* open = Find(params);
        if (!open) return;
        const json& changes = Member(params, "contentChanges");
        if (!changes.is_array()) return;
        for (const json& change : changes) {
            std::wstring text = Widen(String(Member(change, "text")));
            const json& range = Member(change, "range");
            if (range.is_object())
                open->doc.Replace(PosOf(Member(range, "start")), PosOf(Member(range, "end")), text);
            else
                open->doc.Set(std::move(text));
        }
        open->version = Integer(Member(Member(params, "textDocument"), "version"), open->version);
        open->analysis.reset();
        Publish(uri, *open, out);
    } else if (method == "textDocument/didSave") {
        Open* open = Find(params);
        if (!open) return;
        if (Member(params, "text").is_string()) {
            open->doc.Set(Widen(String(Member(params, "text"))));
            open->analysis.reset();
        }
        Publish(uri, *open, out);
    } else if (method == "textDocument/didClose") {
        if (!m_docs.erase(uri)) return;
        json params = {{"uri", uri}, {"diagnostics", json::array()}};
        out.push_back(Dump({{"jsonrpc", "2.0"},
                            {"method", "textDocument/publishDiagnostics"},
                            {"params", params}}));
    }
}

json Server::Request(const std::string& method, const json& params) {
    if (method == "initialize") {
        m_initialized = true;
        return {{"capabilities", json::parse(kCapabilities)},
                {"serverInfo", {{"name", "eventconfig"}, {"version", EVENTCONFIG_TOOL_VERSION}}}};
    }
    if (!m_initialized) throw RpcError{kNotInitialized, "the server is not initialized"};
    if (m_shutdown) throw RpcError{kInvalidRequest, "the server is shutting down"};
    if (method == "shutdown") {
        m_shutdown = true;
        return nullptr;
    }
    static const char* const documentMethods[] = {
        "textDocument/hover",      "textDocument/definition",     "textDocument/references",
        "textDocument/completion", "textDocument/documentSymbol", "textDocument/codeAction"};
    bool known = false;
    for (const char* name : documentMethods) known = known || method == name;
    if (!known) throw RpcError{kMethodNotFound, "unknown method " + method};
    Open* open = Find(params);
    if (!open) throw RpcError{kInvalidParams, "the document is not open"};
    std::string uri = String(Member(Member(params, "textDocument"), "uri"));
    const Analysis& analysis = Analyse(uri, *open);
    Pos pos = PosOf(Member(params, "position"));
    if (method == "textDocument/hover") return Hover(analysis, open->doc, pos);
    if (method == "textDocument/definition") return Definition(analysis, open->doc, uri, pos);
    if (method == "textDocument/references")
        return References(analysis, open->doc, uri, pos,
                          Member(Member(params, "context"), "includeDeclaration") == true);
    if (method == "textDocument/completion") return Completion(analysis, open->doc, pos);
    if (method == "textDocument/documentSymbol") return Symbols(analysis, open->doc);
    const json& range = Member(params, "range");
    return CodeActions(analysis, open->doc, uri, PosOf(Member(range, "start")),
                       PosOf(Member(range, "end")));
}

void Server::Handle(const std::string& body, std::vector<std::string>& out) {
    json message = json::parse(body, nullptr, false);
    if (message.is_discarded()) {
        out.push_back(Dump({{"jsonrpc", "2.0"},
                            {"id", nullptr},
                            {"error", {{"code", kParseError}, {"message", "not JSON"}}}}));
        return;
    }
    if (message.is_array()) {  // a batch: each on its own
        for (const json& each : message)
            if (each.is_object())
                Handle(Dump(each), out);
            else
                out.push_back(
                    Dump({{"jsonrpc", "2.0"},
                          {"id", nullptr},
                          {"error", {{"code", kInvalidRequest}, {"message", "not a message"}}}}));
        return;
    }
    const json& id = Member(message, "id");
    const json& method = Member(message, "method");
    bool request = id.is_string() || id.is_number_integer() || id.is_number_unsigned();
    if (!method.is_string()) {
        // A response to nothing we asked, or junk.
        if (message.is_object() && !Member(message, "result").is_null()) return;
        if (message.is_object() && Member(message, "error").is_object()) return;
        out.push_back(Dump({{"jsonrpc", "2.0"},
                            {"id", request ? id : json(nullptr)},
                            {"error", {{"code", kInvalidRequest}, {"message", "no method"}}}}));
        return;
    }
    const json& params = Member(message, "params");
    if (!request) {
        try {
            Notification(method.get<std::string>(), params, out);
        } catch (const std::exception&) {
            // A notification has no answer; a bad one is dropped.
        }
        return;
    }
    json reply = {{"jsonrpc", "2.0"}, {"id", id}};
    try {
        reply["result"] = Request(method.get<std::string>(), params);
    } catch (const RpcError& e) {
        reply["error"] = {{"code", e.code}, {"message", e.message}};
    } catch (const std::exception& e) {
        reply["error"] = {{"code", kInternalError}, {"message", e.what()}};
    }
    out.push_back(Dump(reply));
}

int RunServer() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    Server server;
    Framer framer;
    std::vector<std::string> out;
    std::string body;
    char buffer[65536];
    while (!server.Exited()) {
#ifdef _WIN32
        int got = _read(0, buffer, sizeof buffer);
#else
        ssize_t got = read(0, buffer, sizeof buffer);
#endif
        if (got <= 0) break;
        framer.Push(buffer, static_cast<std::size_t>(got));
        while (!server.Exited() && framer.Next(body)) {
            out.clear();
            server.Handle(body, out);
            for (const std::string& message : out) {
                std::string framed = Frame(message);
                std::fwrite(framed.data(), 1, framed.size(), stdout);
            }
            std::fflush(stdout);
        }
    }
    return server.ExitCode();
}

}  // namespace lsp
}  // namespace ectool
