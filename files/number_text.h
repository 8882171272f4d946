#pragma once
// Numbers as the rankings and the score panel show them.
#include <string>
#include <vector>

// Decimal digits of the value's magnitude, 1 to 10 (0 has one).
int GetDigitCount(int value);
// The value in at least digits digits (fewer than its own count: its own);
// leading zeros become spaces unless keepZeros, keeping the last digit; "-"
// in front of a negative value, "+" in front of others when plusSign.
void ZeroPadNumber(std::string& out, int value, int digits, int keepZeros, int plusSign);
// A clear time in 1/100 s as minutes:seconds.hundredths ("02:03.45").
void FormatTime(std::string& out, int hundredths);
// How many entries of the list equal the value.
int CountValue(const std::vector<int>& list, int value);
