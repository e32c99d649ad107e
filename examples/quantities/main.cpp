// quantities: a few definitions of units, and questions answered from them,
// exactly and rounded once.
//   quantities                     ->  the questions below with their answers
//   quantities FILE 'QUESTION'...  ->  the questions answered from FILE
#include <iostream>
#include <string>

#include "quantity/Question.h"

namespace {

// Units defined in terms of others; "si" gives them the SI prefixes.
constexpr const char* kDefinitions = R"(
[length]
si m, metre, meter = !length
in, inch, inches = 0.0254 m
ft, foot, feet = 12 in
mi, mile = 5280 ft
[time]
si s, second = !time
min, minute = 60 s
h, hour = 60 min
[speed]
mph = mile/hour
[mass]
kg = !mass
si g, gram = 1/1000 kg
lb, pound = 0.45359237 kg
[force]
si N, newton = kg m/s^2
)";

int Answer(const quantity::UnitTable& table, const std::string& question) {
  try {
    const quantity::Answer answer = quantity::Ask(table, question);
    std::cout << question << " = " << answer.Text() << "  (exactly " << answer.ExactText() << ")\n";
    return 0;
  } catch (const quantity::EQuantityError& error) {
    std::cerr << question << ": at " << error.Position() << ": " << error.Message() << '\n';
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  quantity::UnitTable table;
  const auto problems =
      argc > 1 ? table.LoadFile(argv[1]) : table.Load(kDefinitions, "built-in definitions");
  for (const quantity::DefinitionProblem& problem : problems) std::cerr << problem.Text() << '\n';
  int status = 0;
  if (argc > 2) {
    for (int i = 2; i < argc; ++i) status |= Answer(table, argv[i]);
    return status;
  }
  for (const char* question : {"60 mph * 2 h to km", "5 ft 3 in to cm", "1.8 m to ft;in",
                               "1 kg m/s^2 to N", "100 kg to lb", "1 lb to s"}) {
    status |= Answer(table, question);
  }
  return status == 0 || argc == 1 ? 0 : 1;
}
