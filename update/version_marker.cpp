#include "update/version_marker.h"

std::string MarkerData() {
    return std::string(kMarkerText, sizeof kMarkerText);
}

bool WriteVersionMarker(MarkerRegistry& registry) {
    if (!registry.OpenKey(kMarkerKey) && !registry.CreateKey(kMarkerKey)) return false;
    const std::string data = MarkerData();
    const bool written = registry.SetValue(kMarkerValueName, kRegSzType, data.data(),
                                           static_cast<uint32_t>(data.size()));
    registry.CloseKey();
    return written;
}
