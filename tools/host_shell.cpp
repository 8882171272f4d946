// What the record layer needs of the shell, for the native build: the close
// request has no window to go to.
#include "app/close_request.h"

void PostCloseToMainWindow() {}
