#include "stage/script/evaluator.h"

#include <climits>
#include <cstdint>
#include <vector>

#include "app/base/log.h"
#include "files/game_progress.h"
#include "files/stage_file.h"
#include "records/command_data.h"
#include "stage/objects/chara.h"
#include "stage/script/flow_commands.h"
#include "stage/objects/play_links.h"
#include "stage/objects/player.h"
#include "stage/objects/random.h"
#include "stage/scene/stage_boxes.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"

int bCodeError = 0;

namespace {

// Keyword tables, each closed by an empty string.
const char* const aCodeFunctionName[] = {"rand", ""};
const char* const aCodeOperatorName[] = {"=", "+", "-", "*", "/", "%", ""};
// The pass in which each operator applies: "*", "/", "%" first, "=" last.
const int aCodeOperatorPass[] = {2, 1, 1, 0, 0, 0};
const char* const aCodeObjectName[] = {"my", "tg", "pl", "sys", ""};
const char* const aCodeScopeName[] = {"C", "S", ""};
const char* const aCodeCharaStatusName[] = {
    "v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "hp", "sp", "mhp", "msp", "cid", "z",
    "mark", "sight", "power", "imp", "def", "impd", "stop", "getsc", ""};
const char* const aCodeSysStatusName[] = {"time", "scrlx", "scrly", "score", "life", ""};

enum { OP_ASSIGN = 0, OP_ADD, OP_SUB, OP_MUL, OP_DIV, OP_MOD, OP_COUNT };
enum { OBJ_MY = 0, OBJ_TG, OBJ_PL, OBJ_SYS };
enum { SCOPE_COMMON = 0, SCOPE_STAGE };
enum {
    CST_V1 = 0, CST_V8 = 7, CST_HP, CST_SP, CST_MHP, CST_MSP, CST_CID, CST_Z, CST_MARK, CST_SIGHT,
    CST_POWER, CST_IMP, CST_DEF, CST_IMPD, CST_STOP, CST_GETSC, CST_COUNT
};
enum { SST_TIME = 0, SST_SCRLX, SST_SCRLY, SST_SCORE, SST_LIFE, SST_COUNT };

// Storage widths of a token.
enum { WIDTH_BYTE = 0, WIDTH_SHORT = 2, WIDTH_INT = 4 };

enum {
    CODETOKEN_CONST = 0,
    CODETOKEN_VARIABLE = 1,
    CODETOKEN_CHARA_STATUS = 2,
    CODETOKEN_SYS_STATUS = 3,
    CODETOKEN_OPERATOR = 4,
};

constexpr int VALUE_LIMIT = 999999;

struct CODETOKEN {
    int nKind = CODETOKEN_CONST;
    int nValue = 0;                   // read when the token is made
    void* lpStorage = nullptr;        // what it stands for; none for constants, operators, results
    int nWidth = WIDTH_INT;
    int nLow = -VALUE_LIMIT, nHigh = VALUE_LIMIT;
    int nIndex = 0;                   // operator or status index
    cChara* lpOwner = nullptr;        // the character of a character status
};

// Bracketed texts and arguments deeper than this are refused: every level
// is a call of the reducer, and a hostile text must not use up the stack.
constexpr int MAX_NESTING = 200;

// The index of word in a keyword table, or -1.
int FindWord(const char* const* table, const std::string& word)
{
    for (int i = 0; table[i][0] != '\0'; ++i)
        if (word == table[i]) return i;
    return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// A decimal integer as the words read one: leading blanks, one sign, the
// digits up to the first other character; 0 without digits. A number too
// long for an int stops at the nearest end of its range.
int ReadNumber(const std::string& text, size_t from = 0)
{
    size_t i = from;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<int64_t>(INT_MAX) + 1) value = static_cast<int64_t>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

int Clamp(int v, int low, int high) { return v < low ? low : v > high ? high : v; }

// 32-bit arithmetic that wraps around instead of overflowing.
int WrapAdd(int a, int b) { return static_cast<int>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }
int WrapSub(int a, int b) { return static_cast<int>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b)); }
int WrapMul(int a, int b) { return static_cast<int>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b)); }

