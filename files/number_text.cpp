#include "files/number_text.h"

#include <algorithm>

#include "app/base/format.h"

namespace {

// The magnitude, taken wide so that the most negative int has one.
int64_t Magnitude(int value)
{
    return value < 0 ? -static_cast<int64_t>(value) : value;
}

// At least two digits of the magnitude, "-" in front when negative.
std::string TwoDigits(int value)
{
    return FormatText("%s%02lld", value < 0 ? "-" : "", static_cast<long long>(Magnitude(value)));
}

} // namespace

int GetDigitCount(int value)
{
    int n = 1;
    for (int64_t m = Magnitude(value); m >= 10; m /= 10) ++n;
    return n;
}

void ZeroPadNumber(std::string& out, int value, int digits, int keepZeros, int plusSign)
{
    int own = GetDigitCount(value);
    if (digits <= 0 || digits < own) digits = own;
    std::string text(static_cast<size_t>(digits), '0');
    int64_t m = Magnitude(value);
    for (int i = digits - 1; i >= 0 && m > 0; --i, m /= 10) text[i] = static_cast<char>('0' + m % 10);
    if (!keepZeros)
        for (int i = 0; i + 1 < digits && text[i] == '0'; ++i) text[i] = ' ';
    if (value < 0) text = "-" + text;
    else if (plusSign) text = "+" + text;
    out = text;
}

void FormatTime(std::string& out, int hundredths)
{
    int seconds = hundredths / 100;
    std::string part;
    ZeroPadNumber(part, hundredths % 100, 2, 1, 0);
    out = TwoDigits(seconds / 60) + ":" + TwoDigits(seconds % 60) + "." + part;
}

int CountValue(const std::vector<int>& list, int value)
{
    return static_cast<int>(std::count(list.begin(), list.end(), value));
}
