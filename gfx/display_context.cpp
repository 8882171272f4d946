#include "gfx/display_context.h"

#include <memory>

#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"

DTCONTEXT* lpDTCon = nullptr;
DDCONTEXT* lpDDCon = nullptr;

namespace {

std::unique_ptr<DTCONTEXT> dtContext;
std::unique_ptr<DDCONTEXT> ddContext;

} // namespace

DTCONTEXT* CreateDTContext()
{
    dtContext = std::make_unique<DTCONTEXT>();
    return lpDTCon = dtContext.get();
}

DDCONTEXT* CreateDDContext()
{
    ddContext = std::make_unique<DDCONTEXT>();
    return lpDDCon = ddContext.get();
}

void DeleteDTContext()
{
    lpDTCon = nullptr;
    dtContext.reset();
}

void DeleteDDContext()
{
    lpDDCon = nullptr;
    ddContext.reset();
}
