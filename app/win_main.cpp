#include <windows.h>

#include <string>

#include "app/log.h"
#include "app/paths.h"
#include "app/system_report.h"
#include "app/version.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    TraceLogInit(0, "EC_Game.txt");
    std::string reportPath = "Report_Game.txt";
    ToAbsolutePath(reportPath);
    if (!CreateReportLog(reportPath.c_str())) return 0;
    ReportLog("App : ver %s", APP_VERSION_TEXT);
    ReportSystemInfo();
    return 0;
}
