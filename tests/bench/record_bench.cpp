// Writes and reads a list of 10,000 small nested records (each a node with a
// title, a raw value, a byte list and two leaves) through a data file, and
// prints the time per record. Run by hand; not a test.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/base/log.h"
#include "tests/bench/bench_clock.h"
#include "tests/records/sample_records.h"
#include "tests/support/test_dir.h"

namespace {

} // namespace

int main()
{
    const int kRecords = 10000;
    const int kRounds = 15;
    ScopedTestDir dir;
    CreateReportLog("Report_Game.txt");
    RecordContext.nDataVersion = DATA_VERSION;

    cTreeData tree = MakeSampleTree(kRecords);
    std::vector<double> saves, loads;
    for (int round = 0; round < kRounds; ++round) {
        double t0 = BenchSeconds();
        if (tree.SaveFile("bench.dat") != 1) {
            std::printf("save failed\n");
            return 1;
        }
        double t1 = BenchSeconds();
        cTreeData read;
        if (read.LoadFile("bench.dat") != 1 || read.m_Nodes.size() != static_cast<size_t>(kRecords)) {
            std::printf("load failed\n");
            return 1;
        }
        double t2 = BenchSeconds();
        saves.push_back(t1 - t0);
        loads.push_back(t2 - t1);
    }
    size_t bytes = ReadFileBytes("bench.dat").size();
    std::printf("%d records (node + 2 leaves), file %lu bytes, %d rounds\n", kRecords,
                static_cast<unsigned long>(bytes), kRounds);
    std::printf("save: median %.3f us/record (best %.3f), %.2f ms per file\n", Median(saves) * 1e6 / kRecords,
                *std::min_element(saves.begin(), saves.end()) * 1e6 / kRecords, Median(saves) * 1e3);
    std::printf("load: median %.3f us/record (best %.3f), %.2f ms per file\n", Median(loads) * 1e6 / kRecords,
                *std::min_element(loads.begin(), loads.end()) * 1e6 / kRecords, Median(loads) * 1e3);
    return 0;
}
