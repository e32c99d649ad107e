// converter: converts an amount (any expression) from one unit of the
// built-in catalogue to another of the same category.
//   converter 3*12 in ft      ->  36 in = 3 ft
//   converter                 ->  lists the categories and their units
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>

#include "evaluation/PMisc.h"
#include "measure/units.h"
#include "runtime/rtl.h"

namespace {

struct Found {
  const units::TCategory* category;
  const units::TUnit* from;
  const units::TUnit* to;
};

const units::TUnit* FindUnit(const units::TCategory& category, const std::string& symbol) {
  for (int32_t i = 0; i < category.UnitCount(); ++i) {
    if (category.GetUnit(i).Symbol == symbol) return &category.GetUnit(i);
  }
  return nullptr;
}

// The first category that holds both symbols.
std::optional<Found> FindPair(const std::string& from, const std::string& to) {
  const units::TCategories& catalogue = units::UnitCategories();
  for (int32_t i = 0; i < catalogue.CategoryCount(); ++i) {
    const units::TCategory& category = catalogue.GetCategory(i);
    const units::TUnit* a = FindUnit(category, from);
    const units::TUnit* b = FindUnit(category, to);
    if (a != nullptr && b != nullptr) return Found{&category, a, b};
  }
  return std::nullopt;
}

void ListCatalogue() {
  const units::TCategories& catalogue = units::UnitCategories();
  for (int32_t i = 0; i < catalogue.CategoryCount(); ++i) {
    const units::TCategory& category = catalogue.GetCategory(i);
    std::cout << category.Name << ':';
    for (int32_t u = 0; u < category.UnitCount(); ++u)
      std::cout << ' ' << category.GetUnit(u).Symbol;
    std::cout << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) {
    ListCatalogue();
    return 0;
  }
  if (argc != 4) {
    std::cerr << "usage: converter AMOUNT FROM TO\n";
    return 2;
  }
  const std::optional<Found> pair = FindPair(argv[2], argv[3]);
  if (!pair) {
    std::cerr << "converter: no category holds both " << argv[2] << " and " << argv[3] << '\n';
    return 1;
  }
  try {
    const rtl::Extended amount = PMisc::EvaluateExpression(argv[1]);
    // Factors are in the category's base unit.
    const rtl::Extended result = amount * pair->from->Factor / pair->to->Factor;
    std::cout << rtl::FormatGeneral(amount) << ' ' << pair->from->Symbol << " = "
              << rtl::FormatGeneral(result) << ' ' << pair->to->Symbol << '\n';
  } catch (const rtl::Exception& error) {
    std::cerr << "converter: " << error.Message() << '\n';
    return 1;
  }
  return 0;
}
