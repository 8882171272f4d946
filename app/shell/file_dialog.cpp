#include "app/shell/file_dialog.h"

#include <commdlg.h>

#include <cstring>

#include "app/system/system_report.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/display_context.h"
#include "gfx/palette_table.h"

namespace {

constexpr DWORD OPEN_FLAGS = OFN_EXPLORER | OFN_NONETWORKBUTTON | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
// A save dialog must take a name that does not exist yet, and exactly one.
constexpr DWORD SAVE_FLAGS = OFN_EXPLORER | OFN_NONETWORKBUTTON | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

UINT_PTR CALLBACK PlainDialogHook(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

// In 8-bit DirectDraw mode the dialog is drawn through the game's palette:
// entry 0 is made black for the dialog's lifetime.
class cDialogPalette {
public:
    explicit cDialogPalette(OPENFILENAMEA& ofn)
    {
        if (Display.lpDTCon || !Display.lpDDCon || Display.nBpp != 8) return;
        // Newer systems draw the old-style dialog, which keeps to the palette, only with a hook.
        if (IsWindowsVersionAtLeast(6, 0)) {
            ofn.Flags |= OFN_ENABLEHOOK;
            ofn.lpfnHook = PlainDialogHook;
        }
        if (!Display.lpDDPalette) return;
        PALETTEENTRY black{0, 0, 0, 0};
        m_bChanged = SUCCEEDED(Display.lpDDPalette->SetEntries(0, 0, 1, &black));
    }
    ~cDialogPalette()
    {
        if (m_bChanged && Display.lpDDPalette) Display.lpDDPalette->SetEntries(0, 0, 1, &Display.ShownPalette[0]);
    }
    cDialogPalette(const cDialogPalette&) = delete;
    cDialogPalette& operator=(const cDialogPalette&) = delete;

private:
    bool m_bChanged = false;
};

void FillFileName(OPENFILENAMEA& ofn, HWND owner, char* buffer, int bufferSize, const char* folder,
                  const char* title, const char* filter, const char* defaultExtension, DWORD flags)
{
    std::memset(&ofn, 0, sizeof(ofn));
    // The structure as every Windows version since 95 knows it.
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner;
    ofn.hInstance = owner ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)) : nullptr;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = static_cast<DWORD>(bufferSize);
    ofn.lpstrInitialDir = folder;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = defaultExtension;
    ofn.Flags = flags;
}

} // namespace

std::vector<std::string> SplitFileSelection(const char* buffer, size_t size)
{
    std::vector<std::string> parts;
    size_t i = 0;
    while (i < size && buffer[i]) {
        size_t end = i;
        while (end < size && buffer[end]) ++end;
        parts.emplace_back(buffer + i, end - i);
        i = end + 1;
    }
    if (parts.size() <= 1) return parts;
    std::vector<std::string> paths;
    for (size_t n = 1; n < parts.size(); ++n) paths.push_back(parts[0] + "\\" + parts[n]);
    return paths;
}

int OpenFileDialog(HWND owner, char* buffer, int bufferSize, const char* folder, const char* title,
                   const char* filter, const char* defaultExtension, int multiSelect,
                   std::vector<std::string>* results)
{
    if (!buffer || bufferSize <= 0) return 0;
    std::memset(buffer, 0, static_cast<size_t>(bufferSize));
    OPENFILENAMEA ofn;
    FillFileName(ofn, owner, buffer, bufferSize, folder, title, filter, defaultExtension,
                 OPEN_FLAGS | (multiSelect ? OFN_ALLOWMULTISELECT : 0));
    BOOL chosen;
    {
        cDialogPalette palette(ofn);
        chosen = GetOpenFileNameA(&ofn);
    }
    if (!chosen) return 0;
    if (results) {
        for (std::string& path : SplitFileSelection(buffer, static_cast<size_t>(bufferSize)))
            results->push_back(std::move(path));
    }
    return 1;
}

int SaveFileDialog(HWND owner, char* buffer, const char* folder, const char* title, const char* filter,
                   const char* defaultExtension, int keep)
{
    if (!buffer) return 0;
    if (!keep) std::memset(buffer, 0, FILE_DIALOG_PATH_SIZE);
    buffer[FILE_DIALOG_PATH_SIZE - 1] = '\0';
    OPENFILENAMEA ofn;
    FillFileName(ofn, owner, buffer, FILE_DIALOG_PATH_SIZE, folder, title, filter, defaultExtension, SAVE_FLAGS);
    cDialogPalette palette(ofn);
    return GetSaveFileNameA(&ofn) ? 1 : 0;
}
