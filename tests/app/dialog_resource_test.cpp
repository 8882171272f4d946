// The compiled resource script: the icon, and the two dialog templates with
// their controls and Japanese texts as the program reads them (code page 932).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/system/resource_ids.h"
#include "tests/app/dialog_driver.h"

namespace {

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

struct CONTROLROW {
    int nTemplate;
    int nId;
    const char* lpClass;
    DWORD dwKindMask;   // style bits that tell the control's kind
    DWORD dwKind;
    const char* lpText;
};

const CONTROLROW Controls[] = {
    {IDD_NAMEENTRY, IDC_PICTURE, "Static", SS_TYPEMASK, SS_BITMAP, ""},
    {IDD_NAMEENTRY, IDC_NAME_EDIT, "Edit", ES_AUTOHSCROLL, ES_AUTOHSCROLL, ""},
    {IDD_NAMEENTRY, IDC_CONFIRM, "Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, "OK"},
    {IDD_NAMEENTRY, IDC_NAME_LABEL, "Static", SS_TYPEMASK, SS_LEFT, "登録名(3文字まで)"},
    {IDD_LAUNCH, IDC_PICTURE, "Static", SS_TYPEMASK, SS_BITMAP, ""},
    {IDD_LAUNCH, IDC_CONFIRM, "Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, "ゲーム開始"},
    {IDD_LAUNCH, IDC_DISMISS, "Button", BS_TYPEMASK, BS_PUSHBUTTON, "ゲーム中止"},
    {IDD_LAUNCH, IDC_DRAWMODE_GROUP, "Button", BS_TYPEMASK, BS_GROUPBOX, "描画モード"},
    {IDD_LAUNCH, IDC_DIRECT3D, "Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, "Direct3D"},
    {IDD_LAUNCH, IDC_DIRECTDRAW, "Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, "DirectDraw"},
    {IDD_LAUNCH, IDC_LAUNCH_NOTE, "Static", SS_TYPEMASK, SS_LEFT,
     "詳細な設定は環境設定ファイル「System.ini」で行って下さい。"},
    {IDD_LAUNCH, IDC_DONT_SHOW, "Button", BS_TYPEMASK, BS_AUTOCHECKBOX, "次回からこのダイアログを表示しない"},
};

struct TEMPLATEROW {
    int nTemplate;
    bool bCaption;
    int nWidth, nHeight;   // dialog units
    int nControls;
};

const TEMPLATEROW Templates[] = {
    {IDD_NAMEENTRY, false, 110, 65, 4},
    {IDD_LAUNCH, true, 222, 171, 8},
};

int CountChildren(HWND hWnd)
{
    int count = 0;
    for (HWND child = GetWindow(hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++count;
    return count;
}

} // namespace

TEST(DialogResources, TemplatesHoldTheirControlsAndTexts)
{
    ASSERT_NE(GameResources(), nullptr) << "Game.exe must be built beside the tests";
    for (const TEMPLATEROW& row : Templates) {
        SCOPED_TRACE(row.nTemplate);
        HWND dialog = CreateDialogParamA(GameResources(), MAKEINTRESOURCEA(row.nTemplate), nullptr, QuietProc, 0);
        ASSERT_NE(dialog, nullptr);
        const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
        EXPECT_EQ((style & WS_CAPTION) == WS_CAPTION, row.bCaption);
        EXPECT_NE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
        EXPECT_EQ(CountChildren(dialog), row.nControls);

        RECT units{0, 0, row.nWidth, row.nHeight}, client{};
        MapDialogRect(dialog, &units);
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, units.right);
        EXPECT_EQ(client.bottom, units.bottom);

        // The font is asked for by its Japanese name.
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof(font), &font);
        EXPECT_STREQ(font.lfFaceName, "ＭＳ Ｐゴシック");

        for (const CONTROLROW& control : Controls) {
            if (control.nTemplate != row.nTemplate) continue;
            SCOPED_TRACE(control.nId);
            HWND item = GetDlgItem(dialog, control.nId);
            ASSERT_NE(item, nullptr);
            char className[32] = {};
            GetClassNameA(item, className, sizeof(className));
            EXPECT_STRCASEEQ(className, control.lpClass);
            EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(item, GWL_STYLE)) & control.dwKindMask, control.dwKind);
            EXPECT_EQ(ItemText(dialog, control.nId), control.lpText);
        }
        if (HWND edit = GetDlgItem(dialog, IDC_NAME_EDIT); edit && row.nTemplate == IDD_NAMEENTRY) {
            // The dialog manager may turn an edit's border into a client edge.
            EXPECT_TRUE((GetWindowLongA(edit, GWL_STYLE) & WS_BORDER) ||
                        (GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
        }
        DestroyWindow(dialog);
    }
}

TEST(DialogResources, ProgramIconIsThere)
{
    ASSERT_NE(GameResources(), nullptr);
    HRSRC icon = FindResourceA(GameResources(), MAKEINTRESOURCEA(IDI_GAME), RT_GROUP_ICON);
    ASSERT_NE(icon, nullptr);
    // Both sizes the window class asks for load from it.
    for (int size : {32, 16}) {
        HANDLE image = LoadImageA(GameResources(), MAKEINTRESOURCEA(IDI_GAME), IMAGE_ICON, size, size, 0);
        EXPECT_NE(image, nullptr) << size;
        if (image) DestroyIcon(static_cast<HICON>(image));
    }
}
