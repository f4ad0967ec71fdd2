// The urid:map and urid:unmap features a host gives every LV2 instance: URIs
// numbered from 1 in the order first asked for. Plug-ins may map from any
// thread, so the table is locked.
#pragma once

#include <lv2/urid/urid.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class UridMap {
public:
    UridMap();
    UridMap(const UridMap&) = delete;
    UridMap& operator=(const UridMap&) = delete;

    LV2_URID map(const char* uri);
    // Null for a number never handed out.
    const char* unmap(LV2_URID urid) const;
    LV2_URID_Map* mapFeature() { return &mapData; }
    LV2_URID_Unmap* unmapFeature() { return &unmapData; }

private:
    mutable std::mutex lock;
    // Pointers stay valid as the table grows: unmap answers with them.
    std::vector<std::unique_ptr<std::string>> uris;
    LV2_URID_Map mapData;
    LV2_URID_Unmap unmapData;
};
