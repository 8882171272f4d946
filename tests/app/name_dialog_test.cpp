// The name entry, driven through window messages: the edit keeps the name to
// three characters (a double-byte character counting as one) while the
// player types or pastes, and only OK changes the bound name.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "app/shell/name_dialog.h"
#include "app/system/resource_ids.h"
#include "app/system/system_ini.h"
#include "gfx/display.h"
#include "tests/app/dialog_driver.h"
#include "tests/app/foreground_turn.h"

namespace {

struct NAMERUN {
    std::string strName;
    int nOwnerX = 100, nOwnerY = 50;
    POINT ptCursor{};
    cNameDialog* lpDialog = nullptr;
};

INT_PTR RunNameDialog(NAMERUN& run)
{
    OwnerWindow owner(run.nOwnerX, run.nOwnerY);
    cNameDialog dialog(IDD_NAMEENTRY, &owner, 0, &WindowRegistry, &run.strName);
    GetCursorPos(&run.ptCursor);
    run.lpDialog = &dialog;
    return dialog.DoModal(0);
}

// Text typed at the end of what the edit holds; wide characters, as the keyboard gives them.
void TypeAtEnd(HWND edit, const wchar_t* text)
{
    for (const wchar_t* c = text; *c; ++c) {
        SendMessageA(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
        TypeChar(edit, *c);
    }
}

// Opens the entry on a stored name, lets act work on its edit, presses OK and
// gives the bound name afterwards ("(failed)" when the dialog did not run).
std::string EnterName(const std::string& stored, const std::function<void(HWND edit)>& act)
{
    NAMERUN name;
    name.strName = stored;
    ModalThread run([&] { return RunNameDialog(name); });
    HWND dialog = run.WaitForDialog();
    if (!dialog) return "(failed)";
    act(GetDlgItem(dialog, IDC_NAME_EDIT));
    ClickButton(dialog, IDC_CONFIRM);
    if (!run.Join() || run.Result() != 1) return "(failed)";
    return name.strName;
}

class NameDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Display.bWindowMode = 1;
        SystemIni.English = 0;
    }
};

// The clipboard and the mouse cursor are shared by every test on the desktop.
class NameDialogOnDesktop : public OnDesktop<NameDialogTest> {};

} // namespace

TEST_F(NameDialogTest, TypingStopsAtThreeCharacters)
{
    struct ROW {
        const char* lpStored;
        const wchar_t* lpTyped;
        const char* lpShown;
    };
    const ROW rows[] = {
        {"", L"abcd", "abc"},
        {"", L"あいうえ", "あいう"},
        {"", L"aあbい", "aあb"},
        {"ab", L"あい", "abあ"},
        {"abc", L"x", "abc"},
        {"あい", L"uv", "あいu"},
    };
    for (const ROW& row : rows) {
        SCOPED_TRACE(row.lpShown);
        const std::string entered = EnterName(row.lpStored, [&](HWND edit) {
            TypeAtEnd(edit, row.lpTyped);
            EXPECT_EQ(WindowText(edit), row.lpShown);
        });
        EXPECT_EQ(entered, row.lpShown);
    }
}

TEST_F(NameDialogOnDesktop, PasteThatDoesNotFitIsTakenBack)
{
    struct ROW {
        const char* lpStored;
        const char* lpPasted;
        const char* lpShown;
    };
    const ROW rows[] = {
        {"ab", "0123456789", "ab"},
        {"ab", "あいうえおかきくけこ", "ab"},
        {"", "x", "x"},
        {"a", "あい", "aあい"},
    };
    for (const ROW& row : rows) {
        SCOPED_TRACE(row.lpPasted);
        const std::string entered = EnterName(row.lpStored, [&](HWND edit) {
            SendMessageA(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
            ASSERT_TRUE(PasteText(edit, row.lpPasted));
            EXPECT_EQ(WindowText(edit), row.lpShown);
        });
        EXPECT_EQ(entered, row.lpShown);
    }
}

TEST_F(NameDialogTest, LongStoredNameShowsItsFirstThreeSelected)
{
    const char* const rows[][2] = {{"abcde", "abc"}, {"あいうえお", "あいう"}, {"aあbいc", "aあb"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row[0]);
        const std::string entered = EnterName(row[0], [&](HWND edit) {
            EXPECT_EQ(WindowText(edit), row[1]);
            // The whole name is selected: typing replaces it.
            TypeChar(edit, L'z');
            EXPECT_EQ(WindowText(edit), "z");
        });
        EXPECT_EQ(entered, "z");
    }
}

TEST_F(NameDialogTest, ClosingLeavesTheNameAndASecondRunIsRefused)
{
    NAMERUN name;
    name.strName = "abc";
    ModalThread run([&] { return RunNameDialog(name); });
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    // The dialog is open: running it again shows nothing and gives 0.
    EXPECT_EQ(name.lpDialog->DoModal(0), 0);
    HWND edit = GetDlgItem(dialog, IDC_NAME_EDIT);
    SendMessageA(edit, EM_SETSEL, 0, 0x7FFFFFFF);
    TypeChar(edit, L'q');
    // The keyboard's Escape and Enter keys reach the dialog as commands; only
    // the default button (OK) and closing the window end it.
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(run.Join(200));
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(run.Result(), 0);
    EXPECT_EQ(name.strName, "abc");
}

TEST_F(NameDialogTest, WithoutANameToTakeOkChangesNothing)
{
    std::string kept = "keep";
    SystemIni.English = 1;
    ModalThread run([&] {
        OwnerWindow owner(100, 50);
        return RunNameEntry(owner, nullptr);
    });
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ItemText(dialog, IDC_NAME_LABEL), "     Name");
    HWND edit = GetDlgItem(dialog, IDC_NAME_EDIT);
    TypeAtEnd(edit, L"abcdef");
    ClickButton(dialog, IDC_CONFIRM);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(run.Result(), 1);
    EXPECT_EQ(kept, "keep");
    SystemIni.English = 0;
}

TEST_F(NameDialogOnDesktop, PlacedOverTheGamePictureWithTheCursorOnIt)
{
    struct ROW {
        int bWindow;
        POINT ptDialog, ptCursor;
    };
    const ROW rows[] = {
        {1, {340, 270}, {420, 335}},   // window mode: from the main window at (100, 50)
        {0, {240, 220}, {320, 285}},   // full screen
    };
    for (const ROW& row : rows) {
        SCOPED_TRACE(row.bWindow);
        Display.bWindowMode = row.bWindow;
        NAMERUN name;
        ModalThread run([&] { return RunNameDialog(name); });
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        RECT rect{};
        GetWindowRect(dialog, &rect);
        EXPECT_EQ(rect.left, row.ptDialog.x);
        EXPECT_EQ(rect.top, row.ptDialog.y);
        EXPECT_EQ(name.ptCursor.x, row.ptCursor.x);
        EXPECT_EQ(name.ptCursor.y, row.ptCursor.y);
        // The frame is drawn inside the placed size: OK stays whole in the client area.
        RECT client{}, ok{};
        GetClientRect(dialog, &client);
        GetWindowRect(GetDlgItem(dialog, IDC_CONFIRM), &ok);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&ok), 2);
        EXPECT_LE(ok.right, client.right);
        EXPECT_LE(ok.bottom, client.bottom);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        ASSERT_TRUE(run.Join());
    }
}