int ReadStorage(const void* p, int width)
{
    switch (width) {
    case WIDTH_BYTE: return *static_cast<const int8_t*>(p);
    case WIDTH_SHORT: return *static_cast<const int16_t*>(p);
    default: return *static_cast<const int32_t*>(p);
    }
}

void WriteStorage(void* p, int width, int value)
{
    switch (width) {
    case WIDTH_BYTE: *static_cast<int8_t*>(p) = static_cast<int8_t>(value); break;
    case WIDTH_SHORT: *static_cast<int16_t*>(p) = static_cast<int16_t>(value); break;
    default: *static_cast<int32_t*>(p) = value; break;
    }
}

void Fail() { bCodeError = 1; }

// A mistake in the text that has no box of its own: one report-log line.
void FailQuietly(const char* what, const std::string& text)
{
    ReportLog("err code \"%s\": %s", text.c_str(), what);
    bCodeError = 1;
}

// The token of a character status of c (null: a status without storage).
CODETOKEN CharaStatusToken(int status, cChara* c)
{
    CODETOKEN t;
    t.nKind = CODETOKEN_CHARA_STATUS;
    t.nIndex = status;
    t.lpOwner = c;
    if (!c) return t;
    cCharaData& d = c->m_Def;
    auto at = [&t](void* p, int width, int low, int high) {
        t.lpStorage = p;
        t.nWidth = width;
        t.nLow = low;
        t.nHigh = high;
    };
    switch (status) {
    case CST_HP: at(&c->m_nHp, WIDTH_INT, 0, d.m_nMaxHp); break;
    case CST_SP: at(&c->m_nSp, WIDTH_INT, 0, d.m_nMaxSp); break;
    case CST_MHP: at(&d.m_nMaxHp, WIDTH_INT, 1, VALUE_LIMIT); break;
    case CST_MSP: at(&d.m_nMaxSp, WIDTH_INT, 1, VALUE_LIMIT); break;
    case CST_CID: at(&d.m_cCharaId, WIDTH_BYTE, 0, 99); break;
    case CST_Z: at(&d.m_cZOrder, WIDTH_BYTE, 0, 7); break;
    case CST_MARK: at(&d.m_sMark, WIDTH_SHORT, 0, 119); break;
    case CST_SIGHT: at(&d.m_cSightRange, WIDTH_BYTE, 0, 40); break;
    case CST_POWER: at(&d.m_nPower, WIDTH_INT, -VALUE_LIMIT, VALUE_LIMIT); break;
    case CST_IMP: at(&d.m_cImpact, WIDTH_BYTE, -20, 20); break;
    case CST_DEF: at(&d.m_nDefence, WIDTH_INT, 0, VALUE_LIMIT); break;
    case CST_IMPD: at(&d.m_cImpactResist, WIDTH_BYTE, 0, 20); break;
    case CST_STOP: at(&d.m_sStop, WIDTH_SHORT, 0, 200); break;
    case CST_GETSC: at(&d.m_nScore, WIDTH_INT, -VALUE_LIMIT, VALUE_LIMIT); break;
    default: {
        size_t var = static_cast<size_t>(status - CST_V1 + 1);
        if (var < c->m_Vars.size()) at(&c->m_Vars[var], WIDTH_INT, -VALUE_LIMIT, VALUE_LIMIT);
        break;
    }
    }
    if (t.lpStorage) t.nValue = ReadStorage(t.lpStorage, t.nWidth);
    return t;
}

CODETOKEN SysStatusToken(int status)
{
    CODETOKEN t;
    t.nKind = CODETOKEN_SYS_STATUS;
    t.nIndex = status;
    switch (status) {
    case SST_TIME:
        if (lpStageScene) t.lpStorage = &lpStageScene->m_nTime;
        t.nLow = 0;
        t.nHigh = 999;
        break;
    case SST_SCRLX:
    case SST_SCRLY:
        t.lpStorage = status == SST_SCRLX ? &StageData.m_nAutoScrollSpeedX : &StageData.m_nAutoScrollSpeedY;
        t.nLow = -480;
        t.nHigh = 480;
        break;
    case SST_SCORE:
        t.lpStorage = &GameProgress.m_nScore;
        t.nLow = 0;
        break;
    case SST_LIFE:
        t.lpStorage = &GameProgress.m_nLives;
        t.nLow = 0;
        t.nHigh = 99;
        break;
    default: StageDebugBox("ステータスの識別エラー（未定義？）"); break;
    }
    if (t.lpStorage) t.nValue = ReadStorage(t.lpStorage, t.nWidth);
    if (status == SST_LIFE && t.nValue == INFINITE_LIVES) t.nValue = 0;
    return t;
}

