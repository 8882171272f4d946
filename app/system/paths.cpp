#include "app/system/paths.h"

#include <windows.h>
#include <shlwapi.h>

#include <vector>

#include "app/base/format.h"
#include "app/base/sjis.h"

int ToRelativePath(std::string& path)
{
    if (PathIsRelativeA(path.c_str())) return 1;
    char current[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, current);
    if (n == 0 || n >= MAX_PATH || path.size() >= MAX_PATH) return 0;
    char relative[MAX_PATH];
    if (!PathRelativePathToA(relative, current, FILE_ATTRIBUTE_DIRECTORY, path.c_str(), FILE_ATTRIBUTE_NORMAL)) return 0;
    path = relative;
    return 1;
}

int ToAbsolutePath(std::string& path)
{
    if (!PathIsRelativeA(path.c_str())) return 1;
    char current[MAX_PATH];
    if (GetCurrentDirectoryA(MAX_PATH, current) == 0) return 0;
    DWORD need = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (need == 0) return 0;
    std::vector<char> full(need + 1);
    DWORD n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0 || n >= full.size()) return 0;
    path.assign(full.data(), n);
    return 1;
}

void StripDirectory(std::string& path)
{
    // Walk forward by characters so that the trail byte of a pair is never
    // taken for a separator.
    size_t afterSeparator = std::string::npos;
    for (size_t i = 0; i < path.size();) {
        if (IsDBCSPair(path.c_str() + i)) {
            i += 2;
            continue;
        }
        if (path[i] == '\\') afterSeparator = i + 1;
        ++i;
    }
    if (afterSeparator != std::string::npos) path.erase(0, afterSeparator);
}

int ChangeExtension(std::string& dest, const std::string& src, const char* ext)
{
    dest = src;
    size_t dot = dest.rfind('.');
    if (dot == std::string::npos) return 0;
    if (ext) dest.replace(dot + 1, std::string::npos, ext);
    else dest.erase(dot);
    return 1;
}

int RemoveExtension(std::string& path)
{
    size_t dot = path.rfind('.');
    if (dot == std::string::npos) return 0;
    path.erase(dot);
    return 1;
}

int GetExtension(std::string& dest, const std::string& path)
{
    size_t dot = path.rfind('.');
    if (dot == std::string::npos) return 0;
    dest = path.substr(dot + 1);
    return 1;
}

int AddNumberSuffix(std::string& dest, const std::string& src, int a, int b)
{
    size_t dot = src.rfind('.');
    if (dot == std::string::npos) return 0;
    std::string ext = src.substr(dot + 1);
    dest = src.substr(0, dot);
    dest += '_';
    dest += static_cast<char>('0' + a);
    dest += static_cast<char>('0' + b);
    dest += '.';
    dest += ext;
    return 1;
}

int FindNumberedFile(std::string& dest, const std::string& name, const char* ext)
{
    std::string base;
    if (!ChangeExtension(base, name, ext)) base = name;
    for (int n = 999; n >= 0; --n) {
        std::string candidate = base + FormatText("_%03d", n);
        if (GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) {
            dest = candidate;
            return 1;
        }
    }
    return 0;
}
