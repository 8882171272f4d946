#include <gtest/gtest.h>

#include <cstring>

#include "app/system/game_messages.h"
#include "app/system/input.h"
#include "app/base/log.h"
#include "app/base/main_window_handle.h"
#include "app/system/sound.h"
#include "tests/support/scoped_swap.h"
#include "tests/support/test_dir.h"

namespace {

// A RIFF WAVE file: a "fmt " chunk of the given tag and the given samples.
std::vector<unsigned char> WaveFile(WORD tag, DWORD samples, WORD bits = 8, WORD channels = 1)
{
    auto put32 = [](std::vector<unsigned char>& v, DWORD x) {
        for (int i = 0; i < 4; ++i) v.push_back(static_cast<unsigned char>(x >> (8 * i)));
    };
    auto put16 = [](std::vector<unsigned char>& v, WORD x) {
        v.push_back(static_cast<unsigned char>(x));
        v.push_back(static_cast<unsigned char>(x >> 8));
    };
    const WORD align = static_cast<WORD>(bits / 8 * channels);
    const DWORD dataBytes = samples * align;
    std::vector<unsigned char> v{'R', 'I', 'F', 'F'};
    put32(v, 4 + 8 + 16 + 8 + dataBytes);
    v.insert(v.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(v, 16);
    put16(v, tag);
    put16(v, channels);
    put32(v, 22050);
    put32(v, 22050 * align);
    put16(v, align);
    put16(v, bits);
    v.insert(v.end(), {'d', 'a', 't', 'a'});
    put32(v, dataBytes);
    for (DWORD i = 0; i < dataBytes; ++i) v.push_back(static_cast<unsigned char>(128 + ((i / 25) % 2 ? 40 : -40)));
    return v;
}

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The main window for these tests: a real (hidden) window for DirectSound,
// which records the sound-effect requests sent to it.
class SoundWindow {
public:
    SoundWindow()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SoundTestWindow";
        RegisterClassA(&wc);
        m_hWnd = CreateWindowExA(0, "SoundTestWindow", "", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        m_hPrevious = hMainWnd;
        hMainWnd = m_hWnd;
    }
    ~SoundWindow()
    {
        hMainWnd = m_hPrevious;
        DestroyWindow(m_hWnd);
    }
    HWND Handle() const { return m_hWnd; }
    static std::vector<WPARAM> Requests;

private:
    HWND m_hWnd;
    HWND m_hPrevious;
};

std::vector<WPARAM> SoundWindow::Requests;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GAME_PLAYSE) {
        SoundWindow::Requests.push_back(wParam);
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

// DirectSound opened on the test window for one test, released after it.
class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CreateReportLog("report.txt"), 1);
        TraceLogInit(1, "trace.txt");
        ASSERT_TRUE(DS_Init(m_Window.Handle(), 22050, 8, 1)) << ReadFileText("trace.txt");
    }
    void TearDown() override
    {
        DS_Release();
        TraceLogInit(0, "");
    }
    // Builds both lists from file names and loads them.
    void Load(const std::vector<std::string>& files, int buffers, int volume)
    {
        m_Defs.assign(files.size(), DSSOUNDDEF{});
        m_Sounds.clear();
        m_Sounds.resize(files.size());
        for (size_t i = 0; i < files.size(); ++i) {
            m_Defs[i].FileName = files[i];
            m_Defs[i].nBufferCount = buffers;
        }
        EXPECT_EQ(DS_LoadSounds(m_Sounds, m_Defs, volume), 1);
    }
    static bool IsPlaying(LPDIRECTSOUNDBUFFER buffer)
    {
        DWORD status = 0;
        return buffer && SUCCEEDED(buffer->GetStatus(&status)) && (status & DSBSTATUS_PLAYING);
    }

    ScopedTestDir m_Dir;
    SoundWindow m_Window;
    std::vector<DSSOUNDDEF> m_Defs;
    std::vector<DSSOUND> m_Sounds;
};

