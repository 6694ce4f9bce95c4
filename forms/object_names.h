#pragma once
// Object names: the prefix of each type ("butt", "txt" ...), the name a new object gets, and names
// made unique within a form.

#include "forms/form_object.h"

#include <string>
#include <string_view>

namespace qel {

// The prefix of a type's names and of its run-time property names: "frm", "rect", "butt", "st",
// "txt", "chk", "cmb", "img", "line"; empty for the other codes.
std::string_view namePrefix(int16_t type);

// The prefixes in the order they are tested (letter case counts): "butt", "frm", "rect", "st",
// "txt", "chk", "cmb", "img", "line". The type of the first that begins the name; kNotKnown when
// none does.
int16_t typeOfNamePrefix(std::string_view name);

// Whether a name is taken: some name of the form begins with it, letter case ignored.
bool isNameTaken(std::string_view name, const FormObjects& form);

// The name tried until it is free: name, then name + "_0", "_1" ... up to "_9998" (the last one
// tried when every one is taken).
std::string makeUniqueName(std::string_view name, const FormObjects& form);

// A new object's name: its prefix and the form's object count ("butt3" in a form of three
// objects), made unique.
std::string defaultObjectName(int16_t type, const FormObjects& form);

// Case-insensitive equality of 8-bit texts (ASCII letters only).
bool sameTextIgnoringCase(std::string_view a, std::string_view b);

} // namespace qel
