#pragma once

// The W3C XML Conformance Test Suite's list of tests, read from the suite's
// flattened index (installed by `make deps`, see the Makefile).

#include <string>
#include <vector>

namespace xmltest {

struct SuiteTest {
    std::string id;
    std::string type;               // "valid", "invalid", "not-wf", "error"
    std::string path;               // the document's file
    bool xml10 = false;             // an XML 1.0 test that holds for the fifth edition
    bool externalEntities = false;  // needs external entities (or an external DTD)
};

// The suite's folder ("xmlconf"), empty when it is not installed.
std::string SuiteDir();

// A whole file; false when it cannot be read.
bool ReadBytes(const std::string& path, std::vector<unsigned char>& out);

// Every test of the suite; empty when the suite is not installed.
std::vector<SuiteTest> SuiteTests();

}  // namespace xmltest
