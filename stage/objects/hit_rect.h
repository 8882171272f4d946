#pragma once
// Rectangles in stage pixels, right and bottom inclusive.
struct HITRECT {
    double left = 0, top = 0, right = 0, bottom = 0;

    void Clear() { *this = HITRECT{}; }
    // Touching edges overlap.
    bool Overlaps(const HITRECT& b) const
    {
        return left <= b.right && right >= b.left && top <= b.bottom && bottom >= b.top;
    }
};

// A box of a stage object: its rectangle, then its offset from the object's
// corner and its size, scaled and at size factor 1.
struct HITBOX {
    HITRECT rect;
    int nOffX = 0, nOffY = 0, nW = 0, nH = 0;
    int nBaseOffX = 0, nBaseOffY = 0, nBaseW = 0, nBaseH = 0;

    void Clear() { *this = HITBOX{}; }
};
