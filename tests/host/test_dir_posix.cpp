// The test-folder helpers for the native build.
#include "tests/support/test_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

ScopedTestDir::ScopedTestDir()
{
    char current[4096];
    if (!getcwd(current, sizeof current)) throw std::runtime_error("no current folder");
    m_previous = current;
    std::string pattern = (std::filesystem::temp_directory_path() / "game_test_XXXXXX").string();
    if (!mkdtemp(pattern.data()) || chdir(pattern.c_str()) != 0) throw std::runtime_error("cannot create a test folder");
    m_path = pattern;
}

ScopedTestDir::~ScopedTestDir()
{
    if (chdir(m_previous.c_str()) != 0) return;
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

bool FileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}
