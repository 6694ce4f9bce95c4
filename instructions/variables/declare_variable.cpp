#include "instructions/variables/declare_variable.h"
#include "base/translatable.h"

#include "instructions/variables/declared_variables.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/editor_fields.h"
#include "values/literals.h"
#include "values/names.h"
#include "values/number_text.h"
#include "values/variable_table.h"

#include <array>
#include <optional>

namespace qel {

using namespace declare_fields;

namespace {

// The lists in the dialog's order, with the codes the block stores.
constexpr std::array<ListItem, 5> kTypeItems = {{
    {kIntegerTypeName, kTypeInteger},
    {kFloatTypeName, kTypeFloat},
    {"String", kTypeString},
    {"Bitmap", kTypeBitmap},
    {"File", kTypeFile},
}};
constexpr std::array<ListItem, 3> kShapeItems = {{
    {kNotArrayName, kNotArray},
    {"1D Array", kArray1D},
    {"2D Array", kArray2D},
}};

constexpr std::string_view kTypeLabel = QT_TRANSLATE_NOOP("qel", "Variable &Type");
constexpr std::string_view kShapeLabel = QT_TRANSLATE_NOOP("qel", "&Dimensions");
constexpr std::array<std::string_view, 2> kDimensionLabels = {QT_TRANSLATE_NOOP("qel", "&1st Dimension"),
                                                              QT_TRANSLATE_NOOP("qel", "&2nd Dimension")};
constexpr size_t kMaxInitialValueField = 257; // a 255-character string between its quotes

std::optional<int32_t> readDimension(std::string_view typed)
{
    std::string_view text = trimBlanks(typed);
    if (!isIntegerLiteral(text))
        return std::nullopt;
    int64_t value = integerLiteralValue(text);
    if (value < 0 || value > kLargestDimension)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

// What one filled-in name row adds to the block and to the display text.
struct Declared {
    int slot;
    std::string_view name;
    std::string_view initial; // trimmed; empty means the type's zero
};

} // namespace

uint32_t DeclareVariableEditor::type() const { return kDeclareVariable; }

std::vector<FieldSpec> DeclareVariableEditor::fields() const
{
    std::vector<FieldSpec> specs;
    specs.push_back({std::string(kTypeLabel), FieldKind::List, listTexts(kTypeItems), 0});
    specs.push_back({std::string(kShapeLabel), FieldKind::List, listTexts(kShapeItems), 0});
    for (std::string_view label : kDimensionLabels)
        specs.push_back({std::string(label), FieldKind::Text, {}, 5});
    for (int k = 0; k < declare_block::kVariables; ++k) {
        specs.push_back(
            {QT_TRANSLATE_NOOP("qel", "Variable &Name"), FieldKind::Text, {}, static_cast<int>(kMaxNameLength)});
        specs.push_back(
            {QT_TRANSLATE_NOOP("qel", "Initial Value"), FieldKind::Text, {}, static_cast<int>(kMaxInitialValueField)});
    }
    return specs;
}

std::vector<std::string> DeclareVariableEditor::decode(const ProgramLine& line) const
{
    using namespace declare_block;
    std::vector<std::string> values(kCount);
    const ParamBlock& block = line.block;
    const uint32_t variableType = block.u32(declare_block::kType);
    const uint32_t shape = block.u32(kArrayKind);
    values[declare_fields::kType] = itemText(kTypeItems, variableType);
    values[kDimensions] = itemText(kShapeItems, shape);
    if (shape == kArray1D || shape == kArray2D)
        values[declare_fields::kDim1] = std::to_string(block.i32(declare_block::kDim1));
    if (shape == kArray2D)
        values[declare_fields::kDim2] = std::to_string(block.i32(declare_block::kDim2));
    for (int k = 0; k < kVariables; ++k) {
        std::string_view name = block.textField(declare_block::nameField(k));
        if (name.empty())
            continue;
        values[declare_fields::nameField(k)] = name;
        std::string& initial = values[declare_fields::initialField(k)];
        const uint32_t field = declare_block::initialField(k);
        if (variableType == kTypeInteger)
            initial = std::to_string(block.i32(field));
        else if (variableType == kTypeFloat)
            initial = floatingLiteralText(block.f32(field));
        else if (variableType == kTypeString)
            initial = "\"" + std::string(block.textField(field)) + "\"";
    }
    return values;
}

EditOutcome DeclareVariableEditor::accept(const std::vector<std::string>& given, EditContext& context) const
{
    std::vector<std::string> values = given;
    values.resize(kCount);
    const auto variableType = itemCodeOrFirst(kTypeItems, values[declare_fields::kType]);
    if (!variableType)
        return fieldError(declare_fields::kType, kNotAListItem);
    const auto shape = itemCodeOrFirst(kShapeItems, values[kDimensions]);
    if (!shape)
        return fieldError(kDimensions, kNotAListItem);
    const bool hasInitialValue =
        *variableType == kTypeInteger || *variableType == kTypeFloat || *variableType == kTypeString;

    std::vector<Declared> rows;
    for (int k = 0; k < declare_block::kVariables; ++k) {
        const std::string& name = values[nameField(k)];
        if (name.empty())
            continue;
        if (!isName(name))
            return fieldError(nameField(k), kInvalidVariableName);
        rows.push_back({k, name, hasInitialValue ? trimBlanks(values[initialField(k)]) : std::string_view()});
    }
    if (rows.empty())
        return fieldError(nameField(0), kVariableNameNeeded);
    for (const Declared& row : rows)
        if (!row.initial.empty())
            if (LiteralMessage message = validateAs(*variableType, row.initial))
                return fieldError(initialField(row.slot), *message);

    int32_t dims[2] = {1, 1};
    const int dimensionCount = *shape == kArray2D ? 2 : *shape == kArray1D ? 1 : 0;
    for (int d = 0; d < dimensionCount; ++d) {
        auto value = readDimension(values[declare_fields::kDim1 + d]);
        if (!value)
            return fieldError(declare_fields::kDim1 + d, kDimensionOutOfRange[d], {std::to_string(kLargestDimension)});
        dims[d] = *value;
    }
    if (int64_t{dims[0]} * dims[1] > kMostArrayElements)
        return fieldError(declare_fields::kDim2, kTooManyArrayElements);

    std::vector<std::string_view> ownNames;
    if (context.editing && context.editing->type == kDeclareVariable)
        ownNames = declaredNames(context.editing->block);
    for (size_t r = 0; r < rows.size(); ++r) {
        bool clash = false;
        for (size_t earlier = 0; earlier < r; ++earlier)
            clash = clash || sameName(rows[earlier].name, rows[r].name);
        if (!clash && context.variables.findVariable(rows[r].name)) {
            clash = true;
            for (std::string_view own : ownNames)
                clash = clash && !sameName(own, rows[r].name);
        }
        if (clash)
            return fieldError(nameField(rows[r].slot), kDuplicateVariableName);
    }

    BlockWriter writer(declare_block::kFixedBody);
    writer.setU32(declare_block::kType, *variableType);
    writer.setU32(declare_block::kArrayKind, *shape);
    writer.setI32(declare_block::kDim1, dims[0]);
    writer.setI32(declare_block::kDim2, dims[1]);
    std::string text = "DeclareVariables " + itemText(kTypeItems, *variableType) + " ";
    for (size_t r = 0; r < rows.size(); ++r) {
        const Declared& row = rows[r];
        writer.setU32(declare_block::nameField(row.slot), writer.addText(row.name));
        std::string item(row.name);
        const uint32_t field = declare_block::initialField(row.slot);
        if (*variableType == kTypeInteger) {
            int32_t value = row.initial.empty() ? 0 : integerLiteralInt32(row.initial);
            writer.setI32(field, value);
            item += "=" + std::to_string(value);
        } else if (*variableType == kTypeFloat) {
            float value = row.initial.empty() ? 0.0f : floatingLiteralValue(row.initial);
            writer.setF32(field, value);
            item += "=" + formatNumber(value, kGeneralPrecision);
        } else if (*variableType == kTypeString) {
            std::string_view initial = row.initial.empty() ? std::string_view() : stringLiteralText(row.initial);
            writer.setU32(field, writer.addText(initial));
            item += "=\"" + std::string(initial) + "\"";
        }
        if (*shape == kArray1D)
            item = std::string(row.name) + "(" + std::to_string(dims[0]) + ")";
        else if (*shape == kArray2D)
            item = std::string(row.name) + "(" + std::to_string(dims[0]) + "," + std::to_string(dims[1]) + ")";
        text += (r == 0 ? "" : ",") + item;
        // Four long string values can outgrow a line; refuse rather than cut the line short.
        if (!writer.fits() || text.size() > kMaxLineText)
            return fieldError(hasInitialValue ? initialField(row.slot) : nameField(row.slot), kDeclarationTooLong);
    }

    EditOutcome outcome;
    outcome.line = EditedLine{kDeclareVariable, std::move(text), writer.finish()};
    return outcome;
}

bool DeclareVariableEditor::store(const EditedLine& line, EditContext& context, MessageHost& host) const
{
    if (context.editing && context.editing->type == kDeclareVariable)
        removeVariablesOfLine(context.variables, context.editing->block);
    createVariablesOfLine(context.variables, line.block, host);
    return storeThroughEditBuffer(context.program, line, host);
}

} // namespace qel
