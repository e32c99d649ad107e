// A literal rewriting evaluator: groups replaced one at a time by the text of
// their value, minuses classified on a scratch copy, term and operator lists
// reduced by erasing, every result written back as text. Quadratic in the
// length of the entry and without a nesting bound; it serves as the model
// that PMisc::EvaluateExpression must match value for value and error for
// error (terms are evaluated by PMisc::EvaluateTerm in both).
#pragma once

#include <string>

#include "runtime/rtl.h"

namespace fuzzing {

rtl::Extended ReferenceEvaluateExpression(std::string text);

}  // namespace fuzzing
