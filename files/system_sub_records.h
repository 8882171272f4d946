#pragma once
// The small records the system settings hold in their lists: a menu item, an
// item of the status bar, the ranking rules of one play mode and one
// "System.ini" key with its default.
#include <cstdint>
#include <string>
#include <vector>

#include "records/data_record.h"

// One menu entry; its position in its menu is its kind.
class cMenuItem : public cDataRecord {
public:
    int32_t m_bVisible = 1;
    std::string m_strText;

    // Visible, empty text.
    cMenuItem();
    cMenuItem(int visible, std::string text);
    void RegisterFields(int version) override;
};

// One item of the status bar (score, stage score, HP, SP, lives).
class cStatusItem : public cDataRecord {
public:
    int32_t m_bVisible = 0;
    int32_t m_bIcon = 0;        // 1: a 16 x 16 icon before the value; 0: the label text
    int32_t m_nDigits = 0;      // width kept for the value, in 16-pixel characters
    int32_t m_bShowValue = 0;   // gauges also print their value
    int32_t m_nLowLevel = 0;    // the level at which a gauge turns to its low colour
    int32_t m_bLowPercent = 0;  // 1: m_nLowLevel is a percentage of the maximum
    std::string m_strLabel;

    // Every value 0, empty label.
    cStatusItem();
    void RegisterFields(int version) override;
    // Items stored before gauges could print their value do print it.
    bool Load(cDataReader& in) override;
};

// The ranking rules of one play mode: rankings on, and one byte per ranking
// genre (score, remaining time, clear time, remaining HP, remaining SP).
class cModeSetting : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 8 + 4;   // record, genre count

    int32_t m_bRanking = 0;
    std::vector<unsigned char> m_Genres;

    // Rankings off, five genres off.
    cModeSetting();
    void RegisterFields(int version) override;
    // The record, then u32 n and n genre bytes.
    bool Load(cDataReader& in) override;
    void Save(cDataWriter& out) override;
};

// One key of "System.ini" and the default the game gives it.
class cIniOption : public cDataRecord {
public:
    int32_t m_nKind = 0;        // 0 a number key, 1 a text key
    std::string m_strKey;
    int32_t m_nValue = 0;
    std::string m_strValue;

    // Kind 0, value 0, empty key and text.
    cIniOption();
    void RegisterFields(int version) override;
    // Makes this a number key with its default (the text is left as it is).
    cIniOption& SetInt(const char* key, int value);
    // Makes this a text key with its default (the number is left as it is).
    cIniOption& SetString(const char* key, const char* text);
};
