#pragma once
// One command of a flow or of an item definition: a kind, its parameters by
// position, an optional text, optional movement and shot records, a running
// time with its sound and start animation, and, for the item command
// "フローの変更", the flows it gives a character.
//
// Stored form: the record part (eight fields and the text), the movement
// record and the shot record each behind a u32 presence, the flows (u32
// count, then the flows), the parameters (u32 count, then int32 values).
//
// The movement and shot records are held through boost::shared_ptr, but
// never shared: every copy of a command gets records of its own.
//
// A kind outside its vocabulary is kept with its parameters as stored; such
// a command does nothing (nothing is looked up with its kind).
#include <cstdint>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "records/command_labels.h"
#include "records/data_record.h"
#include "records/move_data.h"
#include "records/record_list.h"
#include "records/shot_data.h"

class cFlowData;

class cCommandData : public cDataRecord {
public:
    // The record part, the two presences, the flow count, the parameter count.
    static constexpr size_t MIN_STORED_BYTES = 8 + 4 + 4 + 4 + 4;

    uint8_t m_bItemCommand = 0;        // 0 character command, 1 item command
    int8_t m_cKind = 0;                // in the vocabulary the item flag selects
    std::vector<int32_t> m_Params;
    std::string m_sText;               // "メッセージ": the message; "コードの実行": the code
    boost::shared_ptr<cEdMove> m_pMove;
    boost::shared_ptr<cEdShot> m_pShot;
    int16_t m_sTime = 0;               // tenths of a second
    int16_t m_sTimeStep = 0;           // added per copy number
    uint8_t m_bNoWait = 0;             // the flow goes on with the next command at once
    int16_t m_sSound = 0;              // user sound effect, 0 none
    uint8_t m_bSoundOnScreen = 1;      // the sound plays only while the character is on screen
    int16_t m_sStartAnime = 0;         // animation started with the command, 0 none
    std::vector<cFlowData> m_Flows;    // "フローの変更": the flows it adds or puts in

    // Registered with DATA_VERSION, then Reset.
    cCommandData();
    cCommandData(const cCommandData& other);
    cCommandData(cCommandData&& other) noexcept;
    cCommandData& operator=(const cCommandData& other);
    cCommandData& operator=(cCommandData&& other) noexcept;
    ~cCommandData() override;

    // Every field 0, text empty, no movement or shot record, sound on screen 1.
    void Reset();
    void RegisterFields(int version) override;
    // The command, its records, flows and parameters; then the upgrades of
    // older files, the removal of editor-only flows and Validate.
    bool Load(cDataReader& in) override;
    // Validate, then the command as stored.
    void Save(cDataWriter& out) override;

    // Repairs references into the database, gives the parameters the count of
    // the kind, takes a sword's time from its sword type, and validates the
    // carried flows.
    void Validate();
    // Repairs references into the common and stage palettes, then those of
    // the carried flows.
    void ValidateRefs();

    // The character command kind this command is: its kind for a character
    // command, kind + ITEMCMD_TO_FLOWCMD for the item commands shared with
    // characters; -1 for a kind outside the vocabulary and for
    // "フローの変更", which has no character counterpart.
    int CharaKind() const;
    // The parameter count of this command's kind, or -1 for an unknown kind.
    int ParamCount() const;

private:
    void CopyFrom(const cCommandData& other);
    void Upgrade();
    // Parameter i, or 0 when the list does not reach it.
    int32_t Param(size_t i) const { return i < m_Params.size() ? m_Params[i] : 0; }
    // Sets parameter i, lengthening the list with zeros to reach it.
    void SetParam(size_t i, int32_t value);
    void ResizeParams(size_t n) { m_Params.resize(n, 0); }
};

// Reads a stored command list; every element starts as a reset command.
bool ReadCommandList(std::vector<cCommandData>& list, cDataReader& in);
