#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <thread>

#include "app/base/log.h"
#include "app/base/main_window_handle.h"
#include "app/system/log_box.h"
#include "app/system/message_box.h"
#include "app/system/system_report.h"
#include "tests/support/box_capture.h"
#include "tests/support/message_sink.h"
#include "tests/support/test_dir.h"

namespace {

} // namespace

TEST(ReportLog, LinesAreCrLfShiftJisAndTheFileIsRewrittenAtEachStart)
{
    ScopedTestDir dir;
    WriteFileText("Report_Game.txt", "left from the last run\r\n");
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    EXPECT_EQ(ReportLog("App : ver %s", "708"), 1);
    EXPECT_EQ(ReportLog("%s のロードに失敗！", "a%d.dat"), 1);
    // "のロードに失敗！" in code page 932.
    EXPECT_EQ(ReadFileText("Report_Game.txt"),
              "App : ver 708\r\n"
              "a%d.dat \x82\xCC\x83\x8D\x81\x5B\x83\x68\x82\xC9\x8E\xB8\x94\x73\x81\x49\r\n");
}

TEST(ReportLog, UnopenableLogReportsFailure)
{
    ScopedTestDir dir;
    EXPECT_EQ(CreateReportLog("no_such_folder\\Report_Game.txt"), 0);
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    DeleteFileA("Report_Game.txt");
    CreateDirectoryA("Report_Game.txt", nullptr); // the path now names a folder
    EXPECT_EQ(ReportLog("lost"), 0);
}

TEST(ReportLog, LinesFromTwoThreadsAndABlockAllArriveWhole)
{
    ScopedTestDir dir;
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    TraceLogInit(1, "EC_Game.txt");
    TraceLog("first");
    const int lines = 200;
    auto writer = [](char name) {
        for (int i = 0; i < lines; ++i) ReportLogAndTrace("%c%03d", name, i);
    };
    std::thread a(writer, 'a'), b(writer, 'b');
    {
        cReportLogBlock block;
        ASSERT_NE(block.File(), nullptr);
        std::fputs("block 1\n", block.File());
        std::fputs("block 2\n", block.File());
    }
    a.join();
    b.join();
    TraceLogInit(0, "EC_Game.txt");
    for (const char* path : {"Report_Game.txt", "EC_Game.txt"}) {
        SCOPED_TRACE(path);
        std::istringstream text(ReadFileText(path));
        int next[2] = {0, 0};
        std::string line, previous;
        int count = 0;
        while (std::getline(text, line)) {
            ASSERT_FALSE(line.empty()) << "after " << previous;
            ASSERT_EQ(line.back(), '\r') << line;
            line.pop_back();
            ++count;
            if (line == "first" || line == "block 1") {
            } else if (line == "block 2") {
                EXPECT_EQ(previous, "block 1");
            } else {
                // Each writer's lines in its own order, none torn or lost.
                ASSERT_EQ(line.size(), 4u) << line;
                int who = line[0] - 'a';
                ASSERT_TRUE(who == 0 || who == 1) << line;
                EXPECT_EQ(std::stoi(line.substr(1)), next[who]++) << line;
            }
            previous = line;
        }
        EXPECT_EQ(next[0], lines);
        EXPECT_EQ(next[1], lines);
        EXPECT_EQ(count, std::string(path) == "EC_Game.txt" ? 2 * lines + 1 : 2 * lines + 2);
    }
}

TEST(TraceLog, DisabledTracingWritesNothingButFatalStillCloses)
{
    ScopedTestDir dir;
    ScopedMainWindow main;
    TraceLogInit(0, "EC_Game.txt");
    EXPECT_EQ(TraceLog("a"), 0);
    EXPECT_EQ(TraceLogF("%d", 1), 0);
    TraceLogFatal(hMainWnd, "fatal %d", 2);
    EXPECT_FALSE(FileExists("EC_Game.txt"));
    EXPECT_EQ(main.sink.CountPosted(WM_CLOSE), 1);
}

TEST(TraceLog, FirstLineOfARunEmptiesTheFileLaterLinesAppend)
{
    ScopedTestDir dir;
    WriteFileText("EC_Game.txt", "old run\r\n");
    TraceLogInit(1, "EC_Game.txt");
    EXPECT_EQ(TraceLog("one"), 1);
    EXPECT_EQ(TraceLogF("two %s", "%s"), 1);
    EXPECT_EQ(ReadFileText("EC_Game.txt"), "one\r\ntwo %s\r\n");
    TraceLogInit(0, "EC_Game.txt");
}

