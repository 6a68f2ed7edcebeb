#pragma once

// The answers to an editor's questions about one analysed buffer, as the
// protocol's JSON.

#include <nlohmann/json.hpp>
#include <string>

#include "lsp/Analysis.h"
#include "lsp/Document.h"

namespace ectool {
namespace lsp {

nlohmann::json Diagnostics(const Analysis& analysis, const Document& doc, const std::string& uri);
nlohmann::json Hover(const Analysis& analysis, const Document& doc, Pos pos);
nlohmann::json Definition(const Analysis& analysis, const Document& doc, const std::string& uri,
                          Pos pos);
nlohmann::json References(const Analysis& analysis, const Document& doc, const std::string& uri,
                          Pos pos, bool withDeclaration);
nlohmann::json Completion(const Analysis& analysis, const Document& doc, Pos pos);
nlohmann::json Symbols(const Analysis& analysis, const Document& doc);
nlohmann::json CodeActions(const Analysis& analysis, const Document& doc, const std::string& uri,
                           Pos from, Pos to);

}  // namespace lsp
}  // namespace ectool
