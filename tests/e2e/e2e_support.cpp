#include "e2e/e2e_support.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace tavlin::e2e {

namespace {

// A word for sh, in single quotes.
std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

}  // namespace

std::filesystem::path ProgramPath(const std::string& name) {
    return std::filesystem::path(TAVLIN_BINARY_DIR) / "apps" / name / name;
}

std::filesystem::path FreshFolder(const std::string& area) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    const auto folder = std::filesystem::path(TAVLIN_BINARY_DIR) / "test-machines" / area / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

void WriteHostFile(const std::filesystem::path& path, const std::string& content) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::string ReadHostFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::string& input) {
    const auto scratch = std::filesystem::temp_directory_path() /
                         ("tavlin-e2e-" + std::to_string(::getpid()) + "-" + std::to_string(std::rand()));
    std::filesystem::create_directories(scratch);
    WriteHostFile(scratch / "in", input);
    std::string command = Quoted(program.string());
    for (const std::string& argument : arguments) command += " " + Quoted(argument);
    command += " < " + Quoted((scratch / "in").string()) + " > " + Quoted((scratch / "out").string()) + " 2>&1";
    const int status = std::system(command.c_str());
    ProgramRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.output = ReadHostFile(scratch / "out");
    std::filesystem::remove_all(scratch);
    return run;
}

}  // namespace tavlin::e2e
