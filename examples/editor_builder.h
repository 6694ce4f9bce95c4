#pragma once
// Builds a program line by line through the instruction editors, from the keyword and the field
// texts a user would type into its dialog, so what it stores is what the dialogs store. The examples,
// the tests, the benchmarks and the fuzzers' seeds are all built so.

#include "examples/line_fields.h"
#include "program/host.h"
#include "program/program.h"
#include "values/variable_table.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qel::examples {

// Keeps every message instead of showing it, and answers with the default button.
class KeptMessages : public MessageHost {
public:
    Button showMessage(std::string_view text, Icon icon, Buttons buttons = Buttons::Ok) override;

    std::vector<std::string> texts;
};

class EditorBuilder {
public:
    // The editors show their messages through `host`, a refused field's too.
    EditorBuilder(Program& program, VariableTable& variables, MessageHost& host)
        : program_(program), variables_(variables), host_(host)
    {}
    EditorBuilder(const EditorBuilder&) = delete;
    EditorBuilder& operator=(const EditorBuilder&) = delete;
    virtual ~EditorBuilder() = default;

    // Lines added from now on go to section `s`.
    EditorBuilder& section(uint32_t s);
    // Appends a line to the current section, by its keyword or its type; a line not taken (an
    // unknown keyword, a field the editor refuses) is passed to refused().
    EditorBuilder& add(std::string_view keyword, const std::vector<std::string>& fields = {});
    EditorBuilder& add(uint32_t type, const std::vector<std::string>& fields = {});
    // The Keyboard and Mouse sections with their system variables and every handler function, the
    // one named `handler` (if any) with the lines `body` adds; then back to Initialise.
    EditorBuilder& handlers(std::string_view handler = "", const std::function<void(EditorBuilder&)>& body = {});

    const ProgramLine& last() const { return program_.sections[program_.edit.section].lines.back(); }

    // Every line not taken, as "keyword: why".
    std::vector<std::string> refusals;

protected:
    // Called for a line not taken; the message is listed among the refusals.
    virtual void refused(std::string text) { refusals.push_back(std::move(text)); }
    // Called for each line stored.
    virtual void taken(const ProgramLine& /*line*/) {}

private:
    Program& program_;
    VariableTable& variables_;
    MessageHost& host_;
};

} // namespace qel::examples
