#pragma once
// "Vox.dll", the Ogg Vorbis player library, as both sides see it: the music
// component loads the library at run time and takes one player object per
// music channel from its export "CreateVox". This header is the whole
// contract between the two; neither side relies on anything not written here.
//
// A player object begins with a pointer to its table of operations, and every
// operation takes the object itself as its first argument. Every call, the
// export included, is __stdcall; the export's name is undecorated.

#define VOXCALL __stdcall

// The loop count that makes a tune repeat for ever.
#define VOX_LOOP_ENDLESS 0x7FFFFFFF

// What GetStatus reports.
#define VOX_STATUS_EMPTY 0    // no file loaded
#define VOX_STATUS_STOPPED 1  // a file loaded and silent (stopped, or played to its end)
#define VOX_STATUS_PLAYING 2  // sounding

struct VOXPLAYER;

// The operations in their fixed slot order. Every operation may be called at
// any time, in any state; all of them come from one thread of the caller.
struct VOXOPS {
    // 0: opens an Ogg Vorbis file by path (ANSI code page), dropping the file
    // loaded before; non-zero when the file is loaded and ready to play.
    unsigned char(VOXCALL* Load)(VOXPLAYER* self, const char* path);
    // 1: starts the loaded tune from its beginning and returns at once; the
    // tune plays on a thread of the library.
    void(VOXCALL* Play)(VOXPLAYER* self);
    // 2: silences the tune; the file stays loaded.
    void(VOXCALL* Stop)(VOXPLAYER* self);
    // 3: stops and drops the loaded file.
    void(VOXCALL* Close)(VOXPLAYER* self);
    // 4: how often the tune starts again at its end, without a gap: 0 plays
    // it once, n repeats it n more times, VOX_LOOP_ENDLESS repeats it for ever;
    // a negative count counts as 0. Applies from the next Play on.
    void(VOXCALL* SetLoop)(VOXPLAYER* self, int count);
    // 5 to 8: what the player is doing; the game does not ask, tools and
    // tests do.
    int(VOXCALL* GetStatus)(VOXPLAYER* self);
    // Sample frames handed to the audio output since the last Play, every
    // pass of the tune counted.
    unsigned(VOXCALL* GetPosition)(VOXPLAYER* self);
    // Sample frames in one pass of the loaded tune; 0 without a file.
    unsigned(VOXCALL* GetLength)(VOXPLAYER* self);
    // Samples a second of the loaded tune; 0 without a file.
    unsigned(VOXCALL* GetRate)(VOXPLAYER* self);
    // 9: stops, drops the file and frees the object.
    void(VOXCALL* Delete)(VOXPLAYER* self);
};

struct VOXPLAYER {
    const VOXOPS* lpOps;
};

// The export "CreateVox": a new player, or null when none can be made.
typedef VOXPLAYER*(VOXCALL* LPCREATEVOX)(void);
