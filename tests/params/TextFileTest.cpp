#include "params/TextFile.h"

#include "platform/Folders.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vel {
namespace {

std::vector<std::string> LinesOf(const std::string& path)
{
    TextLineReader reader(path);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.NextLine(line))
        lines.emplace_back(line);
    return lines;
}

TEST(TextLineReader, SplitsAtControlAndHighBytesAndDropsAnUnendedLastLine)
{
    test::TempFolder folder;
    const std::string longLine(1500, 'x');
    folder.WriteFile("lines.txt", "ab\tc\r\n"              // CR ends the line, LF an empty one
                                  "Caf\xE9 au lait\n"         // a high byte ends a line too
                                  + std::string("nul\0byte\n", 9) + longLine + "\nlast line without its end");
    const std::vector<std::string> expected = {
        "ab c", "", "Caf", " au lait", "nul", "byte", longLine.substr(0, TextLineReader::LineCapacity)};
    EXPECT_EQ(LinesOf(folder.Path() + "lines.txt"), expected);

    TextLineReader missing(folder.Path() + "missing.txt");
    std::string_view line;
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_FALSE(missing.NextLine(line));
}

TEST(TextLineReader, KeyedLinesSkipSpacesAroundTheKey)
{
    struct Case {
        const char* Line;
        bool HasKey;
        const char* Key;
        const char* Value;
    };
    const Case cases[] = {
        {"knIN 2     ;NInks", true, "knIN", "2     ;NInks"},
        {"    1gnA    30.00 ", true, "1gnA", "30.00 "},
        {"abcd", true, "abcd", ""},
        {"  abc", false, "", ""},
        {"  ;------The End------", false, "", ""},
        {"", false, "", ""},
    };
    for (const Case& c : cases) {
        KeyedLine keyed;
        ASSERT_EQ(SplitKeyedLine(c.Line, keyed), c.HasKey) << c.Line;
        if (c.HasKey) {
            EXPECT_EQ(keyed.Key, c.Key);
            EXPECT_EQ(keyed.Value, c.Value);
        }
    }
}

TEST(TextFile, WritingReportsAFileThatCannotBeCreated)
{
    test::TempFolder folder;
    EXPECT_TRUE(WriteTextFile(folder.Path() + "out.txt", "a\nb\n"));
    EXPECT_EQ(LinesOf(folder.Path() + "out.txt"), (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(WriteTextFile(folder.Path() + "missing" + PathSeparator + "out.txt", "a\n"));
}

} // namespace
} // namespace vel
