// The machine the game expects: a Japanese Windows with working sound output.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

TEST(Environment, AnsiCodePageIsJapanese)
{
    EXPECT_EQ(GetACP(), 932u);
}

TEST(Environment, DirectSoundOpens)
{
    LPDIRECTSOUND sound = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
    sound->Release();
}
