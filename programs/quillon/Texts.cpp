#include "programs/quillon/Texts.h"

namespace quillon {

namespace {

Translator g_translator = nullptr;

}  // namespace

void SetTranslator(Translator translator) { g_translator = translator; }

std::string Translate(std::string_view context, std::string_view text) {
  if (g_translator == nullptr) return std::string(text);
  return g_translator(context, text);
}

std::string WithArgument(std::string text, std::string_view argument) {
  const size_t at = text.find("%1");
  if (at != std::string::npos) text.replace(at, 2, argument);
  return text;
}

}  // namespace quillon
