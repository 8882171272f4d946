#include "app/system/dialog.h"

#include <algorithm>

#include "app/base/close_request.h"
#include "app/system/dialog_text.h"
#include "app/base/log.h"
#include "app/system/message_box.h"
#include "app/system/resource_ids.h"
#include "app/base/sjis.h"

namespace {

// The window property that leads the dialog procedure to its object.
const char DIALOG_PROPERTY[] = "DLG_CLASS";

constexpr int DEFAULT_BYTE_LIMIT = 4096;
constexpr int DEFAULT_CHAR_LIMIT = 1024;
constexpr int DEFAULT_LINE_LIMIT = 32;

int OrDefault(int value, int fallback)
{
    return value == 0 ? fallback : value;
}

// Which notification of which control kind reaches which handler.
struct COMMANDROUTE {
    int nKind;
    WORD wNotification;
    void (cControl::*lpHandler)();
};

const COMMANDROUTE CommandRoutes[] = {
    {CONTROL_EDIT_OTHER, EN_UPDATE, &cControl::OnUpdate},
    {CONTROL_EDIT_OTHER, EN_KILLFOCUS, &cControl::OnKillFocus},
    {CONTROL_EDIT, EN_UPDATE, &cControl::OnUpdate},
    {CONTROL_EDIT, EN_KILLFOCUS, &cControl::OnKillFocus},
    {CONTROL_COMBOBOX, CBN_SELCHANGE, &cControl::OnUpdate},
    {CONTROL_LISTBOX, LBN_SELCHANGE, &cControl::OnUpdate},
    {CONTROL_LISTBOX, LBN_KILLFOCUS, &cControl::OnKillFocus},
};

// Wide-character index and byte offset of the same place of a Shift-JIS text:
// a pair is one wide character, every other byte one.
size_t ByteOffsetOfChar(const std::string& text, size_t index)
{
    size_t offset = 0;
    for (size_t n = 0; n < index && offset < text.size(); ++n) offset += IsDBCSPair(text.c_str() + offset) ? 2 : 1;
    return offset;
}

size_t CharIndexOfByte(const std::string& text, size_t offset)
{
    size_t index = 0;
    for (size_t i = 0; i < offset && i < text.size(); ++index) i += IsDBCSPair(text.c_str() + i) ? 2 : 1;
    return index;
}

size_t CountLines(const std::string& text)
{
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

} // namespace

// ---- controls ----

void cControl::Enable(int enable)
{
    EnableWindow(m_hWnd, enable ? TRUE : FALSE);
}

void cControl::Attach(cDialog* dialog, WORD id)
{
    m_lpDialog = dialog;
    m_hDlg = dialog ? dialog->m_hWnd : nullptr;
    m_wId = id;
    m_hWnd = GetDlgItem(m_hDlg, id);
    RECT rect{};
    GetWindowRect(m_hWnd, &rect);
    m_nScreenX = rect.left;
    m_nScreenY = rect.top;
    RECT dialogRect{};
    GetWindowRect(m_hDlg, &dialogRect);
    m_nX = m_nScreenX - (dialog ? dialog->m_nMarginLeft : 0) - dialogRect.left;
    m_nY = m_nScreenY - (dialog ? dialog->m_nMarginTop : 0) - dialogRect.top;
}

void cCheckBox::DataToControl()
{
    SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(*m_lpValue), 0);
}

void cCheckBox::ControlToData()
{
    *m_lpValue = static_cast<int>(SendMessageA(m_hWnd, BM_GETCHECK, 0, 0));
}

void cRadioButton::DataToControl()
{
    SendMessageA(m_hWnd, BM_SETCHECK, *m_lpValue == m_nOwnValue ? BST_CHECKED : BST_UNCHECKED, 0);
}

void cRadioButton::ControlToData()
{
    if (SendMessageA(m_hWnd, BM_GETCHECK, 0, 0)) *m_lpValue = m_nOwnValue;
}

