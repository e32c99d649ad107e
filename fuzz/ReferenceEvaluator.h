// A literal rewriting evaluator, written on its own to be compared with
// PMisc: groups replaced one at a time by the text of their value, minuses
// classified on a scratch copy, term and operator lists reduced by erasing,
// every result written back as text and read again. Terms are read by its own
// recursive routine, numbers by its own conversions (the C library's printf
// and strtold), and every operator and function is computed here again, with
// its own checks for the arithmetic faults. It shares with PMisc nothing but
// the exception classes and the process-wide decimal separator. Quadratic in
// the length of the entry and without a nesting bound: meant for short
// entries only.
#pragma once

#include <string>

#include "runtime/rtl.h"

namespace fuzzing {

rtl::Extended ReferenceEvaluateExpression(std::string text);
rtl::Extended ReferenceEvaluateTerm(std::string term);

}  // namespace fuzzing
