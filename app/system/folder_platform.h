#pragma once
// The folder work of the default data and the working folders, done by the
// system's own calls, with a window as the owner of the question and the copy.
#include <windows.h>

#include "files/default_data.h"

class cWin32FolderPlatform : public cFolderPlatform {
public:
    explicit cWin32FolderPlatform(HWND owner) : m_hOwner(owner) {}
    bool IsFolder(const std::string& path) override;
    bool AskYesNo(const char* text, const char* caption) override;
    std::string ToAbsolute(const std::string& path) override;
    // A silent shell copy with no progress and no confirmations.
    int CopyFolder(const std::string& from, const std::string& to) override;
    void DeleteFolder(const std::string& path) override;
    void MakeFolder(const std::string& path) override;

private:
    HWND m_hOwner;
};
