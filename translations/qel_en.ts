<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>qel</name>
    <message>
        <source>Print Sections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Initialise Section</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keyboard Section</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Timer Section</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mouse Section</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paint Section</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add An Instruction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORX Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forms Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save ORX Form file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap Files (*.bmp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab Order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Variable Values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Functions List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run Time Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Qelvin Programming Langauge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qelvin Programming Language Version: 1.25</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qelvin Programming Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QEL Programs (*.qel)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap &amp;Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap &amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Returned &amp;Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Returned &amp;Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Document Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To X/Y &amp;Absolute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;From X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fro&amp;m Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;To X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T&amp;o Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T&amp;op</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fill Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tra&amp;nsparent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Centre &amp;X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Centre &amp;Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Radius X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R&amp;adius Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At &amp;X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At &amp;Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Read Into String Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Split Line On Commas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field &amp;Count Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write V&amp;alue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write A &amp;Comma Afterwards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Quotes Around</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add A &amp;NewLine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text &amp;File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open For &amp;Reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open For &amp;Writing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Control Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Starting Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Finishing Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ste&amp;p</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Comparision</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;ondition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Condition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Va&amp;lue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Control Types</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Default Values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Prompts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Function &amp;Prefix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Control &amp;Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow &amp;Missing Target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Return Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;List Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK/&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Yes/No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes/No/C&amp;ancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Retry/Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exclamation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Question</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;Button Pressed Into</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Prompt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;1000ths Of a second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;100ths Of a second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Wave File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Numeric Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;Length In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;ource String</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Finish At</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Destination String</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Le&amp;ft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Centre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ri&amp;ght</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Get Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type&amp;Face</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type&amp;Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Display Precision</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Te&amp;xt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Opaque Background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tr&amp;ansparent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable &amp;Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Dimensions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;1st Dimension</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;2nd Dimension</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable &amp;Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use A &amp;Function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Operator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xpression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O&amp;perator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expre&amp;ssion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F&amp;unction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Argument</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ope&amp;rator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Se&amp;cond Operand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File &amp;Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;String Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Function &amp;Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Return Into</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter &amp;1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter &amp;2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter &amp;3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lesson profile has problems:%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file&apos;s name has characters that a program&apos;s texts cannot hold (letters beyond the Western European ones). Rename the file, or choose another one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have reached the limit on the number of forms that may be open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to open window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to excecute form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes to the form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to find the requested object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only Latin-1 characters can be stored in a form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>can&apos;t open file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No sections selected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no printer on this computer, so there is nothing to set up.

What you print goes to a PDF file beside the program, in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printed to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No match found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The currently selected line is invalid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This line is required by QEL, it may not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This line is required by ORX, it may not be deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confused about the size of selection,defaulting to 1 line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No selected line to paste after.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attempt to paste a reserved line ignored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attempt to paste a DeclareVariable statement ignored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You may not place a break point on this line type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only 5 breakpoints are allowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to set Clipboard data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to get Clipboard data handle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This window may not be closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Closing QEL is disallowed whilst a program is running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to open the file %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to save the program to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File variable required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>String variable or string literal required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expecting empty field.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Condition required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unbalanced parenthesis.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unneccessary parenthesis.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable or constant string required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form Variable required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Object Property required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redraw value required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable or Nothing required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numeric or String variable required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>InvalidExpression.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Function name required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Function already exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable name or Nothing required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>String Variable or string literal required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numeric Variable or Nothing required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numeric literal required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid variable name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrays may not have more that 10,000 elements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate variable name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At least one variable name is required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too much text for one line - shorten this value or declare the variable on another line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Function required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing operator.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing expresion.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expression required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numeric expression required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid expression.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>String expression required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable or constant required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable or string literal required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entry required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose one of the items in the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too much text for one line - shorten this value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File write error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An EndIf statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An EndWhile statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A Next statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A PostQuitMessage statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A Stop statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An TimerStop statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An EndFunction statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An Else statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A BreakOutOfLoop statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A ContinueLoop statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A TraceOn statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A TraceOff statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A StepOn statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A WindowMaximise statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A WindowRestore statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An AutoRun statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An ExitQEL statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A PrintEject statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A PrintStart statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A PrintStop statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An OptionCaseSensitive statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An OptionCaseInsensitive statement can not be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to save line as out of memory - Err 1001.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleting the first line is not permitted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are too many controls on this form to add any more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t paste all items as there would be too many controls on the form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The form object can not be copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format Painter can only be used with one selected item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corrupt, Obsolete or Non-QEL file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trace On/Trace Off instruction found and ignored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to print: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable &amp;1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable &amp;2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable &amp;3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable &amp;4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable &amp;5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable &amp;6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title 6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1st Dimension must be an integer in the range 0 - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2nd Dimension must be an integer in the range 0 - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corrupt, Obsolete or Non-QEL file.

Line %1 of the %2 section has a text longer than 1,024 characters, so the file was not opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corrupt, Obsolete or Non-QEL file.

Line %1 of the %2 section has a block longer than the rest of the file, so the file was not opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corrupt, Obsolete or Non-QEL file.

Line %1 of the %2 section has a block longer than 1,021 bytes, so the file was not opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corrupt, Obsolete or Non-QEL file.

Line %1 of the %2 section has a block that refers outside itself, so the file was not opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corrupt, Obsolete or Non-QEL file.

Line %1 of the %2 section declares an array larger than the Declare Variables dialog allows (each dimension 0 to 1000, at most 10,000 elements), so the file was not opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to open the program file: it ends inside the %1 section, before the end of the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program has no function of this name: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expecting value in the range of %1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No EndFunction closes the function - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Instruction outside the lesson profile - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown instruction keyword - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read the lesson profile - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lesson profile includes itself - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lesson profiles are included too deeply - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you select a form definition here, it will help in filling in the above  boxes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable/Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form Object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Object Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Object Property</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repaint Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initial Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load A Bitmap File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw A Bitmap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw A Scaled Bitmap </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unload A Bitmap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open A Document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Save/Load Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw A Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw A Rectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw A Circle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw An Arc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw A Point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill An Area</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read A Line From A Text File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write To A Text File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close Text File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open A Text File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>While</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open An Input Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form2 Data Exchange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Call A Function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Call Using A Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return From A Function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Declare Function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display Variables In A List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message Box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input Box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause Execution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Timer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play A Wave File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get A String&apos;s Length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert A String To A Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert A Number To A String</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get Time And Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extract Part Of A String</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Text Foreground Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Text Background Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Text Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Floating Point Display Precision</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remap A Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Declare Variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Let</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get Window Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open ORX Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap Files (*.bmp)| *.bmp||</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Files (*.*)| *.*||</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text files (*.txt *.csv)| *.txt;*.csv|All files (*.*)| *.*||</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORX Form Files (*.frm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wave Files (*.WAV)| *.wav||</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORX Form (*.frm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recorded the run in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to save the recorded run to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No printer: %1 printed page(s) saved as %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 page(s) sent to the printer %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;Invalid keyword&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are too many elements to display</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::CCheckWindow</name>
    <message>
        <source>Section</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Problem</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::CFindInCode</name>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::CFormTabOrder</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::CFormsEditForm</name>
    <message>
        <source>Add Static text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an Edit text control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a checkbox</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a combo box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a rectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snap objects to the grid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format Painter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set default foreground colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set default background colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set default border colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the tab order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select &amp;All	Ctrl+A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Align &amp;Left Edges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Align &amp;Top Edges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make Same &amp;Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Properties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New Form file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open Form file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close Form file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save Form file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Form file &amp;As..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Recent Form files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Layout</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::CInsUserForm</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::CMainFrame</name>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event scripts (*.txt);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open an existing program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the program with a new name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit QEL; prompts to save the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form &amp;Design</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Design a form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form &amp;PreView</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try out a form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrange the windows so they overlap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrange the windows side by side</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help Topics	F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the help contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About QEL...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the version of QEL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F&amp;orms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open this program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::CORXListCtrlVars</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text Files (*.txt *.spl *.csv *.asc);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::CORXObjectViewer</name>
    <message>
        <source>QEL Object Viewer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the first %2 of %3 are shown.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::CQelView</name>
    <message>
        <source>Toggle BreakPoint</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::CheckCommands</name>
    <message>
        <source>Lesson profiles (*.txt);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;heck Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List what would fail in the program, without running it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Lesson Profile...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the instructions a lesson allows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear Lesson Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow every instruction again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::HelpWindow</name>
    <message>
        <source>QEL Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QEL Help - %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::InsBlank</name>
    <message>
        <source>&amp;Instruction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::InspectionWindows</name>
    <message>
        <source>&amp;Object Viewer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the values of the program&apos;s variables</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::PrintCommands</name>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the program listing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the printed listing&apos;s pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the printer and its options</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::RunCommands</name>
    <message>
        <source>&amp;Run	F5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Profiled Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run the program and time and count every line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record R&amp;un...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run the program and write every event it receives to an event script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop the running program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue the paused program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Single S&amp;tep	F10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run the next line and pause again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle &amp;BreakPoint	F9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set or clear a breakpoint on the current line</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::RunInputBox</name>
    <message>
        <source>&amp;Reply</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::StatusPanes</name>
    <message>
        <source>CAP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NUM</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qel::ViewCommands</name>
    <message>
        <source>&amp;Initialise Section	Alt+1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paint Section	Alt+2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Timer Section	Alt+3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keyboard Section	Alt+4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mouse Section	Alt+5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Insert after current line	Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an instruction after the current line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add a line to the end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an instruction at the end of the section</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete current line	Del</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the selected lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit current line	Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the current line in its instruction&apos;s dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut the selected lines to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the selected lines to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste lines after the current line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy A&amp;ll Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the whole section to the clipboard as text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find...	Ctrl+F3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find text in the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find &amp;Next	F3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find the next line with the text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F&amp;unctions List	Ctrl+F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List the program&apos;s functions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the %1 section</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hit Counts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show how many times each line ran in a profiled run instead of its share of the time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy As Te&amp;xt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the selected lines, or the section, as text that builds them again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
