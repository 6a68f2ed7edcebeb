// The navigator against expat (libxml2 where expat refuses) on documents nobody here wrote: the W3C
// suite's well-formed documents whose meaning needs no DTD, and the XML files of this machine. Each
// prints its counts; every difference is listed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ReferenceXml.h"
#include "XmlConformance.h"

namespace {

namespace fs = std::filesystem;

struct Counts {
    int read = 0, refused = 0, dtd = 0, agree = 0, byLibxml2 = 0;
    std::vector<std::string> differences;
};

void Compare(const std::string& path, Counts& counts) {
    std::vector<unsigned char> bytes;
    if (!xmltest::ReadBytes(path, bytes)) return;
    ++counts.read;
    xmltest::Reading expected = xmltest::ReadWithExpat(bytes);
    if (expected.refused) {
        expected = xmltest::ReadWithLibxml2(bytes);
        counts.byLibxml2 += !expected.refused && !expected.dependsOnDtd;
    }
    if (expected.refused) {
        ++counts.refused;
    } else if (expected.dependsOnDtd) {
        ++counts.dtd;
    } else {
        const std::string diff =
            xmltest::FirstDifference(expected.tops, xmltest::ReadWithNavigator(path).tops);
        if (diff.empty()) {
            ++counts.agree;
        } else {
            counts.differences.push_back(path + ": " + diff);
        }
    }
}

void Print(const char* what, const Counts& c) {
    std::printf(
        "%s: %d read, %d refused by expat and libxml2, %d depend on a DTD, %d compared "
        "(%d with libxml2, which expat refused): %d agree, %zu differ\n",
        what, c.read, c.refused, c.dtd, c.read - c.refused - c.dtd, c.byLibxml2, c.agree,
        c.differences.size());
    for (const std::string& d : c.differences) std::printf("  %s\n", d.c_str());
}

TEST(NavigatorConformance, WellFormedSuiteDocumentsReadAsExpatReadsThem) {
    const std::vector<xmltest::SuiteTest> tests = xmltest::SuiteTests();
    if (tests.empty()) GTEST_SKIP() << "the W3C suite is not installed (make deps)";
    Counts counts;
    for (const xmltest::SuiteTest& t : tests)
        if ((t.type == "valid" || t.type == "invalid") && t.xml10 && !t.externalEntities)
            Compare(t.path, counts);
    Print("W3C well-formed XML 1.0 documents", counts);
    EXPECT_TRUE(counts.differences.empty());
    EXPECT_GE(counts.agree, 500);
}

// Every document of the suite, whatever it holds, loads and walks.
TEST(NavigatorConformance, EverySuiteDocumentLoads) {
    const std::vector<xmltest::SuiteTest> tests = xmltest::SuiteTests();
    if (tests.empty()) GTEST_SKIP() << "the W3C suite is not installed (make deps)";
    std::size_t elements = 0;
    for (const xmltest::SuiteTest& t : tests)
        elements += xmltest::ReadWithNavigator(t.path).tops.size();
    std::printf("W3C suite: %zu documents loaded, %zu top-level elements\n", tests.size(),
                elements);
}

// Bounded: the first files in path order up to a total size.
TEST(NavigatorConformance, MachineXmlFilesReadAsExpatReadsThem) {
    std::vector<std::string> paths;
    for (const char* root : {"/usr/share", "/etc"}) {
        std::error_code ec;
        for (fs::recursive_directory_iterator
                 it(root, fs::directory_options::skip_permission_denied, ec),
             end;
             it != end; it.increment(ec)) {
            if (ec) break;
            std::error_code fileEc;
            if (it->path().extension() == ".xml" && it->is_regular_file(fileEc))
                paths.push_back(it->path().string());
        }
    }
    std::sort(paths.begin(), paths.end());
    const std::uintmax_t kMaxBytes = 64u << 20;
    const std::size_t kMaxFiles = 4000;
    std::uintmax_t total = 0;
    Counts counts;
    for (const std::string& path : paths) {
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(path, ec);
        if (ec || counts.read >= static_cast<int>(kMaxFiles) || total + size > kMaxBytes) continue;
        total += size;
        Compare(path, counts);
    }
    Print("XML files of this machine", counts);
    EXPECT_TRUE(counts.differences.empty());
}

}  // namespace