cEdit::cEdit(const EDITPARAM& param)
    : cControl(CONTROL_EDIT, param.wId),
      m_lpText(param.lpText),
      m_nByteLimit(OrDefault(param.nByteLimit, DEFAULT_BYTE_LIMIT)),
      m_bDoubleByteAsOne(param.bDoubleByteAsOne),
      m_nCharLimit(OrDefault(param.nCharLimit, DEFAULT_CHAR_LIMIT)),
      m_nLineLimit(OrDefault(param.nLineLimit, DEFAULT_LINE_LIMIT))
{
}

void cEdit::Attach(cDialog* dialog)
{
    cControl::Attach(dialog, m_wId);
    const std::string text = m_lpText ? *m_lpText : std::string();
    SetWindowTextA(m_hWnd, text.c_str());
    m_strPrevious = text;
    m_bInitialising = 1;
    OnUpdate();
    m_bInitialising = 0;
}

void cEdit::DataToControl()
{
    if (m_lpText) SetDlgItemString(m_hDlg, m_wId, *m_lpText);
}

void cEdit::ControlToData()
{
    if (m_lpText) *m_lpText = ReadText();
}

std::string cEdit::ReadText() const
{
    // The limit counts a terminating NUL, as a text buffer of that size would:
    // with double-byte characters counted as one, room for a pair per allowed
    // character. The read takes whole characters only, whatever the limit.
    const int limit = m_bDoubleByteAsOne ? 2 * m_nByteLimit - 1 : m_nByteLimit;
    std::string text;
    GetDlgItemString(m_hDlg, m_wId, text, std::max(limit - 1, 0));
    return text;
}

size_t cEdit::CountChars(const std::string& text, size_t begin, size_t end) const
{
    if (!m_bDoubleByteAsOne) return end - begin;
    return static_cast<size_t>(CountDisplayChars(text.substr(begin, end - begin).c_str()));
}

size_t cEdit::CharOffset(const std::string& text, size_t begin, size_t end, size_t count) const
{
    size_t i = begin;
    for (size_t n = 0; n < count && i < end; ++n) {
        const bool pair = m_bDoubleByteAsOne && i + 1 < end && IsDBCSPair(text.c_str() + i);
        i += pair ? 2 : 1;
    }
    return i;
}

void cEdit::Wrap(std::string& text)
{
    const size_t limit = static_cast<size_t>(std::max(m_nCharLimit, 0));
    size_t lineStart = 0;
    for (int line = 0; line < m_nLineLimit && lineStart <= text.size(); ++line) {
        size_t lineEnd = text.find('\r', lineStart);
        if (lineEnd == std::string::npos) lineEnd = text.size();
        if (CountChars(text, lineStart, lineEnd) > limit) {
            const size_t cut = CharOffset(text, lineStart, lineEnd, limit);
            text.insert(cut, "\r\n");
            if (m_dwSelStart > cut) m_dwSelStart += 2;
            if (m_dwSelEnd > cut) m_dwSelEnd += 2;
            // The rest flows on into the next line instead of standing alone.
            const size_t restEnd = lineEnd + 2;
            if (text.compare(restEnd, 2, "\r\n") == 0) {
                text.erase(restEnd, 2);
                if (m_dwSelStart > restEnd) m_dwSelStart -= 2;
                if (m_dwSelEnd > restEnd) m_dwSelEnd -= 2;
            }
            lineEnd = cut;
        }
        if (lineEnd >= text.size()) break;
        lineStart = lineEnd + 2;
    }
}

