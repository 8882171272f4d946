// Reading a dialog item's text: however long the text and whatever limit is
// asked, the result holds whole characters within the limit and the whole
// text when it fits, also past the 5120 bytes an edit of default limits
// (8191 bytes read) could hold.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/system/dialog_text.h"

TEST(DialogText, ReadsWholeCharactersWithinTheLimit)
{
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 80, 20, parent,
                                reinterpret_cast<HMENU>(1003), nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    const std::string longText(6000, 'x');
    const struct {
        std::string text;
        int limit;
        std::string read;
    } rows[] = {
        {longText, 8191, longText},
        {longText, 5119, std::string(5119, 'x')},
        {"あいう", 6, "あいう"},
        {"あいう", 5, "あい"},  // never half a character
        {"aあb", 2, "a"},
        {"abc", 0, ""},
        {"", 10, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.text.size() << " bytes, limit " << row.limit);
        ASSERT_TRUE(SetDlgItemString(parent, 1003, row.text));
        std::string read = "stale";
        EXPECT_EQ(GetDlgItemString(parent, 1003, read, row.limit), static_cast<int>(row.read.size()));
        EXPECT_EQ(read, row.read);
    }
    std::string read = "stale";
    EXPECT_EQ(GetDlgItemString(parent, 4321, read, 10), 0);  // no such item
    EXPECT_EQ(read, "");
    DestroyWindow(parent);
}
