#include "app/system/dialog_text.h"

#include <vector>

#include "app/base/sjis.h"

int GetDlgItemString(HWND hDlg, int id, std::string& text, int maxLength)
{
    HWND item = GetDlgItem(hDlg, id);
    int length = item ? GetWindowTextLengthA(item) : 0;
    std::vector<char> buffer(static_cast<size_t>(length) + 2);
    UINT n = GetDlgItemTextA(hDlg, id, buffer.data(), static_cast<int>(buffer.size()));
    if (n >= buffer.size()) n = static_cast<UINT>(buffer.size() - 1);
    size_t limit = maxLength < 0 ? 0 : static_cast<size_t>(maxLength);
    text.assign(buffer.data(), SjisCutLength(buffer.data(), n, limit));
    return static_cast<int>(text.size());
}

BOOL SetDlgItemString(HWND hDlg, int id, const std::string& text)
{
    return SetDlgItemTextA(hDlg, id, text.c_str());
}
