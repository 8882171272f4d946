#include "files/list_fields.h"

#include <cstring>

bool LoadStringField(std::string& text, cDataReader& in)
{
    uint32_t length = 0;
    if (!in.ReadU32(length)) return false;
    if (length <= 1) {
        text.clear();
        return true;
    }
    if (length > in.Remaining())
        return in.Fail("a text of %lu bytes exceeds the %lu bytes left", static_cast<unsigned long>(length),
                       static_cast<unsigned long>(in.Remaining()));
    std::string stored(length, '\0');
    if (!in.Read(stored.data(), length)) return false;
    stored.resize(std::strlen(stored.c_str()));
    text.swap(stored);
    return true;
}

void SaveStringField(const std::string& text, cDataWriter& out)
{
    const size_t length = std::strlen(text.c_str());
    out.WriteU32(static_cast<uint32_t>(length + 1));
    if (length > 0) out.Write(text.c_str(), length + 1);
}

bool ReadStringList(std::vector<std::string>& list, cDataReader& in)
{
    uint32_t n = 0;
    if (!in.ReadCount(n, 4)) return false;
    std::vector<std::string> read;
    for (uint32_t i = 0; i < n; ++i) {
        read.emplace_back();
        if (!LoadStringField(read.back(), in)) return false;
    }
    list.swap(read);
    return true;
}

void WriteStringList(const std::vector<std::string>& list, cDataWriter& out)
{
    out.WriteU32(static_cast<uint32_t>(list.size()));
    for (const std::string& text : list) SaveStringField(text, out);
}
