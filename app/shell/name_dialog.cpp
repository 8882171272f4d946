#include "app/shell/name_dialog.h"

#include "app/system/resource_ids.h"
#include "app/system/system_ini.h"
#include "gfx/display.h"

namespace {

// Where the dialog stands: over the middle of the game's picture.
constexpr int NAME_DIALOG_X = 240, NAME_DIALOG_Y = 220;
// The cursor goes onto the dialog's OK button.
constexpr int NAME_CURSOR_X = 80, NAME_CURSOR_Y = 65;

} // namespace

cNameDialog::cNameDialog(WORD resourceId, cWindow* owner, int value, WINDOWREGISTRY* registry, std::string* name)
{
    InitDialog(resourceId, owner, value, registry);
    Setup(0, 0, 100, 100, 640, 480, 0);

    m_nPlaceX = NAME_DIALOG_X;
    m_nPlaceY = NAME_DIALOG_Y;
    if (Display.bWindowMode && owner && owner->m_hWnd) {
        const POINT origin = owner->GetWindowPos();
        m_nPlaceX += origin.x;
        m_nPlaceY += origin.y;
    }
    SetCursorPos(m_nPlaceX + NAME_CURSOR_X, m_nPlaceY + NAME_CURSOR_Y);

    if (name) {
        EDITPARAM param;
        param.wId = IDC_NAME_EDIT;
        param.lpText = name;
        param.nByteLimit = NAME_ENTRY_CHARS + 1;
        param.nCharLimit = NAME_ENTRY_CHARS;
        param.nLineLimit = 1;
        param.bDoubleByteAsOne = 1;
        m_Edits.emplace_back(param);
    }
}

int cNameDialog::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ModalWndProc(hWnd, message, wParam, lParam);
}

void cNameDialog::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    cDialog::OnInitDialog(wParam, lParam);
    for (cEdit& edit : m_Edits) {
        edit.Attach(this);
        AddControl(&edit);
    }
    DataToControls();
    if (!m_Edits.empty()) {
        SetFocus(m_Edits.front().m_hWnd);
        SendMessageA(m_Edits.front().m_hWnd, EM_SETSEL, 0, 0x7FFFFFFF);
    }
    if (SystemIni.English) SetDlgItemTextA(m_hWnd, IDC_NAME_LABEL, "     Name");
    m_bInitialised = 1;
}

void cNameDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    cDialog::OnCommand(wParam, lParam);
    AnswerEndCommands(wParam);
}

INT_PTR RunNameEntry(cWindow& owner, std::string* name)
{
    return RunModalDialog<cNameDialog>(IDD_NAMEENTRY, &owner, 0, &WindowRegistry, name);
}
