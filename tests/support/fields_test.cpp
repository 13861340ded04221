// Field cutting of configuration lines, including quoted fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fields.h"

namespace tavlin {
namespace {

std::vector<std::string> CutAll(std::string text, char separator) {
    std::vector<std::string> fields;
    std::string field;
    while (!text.empty()) {
        SplitFirstField(text, separator, field);
        fields.push_back(field);
    }
    return fields;
}

struct FirstFieldCase {
    std::string text;
    std::string field;
    std::string rest;
};

class SplitFirstFieldTest : public ::testing::TestWithParam<FirstFieldCase> {};

TEST_P(SplitFirstFieldTest, CutsOneField) {
    std::string text = GetParam().text;
    std::string field = "unchanged";
    SplitFirstField(text, ',', field);
    EXPECT_EQ(field, GetParam().field);
    EXPECT_EQ(text, GetParam().rest);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitFirstFieldTest,
                         ::testing::Values(FirstFieldCase{"a,b,c", "a", "b,c"},
                                           FirstFieldCase{"abc", "abc", ""},
                                           FirstFieldCase{"\"abc\"", "\"abc\"", ""},  // no separator: quotes kept
                                           FirstFieldCase{"\"a,b\",z", "a,b", "z"},
                                           FirstFieldCase{"\"abc,def", "", "abc,def"},  // unclosed quote
                                           FirstFieldCase{",x", "", "x"},
                                           FirstFieldCase{"a,", "a", ""}));

TEST(SplitFirstField, EmptyFieldsBetweenSeparators) {
    EXPECT_EQ(CutAll("a,,b", ','), (std::vector<std::string>{"a", "", "b"}));
}

TEST(SplitFirstField, TabSeparatedFileListLine) {
    EXPECT_EQ(CutAll("Installation Directory\tData\tC:\\Work\\Data\\readme.txt", '\t'),
              (std::vector<std::string>{"Installation Directory", "Data", "C:\\Work\\Data\\readme.txt"}));
}

TEST(SplitLastField, CutsAtTheLastSeparator) {
    std::string text = "A\\B\\C";
    std::string field;
    SplitLastField(text, '\\', field);
    EXPECT_EQ(field, "C");
    EXPECT_EQ(text, "A\\B");
    text = "Acme";
    SplitLastField(text, '\\', field);
    EXPECT_EQ(field, "Acme");
    EXPECT_EQ(text, "");
}

}  // namespace
}  // namespace tavlin
