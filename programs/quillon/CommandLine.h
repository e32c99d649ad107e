// The command line of quillon: a calculator whose entries are whole
// expressions, plus sub-commands chosen by the first argument.
//
//   quillon ENTRY...     evaluates each entry, one result per line; the
//                        words of one conversion may be separate arguments
//                        (quillon 5 km to mi, see Phrasing.h)
//   quillon              reads one entry per line from standard input
//   quillon --help       explains the entry syntax
//   quillon --version    prints the version
//   quillon units        lists the units with their definitions
//   quillon convert AMOUNT FROM TO
//                        converts AMOUNT (an expression) between units; an
//                        entry "AMOUNT FROM to TO" does the same
//   quillon exact QUESTION...
//                        answers with exact fractions
//
// Values go to the output stream, errors to the error stream. Sub-commands
// are rows of the table in CommandLine.cpp; the way one entry is evaluated is
// EvaluateEntry, the place to teach new entry forms.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/rtl.h"

namespace quillon {

// The streams a command reads and writes.
struct Console {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

// Exit statuses.
inline constexpr int kSuccess = 0;
inline constexpr int kEntryFailed = 1;  // at least one entry could not be evaluated

// A sub-command: "quillon NAME ARGUMENTS...". `run` gets the arguments after
// the name and returns the exit status.
struct Command {
  std::string_view name;
  std::string_view usage;    // for the help text, e.g. "units"
  std::string_view summary;  // one line for the help text
  int (*run)(const std::vector<std::string>& arguments, Console& console);
};

// The sub-commands, in the order the help text lists them.
const std::vector<Command>& Commands();

// Runs quillon's command line (the arguments without the program name) and
// returns the exit status.
int RunCommandLine(const std::vector<std::string>& arguments, Console& console);

// The text of one entry's result. An entry that mentions units is a question
// for the quantity engine (Questions.h): its answer, with the notes on units
// of several meanings in `notes`; any other entry is the evaluator's, the
// general number text of its value. Raises the evaluator's errors
// (PMisc::EAssignError, arithmetic errors) or quantity::EQuantityError.
std::string EvaluateEntry(const std::string& entry, std::vector<std::string>* notes = nullptr);

// Notes on the meanings of units are said once a run, on the error stream;
// this forgets which were said (for tests).
void ForgetNotesSaid();

// Evaluates each entry, writing its result to `out` or "quillon: ENTRY:
// MESSAGE" to `err`. Returns kEntryFailed when any entry failed.
int EvaluateEntries(const std::vector<std::string>& entries, Console& console);

// Reads entries from `in`, one per line, until the end of the input; blank
// lines are skipped, a line feed may be preceded by a carriage return.
int EvaluateLines(Console& console);

// An error message on one line: the carriage return that separates an
// evaluator message from its reason becomes a blank (or ": ").
std::string OneLine(std::string_view message);

// What "quillon --help" prints.
std::string HelpText();

}  // namespace quillon
