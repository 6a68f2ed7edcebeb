#pragma once

// expat's reading of a document, and the navigator's, as comparable trees:
// every element's name, attributes in order and character data.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace xmltest {

struct Element {
    std::wstring name;
    std::vector<std::pair<std::wstring, std::wstring>> attrs;  // in the order written
    std::wstring data;  // the element's own character data, children's left out
    std::vector<Element> children;
};

struct Reading {
    bool refused = false;       // not well-formed, or an encoding expat lacks
    bool dependsOnDtd = false;  // entity or attribute-list declarations, or skipped entities
    std::vector<Element> tops;
};

// expat, without namespaces and without loading external entities.
Reading ReadWithExpat(const std::vector<unsigned char>& bytes);

// libxml2, where expat refuses what later editions of XML allow (names,
// encodings): without loading external entities or substituting any.
Reading ReadWithLibxml2(const std::vector<unsigned char>& bytes);

// The navigator, loading the file as the library does.
Reading ReadWithNavigator(const std::string& path);

// The first difference, as "path: what (first differing character at N)";
// empty when the trees agree.
std::string FirstDifference(const std::vector<Element>& expected,
                            const std::vector<Element>& actual);

}  // namespace xmltest
