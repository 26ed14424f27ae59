<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en_US">
<context>
    <name>CCalcAboutDialog</name>
    <message>
        <source>About Calculator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculator Tarvik F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Support</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Professional version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>© Tarvik. All rights reserved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Perfect</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCalcDoc</name>
    <message>
        <source>An unknown error occurred while accessing %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 contains an incorrect path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not open %1 because there are too many open files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Access to %1 was denied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An incorrect file handle was associated with %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create %1 because the directory is full.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seek failed on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encountered a hardware I/O error while accessing %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encountered a sharing violation while accessing %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encountered a locking violation while accessing %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk full while accessing %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attempted to access %1 past its end.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is too large to open.
A calculation file holds at most 67,108,864 characters.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCalcFileDialog</name>
    <message>
        <source>Calculation files (*.tvc)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory files (*.tvm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCalcKeyPad</name>
    <message>
        <source>Keypad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot load the selected font.
Using default font.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the previous character</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculate the cell</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculate all cells</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free the memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert a line end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert ; and a line end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCalcLog</name>
    <message>
        <source>Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Context</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCalcMainFrame</name>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start a new calculation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a calculation file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the calculation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the calculation under a new name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Execute...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculate a file against the memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Execute file Ctrl+E</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit the calculator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open this calculation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase all memory cells</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load memory cells from a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the memory cells to a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculate the current cell</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculate all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculate all cells</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculate all Ctrl+Shift+=</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo the last edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut the selection to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut Ctrl+X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the selection to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert the clipboard text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste Ctrl+V</source>
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
        <source>&amp;Keypad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide keypad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle keypad Ctrl+K</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle log Ctrl+L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle memory Ctrl+M</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>St&amp;atistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle statistics Ctrl+T</source>
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
        <source>Focus editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to the editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Focus keypad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to the keypad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Focus log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to the log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Focus memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to the memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Focus statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to the statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trigonometric units</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the unit of angles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;West</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Function names of the West tradition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;East</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Function names of the East tradition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;2000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Classic keypad buttons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tarvik</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Capsule keypad buttons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;XP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rounded keypad buttons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Vista</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Glass keypad buttons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Select...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the keypad font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;ystem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the system font on the keypad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the default keypad font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Function...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text colour of function keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Digit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text colour of digit keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Service...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text colour of service keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System text colour on all keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D&amp;efault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default text colours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour of function keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour of digit keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour of service keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System colour on all keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default key colours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the editor font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the default editor font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Calculator...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the program name, version and maker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent File</source>
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
        <source>&amp;Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Notation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Text Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Editor Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rslt = %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SSE2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CAP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NUM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pa&amp;ge Setup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the printing options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the calculation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Ctrl+P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the pages as they will print</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCalcMemory</name>
    <message>
        <source>Memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incl</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cell</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase all the memory?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase the selected memory?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculator memory files (*.tvm)|*.tvm||</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the file for writing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only one cell is selected.
Calculate for all cells?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCalcPageSetup</name>
    <message>
        <source>Printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 pt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, bold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, italic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>n</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>- n -</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>n of N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Header center</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Header right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Footer center</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Footer right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page layout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margins (millimeters)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margins (inches)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Header/footer font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Si&amp;ze:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;ortrait</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L&amp;andscape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Left:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Top:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Right:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bottom:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Printer...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T&amp;ime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D&amp;efault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Select...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>De&amp;fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Se&amp;lect...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No printer is installed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCalcPreferences</name>
    <message>
        <source> Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Append power ^ with parenthese</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>West</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>East</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pop-up on new message if hidden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trigonometric units</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radians</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory free confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use SSE2 processor module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCalcPrintJob</name>
    <message>
        <source>PDF files (*.pdf)|*.pdf|All Files (*.*)|*.*||</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print to File</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCalcPrintPreview</name>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre&amp;v Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Two Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages %1-%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;One Page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCalcPrintingDialog</name>
    <message>
        <source>Printing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Document   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCalcStatistics</name>
    <message>
        <source>Mean (average)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard deviation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Average deviation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skewness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kurtosis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot be calculated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undefined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overflow: too big negative number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overflow: too big positive number</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCalcTrigonometricUnits</name>
    <message>
        <source>Deg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Rad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Deg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Grad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trigonometric function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radians</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grads</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>Calculator asks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculator warns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculator informs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculator stops</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numera</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear all the calculations?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase all the memory?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the file for reading.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read the file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the file for writing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File “%s” is not found.
Verify the file name and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File “%s” already exists.
Do you wish to overwrite it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes to “%1”?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tarvik F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System registry entries have been removed and the INI file (if any) was deleted.</source>
        <translation>Записи системного реестра удалены, INI-файл (если он был) тоже удалён.</translation>
    </message>
    <message>
        <source>Not all of the system registry entries (or INI file) were removed.</source>
        <translation>Не все записи системного реестра (или INI-файл) удалены.</translation>
    </message>
    <message>
        <source>Could not start print job.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Of %u page   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printing was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
