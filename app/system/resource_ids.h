#pragma once
// Resource and control ids of the program's resource script (game.rc), shared
// by the script and the code.

#define IDI_GAME 101           // the program icon
#define IDD_NAMEENTRY 102      // the three-character name of a ranking entry or the options
#define IDD_LAUNCH 103         // drawing back end and "do not show again" before start-up

// Controls of both templates.
#define IDC_PICTURE 1075       // bitmap static, no image
#define IDC_CONFIRM 1000       // "OK" / "ゲーム開始"
#define IDC_DISMISS 1001       // "ゲーム中止"; ends either dialog without a change

// Name entry.
#define IDC_NAME_EDIT 1003
#define IDC_NAME_LABEL 1007

// Launch.
#define IDC_DRAWMODE_GROUP 1006
#define IDC_DIRECT3D 1002
#define IDC_DIRECTDRAW 1003
#define IDC_LAUNCH_NOTE 1005
#define IDC_DONT_SHOW 1004
