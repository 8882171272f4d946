#include "tests/sample/sample_folder.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <unistd.h>

#include "records/data_record.h"
#include "records/palette_data.h"
#include "records/record_context.h"
#include "tools/sample/sample_game.h"

namespace fs = std::filesystem;

cSampleFolder::cSampleFolder()
{
    static std::atomic<int> serial{0};
    m_sRoot = (fs::temp_directory_path() / ("sample_game_" + std::to_string(getpid()) + "_" + std::to_string(serial++))).string();
    fs::remove_all(m_sRoot);
}

cSampleFolder::~cSampleFolder()
{
    std::error_code ec;
    fs::remove_all(m_sRoot, ec);
    RecordContext = cRecordContext{};
    CommonPalette = cPaletteData();
    RecordContext.nDataVersion = 0;
}

int cSampleFolder::Write() { return WriteSampleGame(m_sRoot); }

std::vector<std::string> cSampleFolder::Files() const
{
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(m_sRoot))
        if (e.is_regular_file()) out.push_back(fs::relative(e.path(), m_sRoot).generic_string());
    std::sort(out.begin(), out.end());
    return out;
}
