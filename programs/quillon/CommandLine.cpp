#include "programs/quillon/CommandLine.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <set>

#include "evaluation/PMisc.h"
#include "programs/quillon/Phrasing.h"
#include "programs/quillon/Questions.h"
#include "programs/quillon/Texts.h"

namespace quillon {

namespace {

int RunHelp(const std::vector<std::string>&, Console& console) {
  console.out << HelpText();
  return kSuccess;
}

// The notes said so far: each is said once in a run.
std::set<std::string>& NotesSaid() {
  static std::set<std::string> said;
  return said;
}

void SayNotes(const std::vector<std::string>& notes, Console& console) {
  for (const std::string& note : notes) {
    if (NotesSaid().insert(note).second) {
      console.err << "quillon: " << Translate("quillon::CommandLine", "note:") << ' ' << note
                  << '\n';
    }
  }
}

// "quillon: usage: quillon USAGE" for the sub-command `name`.
void SayUsage(std::string_view name, Console& console) {
  for (const Command& command : Commands()) {
    if (command.name != name) continue;
    console.err << "quillon: " << Translate("quillon::CommandLine", "usage:") << " quillon "
                << Translate("quillon::CommandLine", command.usage) << '\n';
  }
}

// AMOUNT (an expression of the evaluator, or a question's amount) converted
// from unit FROM to unit TO.
QuestionAnswer ConvertEntry(const std::string& amount, const std::string& from,
                            const std::string& to) {
  if (MentionsUnits(amount))
    return AnswerQuestion(UnitDefinitions(), "(" + amount + ") " + from + " to " + to);
  return ConvertAmount(UnitDefinitions(), PMisc::EvaluateExpression(amount), from, to);
}

int RunUnits(const std::vector<std::string>& arguments, Console& console) {
  if (!arguments.empty()) {
    SayUsage("units", console);
    return kEntryFailed;
  }
  console.out << ListUnits(UnitDefinitions());
  return kSuccess;
}

// "exact QUESTION...": the answers as exact rationals.
int RunExact(const std::vector<std::string>& arguments, Console& console) {
  if (arguments.empty()) {
    SayUsage("exact", console);
    return kEntryFailed;
  }
  int status = kSuccess;
  for (const std::string& entry : EntriesOfArguments(arguments)) {
    try {
      const QuestionAnswer answer = AnswerQuestion(UnitDefinitions(), entry, true);
      console.out << answer.text << '\n';
      SayNotes(answer.notes, console);
    } catch (const rtl::Exception& error) {
      console.err << "quillon: " << entry << ": " << error.Message() << '\n';
      status = kEntryFailed;
    }
  }
  return status;
}

// "convert AMOUNT FROM TO", also with a joining word ("convert 5km to mi",
// "convert 5 km to mi") or with the amount glued to its unit ("convert 5km
// mi"). Three arguments that do not read as a phrase are AMOUNT FROM TO
// ("convert 5 in cm": inches).
std::optional<ConversionRequest> ConvertArguments(const std::vector<std::string>& arguments) {
  const std::vector<std::string> entries = EntriesOfArguments(arguments);
  if (entries.size() == 1) {
    if (auto request = ParseConversionLine(entries.front())) return request;
  }
  if (arguments.size() == 3) return ConversionRequest{arguments[0], arguments[1], arguments[2]};
  if (arguments.size() < 2) return std::nullopt;
  std::string line;
  for (size_t i = 0; i + 1 < arguments.size(); ++i) line += arguments[i] + " ";
  return ParseConversionLine(line + "to " + arguments.back());
}

int RunConvert(const std::vector<std::string>& arguments, Console& console) {
  const std::optional<ConversionRequest> request = ConvertArguments(arguments);
  if (!request) {
    SayUsage("convert", console);
    return kEntryFailed;
  }
  try {
    const QuestionAnswer answer = ConvertEntry(request->amount, request->from, request->to);
    console.out << answer.text << '\n';
    SayNotes(answer.notes, console);
    return kSuccess;
  } catch (const rtl::Exception& error) {
    console.err << "quillon: convert: " << OneLine(error.Message()) << '\n';
    return kEntryFailed;
  }
}

// Arguments that name no command; everything else is an entry.
bool IsHelpOption(std::string_view argument) {
  return argument == "--help" || argument == "-h" || argument == "-?";
}

int RunVersion(Console& console) {
  console.out << "quillon " << QUILLON_VERSION << '\n';
  return kSuccess;
}

}  // namespace

const std::vector<Command>& Commands() {
  // New sub-commands go here; a name must not read as an expression. The
  // usage (where it has more than the name, which stays as it is typed) and
  // the summary are translated when they are said.
  static const std::vector<Command> commands = {
      {"help", "help", QUILLON_TRANSLATABLE("quillon::CommandLine", "this text (also --help, -h)"),
       RunHelp},
      {"units", "units",
       QUILLON_TRANSLATABLE("quillon::CommandLine",
                            "list the units: names, definition, exact value"),
       RunUnits},
      //: The command's name stays as it is typed; its arguments are named in capitals.
      {"convert", QUILLON_TRANSLATABLE("quillon::CommandLine", "convert AMOUNT FROM TO"),
       QUILLON_TRANSLATABLE("quillon::CommandLine", "convert AMOUNT from unit FROM to unit TO"),
       RunConvert},
      //: The command's name stays as it is typed; its arguments are named in capitals.
      {"exact", QUILLON_TRANSLATABLE("quillon::CommandLine", "exact QUESTION..."),
       QUILLON_TRANSLATABLE("quillon::CommandLine", "answer with exact fractions (1250/381)"),
       RunExact},
  };
  return commands;
}

std::string EvaluateEntry(const std::string& entry, std::vector<std::string>* notes) {
  if (MentionsUnits(entry)) {
    QuestionAnswer answer = AnswerQuestion(UnitDefinitions(), entry);
    if (notes) *notes = std::move(answer.notes);
    return answer.text;
  }
  return rtl::FormatGeneral(PMisc::EvaluateExpression(entry));
}

void ForgetNotesSaid() { NotesSaid().clear(); }

std::string OneLine(std::string_view message) {
  std::string line;
  line.reserve(message.size() + 8);
  for (size_t i = 0; i < message.size(); ++i) {
    const char c = message[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < message.size() && message[i + 1] == '\n') ++i;
      line += i > 0 && message[i - 1] == ':' ? " " : ": ";
    } else {
      line += c;
    }
  }
  return line;
}

