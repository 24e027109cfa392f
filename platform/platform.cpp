// The one record of installed platform services.
#include "platform/platform.h"

namespace lv {

namespace {
PlatformServices g_services;
}

const PlatformServices& Platform() { return g_services; }

PlatformServices InstallPlatform(const PlatformServices& services) {
    PlatformServices previous = g_services;
    g_services = services;
    return previous;
}

}  // namespace lv
