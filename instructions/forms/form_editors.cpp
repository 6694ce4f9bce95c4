// The editors of the form instructions. Form2Exchange's dialog reads a form file, when the user
// picks one, to offer the form's objects and, for the object's type, its property names.

#include "base/translatable.h"
#include "forms/form_file.h"
#include "forms/object_names.h"
#include "forms/properties.h"
#include "forms/run_form.h"
#include "instructions/forms/form_instructions.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"
#include "values/editor_fields.h"
#include "values/number_text.h"

#include <array>

namespace qel {

using namespace form_block;
namespace fx = exchange_fields;

namespace {

constexpr std::string_view kInputFormTitle = QT_TRANSLATE_NOOP("qel", "Open An Input Form");
// A File field's filter in the file dialog.
constexpr std::string_view kFormFilesFilter = QT_TRANSLATE_NOOP("qel", "ORX Form Files (*.frm)");
constexpr std::string_view kDefinitionNote =
    QT_TRANSLATE_NOOP("qel", "If you select a form definition here, it will help in filling in the above  boxes.");

// The object types the exchange dialog lists, in its order.
constexpr int16_t kListedTypes[] = {object_type::kNotKnown, object_type::kForm,       object_type::kRectangle,
                                    object_type::kButton,   object_type::kStaticText, object_type::kEdit,
                                    object_type::kCheckBox, object_type::kComboBox,   object_type::kImage,
                                    object_type::kLine};

class OpenFormEditor final : public InstructionEditor {
public:
    uint32_t type() const override { return kOpenForm; }
    std::string_view title() const override { return kInputFormTitle; }
    std::vector<FieldSpec> fields() const override
    {
        return {{QT_TRANSLATE_NOOP("qel", "&Control Types"), FieldKind::Variable, {}, 0, kPickNumeric},
                {QT_TRANSLATE_NOOP("qel", "&Default Values"), FieldKind::Variable, {}, 0, kPickString},
                {QT_TRANSLATE_NOOP("qel", "&Prompts"), FieldKind::Variable, {}, 0, kPickString},
                {QT_TRANSLATE_NOOP("qel", "&Results"), FieldKind::Variable, {}, 0, kPickString}};
    }
    std::vector<std::string> decode(const ProgramLine& line) const override
    {
        std::vector<std::string> values;
        for (uint32_t at : kDialogOrder)
            values.push_back(operandFieldText(readOperand(line.block, at)));
        return values;
    }
    EditOutcome accept(const std::vector<std::string>& values, EditContext&) const override
    {
        std::array<ClassifiedField, 4> f;
        for (size_t k = 0; k < f.size(); ++k) {
            f[k] = classifyField(fieldValue(values, k));
            if (f[k].kind != OperandClass::Variable)
                return fieldError(static_cast<int>(k), kVariableRequired);
        }
        BlockWriter w(kOpenFormBody);
        for (size_t k = 0; k < f.size(); ++k)
            writeOperand(w, kDialogOrder[k], f[k]);
        if (!w.fits())
            return fieldError(0, kLineTooLong);
        return {std::nullopt,
                {kOpenForm,
                 "OpenForm " + displayText(f[0]) + ", " + displayText(f[1]) + ", " + displayText(f[2]) + ", " +
                     displayText(f[3]),
                 w.finish()}};
    }

private:
    static constexpr uint32_t kDialogOrder[] = {kTypes, kDefaults, kPrompts, kResults};
};

// OpenForm2 and CloseForm2: one Form Name, a variable or a string literal.
class FormNameEditor final : public InstructionEditor {
public:
    FormNameEditor(uint32_t type, std::string_view title, std::string_view keyword, bool picksFile)
        : type_(type), title_(title), keyword_(keyword), picksFile_(picksFile)
    {}
    uint32_t type() const override { return type_; }
    std::string_view title() const override { return title_; }
    std::vector<FieldSpec> fields() const override
    {
        FieldSpec name{QT_TRANSLATE_NOOP("qel", "Form Name"), picksFile_ ? FieldKind::FileName : FieldKind::Text, {}};
        if (picksFile_) {
            name.fileFilter = kFormFilesFilter;
            name.variableTypes = kPickString;
        }
        return {name};
    }
    std::vector<std::string> decode(const ProgramLine& line) const override
    {
        return {operandFieldText(readOperand(line.block, kFormName))};
    }
    EditOutcome accept(const std::vector<std::string>& values, EditContext&) const override
    {
        const ClassifiedField name = classifyField(fieldValue(values, 0));
        if (!isStringSource(name))
            return fieldError(0, kVariableOrStringLiteralRequired);
        BlockWriter w(kFormNameBody);
        writeOperand(w, kFormName, name);
        if (!w.fits())
            return fieldError(0, kLineTooLong);
        return {std::nullopt, {type_, std::string(keyword_) + " " + displayText(name) + ", ", w.finish()}};
    }

private:
    uint32_t type_;
    std::string_view title_;
    std::string_view keyword_;
    bool picksFile_;
};

class Form2ExchangeEditor final : public InstructionEditor {
public:
    uint32_t type() const override { return kForm2Exchange; }
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Form2 Data Exchange"); }
    std::vector<FieldSpec> fields() const override
    {
        std::vector<FieldSpec> f(fx::kCount);
        f[fx::kFormName] = {QT_TRANSLATE_NOOP("qel", "Form Name"), FieldKind::Text, {}};
        f[fx::kValue] = {QT_TRANSLATE_NOOP("qel", "Variable/Value"), FieldKind::Variable, {}};
        f[fx::kAction] = {QT_TRANSLATE_NOOP("qel", "Action"), FieldKind::List, {"Get", "Set"}};
        f[fx::kObject] = {QT_TRANSLATE_NOOP("qel", "Form Object"), FieldKind::Combo, {}};
        std::vector<std::string> types;
        for (int16_t t : kListedTypes)
            types.emplace_back(objectTypeName(t));
        f[fx::kObjectType] = {QT_TRANSLATE_NOOP("qel", "Object Type"), FieldKind::List, types};
        f[fx::kProperty] = {QT_TRANSLATE_NOOP("qel", "Object Property"), FieldKind::Combo, {}};
        f[fx::kRepaint] = {QT_TRANSLATE_NOOP("qel", "Repaint Form"), FieldKind::List, {"Yes", "No"}};
        f[fx::kDefinition] = {std::string(kDefinitionNote), FieldKind::File, {}};
        f[fx::kDefinition].fileFilter = kFormFileFilter;
        f[fx::kDefinition].fileTitle = kFormOpenTitle;
        return f;
    }
    std::vector<std::string> decode(const ProgramLine& line) const override
    {
        const ParamBlock& b = line.block;
        std::vector<std::string> v(fx::kCount);
        v[fx::kFormName] = operandFieldText(readOperand(b, kFormName));
        v[fx::kValue] = operandFieldText(readOperand(b, kValue));
        v[fx::kAction] = operandFieldText(readOperand(b, kAction));
        v[fx::kObject] = operandFieldText(readOperand(b, kObject));
        v[fx::kObjectType] = objectTypeName(typeOfNamePrefix(v[fx::kObject]));
        v[fx::kProperty] = operandFieldText(readOperand(b, kProperty));
        v[fx::kRepaint] = operandFieldText(readOperand(b, kRepaint));
        return v;
    }
    EditOutcome accept(const std::vector<std::string>& values, EditContext&) const override
    {
        const ClassifiedField name = classifyField(fieldValue(values, fx::kFormName));
        if (!isStringSource(name))
            return fieldError(fx::kFormName, form_msg::kConstantStringRequired);
        const ClassifiedField value = classifyField(fieldValue(values, fx::kValue));
        if (!isStringSource(value))
            return fieldError(fx::kValue, kVariableRequired);
        const ClassifiedField action = classifyField(fieldValue(values, fx::kAction));
        if (action.kind != OperandClass::Variable)
            return fieldError(fx::kAction, kVariableRequired);
        const ClassifiedField object = classifyField(fieldValue(values, fx::kObject));
        if (!isStringSource(object))
            return fieldError(fx::kObject, form_msg::kFormVariableRequired);
        const ClassifiedField property = classifyField(fieldValue(values, fx::kProperty));
        if (property.kind != OperandClass::Variable)
            return fieldError(fx::kProperty, form_msg::kPropertyRequired);
        const ClassifiedField repaint = classifyField(fieldValue(values, fx::kRepaint));
        if (repaint.kind != OperandClass::Variable)
            return fieldError(fx::kRepaint, form_msg::kRedrawRequired);

        BlockWriter w(kExchangeBody);
        writeOperand(w, kFormName, name);
        writeOperand(w, kValue, value);
        writeOperand(w, kAction, action);
        writeOperand(w, kObject, object);
        writeOperand(w, kProperty, property);
        writeOperand(w, kRepaint, repaint);
        if (!w.fits())
            return fieldError(fx::kFormName, kLineTooLong);
        std::string text = "Form2Exchange " + displayText(name);
        for (const ClassifiedField* f : {&value, &action, &object, &property, &repaint})
            text += "," + displayText(*f);
        return {std::nullopt, {kForm2Exchange, std::move(text), w.finish()}};
    }