int EvaluateEntries(const std::vector<std::string>& entries, Console& console) {
  int status = kSuccess;
  for (const std::string& entry : entries) {
    try {
      std::vector<std::string> notes;
      console.out << EvaluateEntry(entry, &notes) << '\n';
      SayNotes(notes, console);
    } catch (const rtl::Exception& error) {
      console.out.flush();
      console.err << "quillon: " << entry << ": " << OneLine(error.Message()) << '\n';
      status = kEntryFailed;
    }
  }
  return status;
}

int EvaluateLines(Console& console) {
  int status = kSuccess;
  std::string line;
  while (std::getline(console.in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    if (EvaluateEntries({line}, console) != kSuccess) status = kEntryFailed;
    console.out.flush();
  }
  return status;
}

int RunCommandLine(const std::vector<std::string>& arguments, Console& console) {
  if (arguments.empty()) return EvaluateLines(console);
  const std::string& first = arguments.front();
  if (IsHelpOption(first)) return RunHelp({}, console);
  if (first == "--version") return RunVersion(console);
  if (first == "--") {
    return EvaluateEntries(EntriesOfArguments({arguments.begin() + 1, arguments.end()}), console);
  }
  for (const Command& command : Commands()) {
    if (first == command.name)
      return command.run({arguments.begin() + 1, arguments.end()}, console);
  }
  return EvaluateEntries(EntriesOfArguments(arguments), console);
}

namespace {

// The width of a UTF-8 text in columns: one a character.
size_t Columns(std::string_view text) {
  size_t columns = 0;
  for (const char c : text) columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return columns;
}

// One line of the usage, "  quillon USAGE" with SUMMARY from column 26; a
// longer usage gets a line of its own, and each line of the summary starts
// in that column.
std::string UsageLine(std::string_view usage, std::string_view summary) {
  constexpr size_t kSummaryColumn = 26;
  std::string line = "  quillon " + std::string(usage);
  const size_t width = Columns(line);
  if (width >= kSummaryColumn) {
    line += "\n" + std::string(kSummaryColumn, ' ');
  } else {
    line += std::string(kSummaryColumn - width, ' ');
  }
  for (const char c : summary) {
    line += c;
    if (c == '\n') line += std::string(kSummaryColumn, ' ');
  }
  return line + "\n";
}

}  // namespace

std::string HelpText() {
  std::string text = Translate("quillon::CommandLine", "Usage:") + "\n";
  text += UsageLine(Translate("quillon::CommandLine", "ENTRY..."),
                    Translate("quillon::CommandLine", "evaluate each entry, one result per line"));
  //: Lines of at most 53 characters: each starts in column 26.
  text += UsageLine("", Translate("quillon::CommandLine",
                                  "the window when there is a display; otherwise a prompt\n"
                                  "(in a terminal, with history) or one entry per line\n"
                                  "of standard input"));
  text += UsageLine("-- " + Translate("quillon::CommandLine", "ENTRY..."),
                    Translate("quillon::CommandLine",
                              "evaluate entries even when the first one looks like a command"));
  text += UsageLine("--version", Translate("quillon::CommandLine", "print the version"));
  for (const Command& command : Commands()) {
    text += UsageLine(Translate("quillon::CommandLine", command.usage),
                      Translate("quillon::CommandLine", command.summary));
  }
  text += "\n";
  text += Translate("quillon::CommandLine",
                    R"(An entry is an arithmetic expression. Results are printed with up to 18
significant digits. Errors go to standard error, and the exit status is 1 when
an entry could not be evaluated.
)");
  text += "\n";
  text += WithArgument(
      Translate(
          "quillon::CommandLine",
          R"(Numbers     12  2.5  .5  1.5E-7  2e3; the decimal separator is "%1" (from your locale).
            $FF is hexadecimal, read as a signed 32-bit integer ($FFFFFFFF is -1).
)"),
      std::string(1, rtl::DecimalSeparator()));
  //: The labels fill the first 12 columns, lines have at most 79 characters;
  //: names, operators and functions stay as they are typed.
  text += Translate("quillon::CommandLine", R"(Constants   pi, e
Operators   from highest to lowest precedence, each level left to right:
              ^               power (2^3^2 is (2^3)^2 = 64)
              *  /  %  &      multiply, divide, integer remainder, and (1 or 0)
              +  -  |         add, subtract, or (1 or 0; the right side is not
                              evaluated when the left one is not 0)
              =               equal (1 or 0)
            n!                factorial of an integer (postfix)
Functions   sin cos tan sec cosec csc cotan arcsin arccos arctan
            sinh cosh tanh arcsinh arccosh arctanh
            abs int frac round ceil floor ln log sqrt
            (angles in radians; log is base 10)
Blanks are ignored anywhere: 1 000 is 1000.
)");
  text += "\n";
  //: What the user types stays English (units, to, in, per), in the examples too.
  text += Translate("quillon::CommandLine",
                    R"(Units       An entry with units is a question, answered exactly and rounded
            once at the end:
              60 mph * 2 h to km        1 kg m/s^2 to N     3 kWh / 2 h to W
              5 km in mi   5km to mi    1 nautical mile to km
              5 ft 3 in to cm           1 h 30 min to min   (compound amounts)
              1.8 m to ft;in            100000 s to d;h;min;s (split answers)
              1 square mile to km^2     10 fluid ounces to ml   2 MPa to psi
            Units are written by symbol, name or plural, with SI prefixes
            (kN, MPa, µs, kilometres) and binary ones (KiB, GiB). Juxtaposed
            units multiply before "/" divides: J/kg K is J/(kg K). "per"
            divides, "^" or "²" raises to a power. The joining words are to,
            in, into, as and ->.
            Temperatures: "20 °C to °F" (also degC, C, F, K, R) converts a
            reading between scales; a difference of temperatures is written
            in K, deltaC, deltaF or deltaR (20 K to deltaF is 36).
            Everyday meanings: lb, oz and ton are masses (lbf, ozf, tonf the
            forces); kB, MB, GB are powers of ten (KiB, MiB, GiB of two);
            gallon, quart, pint, cup and fl oz are the US measures
            ("imperial gallon" the others). A note on standard error says so.
            "quillon units" lists every unit; "quillon exact" answers with
            fractions (1 ft to m is 381/1250).
)");
  text += "\n";
  text += Translate("quillon::CommandLine",
                    R"(More units  quillon reads the definitions that ship with it and
            $XDG_CONFIG_HOME/quillon/units.txt (~/.config/quillon/units.txt),
            lines such as "smoot = 67 in" or "[speed]" and "furlong per
            fortnight, fpf = furlong/fortnight" (see the README).
)");
  text += "\n";
  text += Translate("quillon::CommandLine", R"(Things to know:
  - A function applies to the term right after its name, not to a product or a
    sum: sin2*3 is sin(2)*3, and sin3! is sin(6). Write sin(2*3) for more.
  - A minus at the start, after an operator, after "e"/"E", after another minus
    or after a function name that begins the entry (sin-1) is a sign, and a
    sign binds before "^": -2^2 is (-2)^2 = 4. Elsewhere it subtracts.
  - A minus after e is a sign, so e-1 is no valid entry: write e+-1 or (e)-1.
  - A group in parentheses is replaced by the digits of its value, so a group
    right after digits joins them: 2(3) is 23, not 2*3. Write 2*(3).
  - A sign may not stand before a function name: -sin(1) fails, -(sin(1)) works.
  - Every intermediate result is rounded to 18 significant digits; a lone number
    or function keeps full precision (pi*1 is 3.14159265358979324).
)");
  return text;
}

}  // namespace quillon
