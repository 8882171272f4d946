#include "app/base/file_replace.h"

// The finished file's contents are forced to the disk before it takes the old
// file's place: otherwise a power cut soon after a save could leave the new
// name pointing at contents that were never written, and the old file gone.
#ifdef _WIN32
#include <windows.h>

namespace {

bool FlushToDisk(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return flushed;
}

} // namespace

bool ReplaceFileWith(const std::string& to, const std::string& from)
{
    return FlushToDisk(from) &&
           MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
#else
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

// The native build of the data layer (sanitizer and fuzzing runs).
namespace {

bool FlushToDisk(const std::string& path)
{
    const int fd = open(path.c_str(), O_WRONLY);
    if (fd < 0) return false;
    const bool flushed = fsync(fd) == 0;
    close(fd);
    return flushed;
}

} // namespace

bool ReplaceFileWith(const std::string& to, const std::string& from)
{
    return FlushToDisk(from) && std::rename(from.c_str(), to.c_str()) == 0;
}
#endif
