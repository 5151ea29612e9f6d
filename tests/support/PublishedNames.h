#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "framework/streaming/Published.h"

// The names of a class's published properties, inherited ones first, in published order.
inline std::vector<std::string> PublishedNames(const PublishedClassInfo* info) {
    std::vector<std::string> names;
    for (const PublishedProperty* property : info->Properties())
        names.push_back(property->Name);
    return names;
}

// The names one after another, separated by single spaces.
inline std::string Joined(const std::vector<std::string>& names) {
    std::string all;
    for (const std::string& name : names)
        all += (all.empty() ? "" : " ") + name;
    return all;
}

// Whether the class was registered on the designer's palette page.
inline bool OnPalettePage(const char* page, const std::string& className) {
    const std::vector<std::string> classes = PaletteClasses(page);
    return std::find(classes.begin(), classes.end(), className) != classes.end();
}
