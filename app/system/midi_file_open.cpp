#include "app/system/midi_file.h"

#include <windows.h>

#include <new>
#include <string>

#include "app/base/log.h"

namespace {

// The whole file; false when it cannot be opened, held in memory or read to its end.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(h, nullptr);
    DWORD read = 0;
    bool ok = size != INVALID_FILE_SIZE;
    if (ok) {
        try {
            bytes.assign(size, 0);
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    if (ok && size > 0) ok = ReadFile(h, bytes.data(), size, &read, nullptr) && read == size;
    CloseHandle(h);
    return ok;
}

} // namespace

cMidiFile::cMidiFile(const char* path) { Create(path); }

void cMidiFile::Create(const char* path)
{
    m_Name = path ? path : "";
    m_Image.clear();
    std::vector<uint8_t> file;
    if (!ReadWholeFile(m_Name, file)) {
        ReportLogAndTrace("Midi %s Create ファイルが開けません", m_Name.c_str());
        return;
    }
    Take(file);
}
