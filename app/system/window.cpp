#include "app/system/window.h"

#include <imm.h>

#include "app/base/log.h"
#include "app/base/main_window_handle.h"
#include "app/system/message_box.h"

namespace {

// Mouse-button edge latches, shared by every window: "pressed" is reported only
// by the first update that sees a button go down. Written and read by the
// thread that updates the windows' mouse state (the game thread).
struct MouseLatches {
    int bLeftLatch = 0;
    int bRightLatch = 0;
};
MouseLatches mouse;

// The keyboard hook of the thread that set it (the main window's thread, the
// only one whose keys it sees) and the Ctrl state it tracks there.
struct KeyboardHook {
    HHOOK hKeyboardHook = nullptr;
    int bCtrlDown = 0;
};
KeyboardHook hooks;

const char HOOK_PROPERTY[] = "cHook";

bool IsHookedKey(WPARAM key)
{
    switch (key) {
    case VK_SPACE:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DELETE:
        return true;
    default:
        return key >= VK_F1 && key <= VK_F8;
    }
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code < 0 || code == HC_NOREMOVE) return CallNextHookEx(hooks.hKeyboardHook, code, wParam, lParam);
    HWND active = GetActiveWindow();
    cHook* hook = active ? static_cast<cHook*>(GetPropA(active, HOOK_PROPERTY)) : nullptr;
    if (!hook || hook->m_hWnd != active) return CallNextHookEx(hooks.hKeyboardHook, code, wParam, lParam);
    auto blocked = [&] { return hook->m_bBlockWhileCtrl && hooks.bCtrlDown; };

    if (lParam & 0x80000000) {
        if (wParam == VK_CONTROL) hooks.bCtrlDown = 0;
        if (!blocked()) PostMessageA(active, WM_KEYUP, wParam, lParam);
        return CallNextHookEx(hooks.hKeyboardHook, code, wParam, lParam);
    }

    bool postKeyDown = true;
    HIMC context = ImmGetContext(active);
    if (!context) {
        DebugBoxF("Err ImmGetContext");
    } else {
        // Keys that belong to an unconverted composition are the input method's alone.
        bool composing = ImmGetCompositionStringA(context, GCS_COMPSTR, nullptr, 0) > 0;
        if (wParam == VK_RETURN) {
            postKeyDown = !composing;
        } else if (wParam == VK_TAB) {
            postKeyDown = false;
        } else if (IsHookedKey(wParam) && !composing) {
            PostMessageA(active, WM_HOOKED_KEY, wParam, lParam);
            postKeyDown = false;
        }
        ImmReleaseContext(active, context);
    }
    if (wParam == VK_CONTROL) hooks.bCtrlDown = 1;
    if (postKeyDown && !blocked()) PostMessageA(active, WM_KEYDOWN, wParam, lParam);
    return CallNextHookEx(hooks.hKeyboardHook, code, wParam, lParam);
}

} // namespace

void ShowAllWindows(int show)
{
    for (cWindow* window : WindowRegistry.Windows) ShowWindow(window->m_hWnd, show ? SW_SHOW : SW_HIDE);
    for (HWND hWnd : WindowRegistry.Others)
        if (hWnd) ShowWindow(hWnd, show ? SW_SHOW : SW_HIDE);
}

void EnableAllWindows(int enable)
{
    for (cWindow* window : WindowRegistry.Windows) {
        if (enable) window->RemoveStyle(WS_DISABLED);
        else window->AddStyle(WS_DISABLED);
    }
    for (HWND hWnd : WindowRegistry.Others) {
        if (!hWnd) continue;
        LONG style = GetWindowLongA(hWnd, GWL_STYLE);
        style = enable ? (style & ~WS_DISABLED) : (style | WS_DISABLED);
        SetWindowLongA(hWnd, GWL_STYLE, style);
    }
}

