#include "app/file_replace.h"

#ifdef _WIN32
#include <windows.h>

bool ReplaceFileWith(const std::string& to, const std::string& from)
{
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
#else
#include <cstdio>

// The native build of the data layer (sanitizer and fuzzing runs).
bool ReplaceFileWith(const std::string& to, const std::string& from)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}
#endif
