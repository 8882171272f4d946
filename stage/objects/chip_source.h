#pragma once
// Where the chip of a graphic lies: which surfaces of the fixed table (or of
// the stage's extra character images) hold it for the object's facing and
// its mirrored one, and where in them. Characters, items, message icons and
// character icons are drawn from it.
//
// Graphic kinds: 0 the block sheet, 1 the eight character sheets, 2 the item
// sheet, 3 the two work surfaces, 4 an extra character image (chip = its
// 1-based number). Uses: 1 a character is given (its facing picks its own
// surface), 2 an item, others no object.
class cStageObject;
class cBmpCharaExcData;
struct DDSURFACEDATA;

enum { CHIPUSE_CHARA = 1, CHIPUSE_ITEM = 2 };

// The surfaces and the pixel of a chip, before any surface is looked at:
// surface numbers of the fixed table (kind 4: of the extra images), for the
// object's own facing and the other one, each in the first and the second
// copy of the surface pair.
struct CHIPCELL {
    int nOwn[2] = {0, 0};
    int nOther[2] = {0, 0};
    int bExtra = 0;           // the numbers are of the extra images
    int bCheckSize = 0;       // a position outside the own surface falls back to sheet 0 at (0, 0)
    int bOwnCellSize = 0;
    int nCellFactor = 1;
    int nSrcX = 0, nSrcY = 0;
};

// extra: the extra image's record for kind 4 (null: cells of one block).
// A character sheet past the eighth, or a cell size outside 1..16, reads as
// sheet 0 at (0, 0) or as cells of one block, with one report-log line.
CHIPCELL LocateChip(int use, int kind, int chip, int offset, const cStageObject* obj, int frame,
                    const cBmpCharaExcData* extra);

// The fallback of a character sheet position outside its surface.
constexpr int CHIP_FALLBACK_SURFACE[2] = {4, 22};

// A surface of an extra image the stage has not loaded is null (reported as
// a bad index).
struct CHIPSRC {
    DDSURFACEDATA* lpCandidates[4] = {};  // own, other (first copy); own, other (second copy)
    DDSURFACEDATA* lpOwn = nullptr;       // the chosen pair
    DDSURFACEDATA* lpOther = nullptr;
    int bOwnCellSize = 0;
    int nCellFactor = 1;
    int nSrcX = 0, nSrcY = 0;

    void Set(int use, int kind, int chip, int offset, const cStageObject* obj, int frame);
};

// Chooses the character drawing's surfaces for the display in use.
void SelectChipSurfaces();
// The mark sheet, the stretch work surface and the effect work surface chosen.
extern int nMarkSheetSurface, nStretchWorkSurface, nEffectWorkSurface;

// One chip drawn as a 16 x 16 icon at (x, y).
void DrawChipIcon(DDSURFACEDATA* target, int x, int y, int kind, int chip, int frame);