void cMemDC::Release()
{
    DeleteFont();
    DeleteDCs();
    if (m_hBrush) DeleteObject(m_hBrush);
    m_hBrush = nullptr;
}

void cMemDC::DeleteFont()
{
    if (!m_hFont) return;
    if (m_hDC[0] && m_hOldFont) SelectObject(m_hDC[0], m_hOldFont);
    DeleteObject(m_hFont);
    m_hFont = nullptr;
    m_hOldFont = nullptr;
}

void cMemDC::DeleteDCs()
{
    for (int i = 0; i < 2; ++i) {
        if (m_hDC[i]) {
            if (m_hOldBitmap[i]) SelectObject(m_hDC[i], m_hOldBitmap[i]);
            DeleteDC(m_hDC[i]);
        }
        if (m_hBitmap[i]) DeleteObject(m_hBitmap[i]);
        m_hDC[i] = nullptr;
        m_hBitmap[i] = nullptr;
        m_hOldBitmap[i] = nullptr;
        m_nState[i] = 0;
    }
}

cWindow::cWindow()
{
    ResetState();
}

cWindow::~cWindow()
{
    for (cMemDC& holder : m_MemDC) holder.Release();
}

void cWindow::ResetState()
{
    m_hWnd = nullptr;
    m_nViewX = m_nViewY = m_nViewWidth = m_nViewHeight = 0;
    m_nRequestWidth = m_nRequestHeight = 0;
    m_rcClient = RECT{};
    m_nWindowX = m_nWindowY = m_nWindowWidth = m_nWindowHeight = 0;
    m_nMarginLeft = m_nMarginRight = m_nMarginTop = m_nMarginBottom = 0;
    m_nPosX = m_nPosY = 0;
    m_bInCommand = 0;
    m_bCreated = 0;
    m_nPlaceX = m_nPlaceY = WINDOW_UNPLACED;
}

void cWindow::Initialise(WORD resourceId, HWND owner, WINDOWREGISTRY* registry, PROC proc)
{
    m_wResourceId = resourceId;
    m_hOwner = owner;
    m_lpRegistry = registry;
    m_lpProc = proc;
    HWND main = hMainWnd;
    if (!main) main = m_hWnd;
    m_hInstance = main ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(main, GWLP_HINSTANCE)) : GetModuleHandleA(nullptr);
}

void cWindow::Setup(int clientWidth, int clientHeight, int minWidth, int minHeight, int maxWidth, int maxHeight,
                    DWORD style)
{
    m_nMinWidth = minWidth;
    m_nMinHeight = minHeight;
    m_nMaxWidth = maxWidth;
    m_nMaxHeight = maxHeight;
    m_dwStyle = style;
    m_rcClient = RECT{0, 0, clientWidth, clientHeight};
    m_nRequestWidth = clientWidth;
    m_nRequestHeight = clientHeight;
    ComputeMetrics();
}

void cWindow::ComputeMetrics()
{
    m_nWindowX = m_nWindowY = 0;
    m_nMarginLeft = m_nMarginRight = m_nMarginTop = m_nMarginBottom = 0;
    if (m_dwStyle & WS_CAPTION) m_nMarginTop += GetSystemMetrics(SM_CYCAPTION);
    if (m_dwStyle & WS_THICKFRAME) {
        m_nMarginLeft += GetSystemMetrics(SM_CXFRAME);
        m_nMarginRight += GetSystemMetrics(SM_CXFRAME);
        m_nMarginTop += GetSystemMetrics(SM_CYFRAME);
        m_nMarginBottom += GetSystemMetrics(SM_CYFRAME);
    } else if (m_dwStyle & WS_DLGFRAME) {
        m_nMarginLeft += GetSystemMetrics(SM_CXDLGFRAME);
        m_nMarginRight += GetSystemMetrics(SM_CXDLGFRAME);
        m_nMarginTop += GetSystemMetrics(SM_CYDLGFRAME);
        m_nMarginBottom += GetSystemMetrics(SM_CYDLGFRAME);
    }
    if (m_bHasMenu) m_nMarginTop += GetSystemMetrics(SM_CYMENU);
    const int clientWidth = m_rcClient.right - m_rcClient.left;
    const int clientHeight = m_rcClient.bottom - m_rcClient.top;
    m_nWindowWidth = clientWidth + m_nMarginLeft + m_nMarginRight;
    m_nWindowHeight = clientHeight + m_nMarginTop + m_nMarginBottom;
    m_nViewX = m_nViewY = 0;
    m_nViewWidth = clientWidth;
    m_nViewHeight = clientHeight;
}

