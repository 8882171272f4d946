#pragma once
// Each test runs in a fresh folder of its own (the current directory while the
// object lives), so tests can run side by side and leave nothing behind.
#include <string>
#include <vector>

class ScopedTestDir {
public:
    ScopedTestDir();
    ~ScopedTestDir();
    ScopedTestDir(const ScopedTestDir&) = delete;
    ScopedTestDir& operator=(const ScopedTestDir&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    std::string m_previous;
};

std::vector<unsigned char> ReadFileBytes(const std::string& path);
std::string ReadFileText(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);
bool WriteFileText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
// Bytes from a hex string; blanks are ignored ("01000000 07000000").
std::vector<unsigned char> HexBytes(const char* hex);
