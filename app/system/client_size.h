#pragma once
// The size of the game's picture, which is the main window's client area
// in window mode.
constexpr int MAIN_CLIENT_WIDTH = 640;
constexpr int MAIN_CLIENT_HEIGHT = 480;
