#include <cstdlib>
#include <filesystem>

#include "BusBackend.h"
#include "HidTransport.h"
#include "HidapiBackend.h"
#include "Log.h"

namespace dravo {

std::unique_ptr<HidBackend> makeDefaultBackend() {
    // Emulators and tests point the program at a directory instead of USB.
    const char* bus = std::getenv("DRAVO_HID_BUS");
    if (bus && *bus) {
        std::error_code ec;
        if (std::filesystem::is_directory(bus, ec)) {
            LogWrite("HID devices from the bus %s\n", bus);
            return std::make_unique<BusBackend>(bus);
        }
        LogWrite("DRAVO_HID_BUS=%s is not a directory; using USB\n", bus);
    }
    return std::make_unique<HidapiBackend>();
}

} // namespace dravo
