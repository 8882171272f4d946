#include "app/system/system_report.h"

#include <cpuid.h>
#include <x86intrin.h>

#include <cstdio>
#include <cstring>

#include "app/base/log.h"

int GetWindowsVersion(char* text, int* major, int* minor)
{
    OSVERSIONINFOA vi;
    std::memset(&vi, 0, sizeof vi);
    vi.dwOSVersionInfoSize = sizeof vi;
    GetVersionExA(&vi);

    const char* name = nullptr;
    int maj = static_cast<int>(vi.dwMajorVersion), min = static_cast<int>(vi.dwMinorVersion);
    switch (vi.dwPlatformId) {
    case 0:
        name = "Windows 3.1";
        maj = 1, min = 0;
        break;
    case 1:
        if (min == 0) name = "Windows 95";
        else if (min == 10) name = "Windows 98";
        else if (min == 90) name = "Windows Me";
        maj = 1;
        break;
    case 2:
        if (maj == 3) name = "Windows NT 3.51";
        else if (maj == 4) name = "Windows NT 4.0";
        else if (maj == 5 && min == 0) name = "Windows 2000";
        else if (maj == 5 && min == 1) name = "Windows XP";
        else if (maj == 5 && min == 2) name = "Windows XP Professional x64 Edition ?";
        else if (maj == 6 && min == 0) name = "Windows Vista";
        else if (maj == 6 && min == 1) name = "Windows 7";
        break;
    default:
        maj = 5, min = 1;
        break;
    }
    if (major) *major = maj;
    if (minor) *minor = min;
    if (text) {
        if (name)
            std::sprintf(text, "%s %s PID %d Build %d", name, vi.szCSDVersion,
                         static_cast<int>(vi.dwPlatformId), static_cast<int>(vi.dwBuildNumber));
        else
            std::sprintf(text, "Windows %d.%d PID %d Build %d", maj, min,
                         static_cast<int>(vi.dwPlatformId), static_cast<int>(vi.dwBuildNumber));
    }
    return name ? 1 : 0;
}

bool IsWindowsVersionAtLeast(int major, int minor)
{
    int maj = 0, min = 0;
    GetWindowsVersion(nullptr, &maj, &min);
    return maj > major || (maj == major && min >= minor);
}

void GetMemoryStatus(MEMORYSTATUS* status)
{
    status->dwLength = 32;
    GlobalMemoryStatus(status);
}

void GetCpuInfo(CPUINFO* info)
{
    std::memset(info, 0, sizeof *info);
    unsigned a, b, c, d;
    // __get_cpuid_max tests the ID flag before it uses CPUID.
    unsigned maxLeaf = __get_cpuid_max(0, nullptr);
    if (maxLeaf > 0) {
        __cpuid(0, a, b, c, d);
        std::memcpy(info->szVendor + 0, &b, 4);
        std::memcpy(info->szVendor + 4, &d, 4);
        std::memcpy(info->szVendor + 8, &c, 4);
        __cpuid(1, a, b, c, d);
        info->bMMX = (d >> 23) & 1;
        info->bSSE = (d >> 25) & 1;
        info->bSSE2 = (d >> 26) & 1;
        unsigned maxExt = __get_cpuid_max(0x80000000, nullptr);
        if (maxExt >= 0x80000001) {
            __cpuid(0x80000001, a, b, c, d);
            info->b3DNowExt = (d >> 30) & 1;
            info->b3DNow = (d >> 31) & 1;
        }
        if (maxExt >= 0x80000004) {
            unsigned regs[12];
            for (unsigned i = 0; i < 3; ++i)
                __cpuid(0x80000002 + i, regs[i * 4], regs[i * 4 + 1], regs[i * 4 + 2], regs[i * 4 + 3]);
            std::memcpy(info->szBrand, regs, 48);
            info->szBrand[48] = 0;
        }
    }
    info->dClockHz = GetCpuClockHz();
}

double GetCpuClockHz()
{
    LARGE_INTEGER c0, c1, c2, f;
    QueryPerformanceCounter(&c0);
    QueryPerformanceCounter(&c1);
    unsigned long long t0 = __rdtsc();
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 1000) {
    }
    QueryPerformanceCounter(&c2);
    unsigned long long t1 = __rdtsc();
    QueryPerformanceFrequency(&f);
    double elapsed = static_cast<double>((c2.QuadPart - c1.QuadPart) - (c1.QuadPart - c0.QuadPart));
    if (elapsed <= 0 || f.QuadPart == 0) return 0.0;
    return static_cast<double>(t1 - t0) / (elapsed / static_cast<double>(f.QuadPart));
}

int GetDiskFreeBytes(const char* path)
{
    typedef BOOL(WINAPI * GetDiskFreeSpaceExProc)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto query = kernel ? reinterpret_cast<GetDiskFreeSpaceExProc>(
                              reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")))
                        : nullptr;
    if (!query) return 0;
    ULARGE_INTEGER available, total, free;
    if (!query(path, &available, &total, &free)) return 0;
    if (available.QuadPart > 2147483647ULL) return 2147483647;
    return static_cast<int>(available.QuadPart);
}

int ReportSystemInfo()
{
    char version[512];
    GetWindowsVersion(version, nullptr, nullptr);
    CPUINFO cpu;
    GetCpuInfo(&cpu);
    MEMORYSTATUS mem;
    GetMemoryStatus(&mem);
    const double mb = 1048576.0;
    double diskMB = GetDiskFreeBytes(nullptr) / mb;

    cReportLogBlock block;
    FILE* fp = block.File();
    if (!fp) return 0;
    std::fprintf(fp, "OS : %s\n", version);
    std::fprintf(fp, "CPU : %s %s %d\n", cpu.szVendor, cpu.szBrand, static_cast<int>(cpu.dClockHz * 0.000001));
    std::fprintf(fp, "Mem Total : %.3fMB\n", mem.dwTotalPhys / mb);
    std::fprintf(fp, "Mem Free : %3.fMB\n", mem.dwAvailPhys / mb);
    std::fprintf(fp, "Vir Total : %.3fMB\n", mem.dwTotalVirtual / mb);
    std::fprintf(fp, "Vir Free : %3.fMB\n", mem.dwAvailVirtual / mb);
    std::fprintf(fp, "HD Free : %3.fMB\n", diskMB);
    return 1;
}
