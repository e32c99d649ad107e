// The quillon command's texts in the user's language, without Qt: glibc's
// gettext reads the catalogues locale/LANG/LC_MESSAGES/quillon.mo that the
// build makes from translations/quillon_LANG.ts (the window's translations,
// one source for both programs).
//
// Only the messages follow the language: LC_MESSAGES and LC_CTYPE (the
// character set the texts are written in) are taken from the environment,
// LC_NUMERIC never, so numbers and answers print the same in every
// language.
#pragma once

#include <string>

namespace quillon {

// Makes Translate (Texts.h) read the catalogues. When the first text is
// said, the user's LC_MESSAGES and LC_CTYPE are taken; messages in the C
// locale (which ignores LANGUAGE), a language without a catalogue, or no
// catalogue folder keep the English texts. The catalogues are looked for in
// the installed locale folder, then in "locale" beside the program (the
// build tree).
void UseUserLanguage();

// The folder that holds the catalogues (LANG/LC_MESSAGES/quillon.mo), or an
// empty text when neither is there.
std::string MessageCatalogueFolder();

}  // namespace quillon
