#pragma once

// Runs the built eventconfig program on files a test writes.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace tooltest {

struct Run {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

inline std::string TempDir() {
    static const std::string dir = [] {
        char pattern[] = "/tmp/eventconfig-tool-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return dir;
}

inline std::string WriteFile(const std::string& name, const std::string& content) {
    std::string path = TempDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

// The arguments are passed to the shell as written: tests quote what needs it.
inline Run RunTool(const std::string& args) {
    Run run;
    std::string errPath = TempDir() + "/stderr.txt";
    std::string command =
        std::string("'") + EVENTCONFIG_TOOL_PATH + "' " + args + " 2>'" + errPath + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    std::size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = Slurp(errPath);
    return run;
}

}  // namespace tooltest
