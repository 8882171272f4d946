#pragma once
// The description of the machine written to the report log at start-up.
#include <windows.h>

struct CPUINFO {
    char szBrand[256];   // processor brand string; empty when not offered
    char szVendor[256];  // 12-character vendor id
    int bMMX;
    int bSSE;
    int bSSE2;
    int b3DNow;
    int b3DNowExt;
    double dClockHz;
};

// Appends the OS, CPU, memory and disk lines; 1, or 0 when the log cannot be opened.
int ReportSystemInfo();
// Windows version name ("Windows 7 ...") and numbers; null arguments are skipped.
// Returns 1 when the version has a name, else 0 (the text then gives the
// numbers instead: "Windows 10.0 PID 2 Build 19045").
int GetWindowsVersion(char* text, int* major, int* minor);
bool IsWindowsVersionAtLeast(int major, int minor);
void GetMemoryStatus(MEMORYSTATUS* status);
void GetCpuInfo(CPUINFO* info);
// Measures the time-stamp counter over one second of busy waiting.
double GetCpuClockHz();
// Free bytes for the caller on the drive of path (null: the current drive),
// clamped to 2,147,483,647; 0 when the query fails.
int GetDiskFreeBytes(const char* path);
