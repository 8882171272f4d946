#pragma once
// Which fixed surface draws a character or shot sheet. Under DirectDraw the
// fixed table keeps a left-right mirrored copy of each such sheet 18 entries
// after it; Direct3D mirrors while it draws.
int MirroredSurfaceIndex(int surface, int mirrored);
