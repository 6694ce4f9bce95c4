#pragma once
// The run-time error texts that more than one part of the system uses: the three headers, the
// failures of variables and operands, and those of calls, blocks and the run loop. A run-time error
// is a header followed by a message and, for the messages ending in "- ", the offending name or
// text. Texts that only one instruction family shows live in that family's own texts header.

#include "base/result.h"

#include <string>
#include <string_view>

namespace qel::msg {

inline constexpr std::string_view kRunTimeError = "RUN TIME ERROR\n\n";
inline constexpr std::string_view kInternalError = "Internal Error - Please report\n\n";
inline constexpr std::string_view kWindowsCallFailed = "WINDOWS CALL FAILED\n\n";
// Shown on its own before a run stops with a failed call to the window system.
inline constexpr std::string_view kWindowsErrorNotice =
    "QEL has received an error from Windows.\n\nPlease report if it occurs regularly.";

// Subscripts.
inline constexpr std::string_view kSubscriptUndeclared = "Expecting subscript but found undeclared variable - ";
inline constexpr std::string_view kSubscriptNonNumeric = "Expecting subscript but found a non-numeric variable - ";
inline constexpr std::string_view kSubscriptArray = "Expecting subscript but found array variable - ";
inline constexpr std::string_view kSubscript1OutOfRange = "1st Subscript out of range - ";
inline constexpr std::string_view kSubscript2OutOfRange = "2nd Subscript out of range - ";
inline constexpr std::string_view kDifferingDimensions =
    "Differing number of dimensions between reference and declaration of variable - ";

// Reading a number.
inline constexpr std::string_view kNumericFoundStringLiteral = "Expecting numeric value but found string literal - ";
inline constexpr std::string_view kNumericFoundUndeclared = "Expecting numeric value but found undeclared variable - ";
inline constexpr std::string_view kNumericFoundNonNumeric =
    "Expecting numeric value but found a non-numeric variable - ";
// "Unable to convert the contents " + '"' + text + '"' + " of the string ..." + name
inline constexpr std::string_view kUnableToConvert = "Unable to convert the contents ";
inline constexpr std::string_view kUnableToConvertTail = " of the string variable to a numeric value - ";

// Reading a text.
inline constexpr std::string_view kStringFoundNonString = "Expecting string value but found non string value ";
inline constexpr std::string_view kStringFoundUndeclared = "Expecting string value but found undeclared variable - ";
inline constexpr std::string_view kStringFoundNonStringVariable =
    "Expecting string value but found a non-string variable - ";
inline constexpr std::string_view kOutOfMemoryDot = "Out of memory.";

// Reading a Bitmap or File handle.
inline constexpr std::string_view kBitmapFoundUndeclared = "Expecting Bitmap but found undeclared variable - ";
inline constexpr std::string_view kBitmapFoundNonBitmap = "Expecting Bitmap but found a non-bitmap variable - ";
inline constexpr std::string_view kBitmapFoundLiteral = "Expecting Bitmap but found literal value ";
inline constexpr std::string_view kFileFoundUndeclared = "Expecting File but found undeclared variable - ";
inline constexpr std::string_view kFileFoundNonFile = "Expecting File but found a non-file variable - ";
inline constexpr std::string_view kFileFoundLiteral = "Expecting File but found literal value ";

// Storing.
inline constexpr std::string_view kVariableFoundUndeclared = "Expecting variable but found undeclared variable - ";
inline constexpr std::string_view kVariableFoundLiteral = "Expecting variable but found literal.";
inline constexpr std::string_view kOutOfMemoryBlank = "Out of memory ";
// A run that would pass its memory budget, or whose allocation failed.
inline constexpr std::string_view kOutOfMemory = "Out of memory";
// A store into a variable of a type the caller should have refused (an internal inconsistency).
inline constexpr std::string_view kStoreWrongType = "Store into a variable of the wrong type - ";

// CheckRange: "Value out of range - " + value + " - " + label, without a header.
inline constexpr std::string_view kValueOutOfRange = "Value out of range - ";

// The run-start reset of the operand caches.
inline constexpr std::string_view kFailedCacheReset = "Failed to reset direct access pointer";
inline constexpr std::string_view kFailedCacheResetWhere = "(VarClearDa)";

// Several instructions.
inline constexpr std::string_view kUndeclaredReference = "Reference to undeclared variable - ";
inline constexpr std::string_view kIntegerOverflow = "Integer variable overflow/underflow.";
inline constexpr std::string_view kExpectingNumericVariable =
    "Expecting numeric variable but found non numeric variable - ";
inline constexpr std::string_view kExpectingNumericFoundVariable = "Expecting numeric variable but found variable - ";
inline constexpr std::string_view kExpectingStringFoundNonString =
    "Expecting string variable but found non string variable - ";
inline constexpr std::string_view kExpectingStringFoundVariable = "Expecting string variable but found variable - ";
inline constexpr std::string_view kUnableToEvaluateString = "Unable to evaluate string variable - ";
inline constexpr std::string_view kExpectingNumericOrString =
    "Expecting numeric or string variable but found variable - ";
// A file name operand (bitmaps, sounds, documents).
inline constexpr std::string_view kExpectingStringTypeVariable =
    "Expecting variable of type String but found variable - ";
inline constexpr std::string_view kCannotEvaluateAsString = "Can't evaulate variable as String - ";
// What a run writes, to files and to the tool's output, has passed the limit set for it.
inline constexpr std::string_view kOutputLimitReached = "Output limit reached";
// A text file that cannot take what is written to it (a full disk), also when the run's end closes it.
inline constexpr std::string_view kCantWriteToFile = "Can't write to file.";

// Blocks, calls and the run loop.
inline constexpr std::string_view kStackOverflow = "User application stack overflow";
inline constexpr std::string_view kUnexpectedEnd = "Unexpected end of instructions";
inline constexpr std::string_view kBreakpointFound = "Breakpoint found";
inline constexpr std::string_view kStopFound = "\"Stop\" instruction found";
inline constexpr std::string_view kCorruptChain = "Corrupt instruction chain.";
inline constexpr std::string_view kNotAvailableYet = " is not available yet.";
inline constexpr std::string_view kUnhandledLineType = "Unhandled line type.";
inline constexpr std::string_view kZeroStep = "Zero value for Step is not permitted.";
// Functions and the run start's look-up of the system variables and handler functions.
inline constexpr std::string_view kUnableToFindFunction = "Unable to find function - ";
inline constexpr std::string_view kParameterCountMismatch = "Paramater count mismatch";
inline constexpr std::string_view kUndeclaredControlVariable = "Undeclared variable - ";
inline constexpr std::string_view kUndeclaredParameter =
    "Can't complete Call as found undeclared variable in destination function declaration - ";
inline constexpr std::string_view kMisplacedDeclareFunction = "Misplaced DeclareFunction.";
// "Can't find the QEL system variable " + name + "."
inline constexpr std::string_view kMissingSystemVariable = "Can't find the QEL system variable ";
// name + " handler function missing."
inline constexpr std::string_view kHandlerMissing = " handler function missing.";

// Files a program names that cannot be opened.
inline constexpr std::string_view kUnableToOpenFile = "Unable to open the file specified.";
inline constexpr std::string_view kUnableToOpenBitmap = "Unable to open the bitmap specified.";
inline constexpr std::string_view kUnableToPlaySound = "Unable to play the specified sound.";
inline constexpr std::string_view kFormDefinitionFailed = "Failed to open the Form definition.";

// A For loop whose counter no longer changes when it is stepped (a float past 2^24 plus 1).
inline constexpr std::string_view kCounterCannotChange = "The loop counter can no longer change - ";

} // namespace qel::msg

namespace qel {

// "RUN TIME ERROR\n\n" + message + detail.
inline Failure runError(std::string_view message, std::string_view detail = {})
{
    std::string text(msg::kRunTimeError);
    text.append(message).append(detail);
    return Failure(std::move(text));
}

// "Internal Error - Please report\n\n" + message + detail: the program's data is inconsistent.
inline Failure internalError(std::string_view message, std::string_view detail = {})
{
    std::string text(msg::kInternalError);
    text.append(message).append(detail);
    return Failure(std::move(text));
}

} // namespace qel
