// quillon's own texts in the user's language, for the code that must not
// depend on Qt: the command line and what it shares with the window.
//
// A text is marked for Qt Linguist's lupdate where it is written, with its
// context (the part of quillon that says it):
//
//   Translate("quillon::CommandLine", "usage:")
//       the text in the user's language, looked up where it stands;
//   QUILLON_TRANSLATABLE("quillon::CommandLine", "list the units")
//       only marked, in a table; Translate(context, text) looks it up later.
//
// scripts/update-translations teaches lupdate both spellings, so these texts
// stand in translations/quillon_LANG.ts beside the window's and the build's
// check that every text is translated covers them. How they are looked up
// is the program's choice: the command reads gettext catalogues built from
// those files (MessageCatalogue.h), the window Qt's translators. Until a
// program sets its translator, Translate returns the text as written.
#pragma once

#include <string>
#include <string_view>

// Marks `text` of `context` for translation and stands for `text` itself.
#define QUILLON_TRANSLATABLE(context, text) text

namespace quillon {

// Looks up `text` of `context`: its translation, or the text itself when it
// has none.
using Translator = std::string (*)(std::string_view context, std::string_view text);

// Sets the translator of the process (nullptr: the texts as written). Set
// once at start-up, before any text is said.
void SetTranslator(Translator translator);

// `text` of `context` in the user's language, or as written when it has no
// translation.
std::string Translate(std::string_view context, std::string_view text);

// `text` with its first "%1" replaced by `argument` (the placeholder that Qt
// Linguist's translators know); the text itself when it has none.
std::string WithArgument(std::string text, std::string_view argument);

}  // namespace quillon
