// The reasons an entry fails with, and the one way to raise them.
#pragma once

#include <string_view>

namespace PMisc::detail {

inline constexpr std::string_view kBlank = "entry cannot be blank";
inline constexpr std::string_view kParenthesesMismatch = "() (parentheses) do not match";
inline constexpr std::string_view kInvalidExpression = "invalid expression";
inline constexpr std::string_view kInvalidCharacters = "invalid character(s) in expression";
inline constexpr std::string_view kInvalidHex = "invalid use of $ (hex function)";
inline constexpr std::string_view kFactorialOfNonInteger =
    "! (factoral) applicable to integers only";
inline constexpr std::string_view kNestedTooDeeply = "entry is nested too deeply";

// Raises EAssignError with "Entry could not be evaluated:", a carriage return
// and the reason.
[[noreturn]] void Fail(std::string_view reason);

}  // namespace PMisc::detail
