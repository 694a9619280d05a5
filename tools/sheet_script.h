// The host program's script of a person in front of the printing-preferences sheet: one step a
// line (or steps separated by ";" on the command line), each a word and its arguments, an
// argument with spaces in double quotes. Controls are named as a person sees them: a button or a
// check box by its text, a list or a field by the label before it, or by the control's number.
//
//   page Finishing              the sheet's tab of that title (or its number from 1)
//   type Copies 3               types over a field
//   choose "Page size" A4       picks an entry of a list
//   check Punch / uncheck Punch
//   click "Page options..."     presses a button; the steps after it act in the dialog it opens
//   ok / cancel / apply         presses the button of the dialog or the sheet being worked in
//   answer yes                  the answer to the next message box (yes, no, ok, cancel, retry)
#pragma once

#include <string>
#include <vector>

struct SheetStep {
    enum Kind { kPage, kType, kChoose, kCheck, kUncheck, kClick, kOk, kCancel, kApply, kAnswer } kind;
    std::vector<std::string> args;
    int line;  // where the step stands, for what the program says of it
};

// The steps of a script; false, with the line and the reason in `error`, on a step it does not
// know or with the wrong number of arguments.
bool ParseSheetScript(const std::string& text, std::vector<SheetStep>& steps, std::string& error);

// The script a --sheet argument gives: the file after "@", else the argument itself with ";"
// between steps. False, with the reason in `error`, when the file cannot be read.
bool ReadSheetScript(const std::string& argument, std::string& text, std::string& error);
