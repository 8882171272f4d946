#pragma once
// One axis of the stage view. The play scene keeps two (horizontal and
// vertical) and moves them; stage objects clamp against their limits.
struct cScrollAxis {
    double m_dPos = 0;            // view position: left or top edge of the view
    int m_bAtEdge = 0;            // the last clamp met a limit
    int m_nAxis = 0;              // 0 horizontal, 1 vertical
    int m_nViewSize = 0;          // 640 or 480
    int m_nLower = 0;             // the view stays in [lower, upper - view size]
    int m_nUpper = 0;
    int m_nBase = 0;              // pixel of stage cell 0: the margin x 32
    int m_nDefaultUpper = 0;      // pixel of the end of the stage
    int m_nMargin = 0;            // empty cells around the stage
    int m_nScrollLimitX = 0;      // outer limit for objects on this axis
    int m_nLimitCells = 0;        // stage cells + 2 margins
    int m_nPitch = 0;             // horizontal: the block map's row pitch; vertical: its rows
    int m_nShift = 0;             // horizontal: log2 of the pitch
    double m_dAutoSpeed = 0;      // auto-scroll distance a sub-step
    int m_bAutoScroll = 0;
    // Off: no auto-scroll. On: value tenths of a pixel a frame, spread over the sub-steps.
    void SetAutoScroll(bool on, int value);
    // Keeps the view inside [lower, upper - view size]; touching a limit sets the at-edge flag.
    void Clamp();
    // One sub-step of auto-scroll, then the clamp.
    void AutoScroll();
    // The limits from cells of the stage proper; an unused limit is the
    // stage's own edge.
    void SetRange(int lowerCell, int upperCell, bool useLower, bool useUpper);
};