void cWindow::SetClientSize(int width, int height)
{
    m_rcClient = RECT{0, 0, width, height};
    SetWindowPos(m_hWnd, nullptr, 0, 0, width + m_nMarginLeft + m_nMarginRight,
                 height + m_nMarginTop + m_nMarginBottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ComputeMetrics();
}

void cWindow::MoveTo(int x, int y)
{
    SetWindowPos(m_hWnd, nullptr, x, y, m_nWindowWidth, m_nWindowHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    m_nPosX = x;
    m_nPosY = y;
    ComputeMetrics();
}

POINT cWindow::GetWindowPos() const
{
    RECT rect{};
    GetWindowRect(m_hWnd, &rect);
    return POINT{rect.left, rect.top};
}

bool cWindow::GetClientArea(RECT& area) const
{
    if (!m_hWnd) return false;
    return GetClientRect(m_hWnd, &area) != 0;
}

void cWindow::AddStyle(DWORD bits)
{
    m_dwStyle = static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)) | bits;
    SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(m_dwStyle));
    RefreshMetrics();
}

void cWindow::RemoveStyle(DWORD bits)
{
    m_dwStyle = static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)) & ~bits;
    SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(m_dwStyle));
    RefreshMetrics();
}

void cWindow::RefreshMetrics()
{
    m_dwStyle = static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE));
    GetClientRect(m_hWnd, &m_rcClient);
    ComputeMetrics();
}

void cWindow::Place()
{
    if (m_nPlaceX == WINDOW_UNPLACED || m_nPlaceY == WINDOW_UNPLACED) return;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int x = m_nPlaceX, y = m_nPlaceY;
    if (x < 0) x = 0;
    else if (x + m_nWindowWidth >= work.right) x = work.right - m_nWindowWidth;
    if (y < 0) y = 0;
    else if (y + m_nWindowHeight >= work.bottom) y = work.bottom - m_nWindowHeight;
    m_nPlaceX = x;
    m_nPlaceY = y;
    MoveTo(x, y);
}

void cWindow::CenterOnDesktop()
{
    RECT desktop{}, window{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(m_hWnd, &window);
    MoveTo((desktop.right + window.left - window.right) / 2, (desktop.bottom + window.top - window.bottom) / 2);
}

void cWindow::SetText(const char* text)
{
    SetWindowTextA(m_hWnd, text);
}

int cWindow::GetCursorPos(int anywhere, int mask)
{
    POINT point{};
    if (!::GetCursorPos(&point)) TraceLog("GetCursorPos失敗！");
    ScreenToClient(m_hWnd, &point);
    point.x -= m_nViewX;
    point.y -= m_nViewY;
    if (!anywhere && (point.x < 0 || point.x >= m_nViewWidth || point.y < 0 || point.y >= m_nViewHeight)) return 0;
    m_nMouseX = point.x;
    m_nMouseY = point.y;
    m_nMouseScreenX = m_nPosX + point.x;
    m_nMouseScreenY = m_nPosY + point.y + m_nMarginTop + m_nViewY;
    UpdateMouseButtons(mask);
    return 1;
}

void cWindow::UpdateMouseButtons(int mask)
{
    const int wasLeft = m_bLeftHeld, wasRight = m_bRightHeld;
    if (mask & 1) {
        m_bLeftHeld = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) ? 1 : 0;
        m_bRightHeld = (GetAsyncKeyState(VK_RBUTTON) & 0x8000) ? 1 : 0;
    }
    if (mask & 2) {
        m_bLeftPressed = m_bLeftHeld && !mouse.bLeftLatch;
        m_bRightPressed = m_bRightHeld && !mouse.bRightLatch;
        mouse.bLeftLatch = m_bLeftHeld;
        mouse.bRightLatch = m_bRightHeld;
    }
    if (mask & 4) {
        m_bLeftReleased = wasLeft && !m_bLeftHeld;
        m_bRightReleased = wasRight && !m_bRightHeld;
    }
}