// The token of a variable word (the scope letter and its index); false for
// an index outside the variables, which is an error.
bool VariableToken(int scope, const std::string& word, const std::string& text, CODETOKEN& t)
{
    t = CODETOKEN{};
    t.nKind = CODETOKEN_VARIABLE;
    int index = ReadNumber(word, 1);
    std::vector<int32_t>* vars = nullptr;
    switch (scope) {
    case SCOPE_COMMON: vars = &GameProgress.m_CommonVars; break;
    case SCOPE_STAGE: vars = lpStageScene ? &lpStageScene->m_StageVars : nullptr; break;
    default: StageDebugBox("変数の識別エラー（未定義？）"); return true;
    }
    if (!vars || index < 0 || static_cast<size_t>(index) >= vars->size()) {
        FailQuietly(FormatText("variable %s is outside the %d variables", word.c_str(),
                               vars ? static_cast<int>(vars->size()) : 0).c_str(), text);
        return false;
    }
    t.lpStorage = &(*vars)[static_cast<size_t>(index)];
    t.nValue = (*vars)[static_cast<size_t>(index)];
    return true;
}

// What an assignment brings about beyond the stored value.
void AfterAssign(const CODETOKEN& left, int value, cChara* running)
{
    if (left.nKind == CODETOKEN_CHARA_STATUS && left.lpOwner) {
        cChara& c = *left.lpOwner;
        switch (left.nIndex) {
        case CST_HP:
            if (&c != running && value < 1 && lpStageScene) lpStageScene->m_bStatusChanged = 1;
            break;
        case CST_MHP: c.m_nHp = Clamp(c.m_nHp, 1, c.m_Def.m_nMaxHp); break;
        case CST_MSP: c.m_nSp = Clamp(c.m_nSp, 1, c.m_Def.m_nMaxSp); break;
        case CST_SIGHT:
            if (c.m_nSide == 0) {
                c.m_nSightDots = c.m_Def.m_cSightRange * 16;
                if (lpStageScene) lpStageScene->CreateWorkSurfaces(65, 66);
            }
            break;
        default: break;
        }
    } else if (left.nKind == CODETOKEN_SYS_STATUS) {
        if (left.nIndex == SST_SCRLX) lpScrollX->SetAutoScroll(lpScrollX->m_bAutoScroll != 0, value);
        if (left.nIndex == SST_SCRLY) lpScrollY->SetAutoScroll(lpScrollY->m_bAutoScroll != 0, value);
    }
}

// Applies the operator between two value tokens; false after an error.
bool ApplyOperator(int op, const CODETOKEN& left, const CODETOKEN& right, const std::string& text,
                   cChara* running, int& result)
{
    int a = left.nValue, b = right.nValue;
    switch (op) {
    case OP_ADD: result = WrapAdd(a, b); return true;
    case OP_SUB: result = WrapSub(a, b); return true;
    case OP_MUL: result = WrapMul(a, b); return true;
    case OP_DIV:
    case OP_MOD:
        if (b == 0) {
            StageErrorBox("0除算が行われました！(%s)", text.c_str());
            Fail();
            return false;
        }
        // The one quotient that does not fit wraps to itself.
        if (a == INT_MIN && b == -1) result = op == OP_DIV ? INT_MIN : 0;
        else result = op == OP_DIV ? a / b : a % b;
        return true;
    case OP_ASSIGN: {
        if (!left.lpStorage) {
            FailQuietly("the left side of \"=\" holds no value that can be stored", text);
            return false;
        }
        int value = Clamp(b, left.nLow, left.nHigh);
        // Unlimited lives stay unlimited.
        if (left.nKind == CODETOKEN_SYS_STATUS && left.nIndex == SST_LIFE &&
            ReadStorage(left.lpStorage, left.nWidth) == INFINITE_LIVES)
            value = INFINITE_LIVES;
        WriteStorage(left.lpStorage, left.nWidth, value);
        result = ReadStorage(left.lpStorage, left.nWidth);
        AfterAssign(left, result, running);
        return true;
    }
    default:
        StageDebugBox("演算子のエラー（未定義？）");
        Fail();
        return false;
    }
}

