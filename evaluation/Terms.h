// Term evaluation shared by the expression evaluator.
#pragma once

#include <string_view>

#include "runtime/Extended.h"

namespace PMisc::detail {

// EvaluateTerm on a view: the term need not be normalised ("--" pairs,
// capitals) yet.
rtl::Extended EvaluateTermText(std::string_view term);

// IsFunctionName on a view.
bool IsFunctionNameText(std::string_view text);

}  // namespace PMisc::detail
