#include "formats/lv2/urid_map.h"

UridMap::UridMap() {
    mapData.handle = this;
    mapData.map = [](LV2_URID_Map_Handle h, const char* uri) {
        return static_cast<UridMap*>(h)->map(uri);
    };
    unmapData.handle = this;
    unmapData.unmap = [](LV2_URID_Unmap_Handle h, LV2_URID urid) {
        return static_cast<UridMap*>(h)->unmap(urid);
    };
}

LV2_URID UridMap::map(const char* uri) {
    if (!uri) return 0;
    std::lock_guard<std::mutex> guard(lock);
    for (size_t i = 0; i < uris.size(); ++i) {
        if (*uris[i] == uri) return static_cast<LV2_URID>(i + 1);
    }
    uris.push_back(std::make_unique<std::string>(uri));
    return static_cast<LV2_URID>(uris.size());
}

const char* UridMap::unmap(LV2_URID urid) const {
    std::lock_guard<std::mutex> guard(lock);
    return urid >= 1 && urid <= uris.size() ? uris[urid - 1]->c_str() : nullptr;
}
