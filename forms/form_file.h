#pragma once
// The form file (.frm): XML-looking text read and written line by line with fixed tags, one
// property a line, no attributes and no escaping.
//
//   <?XML version="1.0" standalone="yes" ?>
//   <orxform>
//   <object>                                   the version object: four fixed lines
//   <objecttype>1</objecttype>
//   <formsversion>1.00</formsversion>
//   </object>
//   <object>                                   then the form (object 0) and each object of types 3
//   <objecttype>N</objecttype>                 to 12, 35 lines each: the fields in the order of
//   <width>N</width>                           FormObject, except that gridy comes before gridx
//   ...
//   <onchange>T</onchange>
//   </object>
//   </orxform>
//
// Lines end in CR LF when written; a lone LF is accepted when read. Numbers are unsigned decimal (a
// signed field is written as its 32-bit pattern, -1 as 4294967295, and read back to the same value);
// texts are the raw bytes between the tags, so they may hold "<", ">" and "&" but no line break.

#include "base/translatable.h"
#include "forms/form_object.h"
#include "messages/file_messages.h"
#include "messages/run_errors.h"
#include "program/host.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qel {

// The most objects a form holds, the form itself included.
inline constexpr size_t kMaxFormObjects = 200;

// How a form file's name ends, and how the file begins.
inline constexpr std::string_view kFormFileExtension = ".frm";
inline constexpr std::string_view kFormFileStart = "<?XML version";

// The file dialogs' filter for form files.
inline constexpr std::string_view kFormFileFilter = QT_TRANSLATE_NOOP("qel", "ORX Form (*.frm)");
// The title of the dialog that opens a form file.
inline constexpr std::string_view kFormOpenTitle = QT_TRANSLATE_NOOP("qel", "Open ORX Form");

// Messages of reading and writing.
inline constexpr std::string_view kFormOpenFailed = "Unable to open Form file";
inline constexpr std::string_view kFormOutOfMemory = msg::kOutOfMemory;
inline constexpr std::string_view kFormBadFirstLine = "Expecting 1st line of file to start with <?XML version";
inline constexpr std::string_view kFormBadSecondLine = "Expecting 2nd line of file to start with <orxform>";
inline constexpr std::string_view kFormCorrupt = "Corrupt or non ORX Form file";
inline constexpr std::string_view kFormUnrecognisedObject = "This form contains an unrecognised <Object>";
inline constexpr std::string_view kFormUnrecognisedItem = "Unrecognised item in <object:form>:";
inline constexpr std::string_view kFormUnrecognisedVersionItem = "Unrecognised item in <formversion>:";
// Our own: a file with more objects than a form holds is read up to that many.
inline constexpr std::string_view kFormTooManyObjects =
    "This form holds more than 200 objects; only the first 200 have been read";
inline constexpr std::string_view kFormWriteOpenFailed = "File open error";
inline constexpr std::string_view kFormWriteFailed = kFileWriteError;

struct FormReadResult {
    FormObjects objects; // the complete objects, in file order (the version object takes no place)
    // The file ended properly. When false the user has been told what is wrong with it; the
    // objects read before the damage are still given.
    bool complete = false;
};

// Reads form file text. Every problem is shown through host, each at most once.
FormReadResult parseFormFile(std::string_view text, MessageHost& host, size_t capacity = kMaxFormObjects);

// Reads a form file; nothing (after "Unable to open Form file") when it cannot be read, or is not
// a regular file.
std::optional<FormReadResult> readFormFile(const std::string& path, MessageHost& host,
                                           size_t capacity = kMaxFormObjects);

// Reads a form file for a window (the designer, a form at run time): nothing when it cannot be read
// or its first object is not a form, which is said ("Corrupt or non ORX Form file") unless reading
// has said already what is wrong. A damaged file otherwise gives the objects read before the damage.
std::optional<FormReadResult> readFormForWindow(const std::string& path, MessageHost& host);

// The file's text for these objects: object 0 with its offsets written as 0, then the objects of
// types 3 to 12. Line breaks inside texts are written as blanks, so that every file written reads
// back.
std::string formFileText(std::span<const FormObject> objects);

// Writes the file as every save does (a temporary file beside it, renamed over it); false after
// "File open error" or "File write error.", the old file then being as it was.
bool writeFormFile(const std::string& path, std::span<const FormObject> objects, MessageHost& host);

// A number field as the reader converts it: leading blanks, an optional sign and decimal digits up
// to the first other character, as a 32-bit pattern (too large: all ones; none: 0).
uint32_t formFileNumber(std::string_view text);

} // namespace qel
