// quillon's questions with units, answered by the quantity engine
// (quantity/Question.h) from the units it knows: the definitions that ship
// with quillon and the user's own, $XDG_CONFIG_HOME/quillon/units.txt, in the
// same format.
//
// An entry is a question when it holds a word that the evaluator does not
// know (a unit, "to", "per"); every other entry stays the evaluator's, with
// its values, texts and errors.
#pragma once

#include <gmpxx.h>

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "measure/units.h"
#include "programs/quillon/ExtraUnits.h"
#include "quantity/Question.h"

namespace quillon {

// The units of the process, loaded by LoadUnitDefinitions (empty before).
quantity::UnitTable& UnitDefinitions();

// Loads `files` into `table`, the shipped file first; every problem as a
// line "FILE:LINE: REASON". A missing shipped file is a problem, a missing
// user file is not.
std::vector<std::string> LoadUnitDefinitions(quantity::UnitTable& table, const UnitsFiles& files);

// Whether `entry` holds a word that is neither a number, a hexadecimal
// number nor a name of the evaluator (pi, e, sin, sqrt, ...).
bool MentionsUnits(std::string_view entry);

// The answer to a question, in the locale's decimal separator, with the
// notes on units of several meanings that it used.
struct QuestionAnswer {
  std::string text;
  std::vector<std::string> notes;
};

// Answers `question` from `table`; `exact` gives exact rationals
// ("1250/381"). Raises quantity::EQuantityError with the position of a
// fault in its message ("at 5: unknown unit ...").
QuestionAnswer AnswerQuestion(const quantity::UnitTable& table, std::string_view question,
                              bool exact = false);

// `amount` (already evaluated) converted from unit `from` to unit `to`.
QuestionAnswer ConvertAmount(const quantity::UnitTable& table, rtl::Extended amount,
                             std::string_view from, std::string_view to);

// Every unit of `table` by category: its names, its definition and its
// exact value in base units.
std::string ListUnits(const quantity::UnitTable& table);

// Adds the units of `table` to `catalogue` for the window's lists: one
// category a dimension ("Length", "Speed", in the order the table first
// names them), each unit under its symbol and its first other name, its
// factor the exact ratio to the category's first unit rounded once. Plain
// numbers are left out; "Temperature" holds the scales K, C, F and R, which
// the catalogue's conversions know by these symbols.
void AddDefinitionsToCatalogue(units::TCategories& catalogue, const quantity::UnitTable& table);

// The value of an extended number as an exact rational.
mpq_class ExactValue(rtl::Extended value);

}  // namespace quillon
