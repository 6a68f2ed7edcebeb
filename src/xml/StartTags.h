#pragma once

// Where the navigator found each start tag's attributes: the offsets its own
// index records, for callers that point at an attribute in the text (the
// tool's diagnostics) without scanning tags by rules of their own.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace ecfg {
namespace markup {

struct Index;

// One attribute as written: offsets and lengths in characters. A name
// without '=' has no value; its valueStart is the end of the name.
struct AttrSpan {
    std::size_t nameStart = 0;
    std::size_t nameLength = 0;
    std::size_t valueStart = 0;
    std::size_t valueLength = 0;
    bool hasValue = false;
};

struct StartTag {
    std::size_t contentStart = 0;  // after the tag's '>' (where a cut-short tag stops)
    std::vector<AttrSpan> attrs;   // in the order written, duplicates included
};

// The start tags of one text, indexed as the navigator indexes it.
class StartTags {
public:
    explicit StartTags(const std::wstring& text);
    ~StartTags();

    // The start tag whose '<' is at offset; false when no element starts there.
    bool At(std::size_t offset, StartTag& tag) const;

private:
    std::shared_ptr<const Index> m_index;
};

}  // namespace markup
}  // namespace ecfg
