#pragma once
// Builds programs for tests through the same editor logic the dialogs use (EditorBuilder): keyword
// and field texts in, stored line out; a line the editors do not take fails the test.

#include "examples/editor_builder.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

namespace qel::test {

using namespace qel::examples; // the field helpers

class ProgramBuilder : public EditorBuilder {
public:
    ProgramBuilder(Program& program, VariableTable& variables) : EditorBuilder(program, variables, host) {}

    RecordingHost host;

protected:
    void refused(std::string text) override { ADD_FAILURE() << text; }
};

} // namespace qel::test
