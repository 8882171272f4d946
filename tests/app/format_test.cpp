#include <gtest/gtest.h>

#include "app/base/format.h"

TEST(FormatString, FormatsIntoStringWithoutLimit)
{
    std::string out = "old";
    EXPECT_EQ(FormatString(out, "%d-%s", 42, "abc"), 6);
    EXPECT_EQ(out, "42-abc");

    std::string longText(20000, 'x');
    FormatString(out, "<%s>", longText.c_str());
    EXPECT_EQ(out.size(), 20002u);
    EXPECT_EQ(out.front(), '<');
    EXPECT_EQ(out.back(), '>');
}

TEST(FormatString, JapaneseTextIsShiftJis)
{
    // "エラー" in code page 932.
    EXPECT_EQ(FormatText("%s", "エラー"), std::string("\x83\x47\x83\x89\x81\x5B"));
}
