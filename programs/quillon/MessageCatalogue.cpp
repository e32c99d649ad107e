#include "programs/quillon/MessageCatalogue.h"

#include <libintl.h>

#include <clocale>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "programs/common/ProgramFiles.h"
#include "programs/quillon/Texts.h"

namespace quillon {

namespace {

constexpr const char* kDomain = "quillon";

// lconvert writes a Qt context as the message context "CONTEXT|COMMENT";
// gettext joins a message context to its text with \004 (as pgettext does).
std::string CatalogueKey(std::string_view context, std::string_view text) {
  std::string key;
  key.reserve(context.size() + text.size() + 2);
  key.append(context).append("|\004").append(text);
  return key;
}

bool IsCLocale(const char* name) {
  return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0;
}

// Takes the user's language; false when the texts stay as written (messages
// in the C locale, which ignores LANGUAGE, or no catalogues).
bool StartTranslating() {
  // Never LC_NUMERIC or LC_ALL: the decimal separator is quillon's own,
  // read once from the locale (rtl::LoadDecimalSeparatorFromLocale).
  std::setlocale(LC_CTYPE, "");
  if (IsCLocale(std::setlocale(LC_MESSAGES, ""))) return false;
  const std::string folder = MessageCatalogueFolder();
  if (folder.empty()) return false;
  bindtextdomain(kDomain, folder.c_str());
  return true;
}

std::string FromCatalogue(std::string_view context, std::string_view text) {
  // The language is taken when the first text is said: a run that says none
  // (a question answered without notes) does not pay for loading locales.
  static const bool translating = StartTranslating();
  if (!translating) return std::string(text);
  const std::string key = CatalogueKey(context, text);
  const char* found = dgettext(kDomain, key.c_str());
  // dgettext hands back its argument when the catalogue lacks the text.
  if (found == key.c_str()) return std::string(text);
  return found;
}

}  // namespace

std::string MessageCatalogueFolder() {
  // QUILLON_LOCALE_FROM_BIN and _FROM_LIBEXEC are the installed locale folder
  // relative to the command's folder and to the prompt program's (set by
  // CMake from GNUInstallDirs); in the build tree the catalogues lie in
  // "locale" beside both.
  const std::string directory = programs::ExecutableDirectory();
  if (directory.empty()) return {};
  for (const char* relative : {QUILLON_LOCALE_FROM_BIN, QUILLON_LOCALE_FROM_LIBEXEC, "locale"}) {
    const std::string folder = directory + "/" + relative;
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) return folder;
  }
  return {};
}

void UseUserLanguage() { SetTranslator(&FromCatalogue); }

}  // namespace quillon
