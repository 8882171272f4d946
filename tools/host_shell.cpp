// What the record layer and the stage need of the shell, for the native
// build: the close request and the sound requests have no window to go to.
#include "app/base/close_request.h"
#include "app/base/sound_request.h"

void PostCloseToMainWindow() {}
void PlaySE(int) {}
void PlayUserSE(int) {}
