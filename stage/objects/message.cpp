#include "stage/objects/message.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/base/checked.h"
#include "app/base/log.h"
#include "app/base/sjis.h"
#include "files/game_progress.h"
#include "stage/objects/chara.h"
#include "stage/script/messages_links.h"
#include "stage/scene/stage_scene.h"

MESSAGEGFX MessageGfx = {};

namespace {

// A variable list that has not been built reads 0 (with a log line); any
// other bad index is the checked access's.
int ReadVariable(std::vector<int32_t>& vars, int index)
{
    if (vars.empty()) {
        ReportLog("Message: variable %d read from an empty list", index);
        return 0;
    }
    return CheckedAt(vars, index);
}

int ReadStageVariable(int index)
{
    if (!lpStageScene || lpStageScene->m_StageVars.empty()) {
        ReportLog("Message: stage variable %d read with no stage variables", index);
        return 0;
    }
    return CheckedAt(lpStageScene->m_StageVars, index);
}

// The escape's text: the digits of |value| padded to minDigits, leading
// zeros (all but the last digit) blank unless zeros are asked for, then the
// sign in front. Formatted in 64 bits, so the lowest int has its digits too.
std::string FormatEscape(int value, int minDigits, int plus, int zeros)
{
    int64_t v = value;
    uint64_t magnitude = static_cast<uint64_t>(v < 0 ? -v : v);
    std::string digits = std::to_string(magnitude);
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
    if (!zeros)
        for (size_t i = 0; i + 1 < digits.size() && digits[i] == '0'; ++i) digits[i] = ' ';
    if (v < 0) return "-" + digits;
    return plus ? "+" + digits : digits;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

void ExpandMessageText(std::string& text)
{
    size_t i = 0;
    while (i < text.size()) {
        if (i + 1 < text.size() && IsSjisLeadByte(static_cast<unsigned char>(text[i])) &&
            IsSjisTrailByte(static_cast<unsigned char>(text[i + 1]))) {
            i += 2;
            continue;
        }
        if (text[i] != '#') {
            ++i;
            continue;
        }
        // Read the escape.
        size_t end = i + 1;
        int number = 0, hasDigits = 0, tooLarge = 0, common = 0, stage = 0;
        int format = 0, minDigits = 0, plus = 0, zeros = 0;
        for (; end < text.size(); ++end) {
            char c = text[end];
            if (!format) {
                if (IsDigit(c)) {
                    hasDigits = 1;
                    // Past 255 no variable can match: stop counting before the int overflows.
                    if (number > 255) tooLarge = 1;
                    else number = number * 10 + (c - '0');
                } else if (c == 'C' || c == 'c') {
                    common = 1;
                } else if (c == 'S' || c == 's') {
                    stage = 1;
                } else if (c == '_') {
                    format = 1;
                } else {
                    break;
                }
            } else if (IsDigit(c)) {
                minDigits = c - '0';
            } else if (c == 'P' || c == 'p') {
                plus = 1;
            } else if (c == 'Z' || c == 'z') {
                zeros = 1;
            } else {
                break;
            }
        }
        if (end < text.size() && text[end] == '.') ++end;
        if (!hasDigits || tooLarge || number < 1 || number > 255 || (!common && !stage)) {
            ++i;
            continue;
        }
        int value = common ? ReadVariable(GameProgress.m_CommonVars, number) : ReadStageVariable(number);
        std::string shown = FormatEscape(value, minDigits, plus, zeros);
        text.replace(i, end - i, shown);
        i += shown.size();
    }
}

void MeasureMessageText(const std::string& text, int* width, int* height)
{
    int w = 0, h = 0;
    if (!MessageGfx.lpPitchExtent || !MessageGfx.lpPitchExtent(text, &w, &h)) {
        w = 0;
        int lines = 0;
        size_t start = 0;
        for (;;) {
            size_t lf = text.find('\n', start);
            std::string line = text.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
            int lw = MessageGfx.lpLineWidth ? MessageGfx.lpLineWidth(line) : 0;
            if (lw > w) w = lw;
            ++lines;
            if (lf == std::string::npos) break;
            start = lf + 1;
        }
        h = lines * (MessageGfx.lpLineHeight ? MessageGfx.lpLineHeight() : 0);
    }
    *width = w + 2;
    *height = h + 2;
}

void SetModeTimer(cStageWorld& world, int mode, int button, int extra, int noDelay)
{
    int* wait = world.m_Wait;
    wait[0] = mode;
    wait[1] = button && mode == 1 && !noDelay ? 10 : 0;
    wait[2] = button;
    wait[3] = extra;
    wait[4] = 0;
}

void cMessage::Set(int mode, const char* text, int value1, int value2, int value3, int placement,
                   int cellX, int cellY, int offsetX, int offsetY, int keepOnScreen, int screenFixed,
                   int timeMode, int frames, int countWhileFrozen, int anchor, int noGrowIn,
                   int escapes, int refresh, int refreshInterval, int window, int extra1,
                   int extra2, int keepSurface)
{
    m_nMode = mode;
    if (text) {
        m_strText = text;
        m_strTemplate = text;
    }
    m_nValue1 = value1;
    m_nValue2 = value2;
    m_nValue3 = value3;
    m_nPlacement = placement;
    m_nCellX = cellX;
    m_nCellY = cellY;
    m_nOffsetX = offsetX;
    m_nOffsetY = offsetY;
    m_bKeepOnScreen = keepOnScreen;
    m_bScreenFixed = screenFixed;
    m_nTimeMode = timeMode;
    m_nFrames = frames;
    m_bCountWhileFrozen = countWhileFrozen;
    m_nAnchor = anchor;
    m_bEscapes = escapes;
    m_bRefresh = refresh;
    m_nRefreshInterval = refreshInterval;
    m_bWindow = window;
    m_nExtra1 = extra1;
    m_nExtra2 = extra2;
    m_bLatched = 0;
    m_dGrow = 0;
    if (m_bEscapes) ExpandMessageText(m_strText);
    if (m_nMode == MSGMODE_TEXT) {
        MeasureMessageText(m_strText, &m_nWidth, &m_nHeight);
    } else {
        m_nWidth = 16;
        m_nHeight = 16;
    }
    m_bGrowIn = timeMode == SHOW_UNTIL_KEY && !noGrowIn;
    if (m_nMode == MSGMODE_TEXT) {
        if (keepSurface != 1) CreateSurface();
        Render();
    }
}

void cMessage::CreateSurface()
{
    if (!MessageGfx.lpCreateSurface) return;
    m_lpSurface = MessageGfx.lpCreateSurface(m_nWidth, m_nHeight);
}

void cMessage::Render()
{
    if (m_lpSurface && MessageGfx.lpRender) MessageGfx.lpRender(*this);
}

void cMessage::ReleaseSurface()
{
    if (m_lpSurface && MessageGfx.lpReleaseSurface) MessageGfx.lpReleaseSurface(m_lpSurface);
    m_lpSurface = nullptr;
}

int cMessage::Step(const cStageWorld& world, int frozen)
{
    if (m_nTimeMode == SHOW_TIMED && (m_bCountWhileFrozen || !frozen)) {
        if (--m_nFrames < 0) {
            ReleaseSurface();
            return 1;
        }
    }
    if (m_bRefresh && m_nRefreshInterval != 0 &&
        world.m_nFrame % m_nRefreshInterval == 0 && m_nMode == MSGMODE_TEXT && m_bEscapes) {
        std::string text = m_strTemplate;
        ExpandMessageText(text);
        if (text != m_strText) {
            m_strText = text;
            int w, h;
            MeasureMessageText(m_strText, &w, &h);
            if (w != m_nWidth || h != m_nHeight) {
                ReleaseSurface();
                m_nWidth = w;
                m_nHeight = h;
                CreateSurface();
            }
            Render();
        }
    }
    return 0;
}

int cMessage::Place(const cStageWorld& world, int* outX, int* outY)
{
    const cScrollAxis& ax = world.m_ScrollX;
    const cScrollAxis& ay = world.m_ScrollY;
    int viewX = static_cast<int>(ax.m_dPos), viewY = static_cast<int>(ay.m_dPos);
    int w = m_nWidth, h = m_nHeight;
    int x = 0, y = 0;
    switch (m_nPlacement) {
    case MSGPLACE_CENTRE:
        x = 320 + m_nOffsetX - w / 2;
        y = 240 + m_nOffsetY - h / 2;
        break;
    case MSGPLACE_SCREEN:
        x = 32 * m_nCellX + m_nOffsetX;
        y = 32 * m_nCellY + m_nOffsetY;
        break;
    case MSGPLACE_STAGE:
        x = static_cast<int>((m_nCellX + ax.m_nMargin) * 32 + m_nOffsetX - ax.m_dPos);
        y = static_cast<int>((m_nCellY + ay.m_nMargin) * 32 + m_nOffsetY - ay.m_dPos);
        break;
    default: {
        const cChara* anchor = FindCharaByRef(m_nAnchor);
        if (!anchor) {
            if (m_nMode == MSGMODE_TEXT) return 0;
            *outX = m_nLastX;
            *outY = m_nLastY;
            return 1;
        }
        int left = static_cast<int>(anchor->m_dLeft - viewX);
        int top = static_cast<int>(anchor->m_dTop - viewY);
        x = left + anchor->m_nDrawW / 2 - anchor->m_nDrawOffX - w / 2 + m_nOffsetX;
        switch (m_nPlacement) {
        case MSGPLACE_ABOVE_SELF:
        case MSGPLACE_ABOVE_HERO:
            y = top - anchor->m_nDrawOffY - h + m_nOffsetY;
            break;
        case MSGPLACE_BELOW_SELF:
        case MSGPLACE_BELOW_HERO:
            y = top - anchor->m_nDrawOffY + anchor->m_nDrawH + 1 + m_nOffsetY;
            break;
        default:
            y = top + anchor->m_nDrawH / 2 - h / 2 - anchor->m_nDrawOffY + m_nOffsetY;
            break;
        }
        break;
    }
    }
    bool worldFixed = m_nPlacement == MSGPLACE_CENTRE || m_nPlacement == MSGPLACE_SCREEN;
    if (worldFixed && !m_bScreenFixed) {
        // Stays where in the stage it first appeared.
        if (!m_bLatched) {
            m_bLatched = 1;
            m_nLatchX = x + viewX;
            m_nLatchY = y + viewY;
        }
        x = m_nLatchX - viewX;
        y = m_nLatchY - viewY;
    } else if (!worldFixed && m_bScreenFixed) {
        if (!m_bLatched) {
            m_bLatched = 1;
            m_nLatchX = x;
            m_nLatchY = y;
        }
        x = m_nLatchX;
        y = m_nLatchY;
    }
    if (m_bKeepOnScreen) {
        if (x < 0) x = 0;
        else if (x + w >= 639) x = 640 - w;
        if (y < 20) y = 20;
        else if (y + h >= 479) y = 480 - h;
    }
    m_nLastX = x;
    m_nLastY = y;
    *outX = x;
    *outY = y;
    return 1;
}
