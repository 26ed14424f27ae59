#include "toolkit/CGDIPlus.h"

#include "toolkit/TaResources.h"

CGDIPlus::CGDIPlus() = default;

CGDIPlus::~CGDIPlus() { Shutdown(); }

bool CGDIPlus::Startup() {
    if (token_ == 0) {
        TaInitResources();  // the artwork and fonts live in this library's resources
        token_ = 1;
    }
    return true;
}

void CGDIPlus::Shutdown() { token_ = 0; }