// Makes the token of one word; false when the evaluation ends (an error or
// a missing target).
bool MakeToken(const std::string& word, const std::string& text, cChara* running, CODETOKEN& t)
{
    int op = FindWord(aCodeOperatorName, word);
    if (op >= 0) {
        t = CODETOKEN{};
        t.nKind = CODETOKEN_OPERATOR;
        t.nIndex = op;
        return true;
    }
    // Object prefixes, each ended by a full stop; the last one counts.
    int object = OBJ_MY;
    size_t start = 0;
    for (size_t dot = word.find('.'); dot != std::string::npos; dot = word.find('.', start)) {
        std::string prefix = word.substr(start, dot - start);
        object = FindWord(aCodeObjectName, prefix);
        if (object < 0) {
            StageErrorBox("オブジェクト \"%s.\" が認識できません！", prefix.c_str());
            Fail();
            return false;
        }
        start = dot + 1;
    }
    cChara* c = nullptr;
    if (!CodeObjectCharacter(object, running, c)) return false;
    std::string name = word.substr(start);
    if (!name.empty()) {
        int scope = FindWord(aCodeScopeName, name.substr(0, 1));
        if (scope >= 0) return VariableToken(scope, name, text, t);
    }
    int status = FindWord(aCodeCharaStatusName, name);
    if (status >= 0) {
        t = CharaStatusToken(status, c);
        return true;
    }
    status = FindWord(aCodeSysStatusName, name);
    if (status >= 0) {
        t = SysStatusToken(status);
        return true;
    }
    t = CODETOKEN{};
    t.nValue = ReadNumber(name);
    return true;
}

int Reduce(const std::string& text, cChara* running, int depth);

// The value of one bracketed text or argument: 0 after its error, which
// then stays noted in bCodeError.
int ReduceInner(const std::string& inner, cChara* running, int depth, const std::string& text)
{
    if (depth >= MAX_NESTING) {
        FailQuietly("brackets and calls nested too deep", text);
        return 0;
    }
    return Reduce(inner, running, depth + 1);
}

// The position of the ")" that closes the "(" at open, or npos.
size_t MatchingClose(const std::string& text, size_t open)
{
    int nesting = 0;
    for (size_t i = open; i < text.size(); ++i) {
        if (text[i] == '(') ++nesting;
        else if (text[i] == ')' && --nesting == 0) return i;
    }
    return std::string::npos;
}

// A number between two bounds, both included, whichever is larger; the span
// is taken in 64 bits so that no pair of bounds overflows it.
int RandomBetween(int a, int b)
{
    int64_t low = a < b ? a : b, high = a < b ? b : a;
    int64_t draw = GameRand();
    return static_cast<int>(low + draw % (high - low + 1));
}

int Reduce(const std::string& original, cChara* running, int depth)
{
    std::string text = original;
    size_t wordStart = 0;
    for (size_t i = 0; i < text.size();) {
        char c = text[i];
        if (c == ' ') {
            wordStart = ++i;
            continue;
        }
        if (c != '(') {
            ++i;
            continue;
        }
        size_t close = MatchingClose(text, i);
        if (close == std::string::npos) {
            StageErrorBox("\")\"が見つかりません！");
            Fail();
            return 0;
        }
        int value = 0;
        if (i == wordStart) {
            value = ReduceInner(text.substr(i + 1, close - i - 1), running, depth, text);
        } else {
            std::string name = text.substr(wordStart, i - wordStart);
            if (name.find(')') != std::string::npos || FindWord(aCodeFunctionName, name) < 0) {
                ++i;   // not a call: the word stays as it stands
                continue;
            }
            std::vector<std::string> args;
            if (!CodeCallArguments(text, i, name, args, close)) return 0;
            std::vector<int> values;
            for (const std::string& arg : args) values.push_back(ReduceInner(arg, running, depth, text));
            if (values.size() != 2) {
                StageErrorBox("関数 %s の引数が不正です！", name.c_str());
                Fail();
                return 0;
            }
            value = RandomBetween(values[0], values[1]);
        }
        text = text.substr(0, wordStart) + std::to_string(value) + text.substr(close + 1);
        i = wordStart;
    }
    return CodeEvaluate(text, running);
}

} // namespace

