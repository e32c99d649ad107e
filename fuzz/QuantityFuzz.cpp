#include "fuzz/QuantityFuzz.h"

#include <exception>
#include <string_view>

#include "quantity/Question.h"

namespace fuzzing {

namespace {

const quantity::UnitTable& Shipped() {
  static quantity::UnitTable table;
  static const bool loaded = [] {
    table.LoadFile(QUANTITY_DEFINITIONS_FILE);
    return true;
  }();
  (void)loaded;
  return table;
}

constexpr size_t kMaxInput = 4096;

}  // namespace

std::string AskOnce(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return "";
  const std::string_view question(reinterpret_cast<const char*>(data), size);
  try {
    const quantity::Answer first = quantity::Ask(Shipped(), question);
    const quantity::Answer second = quantity::Ask(Shipped(), question);
    if (first.ExactText() != second.ExactText()) return "two answers to one question";
    try {
      (void)first.Text();
    } catch (const quantity::EQuantityError&) {
      // Beyond the extended range.
    }
  } catch (const quantity::EQuantityError& error) {
    if (error.Position() < 0 || static_cast<size_t>(error.Position()) > size + 1)
      return "a fault's position lies outside the question";
  } catch (const std::exception& error) {
    return std::string("unexpected exception: ") + error.what();
  }
  return "";
}

std::string LoadDefinitionsOnce(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return "";
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    quantity::UnitTable table;
    table.Load("si m = !length\nsi s = !time\nkg = !mass\n", "base");
    const size_t before = table.Units().size();
    const auto problems = table.Load(text, "fuzz");
    for (const auto& unit : table.Units()) {
      if (sgn(unit->value.value) <= 0) return "a unit that is not positive";
      const auto found = table.Find(unit->names.front());
      if (!found || found->unit != unit.get()) return "a unit not found by its symbol";
    }
    for (const auto& problem : problems) {
      if (problem.line < 1) return "a problem without its line";
    }
    const size_t after = table.Units().size();
    table.Load(text, "again");
    if (table.Units().size() != after) return "the same text added units twice";
    if (after < before) return "units were lost";
  } catch (const quantity::EQuantityError&) {
    // A name found ambiguous by case: a clear refusal.
  } catch (const std::exception& error) {
    return std::string("unexpected exception: ") + error.what();
  }
  return "";
}

}  // namespace fuzzing
