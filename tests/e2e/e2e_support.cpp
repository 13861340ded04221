#include "e2e/e2e_support.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

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

namespace {

// Counts the occurrences of text in output.
std::size_t Occurrences(const std::string& output, const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = output.find(text); at != std::string::npos; at = output.find(text, at + text.size())) {
        ++count;
    }
    return count;
}

}  // namespace

ProgramRun Converse(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const std::vector<ConversationStep>& steps, int secondsPerStep) {
    int toChild[2], fromChild[2];
    if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(toChild[0], 0);
        ::dup2(fromChild[1], 1);
        ::dup2(fromChild[1], 2);
        ::close(toChild[1]);
        ::close(fromChild[0]);
        std::vector<std::string> words = {program.string()};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    ::signal(SIGPIPE, SIG_IGN);

    ProgramRun run;
    std::map<std::string, std::size_t> seen;  // how often each awaited text was acted on
    bool stopped = false;
    // Reads what the program prints until the text has appeared once more than
    // before, or the time is up; false when it did not appear.
    auto waitFor = [&](const std::string& text, int seconds) {
        const std::size_t wanted = seen[text] + 1;
        for (int waited = 0; waited < seconds * 10;) {
            if (!text.empty() && Occurrences(run.output, text) >= wanted) return true;
            pollfd fd{fromChild[0], POLLIN, 0};
            const int ready = ::poll(&fd, 1, 100);
            if (ready == 0) {
                ++waited;
                continue;
            }
            char buffer[4096];
            const ssize_t n = ::read(fromChild[0], buffer, sizeof buffer);
            if (n <= 0) return text.empty();
            run.output.append(buffer, static_cast<std::size_t>(n));
        }
        return false;
    };
    for (const ConversationStep& step : steps) {
        if (!waitFor(step.waitFor, secondsPerStep)) {
            stopped = true;
            break;
        }
        ++seen[step.waitFor];
        if (step.act) step.act();
        const std::string line = step.reply + "\n";
        if (::write(toChild[1], line.data(), line.size()) < 0) break;
    }
    ::close(toChild[1]);
    if (stopped) {
        ::kill(child, SIGKILL);
    } else {
        waitFor("", secondsPerStep);  // the rest of the output, up to its end
    }
    ::close(fromChild[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    run.exitCode = !stopped && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace tavlin::e2e
