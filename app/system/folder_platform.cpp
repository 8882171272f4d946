#include "app/system/folder_platform.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "app/system/paths.h"

namespace {

// FOF_MULTIDESTFILES | FOF_SILENT | FOF_NOCONFIRMATION.
constexpr FILEOP_FLAGS kQuietFlags = 0x15;

int ShellFolderOperation(HWND owner, UINT function, const std::string& from, const std::string& to)
{
    // The shell takes lists of paths, each list ended by a second NUL.
    std::string fromList = from + '\0';
    std::string toList = to + '\0';
    SHFILEOPSTRUCTA op = {};
    op.hwnd = owner;
    op.wFunc = function;
    op.pFrom = fromList.c_str();
    op.pTo = function == FO_COPY ? toList.c_str() : nullptr;
    op.fFlags = kQuietFlags;
    return SHFileOperationA(&op);
}

} // namespace

bool cWin32FolderPlatform::IsFolder(const std::string& path)
{
    return PathIsDirectoryA(path.c_str()) != FALSE;
}

bool cWin32FolderPlatform::AskYesNo(const char* text, const char* caption)
{
    return MessageBoxA(m_hOwner, text, caption, MB_YESNO) == IDYES;
}

std::string cWin32FolderPlatform::ToAbsolute(const std::string& path)
{
    std::string absolute = path;
    ToAbsolutePath(absolute);
    return absolute;
}

int cWin32FolderPlatform::CopyFolder(const std::string& from, const std::string& to)
{
    // The shell is given the folder's name: handed "data\\" with its backslash,
    // some shells put the copy inside it ("data\\default\\...") instead of
    // making "data" the copy.
    std::string target = to;
    if (!target.empty() && target.back() == '\\') target.pop_back();
    return ShellFolderOperation(m_hOwner, FO_COPY, from, target);
}

void cWin32FolderPlatform::DeleteFolder(const std::string& path)
{
    ShellFolderOperation(m_hOwner, FO_DELETE, path, std::string());
}

void cWin32FolderPlatform::MakeFolder(const std::string& path)
{
    CreateDirectoryA(path.c_str(), nullptr);
}
