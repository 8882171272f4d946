// File and byte helpers shared by the Windows and the native test builds.
#include "tests/support/test_dir.h"

#include <cctype>
#include <cstdio>

std::vector<unsigned char> ReadFileBytes(const std::string& path)
{
    std::vector<unsigned char> bytes;
    FILE* fp = std::fopen(path.c_str(), "rb");
    if (!fp) return bytes;
    unsigned char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, fp)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(fp);
    return bytes;
}

std::string ReadFileText(const std::string& path)
{
    auto bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* fp = std::fopen(path.c_str(), "wb");
    if (!fp) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), fp) == bytes.size();
    return std::fclose(fp) == 0 && ok;
}

bool WriteFileText(const std::string& path, const std::string& text)
{
    return WriteFileBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
}

std::vector<unsigned char> HexBytes(const char* hex)
{
    std::vector<unsigned char> bytes;
    int high = -1;
    for (const char* p = hex; *p; ++p) {
        if (std::isspace(static_cast<unsigned char>(*p))) continue;
        int v = std::isdigit(static_cast<unsigned char>(*p)) ? *p - '0' : std::tolower(*p) - 'a' + 10;
        if (high < 0) high = v;
        else {
            bytes.push_back(static_cast<unsigned char>(high * 16 + v));
            high = -1;
        }
    }
    return bytes;
}
