#include "gfx/display_context.h"

#include <memory>

#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"

namespace {

// The owners of the contexts Display views. Threads: as Display's.
struct ContextOwners {
    std::unique_ptr<DTCONTEXT> dtContext;
    std::unique_ptr<DDCONTEXT> ddContext;
};
ContextOwners owners;

} // namespace

DTCONTEXT* CreateDTContext()
{
    owners.dtContext = std::make_unique<DTCONTEXT>();
    return Display.lpDTCon = owners.dtContext.get();
}

DDCONTEXT* CreateDDContext()
{
    owners.ddContext = std::make_unique<DDCONTEXT>();
    return Display.lpDDCon = owners.ddContext.get();
}

void DeleteDTContext()
{
    Display.lpDTCon = nullptr;
    owners.dtContext.reset();
}

void DeleteDDContext()
{
    Display.lpDDCon = nullptr;
    owners.ddContext.reset();
}
