#include "app/base/sjis.h"

int IsDBCSPair(const char* p)
{
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    return IsSjisLeadByte(u[0]) && u[1] != 0 && IsSjisTrailByte(u[1]) ? 1 : 0;
}

int CountDisplayChars(const char* text)
{
    int count = 0;
    for (const char* p = text; *p;) {
        if (IsDBCSPair(p)) {
            ++count;
            p += 2;
        } else {
            if (*p != '\n') ++count;
            ++p;
        }
    }
    return count;
}

size_t SjisCutLength(const char* text, size_t len, size_t limit)
{
    if (len <= limit) return len;
    size_t i = 0;
    while (i < limit) {
        size_t step = (i + 1 < len && IsDBCSPair(text + i)) ? 2 : 1;
        if (i + step > limit) break;
        i += step;
    }
    return i;
}
