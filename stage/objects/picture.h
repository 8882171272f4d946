#pragma once
// Pictures of the picture database shown by the picture command at a stage
// or screen position, plain or scaled. The scene keeps them in
// m_PictureList, their loaded images in a parallel list of surfaces that
// PictureGfx manages (the Windows build's is the graphics library's).
#include <cstdint>

struct DDSURFACEDATA;
class cStageWorld;

// The picture surfaces, parallel to the scene's picture list. Entries left
// empty load nothing (the headless build).
struct PICTUREGFX {
    // Loads the image file into a new surface placed at index of the list
    // (index = the list's length appends); scaled: it will be drawn
    // stretched. 1 with the image's size, 0 when it cannot be loaded.
    int (*lpLoad)(const char* file, int index, int scaled, int* width, int* height);
    // Releases the surface at index and takes it out of the list.
    void (*lpRemove)(int index);
};

extern PICTUREGFX PictureGfx;

// Points PictureGfx at the graphics library's picture surfaces (Windows
// build; the play screen's set-up calls it).
void UsePictureGraphics();

class cPicture {
public:
    uint16_t m_nPicture = 0;        // entry of the picture database
    double m_dX = 0, m_dY = 0;      // stage position of the top left
    int m_nWidth = 0, m_nHeight = 0;
    int m_bScaled = 0;
    int m_nLayer = 0;               // which of the play screen's two picture passes draws it
    int m_nTimeMode = 0;
    int m_nFrames = 0;              // frames left when timed
    int m_bCountWhileFrozen = 0;
    int m_bScreenFixed = 0;
    int m_bLatched = 0, m_nLatchX = 0, m_nLatchY = 0;
    int m_nExtra1 = 0, m_nExtra2 = 0;   // the picture command's ID switch and ID

    void Set(int picture, double x, double y, int width, int height, int screenFixed, int layer,
             int scale, int timeMode, int frames, int countWhileFrozen, int extra1, int extra2);
    // Counts and draws; 1 when the picture has ended (the owner removes it
    // and its surface).
    int Draw(const cStageWorld& world, DDSURFACEDATA* target, DDSURFACEDATA* surface, int frozen);
    // Draws the picture where it stands, from its surface.
    void Paint(const cStageWorld& world, DDSURFACEDATA* target, DDSURFACEDATA* surface);

    // The parts of Draw that do not draw: the time (1 when ended) and the
    // screen position.
    int Step(int frozen);
    void Place(const cStageWorld& world, int* x, int* y);
};
