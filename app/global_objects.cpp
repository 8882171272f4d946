// The program's objects that live for the whole run, all built here by the
// static initialisers in this order before WinMain runs, and destroyed in the
// reverse order after it returns. The classes belong to their own files; this
// file says only which objects exist and in which order they are built.
//
// The graphics library's surface and font tables are built in
// gfx/global_objects.cpp; objects of the data files, the stage and the
// screens in their own files, so that the data layer also links alone (its
// native build); their constructors need no other object.
#include "app/system/bgm.h"
#include "app/system/input.h"
#include "app/shell/main_window.h"
#include "app/system/thread.h"
#include "app/system/window.h"

WINDOWREGISTRY WindowRegistry;
cMainWindow MainWindow;

GAMETHREADS Threads;

std::vector<cInput> Inputs(1);

cBgm Bgm;
