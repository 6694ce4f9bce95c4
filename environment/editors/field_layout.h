#pragma once
// How an instruction dialog arranges its fields: one field to a row (label left, field right), a
// group of radio buttons, or a table where the same fields repeat row after row (the comparison rows
// of If, the name and value pairs of DeclareVariable) under one header of labels.

#include "values/editor.h"

#include <vector>

namespace qel {

struct FieldBlock {
    enum class Kind { Single, RadioGroup, Table };
    Kind kind = Kind::Single;
    int first = 0;   // the block's first field
    int count = 1;   // fields in the block
    int columns = 1; // Table: fields in each row (the last row may hold fewer)
};

std::vector<FieldBlock> planFieldLayout(const std::vector<FieldSpec>& fields);

} // namespace qel
