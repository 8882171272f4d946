#pragma once
// The program's thin object layer over Win32 windows: cWindow keeps a window's
// handle and geometry, turns its messages into calls of virtual operations,
// works out window sizes from client sizes and styles, places itself and
// tracks the mouse. Beside it: the registry of framework windows, the GDI
// memory-DC holder and the keyboard hook through which dialogs see keys that
// Windows would keep from them. Window thread only.
#include <windows.h>

#include <string>
#include <vector>

class cWindow;

// Framework windows that can be hidden or disabled together. Only modeless
// dialogs enter it; this program's dialogs are all modal.
struct WINDOWREGISTRY {
    std::vector<cWindow*> Windows;
    std::vector<HWND> Others;
};
// Threads: the window thread's (windows and dialogs are made there).
extern WINDOWREGISTRY WindowRegistry;

void ShowAllWindows(int show);
// Sets (enable 0) or clears WS_DISABLED in the style of every registered window.
void EnableAllWindows(int enable);

// Two memory device contexts with their bitmaps, a font and a brush. Nothing in
// this program creates them, and releasing an empty holder does nothing. The
// one owner of its GDI objects: never copied.
class cMemDC {
public:
    cMemDC() = default;
    cMemDC(const cMemDC&) = delete;
    cMemDC& operator=(const cMemDC&) = delete;
    ~cMemDC() { Release(); }
    void Release();
    void DeleteFont();
    void DeleteDCs();

    HDC m_hDC[2] = {};
    HBITMAP m_hBitmap[2] = {};
    HGDIOBJ m_hOldBitmap[2] = {};
    int m_nState[2] = {};
    HFONT m_hFont = nullptr;
    HGDIOBJ m_hOldFont = nullptr;
    HBRUSH m_hBrush = nullptr;
};

// The stored placement position that means "never placed".
constexpr int WINDOW_UNPLACED = -1000;

class cWindow {
public:
    typedef LRESULT(CALLBACK* PROC)(HWND, UINT, WPARAM, LPARAM);

    cWindow();
    virtual ~cWindow();
    cWindow(const cWindow&) = delete;
    cWindow& operator=(const cWindow&) = delete;

    virtual void OnCommand(WPARAM wParam, LPARAM lParam) {}
    virtual void OnMouseMove(WPARAM wParam, LPARAM lParam) {}
    virtual void OnLButtonDown(WPARAM wParam, LPARAM lParam) {}
    virtual void OnRButtonDown(WPARAM wParam, LPARAM lParam) {}
    virtual void OnLButtonDblClk(WPARAM wParam, LPARAM lParam) {}
    virtual void OnRButtonDblClk(WPARAM wParam, LPARAM lParam) {}
    virtual void OnLButtonUp(WPARAM wParam, LPARAM lParam) {}
    virtual void OnRButtonUp(WPARAM wParam, LPARAM lParam) {}
    virtual int WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) { return 0; }
    // Routes a message to the handlers above; 1 when it was one they take.
    virtual int DefProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    virtual void RefreshLists() {}
    virtual void OnPaint() {}

    // Stores the template, owner and registry, and takes the instance handle from the main window.
    void Initialise(WORD resourceId, HWND owner, WINDOWREGISTRY* registry, PROC proc);
    // Size limits and style before the window is created; the client rectangle
    // becomes (0, 0, width, height) and the outer size is worked out from it.
    void Setup(int clientWidth, int clientHeight, int minWidth, int minHeight, int maxWidth, int maxHeight,
               DWORD style);
    void SetClientSize(int width, int height);
    void MoveTo(int x, int y);
    POINT GetWindowPos() const;
    // False (and nothing) while there is no window.
    bool GetClientArea(RECT& area) const;
    void AddStyle(DWORD bits);
    void RemoveStyle(DWORD bits);
    void RefreshMetrics();
    // Moves the window to its stored placement, kept inside the work area.
    void Place();
    void CenterOnDesktop();
    void SetText(const char* text);
    // Updates the mouse record; 0 when the cursor is outside the client view
    // and anywhere is 0 (nothing changed). Mask: 1 held, 2 pressed, 4 released.
    int GetCursorPos(int anywhere, int mask);

    int m_nUserValue = 0;
    HWND m_hWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    WORD m_wResourceId = 0;
    HWND m_hOwner = nullptr;
    PROC m_lpProc = nullptr;
    WINDOWREGISTRY* m_lpRegistry = nullptr;
    cWindow* m_lpSelf = nullptr;
    cMemDC m_MemDC[2];

    // Client view: origin inside the client rectangle and size.
    int m_nViewX = 0, m_nViewY = 0, m_nViewWidth = 0, m_nViewHeight = 0;
    // Mouse record.
    int m_nMouseX = 0, m_nMouseY = 0;
    int m_bLeftHeld = 0, m_bRightHeld = 0, m_bLeftPressed = 0, m_bRightPressed = 0;
    int m_bLeftReleased = 0, m_bRightReleased = 0;
    int m_nMouseScreenX = 0, m_nMouseScreenY = 0;

    int m_nRequestWidth = 0, m_nRequestHeight = 0;
    int m_nMinWidth = 0, m_nMinHeight = 0, m_nMaxWidth = 0, m_nMaxHeight = 0;
    RECT m_rcClient = {};
    int m_nWindowX = 0, m_nWindowY = 0, m_nWindowWidth = 0, m_nWindowHeight = 0;
    DWORD m_dwStyle = 0;
    int m_bHasMenu = 0;
    int m_nMarginLeft = 0, m_nMarginRight = 0, m_nMarginTop = 0, m_nMarginBottom = 0;
    int m_nPosX = 0, m_nPosY = 0;
    int m_bInCommand = 0;
    int m_bTraceMessages = 0;
    std::string m_strName;
    int m_nPlaceX = WINDOW_UNPLACED, m_nPlaceY = WINDOW_UNPLACED;
    int m_bCreated = 0;

protected:
    // Handle, sizes and flags 0, no stored placement.
    void ResetState();

private:
    void ComputeMetrics();
    void UpdateMouseButtons(int mask);
};

// The message's SDK name, or its number as decimal text (valid until the next call).
const char* GetMessageName(UINT message);

// What the keyboard hook posts for Space, the arrow keys, Delete and F1 to F8
// when no input-method composition is pending, in place of WM_KEYDOWN.
constexpr UINT WM_HOOKED_KEY = 0x7E8;

// Ties the keyboard hook to a dialog: while that dialog is the active window,
// its keys are also posted to it.
class cHook {
public:
    virtual ~cHook() = default;
    // Stores both, attaches this object to the window as its "cHook" property and
    // installs the hook when none is; 1 when a hook is installed.
    int Set(HWND hWnd, int blockWhileCtrl);
    // Takes the property off a window that is going away.
    static void Detach(HWND hWnd);

    HWND m_hWnd = nullptr;
    int m_bBlockWhileCtrl = 0;
};

// Removes the keyboard hook (at shut-down); nothing when none is installed.
void UnhookKeyboard();
