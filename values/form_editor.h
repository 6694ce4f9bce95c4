#pragma once
// Editors driven by a table: one form per instruction (type code, dialog title, fields) and one
// class that reads the form. A family of instructions whose dialogs share their rules defines its
// form struct and derives from FormEditor; editorList hands the family's editors to its descriptors.

#include "values/editor.h"

#include <array>
#include <vector>

namespace qel {

template <class Form>
class FormEditor : public InstructionEditor {
public:
    explicit FormEditor(const Form& form) : form_(form) {}
    uint32_t type() const override { return form_.type; }
    std::string_view title() const override { return form_.title; }

protected:
    Form form_;
};

template <class Editor, size_t N>
std::vector<const InstructionEditor*> editorList(const std::array<Editor, N>& editors)
{
    std::vector<const InstructionEditor*> list;
    list.reserve(N);
    for (const Editor& e : editors)
        list.push_back(&e);
    return list;
}

} // namespace qel
