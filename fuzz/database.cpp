// The ten database files, read as start-up reads them. The input's first
// byte chooses which file it replaces; the other nine are the default lists.
#include <filesystem>
#include <memory>

#include "files/database.h"
#include "fuzz/record_target.h"
#include "records/data_file.h"

namespace {

template <class T>
void WriteList(const std::string& path, std::vector<T>& list)
{
    std::unique_ptr<cDataWriter> out = DataFileOpenWrite(path);
    if (!out) std::abort();
    WriteRecords(list, *out);
    if (DataFileClose(out) != 1) std::abort();
}

// The default lists written into folder; returns the folder.
std::string WriteDefaultDatabase(const char* name)
{
    PrepareRecordLoading();
    const std::string folder = FuzzScratchPath(name) + "/";
    std::filesystem::create_directories(folder);
    cDataBase base;
    base.SetDefault();
    int i = 0;
    auto write = [&](auto& list) { WriteList(folder + cDataBase::FileNames[i++], list); };
    write(base.m_AnimeSet), write(base.m_Anime), write(base.m_BmpCharaExc), write(base.m_SwordType);
    write(base.m_Effect), write(base.m_CharaEffect), write(base.m_ScrEffect), write(base.m_Picture);
    write(base.m_Sound), write(base.m_Bgm);
    return folder;
}

}  // namespace

void FuzzOne(const uint8_t* data, size_t size)
{
    if (size == 0) return;
    static const std::string folder = WriteDefaultDatabase("database");
    static const std::string pristine = WriteDefaultDatabase("database-pristine");
    const int which = data[0] % cDataBase::FILES;
    const std::string path = folder + cDataBase::FileNames[which];
    WriteFuzzFile(path, data + 1, size - 1);
    PrepareRecordLoading();
    cDataBase base;
    base.LoadAll(folder);
    const FuzzBytes original = ReadFuzzFile(pristine + cDataBase::FileNames[which]);
    WriteFuzzFile(path, original.data(), original.size());
}

std::vector<FuzzSeed> FuzzSeeds()
{
    const std::string folder = WriteDefaultDatabase("database-seeds");
    std::vector<FuzzSeed> seeds;
    for (int i = 0; i < cDataBase::FILES; ++i) {
        FuzzBytes bytes = ReadFuzzFile(folder + cDataBase::FileNames[i]);
        bytes.insert(bytes.begin(), static_cast<uint8_t>(i));
        seeds.push_back({cDataBase::FileNames[i], bytes});
    }
    return seeds;
}
