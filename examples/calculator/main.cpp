// calculator: evaluates each argument (or each line of standard input) as an
// arithmetic expression and prints its value, or why it has none.
//   calculator '2*3' 'sqrt(2)' '5!'
#include <iostream>
#include <string>
#include <vector>

#include "evaluation/PMisc.h"
#include "runtime/rtl.h"

int main(int argc, char** argv) {
  std::vector<std::string> entries(argv + 1, argv + argc);
  if (entries.empty()) {
    for (std::string line; std::getline(std::cin, line);) entries.push_back(line);
  }
  int failures = 0;
  for (const std::string& entry : entries) {
    try {
      std::cout << entry << " = " << rtl::FormatGeneral(PMisc::EvaluateExpression(entry)) << '\n';
    } catch (const rtl::Exception& error) {  // EAssignError and the arithmetic errors
      std::cout << entry << ": " << error.Message() << '\n';
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
