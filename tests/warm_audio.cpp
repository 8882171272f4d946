// Opens the sound devices of a new Wine prefix once, before the tests start:
// the first opening sets the devices up, and test programs that open them
// side by side at that moment could fail. Exit code 0 when both DirectSound
// and waveOut opened.
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

int main()
{
    int status = 0;
    IDirectSound* sound = nullptr;
    if (SUCCEEDED(DirectSoundCreate(nullptr, &sound, nullptr)) && sound) {
        sound->Release();
    } else {
        status |= 1;
    }
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 22050;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = 22050 * 4;
    HWAVEOUT out = nullptr;
    if (waveOutOpen(&out, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR) {
        waveOutClose(out);
    } else {
        status |= 2;
    }
    return status;
}
