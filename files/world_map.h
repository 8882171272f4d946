#pragma once
// The world map of story mode: a grid of chips over which the walker moves a
// cell at a time, and points on cells, each with stage entries of which the
// first in force is the one that counts. Read from the data folder at
// start-up and never written by the game.
//
// Stored form ("WorldMap.dat", after the u32 data version):
//   the map record        u32 8, width, height, pitch, shift, start x, start y,
//                         background colour, background picture; u32 2, name,
//                         background file
//   chips                 u32 n, each: u32 3, three ints, u32 2, two strings
//   cells                 u32 n (height x pitch), n int32
//   points, spare points  u32 n, each: u32 2, x, y, u32 1, name; u32 entry
//                         count, each entry: u32 11 (10 up to version 208),
//                         the ints, u32 2, caption, stage file
// The stored pitch, shift and cell count are not trusted: the cell table is
// rebuilt for the stored width and height when the map is read.
#include <cstdint>
#include <string>
#include <vector>

#include "records/data_record.h"

// One chip kind; a cell holds an index into the chip list.
class cWorldMapChip : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 4 + 12 + 4 + 8;

    int32_t m_nFirst = 0;        // not read by the game
    int32_t m_bImpassable = 0;   // the walker cannot enter it where no stage entry stands
    int32_t m_nPicture = 0;      // cell of the chip picture: (32 x (n mod 5), 32 x (n div 5))
    std::string m_sFirstText;    // not read by the game
    std::string m_sName;

    cWorldMapChip();
    void RegisterFields(int version) override;
};

// Entry kinds and on-clear steps of a stage entry.
enum { WORLD_STAGE = 0, WORLD_ROAD = 1, WORLD_WALL = 2 };
enum { WORLD_CLEAR_NOTHING = 0, WORLD_CLEAR_NEXT_LAP = 1, WORLD_CLEAR_TITLE = 2 };

// The clear flags a game keeps; an entry whose clear number lies beyond
// them is never in force.
constexpr int WORLD_CLEAR_FLAGS = 1000;

// One stage entry of a point.
class cWorldMapStage : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 4 + 40 + 4 + 8;

    int32_t m_nKind = 0;          // WORLD_STAGE, WORLD_ROAD, WORLD_WALL
    int32_t m_nIcon = 0;          // row of the world-event picture
    int32_t m_nClearNo = 0;       // its clear flag; also the stage number of the play
    int32_t m_bPassable = 0;      // may be walked over before it is cleared
    int32_t m_bReplayable = 0;
    int32_t m_nOnClear = 0;       // WORLD_CLEAR_...
    int32_t m_nRequiredClear = 0; // above 0: in force only once that flag is set
    int32_t m_nVariable = 0;      // not 0: in force only when this common variable passes the comparison
    int32_t m_nCompareValue = 0;
    int32_t m_nCompareOp = 0;     // 0 ==, 1 !=, 2 >=, 3 <=, 4 >, 5 <, 6 multiple of, 7 not a multiple of
    int32_t m_nMinTotal = 0;      // from 209: the running total of best values needed
    std::string m_sCaption;
    std::string m_sStageFile;

    cWorldMapStage();
    void RegisterFields(int version) override;
    // Files up to 208 have no minimum total: it becomes 0.
    bool Load(cDataReader& in) override;

    // Whether the entry is in force for a game with these clear flags, common
    // variables and running total of best values. A clear number or required
    // clear outside the clear flags, or a variable outside the common
    // variables, is never in force.
    bool IsInForce(const std::vector<int32_t>& clearFlags, const std::vector<int32_t>& commonVars,
                   int bestTotal) const;
};

// Whether variable passes the comparison with value by operator op.
bool WorldCompare(int variable, int op, int value);

// A point on the map and its stage entries in priority order.
class cWorldMapPoint : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 4 + 8 + 4 + 4 + 4;

    int32_t m_nX = 0;
    int32_t m_nY = 0;
    std::string m_sName;
    std::vector<cWorldMapStage> m_Stages;

    cWorldMapPoint();
    void RegisterFields(int version) override;
    bool Load(cDataReader& in) override;
    void Save(cDataWriter& out) override;
    // A cleared point holding exactly one cleared entry.
    void SetDefault();
};

class cWorldMap : public cDataRecord {
public:
    int32_t m_nWidth = 20;
    int32_t m_nHeight = 15;
    int32_t m_nPitch = 32;      // smallest power of two not below the width
    int32_t m_nShift = 5;       // log2 of the pitch
    int32_t m_nStartX = 9;
    int32_t m_nStartY = 7;
    int32_t m_nBackColor = 16;  // palette index the map is filled with
    int32_t m_bBackPicture = 0; // the background picture is drawn under the chips
    std::string m_sName;
    std::string m_sBackFile;
    std::vector<cWorldMapChip> m_Chips;
    std::vector<int32_t> m_Cells;  // height x pitch chip numbers; cell (x, y) is x + (y << shift)
    std::vector<cWorldMapPoint> m_Points;
    std::vector<cWorldMapPoint> m_SparePoints;  // only loaded and saved

    // The map of a new game.
    cWorldMap();
    void RegisterFields(int version) override;
    // The map, its cell table rebuilt for the stored size, then Normalize.
    // A width or height below 1, or a map too large to hold, is damage: the
    // map then becomes the default map.
    bool Load(cDataReader& in) override;
    // Normalize, then the map as stored.
    void Save(cDataWriter& out) override;

    // The shift and pitch of the cell table for a width (below 1 counts as 1).
    static void CalcPitch(int width, int32_t* shift, int32_t* pitch);
    // Resizes the map keeping the cells both sizes share; new cells are chip
    // 0. 0 (nothing changed) when a size is below 1 or the map would be too
    // large to hold, else 1.
    int SetSize(int width, int height);
    // Pulls a start cell beyond the map back onto its last column or row, and
    // removes points beyond the map from the point list.
    void Normalize();
    // Ten chips (0 to 4 impassable, 5 to 9 passable), 20 by 15 cells of chip
    // 0, start (9, 7), no points and one default spare point.
    void SetDefault();

    // The first point of the point list on the cell, or null.
    cWorldMapPoint* FindPointAt(int x, int y);
    // Whether a stage entry of the map plays a stage file with this stage key
    // (see cGameProgress::SetStageName).
    int HasStageKey(const std::string& key) const;
    // The chip number of a cell; 0 outside the map.
    int CellAt(int x, int y) const;
    // Whether the walker may enter a cell where no stage entry is in force:
    // its chip is passable (a chip number the chip list lacks counts as
    // passable).
    bool IsCellPassable(int x, int y) const;

    // A stage entry of the point list as a 32-bit reference that a game
    // progress can hold while the stage is played: 0 for none (or an entry
    // not in the point list), else 1 + point index x 65536 + entry index.
    int32_t StageRef(const cWorldMapStage* entry) const;
    // The entry of a reference, or null when the map holds no such entry.
    const cWorldMapStage* FindStageRef(int32_t ref) const;
};

// Threads: loaded at start-up by the window thread, then the game thread's.
extern cWorldMap WorldMap;
extern const char* const aWorldStageKindLabel[4];
extern const char* const aWorldOnClearLabel[4];