bool CodeObjectCharacter(int object, cChara* running, cChara*& out)
{
    out = nullptr;
    switch (object) {
    case OBJ_MY: out = running; return true;
    case OBJ_TG:
        // A missing target ends the text without a box.
        if (!running || !running->m_lpTarget) {
            Fail();
            return false;
        }
        out = running->m_lpTarget;
        return true;
    case OBJ_PL:
        if (!Player.empty()) out = &Player[P1];
        return true;
    case OBJ_SYS: return true;
    default:
        StageErrorBox("オブジェクトの設定エラー!");
        Fail();
        return false;
    }
}

bool CodeCallArguments(const std::string& text, size_t open, const std::string& name,
                       std::vector<std::string>& args, size_t& close)
{
    args.clear();
    int nesting = 0;
    size_t from = open + 1;
    for (size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(') {
            ++nesting;
        } else if (c == ')' && nesting > 0) {
            --nesting;
        } else if ((c == ')' || c == ',') && nesting == 0) {
            if (i > from) args.push_back(text.substr(from, i - from));
            from = i + 1;
            if (c == ')') {
                close = i;
                return true;
            }
        }
    }
    args.clear();
    StageErrorBox("関数 %s で\")\"が見つかりません！", name.c_str());
    Fail();
    return false;
}

int CodeEvaluate(const std::string& text, cChara* running)
{
    std::vector<CODETOKEN> tokens;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        size_t end = text.find(' ', i);
        if (end == std::string::npos) end = text.size();
        CODETOKEN t;
        if (!MakeToken(text.substr(i, end - i), text, running, t)) return 0;
        tokens.push_back(t);
        i = end;
    }
    int last = 0;
    bool computed = false;
    for (int pass = 0; pass < 3; ++pass) {
        for (;;) {
            size_t at = 0;
            while (at < tokens.size() &&
                   !(tokens[at].nKind == CODETOKEN_OPERATOR && aCodeOperatorPass[tokens[at].nIndex] == pass))
                ++at;
            if (at == tokens.size()) break;
            if (at == 0 || at + 1 == tokens.size() || tokens[at - 1].nKind == CODETOKEN_OPERATOR ||
                tokens[at + 1].nKind == CODETOKEN_OPERATOR) {
                FailQuietly(FormatText("operator \"%s\" lacks a value on one side",
                                       aCodeOperatorName[tokens[at].nIndex]).c_str(), text);
                return 0;
            }
            int result = 0;
            if (!ApplyOperator(tokens[at].nIndex, tokens[at - 1], tokens[at + 1], text, running, result)) return 0;
            CODETOKEN r;
            r.nValue = result;
            tokens[at - 1] = r;
            tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(at), tokens.begin() + static_cast<std::ptrdiff_t>(at) + 2);
            last = result;
            computed = true;
        }
    }
    if (computed) return last;
    return tokens.empty() ? 0 : tokens.back().nValue;
}

int CodeReduce(const std::string& text, cChara* running) { return Reduce(text, running, 0); }

int CodeRun(const std::string& text, cChara* running)
{
    bCodeError = 0;
    int hp = running ? running->m_nHp : 0;
    int sp = running ? running->m_nSp : 0;
    CodeReduce(text, running);
    if (bCodeError) return 0;
    if (running) {
        if (running->m_nHp != hp) running->StartHpGauge(running->m_nHp - hp);
        if (running->m_nSp != sp) running->StartSpGauge(running->m_nSp - sp);
    }
    return 1;
}

int CmdRunCode(cStageWorld& world, cChara* chara, const cCommandData* def)
{
    if (def) CodeRun(def->m_sText, chara);
    return 0;
}
