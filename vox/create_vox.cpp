// The library's one export and the table of operations behind every player.
#include <memory>
#include <new>

#include "vox/vox_player.h"

namespace {

cVoxPlayer* Self(VOXPLAYER* self) { return static_cast<cVoxPlayer*>(self); }

unsigned char VOXCALL OpLoad(VOXPLAYER* self, const char* path) { return Self(self)->Load(path) ? 1 : 0; }
void VOXCALL OpPlay(VOXPLAYER* self) { Self(self)->Play(); }
void VOXCALL OpStop(VOXPLAYER* self) { Self(self)->Stop(); }
void VOXCALL OpClose(VOXPLAYER* self) { Self(self)->Close(); }
void VOXCALL OpSetLoop(VOXPLAYER* self, int count) { Self(self)->SetLoop(count); }
int VOXCALL OpGetStatus(VOXPLAYER* self) { return Self(self)->Status(); }
unsigned VOXCALL OpGetPosition(VOXPLAYER* self) { return Self(self)->Position(); }
unsigned VOXCALL OpGetLength(VOXPLAYER* self) { return Self(self)->Length(); }
unsigned VOXCALL OpGetRate(VOXPLAYER* self) { return Self(self)->Rate(); }
void VOXCALL OpDelete(VOXPLAYER* self) { std::unique_ptr<cVoxPlayer> gone(Self(self)); }

const VOXOPS PlayerOps = {OpLoad,        OpPlay,        OpStop,      OpClose,   OpSetLoop,
                          OpGetStatus,   OpGetPosition, OpGetLength, OpGetRate, OpDelete};

} // namespace

extern "C" __declspec(dllexport) VOXPLAYER* VOXCALL CreateVox(void)
{
    std::unique_ptr<cVoxPlayer> player(new (std::nothrow) cVoxPlayer());
    if (!player) return nullptr;
    player->lpOps = &PlayerOps;
    // The caller owns it from here and ends it with its Delete operation.
    return player.release();
}
