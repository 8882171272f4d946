#include "gfx/display_context.h"

DTCONTEXT* lpDTCon = nullptr;
DDCONTEXT* lpDDCon = nullptr;
