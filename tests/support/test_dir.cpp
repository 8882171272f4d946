#include "tests/support/test_dir.h"

#include <windows.h>

#include <stdexcept>

namespace {

void RemoveTree(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = dir + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full);
            else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

} // namespace

ScopedTestDir::ScopedTestDir()
{
    char temp[MAX_PATH], current[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    GetCurrentDirectoryA(MAX_PATH, current);
    m_previous = current;
    static LONG counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%sgame_test_%lu_%ld", temp, GetCurrentProcessId(),
                      InterlockedIncrement(&counter));
        if (CreateDirectoryA(name, nullptr)) {
            m_path = name;
            break;
        }
    }
    if (m_path.empty() || !SetCurrentDirectoryA(m_path.c_str()))
        throw std::runtime_error("cannot create a test folder");
}

ScopedTestDir::~ScopedTestDir()
{
    SetCurrentDirectoryA(m_previous.c_str());
    RemoveTree(m_path);
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

