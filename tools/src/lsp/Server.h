#pragma once

// eventconfig lsp: a language server for EventConfig.xml on standard input
// and output. Diagnostics are exactly the check's findings.

#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "lsp/Analysis.h"
#include "lsp/Document.h"

namespace ectool {
namespace lsp {

class Server {
public:
    // One message body; what to send back (responses and notifications,
    // as bodies) is appended to out.
    void Handle(const std::string& body, std::vector<std::string>& out);
    bool Exited() const { return m_exited; }
    // The process's exit code once exited: 0 after a shutdown request.
    int ExitCode() const { return m_shutdown ? 0 : 1; }

private:
    struct Open {
        Document doc;
        long long version = 0;
        std::unique_ptr<Analysis> analysis;  // of the current text; made on demand
    };

    nlohmann::json Request(const std::string& method, const nlohmann::json& params);
    void Notification(const std::string& method, const nlohmann::json& params,
                      std::vector<std::string>& out);
    Open* Find(const nlohmann::json& params);
    const Analysis& Analyse(const std::string& uri, Open& open);
    void Publish(const std::string& uri, Open& open, std::vector<std::string>& out);

    std::map<std::string, Open> m_docs;
    bool m_initialized = false;
    bool m_shutdown = false;
    bool m_exited = false;
};

// Serves standard input and output until "exit" or the end of input.
int RunServer();

}  // namespace lsp
}  // namespace ectool
