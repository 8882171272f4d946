#pragma once
// Modal dialogs from the resource templates, and control descriptors that bind
// a dialog's controls to program variables: cDialog::DataToControls copies the
// variables into the controls when the dialog opens, cDialog::ControlsToData
// copies the controls back only when the player confirms. A derived dialog
// owns its descriptors, binds them in its constructor and attaches them in its
// OnInitDialog. Window thread only.
#include <windows.h>

#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "app/system/message_box.h"
#include "app/system/window.h"

class cDialog;

// Control kinds. Kinds 2, 7 and 8 are only known to the command routing.
enum {
    CONTROL_STATIC = 0,
    CONTROL_EDIT_OTHER = 2,
    CONTROL_EDIT = 3,
    CONTROL_CHECKBOX = 5,
    CONTROL_RADIOBUTTON = 6,
    CONTROL_COMBOBOX = 7,
    CONTROL_LISTBOX = 8,
};

class cControl {
public:
    cControl(int kind, WORD id) : m_nKind(kind), m_wId(id) {}
    virtual ~cControl() = default;

    virtual void Enable(int enable);
    virtual void DataToControl() {}
    virtual void ControlToData() {}
    virtual void OnUpdate() {}
    virtual int OnNotify(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual int OnScroll(int code, LPARAM lParam) { return 0; }
    virtual void OnKillFocus() {}
    virtual void OnKey(WPARAM key, LPARAM lParam, int ctrlDown) {}

    // Ties the descriptor to the dialog's control with this id and reads its position.
    void Attach(cDialog* dialog, WORD id);

    HWND m_hWnd = nullptr;
    cDialog* m_lpDialog = nullptr;
    HWND m_hDlg = nullptr;
    int m_nKind;
    WORD m_wId;
    // Screen position and position relative to the dialog's client origin.
    int m_nScreenX = 0, m_nScreenY = 0;
    int m_nX = 0, m_nY = 0;
};

// A control described only so that its text can be changed later.
class cStatic : public cControl {
public:
    explicit cStatic(WORD id) : cControl(CONTROL_STATIC, id) {}
};

// An int shown as the check state (BM_SETCHECK with the int, BM_GETCHECK into it).
class cCheckBox : public cControl {
public:
    cCheckBox(WORD id, int* value) : cControl(CONTROL_CHECKBOX, id), m_lpValue(value) {}
    void DataToControl() override;
    void ControlToData() override;

    int* m_lpValue;
};

// One button of a group over one int: checked while the int equals its own
// value; confirming with it checked stores its own value, unchecked leaves the int.
class cRadioButton : public cControl {
public:
    cRadioButton(WORD id, int* value, int ownValue)
        : cControl(CONTROL_RADIOBUTTON, id), m_lpValue(value), m_nOwnValue(ownValue)
    {
    }
    void DataToControl() override;
    void ControlToData() override;

    int* m_lpValue;
    int m_nOwnValue;
};

// How an edit is bound: 0 for a limit means its default (4096 bytes, 1024
// characters a line, 32 lines).
struct EDITPARAM {
    WORD wId = 0;
    std::string* lpText = nullptr;
    int nByteLimit = 0;
    int nCharLimit = 0;
    int nLineLimit = 0;
    int bDoubleByteAsOne = 0;
};

// A string shown in an edit, kept within its character and line limits while
// the player types or pastes: input that would break them is taken back.
class cEdit : public cControl {
public:
    explicit cEdit(const EDITPARAM& param);
    // Attaches, shows the bound string and validates it once (cut to the limits).
    void Attach(cDialog* dialog);
    void DataToControl() override;
    void ControlToData() override;
    // The validation, on every EN_UPDATE of the control.
    void OnUpdate() override;

    std::string* m_lpText;
    int m_nByteLimit;
    int m_bDoubleByteAsOne;
    int m_nCharLimit;
    int m_nLineLimit;
    int m_bInitialising = 0;
    std::string m_strPrevious;
    int m_bBusy = 0;
    DWORD m_dwSelStart = 0, m_dwSelEnd = 0;

private:
    // The control's text, at most the bytes its limit allows, never a split pair.
    std::string ReadText() const;
    // Characters of a line: display characters when double-byte counts as one, else bytes.
    size_t CountChars(const std::string& text, size_t begin, size_t end) const;
    // Byte offset inside [begin, end) after count characters; end when the line is shorter.
    size_t CharOffset(const std::string& text, size_t begin, size_t end, size_t count) const;
    void Wrap(std::string& text);
};

class cDialog : public cWindow {
public:
    cDialog();
    ~cDialog() override;

    // Dialog initialisation from a derived constructor: the template, the
    // owner window (may be null), the creator's value and the window registry.
    void InitDialog(WORD resourceId, cWindow* owner, int value, WINDOWREGISTRY* registry);

    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    int DefProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    // The framework's part of WM_INITDIALOG; derived dialogs call it first.
    virtual void OnInitDialog(WPARAM wParam, LPARAM lParam);

    // Runs the dialog modally; flags 2 hide and 4 disable the registered
    // windows meanwhile. The result given to End, 0 at once when the dialog's
    // window already exists, -1 when the template cannot be shown (reported).
    INT_PTR DoModal(int flags);
    // Stores the result, forgets the controls and ends the dialog; only the
    // result when there is no window.
    void End(INT_PTR result);

    void DataToControls();
    void ControlsToData();
    void AddControl(cControl* control) { m_Controls.push_back(control); }

    // The descriptor of list with this control id. None: reported (box while
    // tracing, WM_CLOSE to the main window) and null.
    template <class T>
    T* FindControl(std::vector<T>& list, WORD id)
    {
        for (T& control : list)
            if (control.m_wId == id) return &control;
        ReportMissingControl(id);
        return nullptr;
    }

    cWindow* m_lpOwner = nullptr;
    cHook m_Hook;
    int m_bModeless = 0;
    int m_nFlags = 0;
    INT_PTR m_nResult = 0;
    int m_bInitialised = 0;
    std::vector<cControl*> m_Controls;

protected:
    // The window procedure both of the program's dialogs use: WM_CLOSE ends
    // the dialog with 0, everything else goes through DefProc.
    int ModalWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The commands both of the program's dialogs answer after the routing:
    // 1000 confirms, 1001 ends the dialog with 0 and changes nothing.
    void AnswerEndCommands(WPARAM wParam);
    // The player's confirmation: the controls into the variables, then the end with 1.
    virtual void Confirm();

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void ReportMissingControl(WORD id);
};

// Builds a dialog of class T from args, runs it modally (flags 0) and deletes
// it: the result of cDialog::DoModal. When it cannot even be built, the
// program ends through OutOfMemoryExit and the result is 0.
template <class T, class... ARGS>
INT_PTR RunModalDialog(ARGS&&... args)
{
    std::unique_ptr<T> dialog(new (std::nothrow) T(std::forward<ARGS>(args)...));
    if (!dialog) {
        OutOfMemoryExit();
        return 0;
    }
    return dialog->DoModal(0);
}
