#pragma once
// Shared by the tests of the game's files: a fresh folder with the player's
// folders, the settings and the world map as a new game has them, and typed
// byte helpers.
#include <filesystem>

#include "files/game_progress.h"
#include "files/system_data.h"
#include "files/world_map.h"
#include "tests/records/record_test_support.h"

class FilesTest : public RecordTest {
protected:
    void SetUp() override
    {
        RecordTest::SetUp();
        for (const char* folder : {"user_data/story", "user_data/challenge", "user_data/free"})
            std::filesystem::create_directories(folder);
        SystemData = cSystemData();
        WorldMap.SetDefault();
    }
    void TearDown() override
    {
        SystemData = cSystemData();
        WorldMap.SetDefault();
        RecordTest::TearDown();
    }
    // The stored bytes of a file (after its head) as one record's Save writes them.
    template <class R>
    std::vector<unsigned char> SavedBody(R& record)
    {
        EXPECT_EQ(record.SaveFile("saved.dat"), 1);
        return BodyOf("saved.dat");
    }
};

// n int32 zeros.
inline FixtureBytes& Zeros(FixtureBytes& b, int n)
{
    for (int i = 0; i < n; ++i) b.i32(0);
    return b;
}

// A counted string of the record format.
inline FixtureBytes& Text(FixtureBytes& b, const std::string& s)
{
    b.u32(static_cast<uint32_t>(s.size() + 1));
    if (!s.empty()) b.bytes(std::vector<unsigned char>(s.begin(), s.end())).u8(0);
    return b;
}

// The file: version head, then the body.
inline std::vector<unsigned char> WithHead(int version, const std::vector<unsigned char>& body)
{
    FixtureBytes b;
    b.u32(static_cast<uint32_t>(version)).bytes(body);
    return b.get();
}

// The bytes with the hex bytes written over them from offset at.
inline std::vector<unsigned char> Patched(std::vector<unsigned char> bytes, size_t at, const char* hex)
{
    std::vector<unsigned char> h = HexBytes(hex);
    std::copy(h.begin(), h.end(), bytes.begin() + at);
    return bytes;
}
