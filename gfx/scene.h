#pragma once
// The Direct3D scene and render target that every draw goes through.
//
// Promises of this seam:
// - DDBeginScene opens the device scene once per frame (later calls return 1
//   at once); DDPresent and the dialog mode close it with DDEndScene.
// - DDSetRenderTarget makes a surface render target 0, or returns 0 (silently)
//   when the surface cannot be one: no Direct3D record, no surface, or no
//   render-target flag. A draw that gets 0 draws nothing.
// - All three return 0 / do nothing without a device.
#include "gfx/surface_record.h"

int DDBeginScene();
void DDEndScene();
// index is not read: render target 0 is always set.
int DDSetRenderTarget(int index, DDSURFACEDATA* surface);
