#pragma once
// The form instructions: OpenForm (the modal User Form built from arrays), OpenForm2 (a form file
// opened as a window), CloseForm2 and Form2Exchange (one property of one object got or set).
//
// OpenForm (55):                              OpenForm2 (80), CloseForm2 (78):
//   offset  width  field                        offset  width  field
//   0       u32    block length (176 + area)    0       u32    block length (44 + area)
//   4       44     Operand: Control Types       4       44     Operand: Form Name (OpenForm2: the
//   48      44     Operand: Default Values                     file; CloseForm2: the caption)
//   92      44     Operand: Results             48      ...    string area
//   136     44     Operand: Prompts
//   180     ...    string area
//
// Form2Exchange (79):
//   0       u32    block length (264 + area)
//   4       44     Operand: Form Name (the form's caption)
//   48      44     Operand: Variable/Value
//   92      44     Operand: Action          } stored as variable references whose names are used as
//   136     44     Operand: Form Object     } plain words ("Set", an object's name, buttCaption,
//   180     44     Operand: Object Property } "Yes"), never evaluated
//   224     44     Operand: Repaint Form    }
//   268     ...    string area

#include "base/translatable.h"
#include "interpreter/dispatch.h"
#include "messages/editor_messages.h"
#include "messages/run_errors.h"
#include "values/editor.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace qel {

namespace form_block {
inline constexpr uint32_t kTypes = 4;
inline constexpr uint32_t kDefaults = 48;
inline constexpr uint32_t kResults = 92;
inline constexpr uint32_t kPrompts = 136;
inline constexpr uint32_t kOpenFormBody = 176;

inline constexpr uint32_t kFormName = 4;
inline constexpr uint32_t kFormNameBody = 44;

inline constexpr uint32_t kValue = 48;
inline constexpr uint32_t kAction = 92;
inline constexpr uint32_t kObject = 136;
inline constexpr uint32_t kProperty = 180;
inline constexpr uint32_t kRepaint = 224;
inline constexpr uint32_t kExchangeBody = 264;

// The index of the decoded operand at a slot offset.
constexpr size_t slotIndex(uint32_t offset) { return (offset - 4) / 44; }
} // namespace form_block

// Field order of the Form2 Data Exchange dialog.
namespace exchange_fields {
inline constexpr int kFormName = 0, kValue = 1, kAction = 2, kObject = 3, kObjectType = 4, kProperty = 5, kRepaint = 6,
                     kDefinition = 7, kCount = 8;
} // namespace exchange_fields

namespace form_msg {
// Editors.
inline constexpr std::string_view kConstantStringRequired =
    QT_TRANSLATE_NOOP("qel", "Variable or constant string required.");
inline constexpr std::string_view kFormVariableRequired = QT_TRANSLATE_NOOP("qel", "Form Variable required.");
inline constexpr std::string_view kPropertyRequired = QT_TRANSLATE_NOOP("qel", "Object Property required.");
inline constexpr std::string_view kRedrawRequired = QT_TRANSLATE_NOOP("qel", "Redraw value required.");

// OpenForm.
inline constexpr std::string_view kNot1D = "Expecting a 1 dimensional array but found - ";
inline constexpr std::string_view kNot2D = "Expecting a 2 dimensional array but found - ";
inline constexpr std::string_view kTooManyControls = "A form must contain fewer than 10 controls - ";
inline constexpr std::string_view kDifferingSizes =
    "Differing number of element between the Type array and the Defaults array - ";
inline constexpr std::string_view kUnrecognisedControlType = "Unrecognised control type.";
// After the row's prompt, when a numeric row holds something else.
inline constexpr std::string_view kExpectingNumber = " - Expecting a numeric value";
inline constexpr std::string_view kConfirmCancel = "Confirm - Cancel Input";

// OpenForm2 and CloseForm2.
inline constexpr std::string_view kTooManyForms = "Limit of 10 open Forms has been reached.";
inline constexpr std::string_view kWindowFailed = "Failed to create the Form window.";
inline constexpr std::string_view kDefinitionFailed = msg::kFormDefinitionFailed;

// Form2Exchange.
inline constexpr std::string_view kNoAction = "Can't evaulate Get/Set action - ";
inline constexpr std::string_view kNoReceiver = "A variable is required to recieve the property value ";
inline constexpr std::string_view kNotNumericOrString = "Expecting a numeric or string variable but found - ";
inline constexpr std::string_view kObjectNotAName = "Expecting form object to be a variable name - ";
inline constexpr std::string_view kNoProperty = "Can't evaulate property object - ";
inline constexpr std::string_view kNoRedraw = "Can't evaulate Redraw mode - ";
inline constexpr std::string_view kFormNotFound = "Failed to find form (looking at form.Caption) - ";
inline constexpr std::string_view kUnknownProperty = "Unrecognised property - ";
inline constexpr std::string_view kObjectNotFound = "Failed to find the control on the form - ";
inline constexpr std::string_view kPropertyNotFound = "Failed to find the property - ";
inline constexpr std::string_view kUnacceptableValue = "The specified value is unacceptable for the property - ";
inline constexpr std::string_view kReadOnly = "Attempt to write to a read only property - ";
inline constexpr std::string_view kTextIntoNumber = "Property can only be returned into a string variable - ";
inline constexpr std::string_view kSaveFailed = "Failed to save property - ";
} // namespace form_msg

// The editors: "Open An Input Form" for OpenForm and OpenForm2, "Close Form", "Form2 Data Exchange".
std::vector<const InstructionEditor*> formEditors();

LineResult executeOpenForm(LineContext& line);
LineResult executeOpenForm2(LineContext& line);
LineResult executeCloseForm2(LineContext& line);
LineResult executeForm2Exchange(LineContext& line);

} // namespace qel
