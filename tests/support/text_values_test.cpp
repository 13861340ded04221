// Value rules of configuration texts: integers, font styles, paths, line splitting
// and date-time values.
#include <gtest/gtest.h>

#include <optional>

#include "support/date_time.h"
#include "support/font_styles.h"
#include "support/ini_file.h"
#include "support/paths.h"
#include "support/string_list.h"
#include "support/text.h"

namespace tavlin {
namespace {

TEST(ParseIniInteger, DecimalAndHexForms) {
    const struct {
        const char* text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"8", 8},
        {" 42 ", 42},
        {"-1", -1},
        {"$FF", 255},
        {"0x10", 16},
        {"0XfF", 255},
        {"0xFF00000F", -16777201},  // a system colour: hex wraps into the signed range
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"-2147483648", -2147483647 - 1},
        {"0x100000000", std::nullopt},
        {"", std::nullopt},
        {"12ab", std::nullopt},
        {"$", std::nullopt},
        {"true", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseIniInteger(c.text), c.value) << c.text;
}

TEST(ParseFontStyles, OnlyCommaEndedNamesCount) {
    EXPECT_EQ(ParseFontStyles(""), 0);
    EXPECT_EQ(ParseFontStyles("fsBold,fsItalic"), fsBold);
    EXPECT_EQ(ParseFontStyles("fsBold,fsItalic,"), fsBold | fsItalic);
    EXPECT_EQ(ParseFontStyles("fsUnderline,fsStrikeOut,"), fsUnderline | fsStrikeOut);
    EXPECT_EQ(ParseFontStyles("fsbold,Bold,,fsItalic,"), fsItalic);  // names compare with case
}

TEST(Paths, FolderAndFileNameParts) {
    EXPECT_EQ(ExtractFilePath("C:\\Work\\Data\\readme.txt"), "C:\\Work\\Data\\");
    EXPECT_EQ(ExtractFileName("C:\\Work\\Data\\readme.txt"), "readme.txt");
    EXPECT_EQ(ExtractFilePath("A:"), "A:");
    EXPECT_EQ(ExtractFileName("A:setup.exe"), "setup.exe");
    EXPECT_EQ(ExtractFilePath("notepad.exe"), "");
    EXPECT_EQ(ExtractFileName("C:\\Work\\"), "");
}

TEST(UpperCaseAscii, LeavesOtherLettersAlone) {
    EXPECT_EQ(UpperCaseAscii("c:\\program files\\\xe9t\xe9"), "C:\\PROGRAM FILES\\\xe9T\xe9");
}

TEST(StringList, SplitsAtCrLfAndCrLf) {
    StringList list;
    list.SetText("a\r\nb\nc\rd\n\re");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
    list.SetText("last line\r\n");
    EXPECT_EQ(list.Count(), 1u);
    list.SetText("");
    EXPECT_TRUE(list.Empty());
    list.SetText("x\n\n");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"x", ""}));
}

TEST(StringList, WritesCrLfAfterEveryLine) {
    StringList list{"one", "", "three"};
    EXPECT_EQ(list.Text(), "one\r\n\r\nthree\r\n");
}

TEST(DateTime, DosDateTimeRoundTripAndOrder) {
    const LocalTime time{2026, 12, 9, 9, 30, 14};
    const std::uint32_t dos = LocalTimeToDosDateTime(time);
    const LocalTime back = DecodeDateTime(DosDateTimeToDateTime(dos));
    EXPECT_EQ(back.year, 2026);
    EXPECT_EQ(back.month, 12);
    EXPECT_EQ(back.day, 9);
    EXPECT_EQ(back.hour, 9);
    EXPECT_EQ(back.minute, 30);
    EXPECT_EQ(back.second, 14);
    EXPECT_LT(DosDateTimeToDateTime(dos), DosDateTimeToDateTime(LocalTimeToDosDateTime({2026, 12, 9, 9, 30, 16})));
    EXPECT_EQ(DosDateTimeToDateTime(0), 0);  // no date
    EXPECT_DOUBLE_EQ(EncodeDateTime({1899, 12, 30, 0, 0, 0}), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime({1900, 1, 1, 12, 0, 0}), 2.5);
}

}  // namespace
}  // namespace tavlin
