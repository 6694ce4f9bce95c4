#include "environment/help/help_instructions.h"

#include "program/instruction_table.h"
#include "program/keyword_table.h"
#include "runtime/editor_registry.h"
#include "values/names.h"
#include "values/variable_table.h"

#include <algorithm>

namespace qel {

namespace {

// Colour lists offer: Black, Grey, Blue, Light Blue, Red, Light Red, Green, Light Green, Yellow,
// Light Yellow, Cyan, Light Cyan, Magenta, Light Magenta, White, Bright White.
const std::vector<InstructionHelp> kHelp = {
    {kCall,
     "Runs a function declared with DeclareFunction, then carries on with the next line. Up to three values "
     "are passed to the function's parameters; a function that returns a value can store it in a variable.",
     "Function Name: the name of the function to run.\n"
     "Return Into: a variable that receives the function's return value, or empty.\n"
     "Parameter 1 to Parameter 3: values (variables or numbers or strings) for the function's parameters, in order.",
     {"DrawHouse", "", "X", "Y"},
     {}},
    {kWindowClear,
     "Clears the whole run-time window to one colour.",
     "Colour: the colour the window is filled with.",
     {"Black"},
     {}},
    {kComment,
     "A note for the reader of the program. It does nothing when the program runs. The first line of every "
     "section is a comment naming the section.",
     "Comment: any text.",
     {"Draw the house and the garden"},
     {}},
    {kDeclareVariable,
     "Declares up to four variables of one type. Variables exist as soon as the line is entered, in every "
     "section and every function; each run starts them at their initial values. Names start with a letter "
     "and have up to 20 letters, digits or underscores.",
     "Variable Type: Integer, Floating Point, String, Bitmap or File.\n"
     "Dimensions: Not an Array, 1D Array or 2D Array.\n"
     "1st Dimension, 2nd Dimension: the number of elements of an array (elements count from 1).\n"
     "Variable Name: the name of each variable.\n"
     "Initial Value: the value each run starts with (numbers and strings only).",
     {"Integer", "Not an Array", "", "", "Lives", "3", "Level", "1"},
     {}},
    {kDrawLine,
     "Draws a straight line in the run-time window. Coordinates are pixels from the top left corner of the "
     "window, x to the right and y downwards.",
     "From X, From Y: where the line starts.\n"
     "To X, To Y: where it ends; a distance from the start unless To X/Y Absolute is ticked.\n"
     "Width: the pen width, 1 to 9.\n"
     "Colour: the line's colour.\n"
     "To X/Y Absolute: ticked, To X and To Y are a point of the window.",
     {"10", "20", "200", "150", "1", "Red", "1"},
     {}},
    {kDrawArc,
     "Draws part of the outline of a circle or an ellipse, from a start angle to an end angle in degrees.",
     "Centre X, Centre Y: the centre.\n"
     "Radius X, Radius Y: the radius across and down (equal for a circle).\n"
     "Start, End: the angles in degrees, 0 to 360.\n"
     "Width: the pen width, 1 to 9.\n"
     "Colour: the arc's colour.",
     {"100", "100", "50", "50", "0", "90", "2", "Blue"},
     {}},
    {kDrawBitmap,
     "Draws a picture loaded with BitmapLoad at its own size.",
     "Bitmap Variable: the Bitmap variable holding the picture.\n"
     "Top, Left: where the picture's top left corner goes.",
     {"Picture", "10", "20"},
     {}},
    {kDrawRect,
     "Draws a rectangle, filled or as an outline.",
     "Left, Top: the top left corner.\n"
     "Right, Bottom: the opposite corner; the width and height unless To X/Y Absolute is ticked.\n"
     "Width: the pen width, 1 to 9.\n"
     "Colour: the outline's colour. Fill Colour: the inside's colour.\n"
     "Transparent: ticked, only the outline is drawn.\n"
     "To X/Y Absolute: ticked, Right and Bottom are a point of the window.",
     {"50", "50", "100", "60", "1", "White", "Blue", "", ""},
     {}},
    {kDrawCircle,
     "Draws a circle or an ellipse around a centre point.",
     "Centre X, Centre Y: the centre.\n"
     "Radius X, Radius Y: the radius across and down (equal for a circle).\n"
     "Width: the pen width, 1 to 9; 0 draws a filled circle.\n"
     "Colour: the circle's colour.",
     {"300", "200", "40", "40", "0", "Yellow"},
     {}},
    {kDrawText,
     "Writes a text or a number in a rectangle of the window, in the font and colours set by TextFont, "
     "TextForeColour and TextBackColour.",
     "Left, Top, Right, Bottom: the rectangle the text is written in.\n"
     "Text: a string in double quotes, a variable, or a number.\n"
     "Left, Centre, Right: how the text lines up in the rectangle. Get Size: writes nothing and stores "
     "the size the text would take into Right and Bottom.\n"
     "Opaque Background, Transparent: whether the text's background colour is painted behind it.",
     {"10", "10", "300", "40", "\"Hello, world\"", "1", "", "", "", "", "1"},
     {}},
    {kEndIf, "Closes the block opened by If. It is added by itself after every new If line.", {}, {}, {}},
    {kEndWhile,
     "Closes the loop opened by While: the program goes back to the While line and tests again.",
     {},
     {},
     {}},
    {kIf,
     "Runs the lines up to Else (or EndIf) only when the condition holds; otherwise the lines after Else, if "
     "there is an Else. A condition compares up to three pairs of values, joined by AND, OR or XOR; one "
     "pair of brackets may group two of them. EndIf is added by itself.",
     "Variable: the value on the left of the comparison.\n"
     "Comparision: Greater Than, Less Than, Equal, Not Equal..., or .AtEndOfFile for a File variable, "
     "IsNumeric and IsNotNumeric for a String.\n"
     "Value: the value on the right.\n"
     "Condition: AND, OR or XOR to join the next comparison, or empty.\n"
     "( and ): brackets around comparisons.",
     {"", "X", "Greater Than", "100"},
     {}},
    {kFor,
     "Repeats the lines up to Next, counting a variable from a start value to a finish value. Next is added "
     "by itself.",
     "Control Variable: the variable that counts.\n"
     "Starting Value, Finishing Value: where the count starts and ends.\n"
     "Step: how much is added each time round (1 when empty; negative counts down).",
     {"I", "1", "10", ""},
     {}},
    {kGetTimeAndDate,
     "Stores the time now as text like 14:05:09 and today's date like 25/12/2024 (day first).",
     "Time: a String variable for the time.\nDate: a String variable for the date.",
     {"Time", "Date"},
     {}},
    {kWindowGetSize,
     "Stores the width and height of the inside of the run-time window, in pixels.",
     "Width, Height: numeric variables that receive the size.",
     {"Width", "Height"},
     {}},
    {kLet,
     "Gives a variable a new value: up to three values joined by operators (+, -, *, /, % and the bit "
     "operators), worked out from left to right; or one of the functions Cos, Sin, Tan (in degrees), Sqrt, "
     "Rand, Int, Fraction, Round, DateToStr or DateFromStr, optionally combined with one more value.",
     "Variable: the variable that receives the value.\n"
     "Expression, Operator: the values and the operators between them.\n"
     "Use A Function: ticked, the value comes from Function applied to Argument, then Operator and Second "
     "Operand.",
     {"X", "", "X", "+", "1"},
     {}},
    {kBitmapLoad,
     "Loads a picture from a .bmp file into a Bitmap variable, ready for DrawBitmap, and tells its size.",
     "Bitmap File: the file's name, in double quotes, or a String variable.\n"
     "Bitmap Variable: the Bitmap variable to hold it.\n"
     "Returned Width, Returned Height: numeric variables that receive the picture's size.",
     {"\"house.bmp\"", "Picture", "Width", "Height"},
     {}},
    {kMessageBox,
     "Shows a message in a box and waits until the user presses one of its buttons. The program can find out "
     "which button was pressed: OK 1, Cancel 2, Retry 4, Yes 6, No 7.",
     "Message: the text, in double quotes, or a variable.\n"
     "OK, OK/Cancel, Yes/No, Yes/No/Cancel, Retry/Cancel: the buttons.\n"
     "Exclamation, Information, Question, Stop: the picture shown beside the text.\n"
     "Save Button Pressed Into: a numeric variable for the button, or empty.",
     {"\"Play again?\"", "", "", "1", "", "", "", "", "1", "", "Choice"},
     {}},
    {kNext, "Closes the loop opened by For: the count moves on and the loop runs again until it is done.", {}, {}, {}},
    {kPostQuitMessage, "Ends the run of the program, as the Stop command of the Run menu does.", {}, {}, {}},
    {kReturn,
     "Leaves the function being run and goes back to the line after its Call, optionally with a value for "
     "the caller.",
     "Value: the value to return, or empty.",
     {"Score"},
     {}},
    {kTextBackColour,
     "Sets the colour behind the text that DrawText writes from now on.",
     "Colour: the background colour.",
     {"Black"},
     {}},
    {kTextForeColour,
     "Sets the colour of the text that DrawText writes from now on.",
     "Colour: the text colour.",
     {"Yellow"},
     {}},
    {kTextFont,
     "Sets the font of the text that DrawText writes from now on.",
     "TypeFace: the font's name.\nTypeSize: its size in points.\nBold, Italic, Underline: the font's style.",
     {"Arial", "12", "1"},
     {}},
    {kStop,
     "Pauses the program at this line, as a breakpoint does: look at the variables in the Object Viewer, "
     "then choose Continue or Single Step from the Run menu.",
     {},
     {},
     {}},
    {kStringPart,
     "Copies part of a string into another String variable. Positions count from 1; a part beyond the end "
     "of the text is simply shorter (or empty).",
     "Source String: the String variable to copy from.\n"
     "Start From, Finish At: the first and last character positions to copy.\n"
     "Destination String: the String variable that receives the part.",
     {"Name", "1", "3", "Text"},
     {}},
    {kStringToNumeric,
     "Turns a text such as 42 or 3.5 into a number.",
     "String Variable: the text.\nNumeric Variable: the variable that receives the number.",
     {"Reply", "N"},
     {}},
    {kStringFromNumeric,
     "Turns a number into text, for example to join it to other text or to write it to a file.",
     "Numeric Variable: the number.\nString Variable: the variable that receives the text.",
     {"Score", "Text"},
     {}},
    {kStringLength,
     "Counts the characters of a string.",
     "String Variable: the text to measure.\nSave Length In: a numeric variable for the count.",
     {"Name", "Length"},
     {}},
    {kTimerStart,
     "Starts the program's timer: from now on the Timer section runs at a steady pace until TimerStop.",
     "100ths Of a second: the time between two runs of the Timer section, 1 to 1000.",
     {"50"},
     {}},
    {kTimerStop, "Stops the program's timer: the Timer section runs no more.", {}, {}, {}},
    {kTextFileClose,
     "Closes a text file opened with TextFileOpen. Close a file you have written before you read it again.",
     "File Variable: the File variable of the open file.",
     {},
     "TextFileClose Data"},
    {kTextFileOpen,
     "Opens a text file for reading or for writing, through a File variable.",
     "File Variable: the File variable that stands for the open file.\n"
     "Text File Name: the file's name, in double quotes, or a String variable.\n"
     "Open For Reading, Open For Writing: what the file is opened for; writing starts a new file.",
     {"Data", "\"scores.txt\"", "1", ""},
     {}},
    {kTextFileRead,
     "Reads the next line of a text file opened for reading. At the end of the file nothing changes: test "
     "for it with the .AtEndOfFile comparison of If or While.",
     "File Variable: the open file.\n"
     "Read Into String Variable: the String variable that receives the line.\n"
     "Split Line On Commas: ticked, the line's comma-separated parts go into the elements of a 1D String "
     "array, and Field Count Variable receives how many there were.",
     {},
     "TextFileRead Data, Line"},
    {kTextFileWrite,
     "Writes one value to a text file opened for writing.",
     "File Variable: the open file.\n"
     "Write Value: a variable, a number, or a text in double quotes.\n"
     "Write A Comma Afterwards, Add Quotes Around, Add A NewLine: what is written with the value.",
     {},
     "TextFileWrite Data, Score,NewLine"},
    {kWhile,
     "Repeats the lines up to EndWhile for as long as a comparison holds; it is tested before every round. "
     "EndWhile is added by itself.",
     "Variable: the value on the left.\n"
     "Condition: Greater Than, Less Than, Greater Than or Equal, Less Than or Equal, Equal or Not Equal.\n"
     "Value: the value on the right.",
     {"X", "Less Than", "100"},
     {}},
    {kDeclareFunction,
     "Starts a function: the lines up to EndFunction, run by Call. Put functions after a section's main "
     "lines. Function names are unique in the whole program. The Keyboard and Mouse sections hold the "
     "functions that key presses and mouse actions run, such as qelOnKeyDown and qelOnLeftButtonDown.",
     "Function Name: the function's name.\n"
     "Parameter 1 to Parameter 3: variables that receive the values a Call passes, or empty.\n"
     "Return Type: (Nothing), Integer, Floating Point or String.",
     {"DrawHouse", "X", "Y", "", "(Nothing)"},
     {}},
    {kEndFunction, "Ends a function: the program goes back to the line after the Call.", {}, {}, {}},
    {kElse, "Inside an If block: the lines from here to EndIf run when the If condition does not hold.", {}, {}, {}},
    {kBitmapUnload,
     "Frees a picture loaded with BitmapLoad when the program needs it no more.",
     "File Variable: the Bitmap variable holding the picture.",
     {"Picture"},
     {}},
    {kDrawPoint, "Colours a single pixel.", "At X, At Y: the pixel.\nColour: its colour.", {"50", "60", "White"}, {}},
    {kPlayWave,
     "Plays a sound from a .wav file.",
     "Wave File: the file's name, in double quotes, or a String variable.",
     {},
     "PlayWaveFile \"ding.wav\""},
    {kBreakOutOfLoop,
     "Leaves the innermost For or While loop at once and carries on after its Next or EndWhile.",
     {},
     {},
     {}},
    {kContinue,
     "Skips the rest of this round of the innermost For or While loop and starts the next round.",
     {},
     {},
     {}},
    {kOpenForm,
     "Shows a simple input form built from arrays and waits until the user closes it: one row a control, "
     "with a prompt, a starting value and, afterwards, the user's answer.",
     "Control Types: a 1D numeric array with one element for each row (at most 10).\n"
     "Default Values: a 2D String array with the starting values.\n"
     "Prompts: a String array with the rows' prompts.\n"
     "Results: a String array that receives the answers.",
     {},
     "OpenForm Types, Defaults, Prompts, Results"},
    {kTraceOn, "Kept for old programs only: it does nothing, and is left out when a program file is read.", {}, {}, {}},
    {kTraceOff,
     "Kept for old programs only: it does nothing, and is left out when a program file is read.",
     {},
     {},
     {}},
    {kWindowMaximise,
     "Makes the run-time window as large as it can be; the Paint section runs for the new size.",
     {},
     {},
     {}},
    {kWindowRestore,
     "Gives the run-time window its normal size back; the Paint section runs for the new size.",
     {},
     {},
     {}},
    {kCallUsing,
     "Calls a function whose name is made while the program runs: the prefix followed by the value of a "
     "variable. With the prefix Level and the variable holding 2, the function Level2 runs.",
     "Function Prefix: the first part of the name.\n"
     "Control Variable: a numeric or String variable whose value ends the name.\n"
     "Allow Missing Target: ticked, a name with no function does nothing instead of stopping the run.\n"
     "Return Into, Parameter 1 to Parameter 3: as for Call.",
     {"Level", "N"},
     {}},
    {kFPDispDigits,
     "Sets how many decimals Floating Point numbers show when they are written as text, for example by "
     "DrawText.",
     "Display Precision: 0, 2, 3, 4 or 6 decimals, or E for the exponent form.",
     {"2"},
     {}},
    {kOpenDoc,
     "Opens a document (a web page, a picture, a text...) with the program the desktop uses for it.",
     "Document: the name, in double quotes, or a String variable.",
     {},
     "OpenDocument \"notes.txt\""},
    {kAutoRun,
     "A program file holding this line starts running as soon as it is opened, and QEL closes when the "
     "program is stopped. Hold Ctrl or Shift while opening the file to edit it instead.",
     {},
     {},
     {}},
    {kExitQEL, "Ends the run and closes QEL.", {}, {}, {}},
    {kDrawFill,
     "Fills the area around a point with a colour, up to the edges of a different colour.",
     "At X, At Y: a point inside the area.\nColour: the fill colour.",
     {"150", "100", "Light Blue"},
     {}},
    {kPause,
     "Waits for a while before the next line. The windows stay alive while it waits.",
     "1000ths Of a second: how long to wait.",
     {"500"},
     {}},
    {kColourRemap,
     "Changes what one of the sixteen colours looks like, for everything drawn afterwards.",
     "Colour: the colour to change.\nRed, Green, Blue: its new mix, each 0 to 255.",
     {"Grey", "128", "64", "0"},
     {}},
    {kDrawBitmapScaled,
     "Draws a picture loaded with BitmapLoad stretched or shrunk to a given size.",
     "Bitmap Variable: the picture.\nLeft, Top: where its top left corner goes.\nWidth, Height: the size it "
     "is drawn at.",
     {"Picture", "0", "0", "200", "100"},
     {}},
    {kPrintEject, "While printing: ends the page and starts a new one.", {}, {}, {}},
    {kPrintStart,
     "Starts printing: everything drawn afterwards goes to the printer instead of the window.",
     {},
     {},
     {}},
    {kPrintStop, "Ends printing: the pages are sent to the printer and drawing goes to the window again.", {}, {}, {}},
    {kOptionCaseSensitive,
     "From now on comparisons of texts tell capital and small letters apart (abc is not Equal to ABC).",
     {},
     {},
     {}},
    {kOptionCaseInsensitive,
     "From now on comparisons of texts ignore the difference between capital and small letters (the "
     "setting every run starts with).",
     {},
     {},
     {}},
    {kDisplayVarsInListCtrl,
     "Opens a window that shows up to six 1D arrays side by side as the columns of a table, which the user "
     "can sort, copy, print and save.",
     "Variables: up to six 1D arrays of the same size.\n"
     "Titles: the columns' titles (the variables' names when empty).\n"
     "List Title: the window's title.",
     {},
     {}},
    {kInputBox,
     "Asks the user to type a text and waits for the answer.",
     "Prompt: the question, in double quotes, or a String variable.\n"
     "Response: the String variable that receives what was typed.",
     {"\"What is your name?\"", "Reply"},
     {}},
    {kOpenSaveLoadDlg,
     "Lets the user choose a file in the desktop's file dialog and stores its full name.",
     "Variable: the String variable that receives the chosen file's name.\n"
     "Load, Save: whether an existing file is chosen (Load) or a name to save under (Save).",
     {},
     "OpenSaveLoadDlg Path,Load"},
    {kCloseForm2,
     "Closes a form opened with Forms2Open (OpenForm2). Listed as Forms2Close.",
     "Form Name: the form's caption, in double quotes, or a String variable.",
     {},
     "CloseForm2 \"Scores\", "},
    {kForm2Exchange,
     "Reads or changes one property of one object of an open form, for example the text of an edit box "
     "or the caption of a button. Listed as Forms2Exchange.",
     "Form Name: the form's caption.\n"
     "Variable/Value: the variable that receives the property (Get), or the new value (Set).\n"
     "Action: Get or Set.\nForm Object: the object's name.\nObject Property: the property's name.\n"
     "Repaint Form: Yes to show the change at once.",
     {},
     "Form2Exchange \"Scores\",Text,Set,buttOK,buttCaption,Yes"},
    {kOpenForm2,
     "Opens a form made in the forms designer (a .frm file) as a window. Clicks on its buttons run the "
     "program's functions named in the form. Listed as Forms2Open.",
     "Form Name: the form file's name, in double quotes, or a String variable.",
     {},
     "OpenForm2 \"scores.frm\", "},
};

// The variables the examples refer to.
void declareSampleVariables(VariableTable& variables, MessageHost& host)
{
    auto declare = [&](std::string_view name, uint32_t type, uint32_t arrayKind = kNotArray, int32_t dim = 1) {
        VariableDeclaration d;
        d.name = name;
        d.type = type;
        d.arrayKind = arrayKind;
        d.dim1 = dim;
        variables.createVariable(d, host);
    };
    for (std::string_view name : {"X", "Y", "N", "I", "Score", "Width", "Height", "Length", "Choice"})
        declare(name, kTypeInteger);
    for (std::string_view name : {"Name", "Text", "Reply", "Time", "Date", "Line", "Path"})
        declare(name, kTypeString);
    declare("Picture", kTypeBitmap);
    declare("Data", kTypeFile);
}

// Examples are built where no message can reach the user.
class SilentHost : public MessageHost {
public:
    Button showMessage(std::string_view, Icon, Buttons buttons) override { return defaultButton(buttons); }
};

} // namespace

std::span<const InstructionHelp> instructionHelp() { return kHelp; }

const InstructionHelp* instructionHelpFor(uint32_t type)
{
    auto it = std::find_if(kHelp.begin(), kHelp.end(), [type](const InstructionHelp& h) { return h.type == type; });
    return it == kHelp.end() ? nullptr : &*it;
}

std::optional<std::string> exampleLine(const InstructionHelp& help)
{
    const InstructionInfo* info = instructionInfo(help.type);
    if (info && !info->fixedText.empty())
        return std::string(info->fixedText);
    if (const InstructionEditor* editor = editorFor(help.type); editor && !help.sample.empty()) {
        SilentHost host;
        Program program;
        VariableTable variables;
        declareSampleVariables(variables, host);
        std::vector<std::string> values(help.sample.begin(), help.sample.end());
        values.resize(std::max(values.size(), editor->fields().size()));
        EditContext context{program, variables, nullptr};
        EditOutcome outcome = editor->accept(values, context);
        if (outcome.ok())
            return outcome.line.text;
    }
    if (!help.writtenExample.empty())
        return std::string(help.writtenExample);
    return std::nullopt;
}

std::optional<uint32_t> instructionTypeForTopic(std::string_view topic)
{
    if (int type = keywordTable().lookupKeyword(topic); type >= 0)
        return uint32_t(type);
    for (const InstructionInfo& info : allInstructions())
        if (!info.listLabel.empty() && sameName(info.listLabel, topic))
            return info.code;
    return std::nullopt;
}

} // namespace qel