HRESULT WINAPI NoDirectSound(LPCGUID, LPDIRECTSOUND* out, LPUNKNOWN)
{
    *out = nullptr;
    return DSERR_NODRIVER;
}

// A COM object that stands in front of a real one and owns it.
template <class Interface, class Self>
struct ComWrapper : Interface {
    explicit ComWrapper(Interface* real) : m_real(real) {}
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override { return m_real->QueryInterface(iid, out); }
    STDMETHOD_(ULONG, AddRef)() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    STDMETHOD_(ULONG, Release)() override
    {
        LONG left = InterlockedDecrement(&m_refs);
        if (left == 0) {
            m_real->Release();
            delete static_cast<Self*>(this);
        }
        return static_cast<ULONG>(left);
    }

    Interface* m_real;
    LONG m_refs = 1;
};

// DirectSound whose sound buffers refuse to be locked; everything else is the
// real thing.
struct LockRefusingBuffer final : ComWrapper<IDirectSoundBuffer, LockRefusingBuffer> {
    using ComWrapper::ComWrapper;
    STDMETHOD(GetCaps)(LPDSBCAPS caps) override { return m_real->GetCaps(caps); }
    STDMETHOD(GetCurrentPosition)(LPDWORD play, LPDWORD write) override { return m_real->GetCurrentPosition(play, write); }
    STDMETHOD(GetFormat)(LPWAVEFORMATEX f, DWORD n, LPDWORD w) override { return m_real->GetFormat(f, n, w); }
    STDMETHOD(GetVolume)(LPLONG v) override { return m_real->GetVolume(v); }
    STDMETHOD(GetPan)(LPLONG p) override { return m_real->GetPan(p); }
    STDMETHOD(GetFrequency)(LPDWORD f) override { return m_real->GetFrequency(f); }
    STDMETHOD(GetStatus)(LPDWORD s) override { return m_real->GetStatus(s); }
    STDMETHOD(Initialize)(LPDIRECTSOUND ds, LPCDSBUFFERDESC d) override { return m_real->Initialize(ds, d); }
    STDMETHOD(Lock)(DWORD, DWORD, LPVOID*, LPDWORD, LPVOID*, LPDWORD, DWORD) override { return DSERR_BUFFERLOST; }
    STDMETHOD(Play)(DWORD r, DWORD p, DWORD f) override { return m_real->Play(r, p, f); }
    STDMETHOD(SetCurrentPosition)(DWORD p) override { return m_real->SetCurrentPosition(p); }
    STDMETHOD(SetFormat)(LPCWAVEFORMATEX f) override { return m_real->SetFormat(f); }
    STDMETHOD(SetVolume)(LONG v) override { return m_real->SetVolume(v); }
    STDMETHOD(SetPan)(LONG p) override { return m_real->SetPan(p); }
    STDMETHOD(SetFrequency)(DWORD f) override { return m_real->SetFrequency(f); }
    STDMETHOD(Stop)() override { return m_real->Stop(); }
    STDMETHOD(Unlock)(LPVOID a, DWORD n, LPVOID b, DWORD m) override { return m_real->Unlock(a, n, b, m); }
    STDMETHOD(Restore)() override { return m_real->Restore(); }
};

struct LockRefusingSound final : ComWrapper<IDirectSound, LockRefusingSound> {
    using ComWrapper::ComWrapper;
    STDMETHOD(CreateSoundBuffer)(LPCDSBUFFERDESC d, LPLPDIRECTSOUNDBUFFER out, LPUNKNOWN outer) override
    {
        HRESULT hr = m_real->CreateSoundBuffer(d, out, outer);
        if (SUCCEEDED(hr) && *out) *out = new LockRefusingBuffer(*out);
        return hr;
    }
    STDMETHOD(GetCaps)(LPDSCAPS caps) override { return m_real->GetCaps(caps); }
    STDMETHOD(DuplicateSoundBuffer)(LPDIRECTSOUNDBUFFER, LPLPDIRECTSOUNDBUFFER out) override
    {
        *out = nullptr;
        return DSERR_INVALIDCALL;
    }
    STDMETHOD(SetCooperativeLevel)(HWND w, DWORD l) override { return m_real->SetCooperativeLevel(w, l); }
    STDMETHOD(Compact)() override { return m_real->Compact(); }
    STDMETHOD(GetSpeakerConfig)(LPDWORD c) override { return m_real->GetSpeakerConfig(c); }
    STDMETHOD(SetSpeakerConfig)(DWORD c) override { return m_real->SetSpeakerConfig(c); }
    STDMETHOD(Initialize)(LPCGUID g) override { return m_real->Initialize(g); }
};