void cEdit::OnUpdate()
{
    if (m_bBusy) return;
    m_bBusy = 1;
    std::string text = ReadText();
    SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&m_dwSelStart), reinterpret_cast<LPARAM>(&m_dwSelEnd));
    // A control that keeps its text in wide characters counts the selection in
    // characters; the rules below work on the bytes of the text.
    const bool wide = IsWindowUnicode(m_hWnd) != 0;
    if (wide) {
        m_dwSelStart = static_cast<DWORD>(ByteOffsetOfChar(text, m_dwSelStart));
        m_dwSelEnd = static_cast<DWORD>(ByteOffsetOfChar(text, m_dwSelEnd));
    }
    const DWORD readStart = m_dwSelStart, readEnd = m_dwSelEnd;

    if (m_nLineLimit > 0 || m_nCharLimit > 0) {
        bool restored = false;
        // Backspace that deleted a line break: the joined line must still fit.
        if ((GetAsyncKeyState(VK_BACK) & 0x8000) && m_dwSelStart == m_dwSelEnd &&
            m_strPrevious.size() == text.size() + 2 && CountLines(m_strPrevious) > CountLines(text)) {
            const size_t caret = std::min<size_t>(m_dwSelStart, m_strPrevious.size());
            const size_t cr = m_strPrevious.rfind('\r', caret == 0 ? 0 : caret - 1);
            const size_t from = cr == std::string::npos ? 0 : cr;
            if (CountChars(m_strPrevious, from, caret) >= static_cast<size_t>(m_nCharLimit)) {
                text = m_strPrevious;
                restored = true;
            }
        }
        if (!restored) {
            Wrap(text);
            if (CountLines(text) > static_cast<size_t>(m_nLineLimit)) {
                if (m_bInitialising) {
                    size_t firstLine = m_strPrevious.find('\r');
                    if (firstLine == std::string::npos) firstLine = m_strPrevious.size();
                    text = m_strPrevious.substr(
                        0, CharOffset(m_strPrevious, 0, firstLine, static_cast<size_t>(std::max(m_nCharLimit, 0))));
                } else {
                    text = m_strPrevious;
                }
                m_dwSelStart = readStart;
                m_dwSelEnd = readEnd;
            }
            for (DWORD* position : {&m_dwSelStart, &m_dwSelEnd}) {
                if (*position > 0 && *position < text.size() && text[*position] == '\n' &&
                    text[*position - 1] == '\r')
                    ++*position;
                *position = std::min<DWORD>(*position, static_cast<DWORD>(text.size()));
            }
        }
    }

    SetWindowTextA(m_hWnd, text.c_str());
    if (!m_bInitialising) {
        if (wide) SendMessageA(m_hWnd, EM_SETSEL, CharIndexOfByte(text, m_dwSelStart), CharIndexOfByte(text, m_dwSelEnd));
        else SendMessageA(m_hWnd, EM_SETSEL, m_dwSelStart, m_dwSelEnd);
    }
    m_strPrevious = text;
    m_bBusy = 0;
}

// ---- dialogs ----

cDialog::cDialog()
{
    ResetState();
}

cDialog::~cDialog()
{
    m_Controls.clear();
}

void cDialog::InitDialog(WORD resourceId, cWindow* owner, int value, WINDOWREGISTRY* registry)
{
    m_lpOwner = owner;
    m_nUserValue = value;
    m_bModeless = 0;
    m_nFlags = 0;
    m_nResult = 0;
    Initialise(resourceId, owner ? owner->m_hWnd : nullptr, registry, nullptr);
}

INT_PTR CALLBACK cDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* dialog = static_cast<cDialog*>(GetPropA(hWnd, DIALOG_PROPERTY));
    if (!dialog && message == WM_INITDIALOG) dialog = reinterpret_cast<cDialog*>(lParam);
    if (!dialog) return FALSE;
    const int result = dialog->WndProc(hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropA(hWnd, DIALOG_PROPERTY);
        cHook::Detach(hWnd);
    }
    return result;
}

