#include "tests/support/game_folder.h"

#include <filesystem>
#include <memory>

#include "files/database.h"
#include "files/system_data.h"
#include "records/data_file.h"
#include "records/record_list.h"
#include "tests/support/build_tree.h"

const char TEST_GAME_TITLE[] = "テストゲーム";

namespace {

namespace fs = std::filesystem;

template <class T>
bool WriteListIfMissing(const std::string& path, std::vector<T> list)
{
    if (fs::exists(path)) return true;
    std::unique_ptr<cDataWriter> out = DataFileOpenWrite(path);
    if (!out) return false;
    WriteRecords(list, *out);
    return DataFileClose(out) == 1;
}

// Copies the folder's tree into to, replacing files of the same name.
bool CopyTree(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    fs::create_directories(to, error);
    if (error) return false;
    for (const fs::directory_entry& entry : fs::directory_iterator(from, error)) {
        const fs::path target = to / entry.path().filename();
        if (entry.is_directory()) {
            if (!CopyTree(entry.path(), target)) return false;
        } else if (!fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing, error)) {
            return false;
        }
    }
    return !error;
}

bool WriteDefaultDatabase(const std::string& folder)
{
    const cDataBase defaults;
    const char* const* name = cDataBase::FileNames;
    return WriteListIfMissing(folder + name[0], defaults.m_AnimeSet) &&
           WriteListIfMissing(folder + name[1], defaults.m_Anime) &&
           WriteListIfMissing(folder + name[2], defaults.m_BmpCharaExc) &&
           WriteListIfMissing(folder + name[3], defaults.m_SwordType) &&
           WriteListIfMissing(folder + name[4], defaults.m_Effect) &&
           WriteListIfMissing(folder + name[5], defaults.m_CharaEffect) &&
           WriteListIfMissing(folder + name[6], defaults.m_ScrEffect) &&
           WriteListIfMissing(folder + name[7], defaults.m_Picture) &&
           WriteListIfMissing(folder + name[8], defaults.m_Sound) &&
           WriteListIfMissing(folder + name[9], defaults.m_Bgm);
}

} // namespace

bool LayOutSampleGame(bool withData)
{
    const int savedVersion = RecordContext.nDataVersion;
    RecordContext.nDataVersion = DATA_VERSION;
    std::error_code error;
    bool ok = CopyTree(BuildTreePath("sample"), fs::current_path());
    fs::create_directories("default\\database", error);
    ok = ok && WriteDefaultDatabase("default\\database\\");
    if (ok && !fs::exists("default\\System.dat")) {
        auto settings = std::make_unique<cSystemData>();
        settings->m_strTitle = TEST_GAME_TITLE;
        ok = settings->SaveFile("default\\System.dat") == 1;
    }
    if (ok && withData) {
        ok = CopyTree("default", "data");
    }
    RecordContext.nDataVersion = savedVersion;
    return ok;
}

std::string StoredGameTitle(const std::string& path)
{
    auto settings = std::make_unique<cSystemData>();
    settings->m_strTitle.clear();
    return settings->LoadFile(path) ? settings->m_strTitle : std::string();
}
