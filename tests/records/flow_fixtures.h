#pragma once
// Stored forms of commands, key conditions and flows typed field by field,
// for fixtures of any data version.
#include <string>
#include <vector>

#include "tests/records/flow_test_support.h"

using Bytes = std::vector<unsigned char>;

// A stored string: u32 length + 1, then the text and its NUL when not empty.
inline void PutString(FixtureBytes& b, const std::string& text)
{
    b.u32(static_cast<uint32_t>(text.size() + 1));
    if (!text.empty()) {
        b.bytes(Bytes(text.begin(), text.end()));
        b.u8(0);
    }
}

// A condition in the order a file of version 110 or later stores its fields.
struct ConditionFixture {
    int kind = 0, value = 0, randomLow = 0, randomHigh = 0, subject = 0, status = 0, leftClass = 0, leftScope = 0,
        index = 0, rightSource = 0, rightSubject = 0, rightStatus = 0, rightScope = 0, rightIndex = 0, op = 0,
        percent = 0, axis = 0;

    Bytes Stored() const
    {
        FixtureBytes b;
        b.u32(17).u8(kind).i32(value).i32(randomLow).i32(randomHigh).u8(subject).u8(status).u8(leftClass);
        b.u8(leftScope).i16(index).u8(rightSource).u8(rightSubject).u8(rightStatus).u8(rightScope).i16(rightIndex);
        b.u8(op).u8(percent).u8(axis).u32(0);
        return b.get();
    }
};

struct CommandFixture {
    int item = 0, kind = 0, time = 0, timeStep = 0, noWait = 0, sound = 0, soundOnScreen = 1, startAnime = 0;
    std::string text;
    bool hasMove = false, hasShot = false;
    Bytes move, shot;         // the records, when present
    std::vector<Bytes> flows;
    std::vector<int> params;

    Bytes Stored() const
    {
        FixtureBytes b;
        b.u32(8).u8(item).u8(kind).i16(time).i16(timeStep).u8(noWait).i16(sound).u8(soundOnScreen).i16(startAnime);
        b.u32(1);
        PutString(b, text);
        b.u32(hasMove ? 1 : 0).bytes(move);
        b.u32(hasShot ? 1 : 0).bytes(shot);
        b.u32(static_cast<uint32_t>(flows.size()));
        for (const Bytes& f : flows) b.bytes(f);
        b.u32(static_cast<uint32_t>(params.size()));
        for (int p : params) b.i32(p);
        return b.get();
    }
};

struct KeyCondFixture {
    int mirror = 0, minFrames = 0, maxFrames = 0, anyLength = 0, mode = 0;
    std::vector<int> states = std::vector<int>(19, 0);

    Bytes Stored() const
    {
        FixtureBytes b;
        b.u32(5).u8(mirror).i16(minFrames).i16(maxFrames).u8(anyLength).u8(mode).u32(0);
        b.u32(static_cast<uint32_t>(states.size()));
        for (int s : states) b.u8(s);
        return b.get();
    }
};

struct FlowFixture {
    int flowId = 0, flag = 0, editorOnly = 0, condMode = 0, condLatch = 0, trigger = 0, keyWindow = 0, keyRepeat = 0;
    bool storesName = true;  // files of version 676 and later
    std::string name;
    std::vector<Bytes> conditions, keyConds, commands;

    Bytes Stored() const
    {
        FixtureBytes b;
        b.u32(8).u8(flowId).u8(flag).u8(editorOnly).u8(condMode).u8(condLatch).u8(trigger).u8(keyWindow).u8(keyRepeat);
        if (storesName) {
            b.u32(1);
            PutString(b, name);
        } else {
            b.u32(0);
        }
        for (const std::vector<Bytes>* list : {&conditions, &keyConds, &commands}) {
            b.u32(static_cast<uint32_t>(list->size()));
            for (const Bytes& e : *list) b.bytes(e);
        }
        return b.get();
    }
};

// A list of records as stored: u32 count, then each.
inline Bytes StoredList(const std::vector<Bytes>& elements)
{
    FixtureBytes b;
    b.u32(static_cast<uint32_t>(elements.size()));
    for (const Bytes& e : elements) b.bytes(e);
    return b.get();
}