int cWindow::DefProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    m_hWnd = hWnd;
    if (message == WM_COMMAND) {
        // A command that arrives while the previous one is still being served
        // (a nested message loop inside OnCommand) is dropped.
        if (m_bInCommand) return 0;
        m_bInCommand = 1;
    }
    if (m_bTraceMessages && message != WM_GETTEXT) {
        TraceLogF("%s | msg:%s | wp:%u(%u,%u) | lp:%d(%d,%d)", m_strName.c_str(), GetMessageName(message),
                  static_cast<unsigned>(wParam), HIWORD(wParam), LOWORD(wParam), static_cast<int>(lParam),
                  HIWORD(lParam), LOWORD(lParam));
    }
    GetCursorPos(0, 7);
    switch (message) {
    case WM_DESTROY:
        m_hWnd = nullptr;
        return 1;
    case WM_MOVE: {
        RECT rect{};
        GetWindowRect(hWnd, &rect);
        m_nPosX = rect.left;
        m_nPosY = rect.top;
        return 1;
    }
    case WM_SIZE:
        RefreshMetrics();
        return 1;
    case WM_ACTIVATEAPP:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hWnd, &paint);
        OnPaint();
        EndPaint(hWnd, &paint);
        return 1;
    }
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = m_nMinWidth + m_nMarginLeft + m_nMarginRight;
        info->ptMinTrackSize.y = m_nMinHeight + m_nMarginTop + m_nMarginBottom;
        info->ptMaxTrackSize.x = m_nMaxWidth + m_nMarginLeft + m_nMarginRight;
        info->ptMaxTrackSize.y = m_nMaxHeight + m_nMarginTop + m_nMarginBottom;
        return 1;
    }
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        m_bInCommand = 0;
        return 1;
    case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return 1;
    case WM_LBUTTONDOWN: OnLButtonDown(wParam, lParam); return 1;
    case WM_LBUTTONUP: OnLButtonUp(wParam, lParam); return 1;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(wParam, lParam); return 1;
    case WM_RBUTTONDOWN: OnRButtonDown(wParam, lParam); return 1;
    case WM_RBUTTONUP: OnRButtonUp(wParam, lParam); return 1;
    case WM_RBUTTONDBLCLK: OnRButtonDblClk(wParam, lParam); return 1;
    default:
        return 0;
    }
}

int cHook::Set(HWND hWnd, int blockWhileCtrl)
{
    m_hWnd = hWnd;
    m_bBlockWhileCtrl = blockWhileCtrl;
    SetPropA(hWnd, HOOK_PROPERTY, this);
    if (!hooks.hKeyboardHook) hooks.hKeyboardHook = SetWindowsHookExA(WH_KEYBOARD, KeyboardHookProc, nullptr, GetCurrentThreadId());
    return hooks.hKeyboardHook ? 1 : 0;
}

void cHook::Detach(HWND hWnd)
{
    RemovePropA(hWnd, HOOK_PROPERTY);
}

void UnhookKeyboard()
{
    if (!hooks.hKeyboardHook) return;
    UnhookWindowsHookEx(hooks.hKeyboardHook);
    hooks.hKeyboardHook = nullptr;
}
