#pragma once
// A program file opened for one of qeltool's file commands as the IDE opens it, with every message
// reading it showed.

#include "app/collecting_host.h"
#include "program/program.h"
#include "program/program_file.h"
#include "values/variable_table.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace qel {

struct OpenedFile {
    // Says on `err` that the file cannot be read when it cannot be read at all.
    OpenedFile(const std::string& path, std::ostream& err);
    Program program;
    VariableTable variables;
    CollectingHost host;
    std::optional<LoadResult> result; // nothing when the file could not be read at all
};

} // namespace qel
