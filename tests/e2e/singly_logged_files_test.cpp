// Files installed into a folder that held files before are logged one by one,
// and the log may name them ahead of their making. Stopped at any change, the
// install must leave a log that names every file of the product it made, and
// that names a file which was there before only once the run has replaced it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/e2e_support.h"
#include "support/text.h"

namespace tavlin::e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kProductFiles = 12;
// The product file that the user's folder holds already, with the user's text.
const std::string kReplaced = "file07.txt";

std::string ProductText(int i) { return "product file " + std::to_string(i); }
std::string FileName(int i) { return std::string("file") + (i < 10 ? "0" : "") + std::to_string(i) + ".txt"; }

class SinglyLoggedFiles : public ::testing::Test {
protected:
    void SetUp() override {
        root = FreshFolder("singly-logged");
        const fs::path product = root / "product";
        for (int i = 1; i <= kProductFiles; ++i) WriteHostFile(product / FileName(i), ProductText(i));
        WriteHostFile(root / "install.cfg",
                      "[Setup Screen]\r\nText Line 1=Data Tool\r\nMain Directory=Data Tool\r\n"
                      "Uninstall Option=0\r\n");
        WriteHostFile(root / "setup.exe", "MZ setup");
        const ProgramRun built = RunProgram(
            ProgramPath("tavlin"), {"media", "--product", product.string(), "--config", (root / "install.cfg").string(),
                                    "--setup", (root / "setup.exe").string(), "--out", (root / "media").string()});
        ASSERT_EQ(built.exitCode, 0) << built.output;
    }
    void TearDown() override {
        if (!HasFailure()) fs::remove_all(root);
    }

    // A fresh PC whose C:\Data holds the user's files, one of them named as a product file.
    fs::path FreshMachine(const std::string& name) {
        const fs::path machine = root / name;
        fs::remove_all(machine);
        const ProgramRun made = RunProgram(ProgramPath("tavlin-setup"), {"--machine", machine.string(), "--create-only"});
        EXPECT_EQ(made.exitCode, 0) << made.output;
        WriteHostFile(machine / "drives" / "c" / "Data" / "notes.doc", "the user's notes");
        WriteHostFile(machine / "drives" / "c" / "Data" / kReplaced, "the user's own text");
        return machine;
    }

    ProgramRun Install(const fs::path& machine, int killAtChange = 0) {
        std::vector<std::string> arguments = {"--machine", machine.string(), "--drive", "D=" + (root / "media").string(),
                                              "--cd", "D:\\"};
        if (killAtChange > 0) arguments.insert(arguments.end(), {"--kill-at-change", std::to_string(killAtChange)});
        arguments.insert(arguments.end(), {"--", "/VERYSILENT", "/DIR=C:\\Data", "/LOG=C:\\install.log"});
        return RunProgram(ProgramPath("tavlin-setup"), arguments);
    }

    // The [Files] entries of the log, upper-cased.
    static std::vector<std::string> LoggedFiles(const fs::path& machine) {
        const fs::path log = machine / "drives" / "c" / "Data" / "uninstaller.cfg";
        std::vector<std::string> entries;
        if (!fs::exists(log)) return entries;
        const std::string text = ReadHostFile(log);
        const auto start = text.find("[Files]\r\n");
        if (start == std::string::npos) return entries;
        for (std::size_t at = start + 9; at < text.size() && text[at] != '[';) {
            const auto end = text.find("\r\n", at);
            const std::string line = text.substr(at, end - at);
            if (const auto equals = line.find('='); equals != std::string::npos) {
                entries.push_back(UpperCaseAscii(line.substr(0, equals)));
            }
            at = end == std::string::npos ? text.size() : end + 2;
        }
        return entries;
    }

    static bool Logs(const std::vector<std::string>& entries, const std::string& name) {
        return std::find(entries.begin(), entries.end(), UpperCaseAscii("C:\\Data\\" + name)) != entries.end();
    }

    fs::path root;
};

TEST_F(SinglyLoggedFiles, AStoppedInstallLogsWhatItMadeAndNamesTheUsersFileOnlyOnceReplaced) {
    const fs::path full = FreshMachine("complete");
    ASSERT_EQ(Install(full).exitCode, 0);
    const auto complete = LoggedFiles(full);
    for (int i = 1; i <= kProductFiles; ++i) EXPECT_TRUE(Logs(complete, FileName(i))) << FileName(i);
    EXPECT_FALSE(Logs(complete, "notes.doc"));
    const std::string changes = ReadHostFile(full / "drives" / "c" / "install.log");
    int total = 0;
    for (std::size_t at = 0; (at = changes.find("\r\n", at)) != std::string::npos; at += 2) ++total;
    ASSERT_GT(total, kProductFiles);

    for (int point = 1; point <= total; ++point) {
        SCOPED_TRACE("install killed at change " + std::to_string(point));
        const fs::path machine = FreshMachine("killed");
        const ProgramRun run = Install(machine, point);
        ASSERT_TRUE(run.exitCode == 137 || run.exitCode == 0) << run.output;
        const auto logged = LoggedFiles(machine);
        const fs::path data = machine / "drives" / "c" / "Data";
        for (int i = 1; i <= kProductFiles; ++i) {
            const fs::path file = data / FileName(i);
            if (FileName(i) == kReplaced) {
                const bool replaced = ReadHostFile(file) == ProductText(i);
                EXPECT_TRUE(!Logs(logged, kReplaced) || replaced) << "the user's file is named before it is replaced";
                EXPECT_TRUE(!replaced || Logs(logged, kReplaced)) << "the replaced file is not in the log";
            } else if (fs::exists(file)) {
                EXPECT_TRUE(Logs(logged, FileName(i))) << FileName(i) << " was made but is not in the log";
            }
        }
        EXPECT_EQ(ReadHostFile(data / "notes.doc"), "the user's notes");
        if (HasFailure()) return;
    }
}

}  // namespace
}  // namespace tavlin::e2e
