#pragma once
// The launch dialog (template 103): the drawing back end, chosen before the
// display starts, and "do not show again". Its choices live in BootData.
#include <string>
#include <vector>

#include "app/system/dialog.h"
#include "app/system/system_ini.h"

class cLaunchDialog : public cDialog {
public:
    // title: the game's title, shown as the caption.
    cLaunchDialog(WORD resourceId, cWindow* owner, int value, WINDOWREGISTRY* registry, const std::string& title);

    int WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    // Also saves BootData to "user_data\Boot.dat".
    void Confirm() override;

    std::vector<cRadioButton> m_RadioButtons;
    std::vector<cCheckBox> m_CheckBoxes;
    std::vector<cStatic> m_Statics;
    std::string m_strTitle;
};

// The launch step of start-up, only when the "Direct3D" key asks (2 or more):
// reads BootData, shows the launch dialog over owner unless the player turned
// it off, and sets the key to 1 for Direct3D or 0 for DirectDraw. False when
// the player cancelled: start-up ends without a further message.
bool ChooseLaunchMode(SYSTEMINI& ini, cWindow& owner, const std::string& title);
