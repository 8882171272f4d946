#include "app/system/launch_dialog.h"

#include "app/system/boot_data.h"
#include "app/base/log.h"
#include "app/system/resource_ids.h"

namespace {

// The dialog stands over the middle of the (still hidden) main window.
constexpr int LAUNCH_OFFSET_X = 320 - 187, LAUNCH_OFFSET_Y = 240 - 136;
// The cursor goes onto the "ゲーム開始" button.
constexpr double LAUNCH_CURSOR_X = 181.9, LAUNCH_CURSOR_Y = 198.9;

} // namespace

cLaunchDialog::cLaunchDialog(WORD resourceId, cWindow* owner, int value, WINDOWREGISTRY* registry,
                             const std::string& title)
    : m_strTitle(title)
{
    InitDialog(resourceId, owner, value, registry);
    Setup(0, 0, 100, 100, 640, 480, 0);

    const POINT origin = owner && owner->m_hWnd ? owner->GetWindowPos() : POINT{0, 0};
    m_nPlaceX = origin.x + LAUNCH_OFFSET_X;
    m_nPlaceY = origin.y + LAUNCH_OFFSET_Y;
    SetCursorPos(static_cast<int>(m_nPlaceX + LAUNCH_CURSOR_X), static_cast<int>(m_nPlaceY + LAUNCH_CURSOR_Y));

    m_RadioButtons.emplace_back(IDC_DIRECT3D, &BootData.m_nDrawMode, 1);
    m_RadioButtons.emplace_back(IDC_DIRECTDRAW, &BootData.m_nDrawMode, 0);
    m_CheckBoxes.emplace_back(IDC_DONT_SHOW, &BootData.m_nDontShow);
    m_Statics.emplace_back(IDC_LAUNCH_NOTE);
}

int cLaunchDialog::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ModalWndProc(hWnd, message, wParam, lParam);
}

void cLaunchDialog::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    cDialog::OnInitDialog(wParam, lParam);
    SetText(m_strTitle.c_str());
    for (cRadioButton& radio : m_RadioButtons) {
        radio.Attach(this, radio.m_wId);
        AddControl(&radio);
    }
    for (cCheckBox& check : m_CheckBoxes) {
        check.Attach(this, check.m_wId);
        AddControl(&check);
    }
    for (cStatic& label : m_Statics) {
        label.Attach(this, label.m_wId);
        AddControl(&label);
    }
    DataToControls();
    if (SystemIni.English) {
        SetDlgItemTextA(m_hWnd, IDC_DRAWMODE_GROUP, "Drawing mode");
        SetDlgItemTextA(m_hWnd, IDC_CONFIRM, "Start");
        SetDlgItemTextA(m_hWnd, IDC_DISMISS, "Cancel");
        if (cStatic* note = FindControl(m_Statics, IDC_LAUNCH_NOTE))
            SetWindowTextA(note->m_hWnd, "Configure the detail settings at \"System.ini\".");
        if (cCheckBox* check = FindControl(m_CheckBoxes, IDC_DONT_SHOW))
            SetWindowTextA(check->m_hWnd, "Do not ask this dialog again");
    }
    m_bInitialised = 1;
}

void cLaunchDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    cDialog::OnCommand(wParam, lParam);
    AnswerEndCommands(wParam);
}

void cLaunchDialog::Confirm()
{
    ControlsToData();
    // The game starts with the choice even when it cannot be kept: the dialog
    // then simply appears again next time.
    if (!BootData.SaveFile(BOOT_DATA_PATH)) ReportLog("%s could not be saved", BOOT_DATA_PATH);
    End(1);
}

bool ChooseLaunchMode(SYSTEMINI& ini, cWindow& owner, const std::string& title)
{
    if (ini.Direct3D < 2) return true;
    // A missing or damaged file leaves the defaults (or what it could give).
    BootData.LoadFile(BOOT_DATA_PATH);
    if (BootData.m_nDontShow == 0) {
        const INT_PTR result = RunModalDialog<cLaunchDialog>(IDD_LAUNCH, &owner, 0, &WindowRegistry, title);
        // A dialog that could not be shown at all (reported) does not stop the
        // game: it starts with the stored choice.
        if (result == 0) return false;
    }
    ini.Direct3D = BootData.m_nDrawMode == 1 ? 1 : 0;
    return true;
}
