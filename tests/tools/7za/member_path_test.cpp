#include "member_path.h"

#include <gtest/gtest.h>

using namespace za;

TEST(ZipMemberPath, WildcardsMatchWithoutRegardToCase)
{
    struct Case
    {
        const char *pattern;
        const char *name;
        bool match;
    } cases[] = {
        {"info.plist", "Info.plist", true},
        {"info.plist", "INFO.PLIST", true},
        {"info.plist", "Info.plist.bak", false},
        {"info.plist", "xInfo.plist", false},
        {"*.strings", "InfoPlist.strings", true},
        {"*.strings", "strings", false},
        {"Info.pl?st", "info.plist", true},
        {"?", "", false},
        {"*", "", true},
        {"*.*", "Makefile", true}, // the archiver's "every name"
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYbZ", false},
        {"ÄPP.plist", "äpp.plist", true}, // folding goes beyond ASCII
        {"名称.plist", "名称.PLIST", true},
        {"?.plist", "名.plist", true}, // '?' is one character, not one byte
    };
    for (const auto &c : cases)
        EXPECT_EQ(wildcardMatch(c.pattern, c.name), c.match) << c.pattern << " vs " << c.name;
}

TEST(ZipMemberPath, SplitFlagsNamesThatLeaveTheFolder)
{
    using C = std::vector<std::string>;
    EXPECT_EQ(splitMemberPath("Payload/A.app//./Info.plist").components,
              (C{"Payload", "A.app", "Info.plist"}));
    EXPECT_EQ(splitMemberPath("Payload\\A.app\\Info.plist").components,
              (C{"Payload", "A.app", "Info.plist"}));
    EXPECT_EQ(splitMemberPath("Payload/A.app/Info.plist").problem, PathProblem::None);

    EXPECT_EQ(splitMemberPath("../Info.plist").problem, PathProblem::ParentReference);
    EXPECT_EQ(splitMemberPath("..\\..\\Info.plist").problem, PathProblem::ParentReference);
    // Refused even where it would land inside again: such a name has no honest use.
    EXPECT_EQ(splitMemberPath("Payload/../Info.plist").problem, PathProblem::ParentReference);
    EXPECT_EQ(splitMemberPath("/etc/Info.plist").problem, PathProblem::Absolute);
    EXPECT_EQ(splitMemberPath("\\\\server\\Info.plist").problem, PathProblem::Absolute);
    EXPECT_EQ(splitMemberPath("C:/Info.plist").problem, PathProblem::Absolute);
    EXPECT_EQ(splitMemberPath("./.").problem, PathProblem::Empty);
    // ".." only as a whole component: these are ordinary names.
    EXPECT_EQ(splitMemberPath("Payload/..A.app/x..plist").problem, PathProblem::None);
}

TEST(ZipMemberPath, RecursionDecidesWhereAPatternMayStart)
{
    const std::vector<std::string> deep{"Payload", "Demo.app", "zh-Hans.lproj", "InfoPlist.strings"};
    const std::vector<std::string> top{"iTunesMetadata.plist"};

    EXPECT_TRUE(MemberPattern("infoplist.strings").matches(deep, true));
    EXPECT_FALSE(MemberPattern("infoplist.strings").matches(deep, false));
    EXPECT_TRUE(MemberPattern("itunesmetadata.plist").matches(top, false));
    EXPECT_TRUE(MemberPattern("ZH-HANS.LPROJ/*.strings").matches(deep, true));
    EXPECT_FALSE(MemberPattern("en.lproj/*.strings").matches(deep, true));
    EXPECT_TRUE(MemberPattern("payload/*/*/infoplist.strings").matches(deep, false));
    EXPECT_FALSE(MemberPattern("Demo.app").matches(deep, true)); // a folder name is not a file
    EXPECT_FALSE(MemberPattern("").matches(top, true));
}
