#pragma once
// The definition of one character: appearance, physical and combat values,
// states, the rules by which it takes part in a stage, and the flows that
// make it act. The rows of the palettes' character lists; placed characters
// and the carry-over record hold definitions too, and every character of a
// running stage works on a copy of its own.
//
// Stored form: the record part (53 fields at the current version, the name),
// the carried cell column, row (int16 each) and item link (int32), the
// inherit flags (u32 n, n bytes), the conditions and the flows (each a u32
// count, then the records). Files before 285 hold fewer fields (see
// RegisterFields); Load brings them and their inherit flags to the current
// layout.
#include <cstdint>
#include <string>
#include <vector>

#include "records/condition_data.h"
#include "records/definition_record.h"
#include "records/flow_data.h"
#include "records/inherit.h"

// Control: who drives the character.
enum { CHARA_PLAYER = 0, CHARA_COMPUTER = 1 };

class cCharaData : public cDefinitionRecord {
public:
    // The record part, the carried values, the flag count and two list counts.
    static constexpr size_t MIN_STORED_BYTES = 8 + 8 + 4 + 4 + 4;
    static constexpr size_t INHERIT_GROUPS = 37;
    // The group of the flow list.
    static constexpr size_t FLOW_GROUP = 36;

    // The head fields, the carried cell, the flags and the conditions: cDefinitionRecord.
    int8_t m_cFacing = 0;            // 0 left, 1 right
    int8_t m_cExtraCopies = 0;       // placed this + 1 times; negative: none
    int16_t m_sOffsetXBase = 0;      // pixels, see OffsetX
    int16_t m_sOffsetXStep = 0;      // pixels per copy
    int16_t m_sOffsetYBase = 0;
    int16_t m_sOffsetYStep = 0;
    int8_t m_bMirrorX = 0;           // x offsets negated when facing right
    int8_t m_bMirrorY = 0;
    int16_t m_sGraphic = 0;          // image within the kind; kind 4: row of the character images
    int8_t m_cGraphicKind = 1;       // GRAPHIC_... (block_data.h)
    int16_t m_sChipOffset = 0;       // added to every animation frame's chip
    int16_t m_sAnimeSet = 0;         // basic animation set
    int8_t m_cZOrder = 3;            // drawing layer
    int8_t m_bTransparent = 0;       // not drawn
    int16_t m_sPlaceEffect = 0;      // character effect when placed, 0 none
    int8_t m_cPlaceEffectDir = 0;    // from 196: 1 reversed
    int8_t m_bPlaceEffectLoop = 1;
    int16_t m_sDeathEffect = 0;      // character effect when it dies, 0 none
    int8_t m_cDeathEffectDir = 0;    // from 196
    int8_t m_bMark = 0;              // the mark chip is drawn over it
    int16_t m_sMark = 0;             // 0..119
    int8_t m_cControl = CHARA_COMPUTER;
    int8_t m_cPlayerNo = 0;          // the input of a player character
    int8_t m_cPass = 1;              // blocks with this pass-through number do not stop it
    int8_t m_cCharaId = 0;           // 0..99
    int8_t m_cFlying = 0;            // 0 off, 1 through blocks, 2 hits blocks, 3 dies on blocks
    int8_t m_bFixedFacing = 1;       // only the turn command turns it
    int8_t m_cInvincible = 0;        // 0 off, 1 shots hit, 2 shots pass
    int8_t m_cInvincibleColor = 0;   // from 285: animated colour while invincible, 0 none
    int8_t m_bFullCellBoxes = 0;     // both hit boxes are the whole cell
    int8_t m_cSize = 1;              // size factor 1..10
    int8_t m_bAutoScrollSync = 0;    // from 210: moves with the auto-scroll
    int8_t m_cSightShape = 0;        // 0 whole screen, 1..4 circles and squares
    int8_t m_cSightRange = 0;        // half blocks
    int32_t m_nMaxHp = 10;
    int32_t m_nMaxSp = 0;
    int16_t m_sStop = 10;            // ease of stopping 0..200
    int8_t m_cContactBox = 0;        // from 201: the box of character-to-character contact
    int32_t m_nPower = 0;            // body-hit damage
    int8_t m_cImpact = 0;            // body-hit knock-back
    int16_t m_sDamageEffect = 0;     // effect shown where the body hit deals damage, 0 none
    int32_t m_nDefence = 0;          // from 168
    int8_t m_cImpactResist = 0;
    int32_t m_nScore = 0;
    int8_t m_cReserved = 1;          // kept, copied and written; no meaning
    int8_t m_bGroupOn = 0;           // also appears when its group is marked
    int16_t m_sGroup = 0;
    int8_t m_cRange = 0;             // activity range: 0 screen, 1 x only, 2 y only, 3 whole stage
    int8_t m_cAppear = 0;            // appearance mode

    // Not registered: carried with the definition for the stage, never acted on here.
    int32_t m_nItemLink = 0;         // placed item it carries, -1 none
    std::vector<cFlowData> m_Flows;

    // Registered with DATA_VERSION, then Reset.
    cCharaData();

    // The carried values 0, cleared, 37 flags all 0, then the defaults; the
    // lists are left alone.
    void Reset();
    void RegisterFields(int version) override;

    // Copies the flagged groups from the base.
    void Inherit();
    // Repairs references into the palettes and the database and removes
    // flows that hold nothing.
    void ValidateRefs();
    // Repairs the flows' references into the palettes.
    void ValidateFlows();

    // The placement offset of copy n: n x step + base, negated when facing
    // right with the offsets mirrored.
    double OffsetX(int n, int facing) const;
    double OffsetY(int n, int facing) const;

protected:
    // The item link follows the carried cell, the flows the conditions;
    // editor-only flows are dropped as they are read. Loading upgrades older
    // files, then Inherit, ValidateRefs; saving runs ValidateRefs first.
    void ReadMiddle(cDataReader& in) override;
    void WriteMiddle(cDataWriter& out) override;
    void ReadTail(cDataReader& in) override;
    void WriteTail(cDataWriter& out) override;
    void UpgradeFrom(int fileVersion) override;
    void InheritFromBase() override { Inherit(); }
    void ValidateStored() override { ValidateRefs(); }

private:
    // Makes room for group k, which an older layout lacked, and has it inherited.
    void InsertInheritFlag(size_t k);
    void Upgrade(int version);
};
