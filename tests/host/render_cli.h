// Runs a host tool (qx71-render, qx71-response) as a user would and captures what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

struct RenderRun {
    int exitCode;
    std::string out;
    std::string err;
};

inline std::string readText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Where the running test keeps its files (tests may run in parallel processes).
inline std::string testFilePrefix() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + "qx71_render_" + test->test_suite_name() + "_" + test->name();
}

// A fresh directory for one test's files.
inline std::string scratchDirectory() {
    const std::string path = testFilePrefix();
    std::system(("rm -rf '" + path + "' && mkdir -p '" + path + "'").c_str());
    return path;
}

inline RenderRun runTool(const std::string& tool, const std::vector<std::string>& arguments) {
    const std::string capture = testFilePrefix() + "_capture";
    std::string command = "'" + tool + "'";
    for (const std::string& argument : arguments) command += " '" + argument + "'";
    command += " > '" + capture + ".out' 2> '" + capture + ".err'";
    const int status = std::system(command.c_str());
    return RenderRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(capture + ".out"),
                     readText(capture + ".err")};
}

#ifdef QX71_RENDER
inline RenderRun runRender(const std::vector<std::string>& arguments) { return runTool(QX71_RENDER, arguments); }
#endif

// A failure must be one line on stderr naming the tool.
inline void expectOneLineError(const RenderRun& run, int exitCode, const std::string& fragment,
                               const std::string& tool = "qx71-render") {
    EXPECT_EQ(run.exitCode, exitCode) << run.err;
    EXPECT_EQ(run.err.rfind(tool + ": ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(fragment), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
}