    void fieldsShown(DialogFields& fields) const override { showProperties(fields); }

    void fieldChanged(int field, DialogFields& fields, MessageHost& host) const override
    {
        if (field == fx::kDefinition)
            readDefinition(fields, host);
        else if (field == fx::kObject && fields.chosenCode(fx::kObject))
            fields.setValue(fx::kObjectType, objectTypeName(static_cast<int16_t>(*fields.chosenCode(fx::kObject))));
        if (field == fx::kObject || field == fx::kObjectType)
            showProperties(fields);
    }

private:
    // The object list takes the names of the form file's objects, each tagged with its type.
    static void readDefinition(DialogFields& fields, MessageHost& host)
    {
        const std::optional<FormReadResult> read = readFormFile(fields.value(fx::kDefinition), host);
        if (!read) {
            host.showMessage(kFormLoadFailed, Icon::Error);
            return;
        }
        std::vector<std::string> names;
        std::vector<int> types;
        for (const FormObject& o : read->objects) {
            names.push_back(o.name);
            types.push_back(o.objectType);
        }
        fields.setItems(fx::kObject, names, types);
    }

    // The property names of the type chosen, or of the type the object's name begins with.
    static void showProperties(DialogFields& fields)
    {
        int16_t type = object_type::kNotKnown;
        const std::string chosen = fields.value(fx::kObjectType);
        for (int16_t t : kListedTypes)
            if (objectTypeName(t) == chosen)
                type = t;
        std::vector<std::string> names;
        for (std::string_view n : propertyNamesOf(type))
            names.emplace_back(n);
        fields.setItems(fx::kProperty, names, {});
    }
};

} // namespace

std::vector<const InstructionEditor*> formEditors()
{
    static const OpenFormEditor openForm;
    static const FormNameEditor openForm2(kOpenForm2, kInputFormTitle, "OpenForm2", true);
    static const FormNameEditor closeForm2(kCloseForm2, QT_TRANSLATE_NOOP("qel", "Close Form"), "CloseForm2", false);
    static const Form2ExchangeEditor exchange;
    return {&openForm, &openForm2, &closeForm2, &exchange};
}

} // namespace qel
