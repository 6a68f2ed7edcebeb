#pragma once

// eventconfig check: what the library will silently do with a configuration
// that its author did not mean.

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace ectool {

class Loaded;

// A note adds a place to the finding before it and is not counted.
enum class Severity { Warning, Error, Note };

// A related place: where the other copy of a duplicate stands.
struct Note {
    std::size_t offset;
    std::string message;
};

struct Finding {
    Severity severity = Severity::Warning;
    std::size_t offset = 0;  // into the loaded text; npos when the finding has no place
    std::string message;
    std::string check;
    // Reference findings: the model's operation or action naming the id.
    const void* object = nullptr;
    int id = 0;
    std::vector<Note> notes = {};
};

// The kind table's description of a class ("activate rules"); the class
// name when the table has none.
std::string KindDescription(const std::string& className);

// Whether a finding is about the XML itself (well-formedness, encoding)
// rather than about what the library makes of it.
bool IsXmlFinding(const Finding& finding);

// For each operation and action object of the models, the message ids its
// element names (what its membership tests are probed with).
typedef std::map<const void*, std::vector<int>> MsgCandidates;

// Every finding, in the order of the text. Builds the loaded file's models.
std::vector<Finding> CheckFile(Loaded& loaded, MsgCandidates* candidates = nullptr);

}  // namespace ectool
