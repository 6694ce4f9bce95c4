#pragma once
// The families a catalogue gathers: every one (all_families.cpp), or only those that need no
// picture (plain_families.cpp), with which qeltool runs programs without loading Qt's picture
// libraries.

#include "instructions/descriptor.h"

#include <span>

namespace qel {

struct FamilyEntry {
    Family (*descriptors)();
    bool needsApplication = false; // see needsApplication() in catalogue.h
};

std::span<const FamilyEntry> catalogueFamilies();

} // namespace qel
