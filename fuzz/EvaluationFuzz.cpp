#include "fuzz/EvaluationFuzz.h"

#include <cmath>
#include <functional>
#include <string_view>

#include "evaluation/PMisc.h"
#include "fuzz/ReferenceEvaluator.h"
#include "runtime/rtl.h"

namespace fuzzing {

namespace {

constexpr std::string_view kAssignPrefix = "Entry could not be evaluated:\r";

// Entries up to this length are also evaluated by the (quadratic) reference.
constexpr size_t kReferenceLimit = 256;

}  // namespace

std::string OutcomeOf(const std::function<rtl::Extended()>& evaluate) {
  try {
    const rtl::Extended value = evaluate();
    if (!std::isfinite(value)) return "unexpected non-finite value";
    char bits[22];
    return "value " + std::string(rtl::FormatBits(rtl::BitsOf(value), bits));
  } catch (const PMisc::EAssignError& e) {
    if (!e.Message().starts_with(kAssignPrefix)) return "unexpected message: " + e.Message();
    return "EAssignError: " + e.Message();
  } catch (const rtl::EZeroDivide& e) {
    return "EZeroDivide: " + e.Message();
  } catch (const rtl::EInvalidOp& e) {
    return "EInvalidOp: " + e.Message();
  } catch (const rtl::EOverflow& e) {
    return "EOverflow: " + e.Message();
  } catch (const rtl::EDivByZero& e) {
    return "EDivByZero: " + e.Message();
  } catch (const rtl::Exception& e) {
    return "unexpected exception: " + e.Message();
  }
}

std::string EvaluateOnce(const uint8_t* data, size_t size) {
  if (size == 0) return {};
  const char savedSeparator = rtl::DecimalSeparator();
  rtl::SetDecimalSeparator(data[0] & 1 ? ',' : '.');
  const bool term = (data[0] & 2) != 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  auto evaluate = [&] {
    return term ? PMisc::EvaluateTerm(text) : PMisc::EvaluateExpression(text);
  };
  std::string problem;
  const std::string first = OutcomeOf(evaluate);
  const std::string second = OutcomeOf(evaluate);
  if (first.starts_with("unexpected")) {
    problem = first;
  } else if (first != second) {
    problem = "different outcomes: " + first + " / " + second;
  } else if (text.size() <= kReferenceLimit) {
    const std::string model = OutcomeOf(
        [&] { return term ? ReferenceEvaluateTerm(text) : ReferenceEvaluateExpression(text); });
    if (model != first) problem = "differs from the reference: " + first + " / " + model;
  }
  PMisc::IsFunctionName(text);
  rtl::SetDecimalSeparator(savedSeparator);
  return problem;
}

}  // namespace fuzzing
