// The INI rules the setup, the installation and the uninstall log rely on, as the
// profile functions apply them: reading values, listing key names, and where a
// write puts a key.
#include <string>
#include <utility>
#include <vector>

#include "platform_conformance/conformance_fixture.h"

namespace tavlin::conformance {
namespace {

std::vector<std::string> nonBlankLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") != std::string::npos) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// How many bytes a key list needs: every name followed by its zero byte.
std::size_t listBytes(const std::vector<std::string>& names) {
    std::size_t bytes = 0;
    for (const auto& name : names) bytes += name.size() + 1;
    return bytes;
}

class IniRules : public PlatformTest {};

struct ReadCase {
    const char* what;
    const char* content;  // nullptr: the file does not exist
    const char* section;
    const char* key;
    const char* expected;
    std::size_t bufferSize = 2048;
};

const ReadCase readCases[] = {
    {"plain value", "[Setup]\r\nTitle=Acme\r\n", "Setup", "Title", "Acme"},
    {"section and key ignore case", "[Setup]\r\nTitle=Acme\r\n", "SETUP", "tItLe", "Acme"},
    {"blanks around key and value", "[Setup]\r\n  Title  =   Acme Pro   \r\n", "Setup", "Title", "Acme Pro"},
    {"value holding '=' and blanks", "[Setup]\r\nCmd=a = b =c\r\n", "Setup", "Cmd", "a = b =c"},
    {"double quotes removed", "[Setup]\r\nDir=\"C:\\Program Files\\Acme\"\r\n", "Setup", "Dir",
     "C:\\Program Files\\Acme"},
    {"single quotes removed", "[Setup]\r\nDir='x y'\r\n", "Setup", "Dir", "x y"},
    {"blanks inside quotes kept", "[Setup]\r\nDir=\" x \"\r\n", "Setup", "Dir", " x "},
    {"an unmatched quote stays", "[Setup]\r\nDir=\"open\r\n", "Setup", "Dir", "\"open"},
    {"an empty value is not the default", "[Setup]\r\nTitle=\r\n", "Setup", "Title", ""},
    {"the first of two equal keys", "[Setup]\r\nTitle=one\r\nTITLE=two\r\n", "Setup", "Title", "one"},
    {"a key of another section is not found", "[A]\r\nk=1\r\n[B]\r\nj=2\r\n", "B", "k", "default"},
    {"missing key", "[Setup]\r\nTitle=Acme\r\n", "Setup", "Other", "default"},
    {"missing section", "[Setup]\r\nTitle=Acme\r\n", "Other", "Title", "default"},
    {"missing file", nullptr, "Setup", "Title", "default"},
    {"value cut to the buffer", "[Setup]\r\nTitle=abcdefgh\r\n", "Setup", "Title", "abcd", 5},
    {"a comment line is no key", "[Setup]\r\n;Title=old\r\nTitle=new\r\n", "Setup", "Title", "new"},
};

TEST_F(IniRules, ReadsValuesByTheProfileRules) {
    const std::string file = scratch() + "read.ini";
    for (const auto& c : readCases) {
        SCOPED_TRACE(c.what);
        files().deleteFile(file);
        if (c.content) writeFile(file, c.content);
        EXPECT_EQ(profile().readString(file, c.section, c.key, "default", c.bufferSize), c.expected);
    }
}

struct KeyListCase {
    const char* what;
    const char* content;  // nullptr: the file does not exist
    const char* section;
    std::vector<std::string> expected;
};

const KeyListCase keyListCases[] = {
    {"file order", "[Files]\r\nb=\r\na=1\r\nC=\r\n", "Files", {"b", "a", "C"}},
    {"section ignores case", "[Files]\r\nb=\r\n", "FILES", {"b"}},
    {"names trimmed", "[Files]\r\n  C:\\A\\*.*  = \r\n", "Files", {"C:\\A\\*.*"}},
    {"lines without '=' and comments left out",
     "[Files]\r\nname1=val1\r\nname3\r\n;note=x\r\n; plain note\r\nname4=a\r\n", "Files", {"name1", "name4"}},
    {"duplicates listed", "[Files]\r\nk=1\r\nK=2\r\n", "Files", {"k", "K"}},
    {"only the section asked for", "[A]\r\nx=1\r\n[Files]\r\ny=2\r\n[B]\r\nz=3\r\n", "Files", {"y"}},
    {"missing section", "[A]\r\nx=1\r\n", "Files", {}},
    {"missing file", nullptr, "Files", {}},
};

TEST_F(IniRules, ListsKeyNamesInFileOrder) {
    const std::string file = scratch() + "keys.ini";
    for (const auto& c : keyListCases) {
        SCOPED_TRACE(c.what);
        files().deleteFile(file);
        if (c.content) writeFile(file, c.content);
        EXPECT_EQ(profile().readKeyNames(file, c.section), c.expected);
    }
}

TEST_F(IniRules, AKeyListThatDoesNotFitIsCutInsideTheLastName) {
    const std::string file = scratch() + "cut.ini";
    writeFile(file, "[s]\r\nname1=val1\r\nname2=val2\r\nname4=a\r\n");
    struct Cut {
        std::size_t bufferSize;
        std::vector<std::string> expected;
    };
    const Cut cuts[] = {
        {16, {"name1", "name2", "na"}},
        {17, {"name1", "name2", "nam"}},
        {14, {"name1", "name2"}},
        {100, {"name1", "name2", "name4"}},
    };
    for (const auto& cut : cuts) {
        SCOPED_TRACE(cut.bufferSize);
        const auto names = profile().readKeyNames(file, "s", cut.bufferSize);
        EXPECT_EQ(names, cut.expected);
    }
}

TEST_F(IniRules, ASixteenKilobyteListHoldsAtMost16382Characters) {
    // 600 names of 30 characters need 18600 bytes with their zeros.
    std::string content = "[Files]\r\n";
    std::vector<std::string> all;
    for (int i = 0; i < 600; ++i) {
        std::string name = "C:\\Folder\\File" + std::to_string(10000 + i) + "abcdefghijk";
        all.push_back(name);
        content += name + "=\r\n";
    }
    const std::string file = scratch() + "big.ini";
    writeFile(file, content);

    const auto names = profile().readKeyNames(file, "Files");
    ASSERT_FALSE(names.empty());
    ASSERT_LT(names.size(), all.size());
    // Whole names up to the last, which is a cut-off beginning of the next name.
    for (std::size_t i = 0; i + 1 < names.size(); ++i) EXPECT_EQ(names[i], all[i]);
    const std::string& last = names.back();
    EXPECT_LT(last.size(), all[names.size() - 1].size());
    EXPECT_EQ(all[names.size() - 1].compare(0, last.size(), last), 0);
    // The names and their zeros fill the buffer but for its final two bytes.
    EXPECT_EQ(listBytes(names) - 1, 16384u - 2);
}

struct Write {
    const char* section;
    const char* key;
    const char* value;
};

struct WriteCase {
    const char* what;
    const char* before;  // nullptr: the file does not exist
    std::vector<Write> writes;
    std::vector<std::string> after;  // the file's non-blank lines
};

const WriteCase writeCases[] = {
    {"a new file", nullptr, {{"Name", "Title", "Acme"}}, {"[Name]", "Title=Acme"}},
    {"an existing key is rewritten in place, whatever its case",
     "[Files]\r\nC:\\A\\*.*=\r\nC:\\B\\x.dll=\r\n",
     {{"FILES", "c:\\a\\*.*", "1"}},
     {"[Files]", "C:\\A\\*.*=1", "C:\\B\\x.dll="}},
    {"a new key goes to the end of its section",
     "[A]\r\nk1=1\r\n[B]\r\nk2=2\r\n",
     {{"a", "k3", "3"}},
     {"[A]", "k1=1", "k3=3", "[B]", "k2=2"}},
    {"a new section goes to the end of the file",
     "[A]\r\nk1=1\r\n",
     {{"C", "k", "v"}},
     {"[A]", "k1=1", "[C]", "k=v"}},
    {"the uninstall log's order",
     nullptr,
     {{"Files", "C:\\App\\*.*", ""},
      {"Folder", "C:\\App\\Sub", ""},
      {"Files", "C:\\WINDOWS\\System\\a.dll", ""},
      {"Files", "C:\\APP\\*.*", ""},
      {"Registry", "HKEY_LOCAL_MACHINE\\\\SOFTWARE\\ACME", ""},
      {"Name", "Title", "Acme"}},
     {"[Files]", "C:\\App\\*.*=", "C:\\WINDOWS\\System\\a.dll=", "[Folder]", "C:\\App\\Sub=", "[Registry]",
      "HKEY_LOCAL_MACHINE\\\\SOFTWARE\\ACME=", "[Name]", "Title=Acme"}},
    {"comment lines stay", "[A]\r\n; keep me\r\nk=1\r\n", {{"A", "k", "2"}}, {"[A]", "; keep me", "k=2"}},
    {"a value with '=' and blanks", nullptr, {{"S", "Cmd", "a = b"}}, {"[S]", "Cmd=a = b"}},
};

TEST_F(IniRules, WritesKeysWhereTheProfileRulesPutThem) {
    const std::string file = scratch() + "write.ini";
    for (const auto& c : writeCases) {
        SCOPED_TRACE(c.what);
        files().deleteFile(file);
        if (c.before) writeFile(file, c.before);
        for (const auto& w : c.writes) EXPECT_TRUE(profile().writeString(file, w.section, w.key, w.value));
        EXPECT_EQ(nonBlankLines(readFile(file)), c.after);
    }
}

struct ManyKeysCase {
    const char* what;
    const char* before;  // nullptr: the file does not exist
    const char* section;
    std::vector<std::pair<std::string, std::string>> keys;
};

const ManyKeysCase manyKeysCases[] = {
    {"a new file", nullptr, "Files", {{"C:\\A\\a.txt", ""}, {"C:\\A\\b.txt", ""}}},
    {"a section made by its first key", "[Name]\r\nTitle=Acme\r\n", "Files", {{"x", ""}, {"y", ""}, {"z", ""}}},
    {"new keys after the last key, old ones in place, whatever their case",
     "[Files]\r\nC:\\A\\*.*=\r\n\r\n[Folder]\r\nC:\\A=\r\n",
     "FILES",
     {{"c:\\b\\x.dll", ""}, {"c:\\a\\*.*", "1"}, {"C:\\B\\y.dll", "2"}}},
    {"a key given twice keeps its first place and its last value", "[S]\r\nk=1\r\n", "S",
     {{"n", "1"}, {"k", "1"}, {"N", "2"}, {"m", ""}}},
    {"a section without keys, blank lines and a comment", "[S]\r\n; note\r\n\r\n\r\n[T]\r\nt=1\r\n", "S",
     {{"a", ""}, {"b", ""}}},
    {"a last line without its line end", "[S]\r\nk=1", "S", {{"j", "2"}, {"k", "3"}}},
    {"blanks around names and values", "[S]\r\n  k  = 1 \r\n", "S", {{" k ", " 1 "}, {" j", "x "}}},
};

TEST_F(IniRules, ManyKeysWrittenAtOnceLandAsWrittenOneByOne) {
    const std::string together = scratch() + "together.ini";
    const std::string singly = scratch() + "singly.ini";
    for (const auto& c : manyKeysCases) {
        SCOPED_TRACE(c.what);
        files().deleteFile(together);
        files().deleteFile(singly);
        if (c.before) {
            writeFile(together, c.before);
            writeFile(singly, c.before);
        }
        EXPECT_TRUE(profile().writeStrings(together, c.section, c.keys));
        for (const auto& [key, value] : c.keys) EXPECT_TRUE(profile().writeString(singly, c.section, key, value));
        EXPECT_EQ(readFile(together), readFile(singly));
    }
}

TEST_F(IniRules, WrittenValuesReadBackWithTheirBlanks) {
    const std::string file = scratch() + "roundtrip.ini";
    ASSERT_TRUE(profile().writeString(file, "S", "Cmd", "a = b"));
    ASSERT_TRUE(profile().writeString(file, "S", "Empty", ""));
    EXPECT_EQ(profile().readString(file, "S", "Cmd", "default"), "a = b");
    EXPECT_EQ(profile().readString(file, "S", "Empty", "default"), "");
}

TEST_F(IniRules, ABareFileNameIsAFileInTheWindowsFolder) {
    const std::string name = uniqueName() + ".ini";
    const std::string inWindows = files().windowsDirectory() + "\\" + name;
    files().deleteFile(inWindows);
    ASSERT_TRUE(profile().writeString(name, "Setup", "Title", "Acme"));
    EXPECT_TRUE(files().fileExists(inWindows));
    EXPECT_EQ(profile().readString(inWindows, "Setup", "Title", ""), "Acme");
    EXPECT_EQ(profile().readString(name, "Setup", "Title", ""), "Acme");
    EXPECT_EQ(profile().readKeyNames(name, "Setup"), std::vector<std::string>{"Title"});
    files().deleteFile(inWindows);
}

}  // namespace
}  // namespace tavlin::conformance
