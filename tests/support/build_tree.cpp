#include "tests/support/build_tree.h"

#include <windows.h>

std::string BuildTreePath(const char* relative)
{
    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path(exe, n);
    // The test executables live in the build folder's "tests" folder.
    path.erase(path.rfind('\\') + 1);
    return path + "..\\" + relative;
}

bool CopyFromBuildTree(const char* relative, const char* dest)
{
    return CopyFileA(BuildTreePath(relative).c_str(), dest, FALSE) != 0;
}
