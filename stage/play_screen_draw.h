#pragma once
// The play screen's painter of the graphics build: everything a frame of the
// running stage shows, drawn into the back buffer.
class cPlayScreenPainter;
extern cPlayScreenPainter& GfxPainter;