TEST(ReportLogBox, PercentInArgumentsStaysLiteralInLogTraceAndBox)
{
    ScopedTestDir dir;
    BoxCapture boxes;
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    TraceLogInit(1, "EC_Game.txt");
    ReportLogBox("file %s", "100%d.bmp");
    TraceLogInit(0, "EC_Game.txt");
    EXPECT_EQ(ReadFileText("Report_Game.txt"), "file 100%d.bmp\r\n");
    EXPECT_EQ(ReadFileText("EC_Game.txt"), "file 100%d.bmp\r\n");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "エラー|file 100%d.bmp");
}

TEST(ReportLogBox, LongTextIsNeverCutInLogTraceOrBox)
{
    ScopedTestDir dir;
    BoxCapture boxes;
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    TraceLogInit(1, "EC_Game.txt");
    const std::string name = "data\\" + std::string(6000, 'n') + ".dat";
    ReportLogBox("%s のロードに失敗！", name.c_str());
    ErrorBoxF("<%s>", name.c_str());
    TraceLogInit(0, "EC_Game.txt");
    const std::string line = name + " のロードに失敗！";
    EXPECT_EQ(ReadFileText("Report_Game.txt"), line + "\r\n");
    EXPECT_EQ(ReadFileText("EC_Game.txt"), line + "\r\n");
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "エラー|" + line);
    EXPECT_EQ(boxes.texts[1], "エラー|<" + name + ">");
}

TEST(ReportLogBox, BoxIsShownEvenWhenTheLogCannotBeWritten)
{
    ScopedTestDir dir;
    BoxCapture boxes;
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    DeleteFileA("Report_Game.txt");
    CreateDirectoryA("Report_Game.txt", nullptr);
    EXPECT_EQ(ReportLogBox("disk gone"), 0);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "エラー|disk gone");
}

TEST(MessageBoxes, DebugBoxOnlyWhileTracingAndOutOfMemoryCloses)
{
    BoxCapture boxes;
    ScopedMainWindow main;
    TraceLogInit(0, "EC_Game.txt");
    EXPECT_EQ(DebugBoxF("x %d", 1), 0);
    EXPECT_TRUE(boxes.texts.empty());
    OutOfMemoryExit();
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "エラー|メモリが不足しています！");
    EXPECT_EQ(main.sink.CountPosted(WM_CLOSE), 1);
}

TEST(SystemReport, WritesOsCpuMemoryAndDiskLinesInOrder)
{
    ScopedTestDir dir;
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    ReportLog("App : ver %s", "708");
    ASSERT_EQ(ReportSystemInfo(), 1);
    std::string text = ReadFileText("Report_Game.txt");
    const char* heads[] = {"App : ver 708\r\n", "OS : Windows", "CPU : ", "Mem Total : ", "Mem Free : ",
                           "Vir Total : ", "Vir Free : ", "HD Free : "};
    size_t at = 0;
    for (const char* head : heads) {
        size_t found = text.find(head, at);
        ASSERT_EQ(found, at) << "expected \"" << head << "\" at " << at << " in:\n" << text;
        at = text.find("\r\n", found) + 2;
    }
    EXPECT_EQ(at, text.size());

    CPUINFO cpu;
    GetCpuInfo(&cpu);
    EXPECT_EQ(std::strlen(cpu.szVendor), 12u);
    EXPECT_GT(cpu.dClockHz, 1e8);
    EXPECT_LE(GetDiskFreeBytes(nullptr), 2147483647);
    EXPECT_GT(GetDiskFreeBytes(nullptr), 0);
}

TEST(SystemReport, WindowsVersionNumbersAgreeWithTheName)
{
    char text[512];
    int major = 0, minor = 0;
    GetWindowsVersion(text, &major, &minor);
    EXPECT_EQ(std::string(text).rfind("Windows", 0), 0u) << text;
    EXPECT_TRUE(IsWindowsVersionAtLeast(major, minor));
    EXPECT_FALSE(IsWindowsVersionAtLeast(major + 1, 0));
}
