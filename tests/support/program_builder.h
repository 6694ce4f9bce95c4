#pragma once
// Builds programs for tests through the same editor logic the dialogs use (EditorBuilder): keyword
// and field texts in, stored line out; a line the editors do not take fails the test. Each program
// built so is also written as text and read back when the builder goes (text_round_trip.h).

#include "examples/editor_builder.h"
#include "support/recording_host.h"
#include "support/text_round_trip.h"

#include <gtest/gtest.h>

namespace qel::test {

using namespace qel::examples; // the field helpers

class ProgramBuilder : public EditorBuilder {
public:
    ProgramBuilder(Program& program, VariableTable& variables)
        : EditorBuilder(program, variables, host), program_(program)
    {}
    ~ProgramBuilder() override { expectTextRoundTrip(program_, built_); }

    RecordingHost host;

protected:
    void refused(std::string text) override { ADD_FAILURE() << text; }
    void taken(const ProgramLine& line) override { built_.push_back(line); }

private:
    const Program& program_;
    std::vector<ProgramLine> built_;
};

} // namespace qel::test
