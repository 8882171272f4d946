#include "files/file_copy.h"

#include <cstdio>

#include "app/base/file_replace.h"
#include "app/base/log.h"

bool FileIsPresent(const std::string& path)
{
    FILE* fp = std::fopen(path.c_str(), "rb");
    if (!fp) return false;
    std::fclose(fp);
    return true;
}

bool CopyFileSafely(const std::string& from, const std::string& to)
{
    FILE* in = std::fopen(from.c_str(), "rb");
    if (!in) return false;
    std::string temp = to + ".tmp";
    FILE* out = std::fopen(temp.c_str(), "wb");
    if (!out) {
        std::fclose(in);
        return false;
    }
    char block[16 * 1024];
    size_t n;
    bool ok = true;
    while (ok && (n = std::fread(block, 1, sizeof block, in)) > 0) ok = std::fwrite(block, 1, n, out) == n;
    ok = ok && !std::ferror(in);
    std::fclose(in);
    ok = std::fclose(out) == 0 && ok;
    if (ok) ok = ReplaceFileWith(to, temp);
    if (!ok) {
        std::remove(temp.c_str());
        ReportLog("err \"%s\" could not be copied to \"%s\"", from.c_str(), to.c_str());
    }
    return ok;
}

bool KeepDamagedFileAside(const std::string& path, const std::function<bool()>& readable)
{
    if (!FileIsPresent(path) || readable() || CopyFileSafely(path, path + ".bak")) return true;
    ReportLog("err \"%s\" cannot be read and could not be kept aside; it is not overwritten", path.c_str());
    return false;
}