INT_PTR cDialog::DoModal(int flags)
{
    if (m_hWnd) return 0;
    End(0);
    m_bModeless = 0;
    m_nFlags = flags;
    if (flags & 2) ShowAllWindows(0);
    if (flags & 4) EnableAllWindows(0);
    // The object goes with WM_INITDIALOG, so that dialogs of different
    // classes, or a second one of the same, never take each other's messages.
    const INT_PTR result = DialogBoxParamA(m_hInstance, MAKEINTRESOURCEA(m_wResourceId), m_hOwner, DialogProc,
                                           reinterpret_cast<LPARAM>(this));
    if (result == -1)
        ReportLog("dialog %u could not be shown (error %lu)", static_cast<unsigned>(m_wResourceId), GetLastError());
    m_hWnd = nullptr;
    if (flags & 2) ShowAllWindows(1);
    if (flags & 4) EnableAllWindows(1);
    return result;
}

void cDialog::End(INT_PTR result)
{
    m_nResult = result;
    m_Controls.clear();
    if (!m_hWnd) return;
    if (m_bModeless) DestroyWindow(m_hWnd);
    else EndDialog(m_hWnd, result);
}

void cDialog::DataToControls()
{
    for (cControl* control : m_Controls) control->DataToControl();
}

void cDialog::ControlsToData()
{
    for (cControl* control : m_Controls) control->ControlToData();
}

void cDialog::ReportMissingControl(WORD id)
{
    // A template that lacks a control the code binds is a broken build: the
    // report log keeps the reason even when no box is shown.
    ReportLogAndTrace("コントロールID 【%u】 が見つかりません！", static_cast<unsigned>(id));
    DebugBoxF("コントロールID 【%u】 が見つかりません！", static_cast<unsigned>(id));
    PostCloseToMainWindow();
}

void cDialog::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    m_Controls.clear();
    SetPropA(m_hWnd, DIALOG_PROPERTY, this);
    RefreshMetrics();
    if (m_nRequestWidth && m_nRequestHeight) SetClientSize(m_nRequestWidth, m_nRequestHeight);
    Place();
    if (!m_Hook.Set(m_hWnd, m_bModeless)) ErrorBoxF("KeyboardHookに失敗!");
    GetCursorPos(0, 7);
}

void cDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const WORD id = LOWORD(wParam), notification = HIWORD(wParam);
    for (cControl* control : m_Controls) {
        if (control->m_wId != id) continue;
        for (const COMMANDROUTE& route : CommandRoutes) {
            if (route.nKind == control->m_nKind && route.wNotification == notification) {
                (control->*route.lpHandler)();
                return;
            }
        }
    }
}

int cDialog::DefProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int result = cWindow::DefProc(hWnd, message, wParam, lParam);
    switch (message) {
    case WM_NOTIFY:
        for (cControl* control : m_Controls)
            if (control->OnNotify(wParam, lParam)) break;
        break;
    case WM_KEYDOWN:
        if (!m_bModeless) {
            const int ctrlDown = (GetKeyState(VK_CONTROL) & 0x8000) ? 1 : 0;
            for (cControl* control : m_Controls) control->OnKey(wParam, lParam, ctrlDown);
        }
        break;
    case WM_INITDIALOG:
        OnInitDialog(wParam, lParam);
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        for (cControl* control : m_Controls)
            if (control->OnScroll(LOWORD(wParam), lParam)) break;
        break;
    case WM_HOOKED_KEY:
        // A key the hook kept from the focused control reaches the dialog as a key-down.
        SendMessageA(hWnd, WM_KEYDOWN, wParam, lParam);
        break;
    default:
        break;
    }
    return result;
}

int cDialog::ModalWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int result = DefProc(hWnd, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY:
        return 1;
    case WM_CLOSE:
        End(0);
        return 1;
    default:
        return result ? 1 : 0;
    }
}

void cDialog::AnswerEndCommands(WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDC_CONFIRM:
        Confirm();
        break;
    case IDC_DISMISS:
        End(0);
        break;
    default:
        break;
    }
}

void cDialog::Confirm()
{
    ControlsToData();
    End(1);
}