HRESULT WINAPI LockRefusingDirectSound(LPCGUID device, LPDIRECTSOUND* out, LPUNKNOWN outer)
{
    HRESULT hr = DirectSoundCreate(device, out, outer);
    if (SUCCEEDED(hr) && *out) *out = new LockRefusingSound(*out);
    return hr;
}

} // namespace

TEST(SoundWave, ReadsPcmAndRefusesEverythingElse)
{
    ScopedTestDir dir;
    std::vector<unsigned char> good = WaveFile(WAVE_FORMAT_PCM, 1000);
    WriteFileBytes("good.wav", good);
    DSWAVE wave;
    ASSERT_TRUE(DS_ReadWave("good.wav", wave));
    EXPECT_EQ(wave.Format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(wave.Format.nSamplesPerSec, 22050u);
    EXPECT_EQ(wave.Format.cbSize, 0);
    EXPECT_EQ(wave.Data, std::vector<unsigned char>(good.end() - 1000, good.end()));

    // A chunk of odd size before the format is stepped over with its pad byte.
    std::vector<unsigned char> listed = good;
    const unsigned char list[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    listed.insert(listed.begin() + 12, std::begin(list), std::end(list));
    listed[4] = static_cast<unsigned char>(listed[4] + sizeof(list));
    WriteFileBytes("listed.wav", listed);
    ASSERT_TRUE(DS_ReadWave("listed.wav", wave));
    EXPECT_EQ(wave.Data, std::vector<unsigned char>(good.end() - 1000, good.end()));

    std::vector<unsigned char> truncated(good.begin(), good.end() - 10);
    std::vector<unsigned char> hugeChunk = good;
    hugeChunk[12 + 4] = hugeChunk[12 + 5] = hugeChunk[12 + 6] = hugeChunk[12 + 7] = 0xFF;  // "fmt " of 4 GB
    std::vector<unsigned char> noData(good.begin(), good.begin() + 36);
    noData[4] = 28;  // the RIFF size without the data chunk
    std::vector<unsigned char> shortFormat = good;
    shortFormat[16] = 8;  // a "fmt " chunk too short for PCM
    const struct {
        const char* what;
        std::vector<unsigned char> bytes;
    } bad[] = {
        {"IEEE float", WaveFile(0x0003, 100, 32)},
        {"extensible", WaveFile(0xFFFE, 100, 16)},
        {"samples cut short", truncated},
        {"no data chunk", noData},
        {"short format", shortFormat},
        {"not RIFF", std::vector<unsigned char>(64, 'x')},
        {"a chunk of 4 GB", hugeChunk},
    };
    for (const auto& c : bad) {
        WriteFileBytes("bad.wav", c.bytes);
        EXPECT_FALSE(DS_ReadWave("bad.wav", wave)) << c.what;
        EXPECT_TRUE(wave.Data.empty()) << c.what;
    }
    EXPECT_FALSE(DS_ReadWave("missing.wav", wave));
}

TEST_F(SoundTest, BuffersPlayRoundRobinAndRestartFromTheBeginning)
{
    WriteFileBytes("long.wav", WaveFile(WAVE_FORMAT_PCM, 22050 * 3));  // still sounding when played again
    Load({"long.wav"}, 3, 0);
    DSSOUND& sound = m_Sounds[0];
    ASSERT_EQ(sound.nBufferCount, 3);
    for (const cComPtr<IDirectSoundBuffer>& buffer : sound.Buffers) ASSERT_NE(buffer.Get(), nullptr);
    const int order[] = {1, 2, 0, 1};
    for (int next : order) {
        DS_Play(sound, 0);
        EXPECT_EQ(sound.nNext, next);
    }
    for (const cComPtr<IDirectSoundBuffer>& buffer : sound.Buffers) EXPECT_TRUE(IsPlaying(buffer.Get()));
}

TEST_F(SoundTest, VolumeStepsAndRelativeChangesAreClamped)
{
    WriteFileBytes("a.wav", WaveFile(WAVE_FORMAT_PCM, 500));
    Load({"a.wav"}, 2, SoundVolumeTable[4]);
    DSSOUND& sound = m_Sounds[0];
    EXPECT_EQ(DS_GetVolume(sound, 0), -800);
    EXPECT_EQ(DS_GetVolume(sound, 1), -800);
    const struct {
        int start, change, relative, result;
    } cases[] = {{-9500, -1000, 1, -10000}, {-200, 500, 1, 0}, {-200, -300, 0, -300}, {0, -20000, 0, -10000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " change " << c.change << " relative " << c.relative);
        DS_SetVolume(sound, 0, c.start, 0);
        EXPECT_EQ(DS_SetVolume(sound, 0, c.change, c.relative), c.result);
        EXPECT_EQ(DS_GetVolume(sound, 0), c.result);
    }
    EXPECT_EQ(DS_SetVolume(sound, 5, -100, 0), 0);  // no such buffer
    EXPECT_EQ(SoundVolumeTable[0], -10000);
    EXPECT_EQ(SoundVolumeTable[10], 0);
}

TEST_F(SoundTest, AFailedSoundIsSilentAndTheOthersLoad)
{
    WriteFileBytes("good.wav", WaveFile(WAVE_FORMAT_PCM, 500));
    WriteFileBytes("float.wav", WaveFile(0x0003, 100, 32));
    Load({"good.wav", "float.wav", "missing.wav", "good.wav"}, 1, 0);
    EXPECT_NE(m_Sounds[0].Buffers.at(0).Get(), nullptr);
    EXPECT_EQ(m_Sounds[1].Buffers.at(0).Get(), nullptr);
    EXPECT_EQ(m_Sounds[2].Buffers.at(0).Get(), nullptr);
    EXPECT_NE(m_Sounds[3].Buffers.at(0).Get(), nullptr);
    DS_Play(m_Sounds[1], 0);  // nothing, no crash
    EXPECT_EQ(m_Sounds[1].nNext, 0);
    std::string trace = ReadFileText("trace.txt");
    EXPECT_NE(trace.find("float.wav読み込み失敗！"), std::string::npos);
    EXPECT_NE(trace.find("missing.wav読み込み失敗！"), std::string::npos);
}

TEST_F(SoundTest, CursorSoundFollowsTheAxesAsked)
{
    WriteFileBytes("long.wav", WaveFile(WAVE_FORMAT_PCM, 22050 * 3));
    Load({"long.wav", "long.wav"}, 1, 0);
    const struct {
        int16_t direction;
        int axes;
        bool plays;
    } cases[] = {{0, 3, false}, {1, 1, true}, {2, 1, true},  {4, 1, false}, {8, 2, true},
                 {1, 2, false}, {4, 3, true}, {2 | 8, 3, true}, {8, 0, false}};
    for (const auto& c : cases) {
        m_Sounds[1].Buffers[0]->Stop();
        cInput input;
        input.m_wDirection = c.direction;
        DS_PlayCursorSE(input, c.axes, 1);
        EXPECT_EQ(IsPlaying(m_Sounds[1].Buffers[0].Get()), c.plays) << c.direction << " " << c.axes;
        EXPECT_FALSE(IsPlaying(m_Sounds[0].Buffers[0].Get()));
    }
}

TEST(Sound, WithoutDirectSoundEverythingReturnsAtOnce)
{
    ScopedTestDir dir;
    TraceLogInit(1, "trace.txt");
    SoundWindow window;
    {
        ScopedSwap noDevice(lpDirectSoundCreate, NoDirectSound);
        EXPECT_FALSE(DS_Init(window.Handle(), 22050, 8, 1));
    }
    WriteFileBytes("a.wav", WaveFile(WAVE_FORMAT_PCM, 100));
    std::vector<DSSOUNDDEF> defs(2);
    defs[0].FileName = "a.wav";
    defs[0].nBufferCount = 1;
    std::vector<DSSOUND> sounds(2);
    EXPECT_EQ(DS_LoadSounds(sounds, defs, -500), 1);
    EXPECT_TRUE(sounds[0].Buffers.empty());
    DS_Play(sounds[0], 0);
    EXPECT_EQ(DS_SetVolume(sounds[0], 0, -100, 0), 0);
    cInput input;
    input.m_wDirection = 1;
    DS_PlayCursorSE(input, 3, 0);
    DS_Release();
    EXPECT_NE(ReadFileText("trace.txt").find("DIRECTSOUNDCREATE_ERR!"), std::string::npos);
    TraceLogInit(0, "");
}

TEST(Sound, RequestsGoToTheWindowThreadByNumber)
{
    SoundWindow window;
    SoundWindow::Requests.clear();
    PlaySE(4);
    PlayUserSE(0);
    PlayUserSE(3);
    PlayUserSE(0x10000);  // taken as 16 bits: 0, nothing sent
    EXPECT_EQ(SoundWindow::Requests, (std::vector<WPARAM>{4, 19}));
}

TEST(Sound, ListsHoldTheSystemSoundsThenTheDatabaseFromEntryOne)
{
    SOUNDNAMES names;
    for (int i = 0; i < 17; ++i) names.SystemSounds.push_back("wave\\sys" + std::to_string(i) + ".wav");
    std::vector<DSSOUNDDEF> defs;
    std::vector<DSSOUND> sounds;

    // No sound database at all: still a place for every system sound.
    BuildSoundLists(names, defs, sounds);
    ASSERT_EQ(defs.size(), 17u);
    EXPECT_EQ(sounds.size(), 17u);
    EXPECT_EQ(defs[16].FileName, "wave\\sys16.wav");

    names.UserSounds = {"", "wave\\u1.wav", "wave\\u2.wav", "wave\\u3.wav"};
    BuildSoundLists(names, defs, sounds);
    ASSERT_EQ(defs.size(), 20u);
    EXPECT_EQ(sounds.size(), 20u);
    EXPECT_EQ(defs[0].FileName, "wave\\sys0.wav");
    EXPECT_EQ(defs[17].FileName, "wave\\u1.wav");
    EXPECT_EQ(defs[19].FileName, "wave\\u3.wav");  // user sound 3 is number 19
    for (const DSSOUNDDEF& def : defs) {
        EXPECT_EQ(def.nBufferCount, 1);
        EXPECT_EQ(def.nVolume, 0);
        EXPECT_EQ(def.nSetting, 1);
    }
}

TEST(Sound, ABufferWhoseSamplesCannotBeWrittenIsNotCreated)
{
    ScopedTestDir dir;
    TraceLogInit(1, "trace.txt");
    ScopedSwap refusing(lpDirectSoundCreate, LockRefusingDirectSound);
    SoundWindow window;
    ASSERT_TRUE(DS_Init(window.Handle(), 22050, 8, 1));
    WriteFileBytes("a.wav", WaveFile(WAVE_FORMAT_PCM, 100));
    DSSOUND sound;
    EXPECT_FALSE(DS_LoadSound(sound, "a.wav", 1, 0));
    for (const cComPtr<IDirectSoundBuffer>& buffer : sound.Buffers) EXPECT_EQ(buffer.Get(), nullptr);
    DS_FreeSound(sound);
    DS_Release();
    EXPECT_NE(ReadFileText("trace.txt").find("a.wav生成失敗！"), std::string::npos);
    TraceLogInit(0, "");
}
