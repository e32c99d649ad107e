// The child of TranslatedWindowsTest.cpp: started in a German or French
// locale (TEST_TRANSLATION_LANGUAGE says which), it loads the translations
// with the programs' own function from the build tree, builds both windows
// and reads their captions, the names a screen reader hears and a message
// box.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <string>

#include "measure/units.h"
#include "programs/quillon/MainWindow.h"
#include "programs/quillon/QuestionLine.h"
#include "programs/quillon/Questions.h"
#include "programs/quillon/Texts.h"
#include "programs/tamsel/TamselWindow.h"
#include "tests/support/Localized.h"
#include "toolkit/Application.h"
#include "toolkit/Translation.h"

namespace {

// What each language must show; the English source texts are the keys of
// the translation files, so a text that stays English fails here.
struct Expected {
  const char* language;  // as in TEST_TRANSLATION_LANGUAGE
  const char* locale;
  const char* quillonTitle;
  const char* convertGroup;
  const char* categoryLabel;
  const char* amountCaption;  // the amount's label, before the unit
  const char* errorTitle;
  const char* connectButton;
  const char* fileMenu;
  const char* levelName;  // the report level's accessible name
  const char* notConnected;
  const char* saveFailure;  // the start of the error box's message
  const char* gallonNote;   // the start of the note on "gallon"
};

constexpr Expected kLanguages[] = {
    {"de", "de_DE", "quillon \u2013 Einheitenrechner", "Einheiten umrechnen", "&Kategorie",
     "&Betrag in ", "Fehler", "&Verbinden", "&Datei", "Meldestufe", "Nicht verbunden",
     "Die Sitzung konnte nicht in ", "gallon steht f\u00fcr die US-Gallone (3.785411784 L)"},
    {"fr", "fr_FR", "quillon \u2013 convertisseur d'unit\u00e9s", "Convertir des unit\u00e9s",
     "&Cat\u00e9gorie", "&Quantit\u00e9 en ", "Erreur", "&Connecter", "&Fichier", "Niveau de trace",
     "Non connect\u00e9", "Impossible d'enregistrer la session dans ",
     "gallon est pris au sens du gallon am\u00e9ricain (3.785411784 L)"},
};

const Expected* ChildLanguage() {
  const char* language = std::getenv("TEST_TRANSLATION_LANGUAGE");
  if (language == nullptr) return nullptr;
  for (const Expected& expected : kLanguages) {
    if (std::string(expected.language) == language) return &expected;
  }
  return nullptr;
}

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// Shows the real error box (the test main replaces it) and closes it as soon
// as it is up; returns its title and text.
QStringList ShowRealErrorBox(const std::function<void()>& cause) {
  QStringList seen;
  toolkit::SetErrorBoxHandler({});
  QTimer poll;
  int tries = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box != nullptr) {
      seen << box->windowTitle() << box->text();
      for (QAbstractButton* button : box->buttons()) seen << button->text();
      box->done(QMessageBox::Ok);
    } else if (++tries > 250) {
      poll.stop();  // no box came: the caller sees nothing
    }
  });
  poll.start(20);
  cause();
  poll.stop();
  toolkit::SetErrorBoxHandler(
      [](const std::string& message) { ADD_FAILURE() << "unexpected error box: " << message; });
  return seen;
}

// The child processes' tests: skipped unless a parent started them.
TEST(InLocale, QuillonWindow) {
  const Expected* expected = ChildLanguage();
  ASSERT_NE(expected, nullptr) << "TEST_TRANSLATION_LANGUAGE must be de or fr";
  ASSERT_FALSE(toolkit::InstallTranslations(QStringLiteral("quillon"),
                                            {QStringLiteral(QUILLON_TRANSLATIONS)})
                   .isEmpty());
  quillon::MainWindow window(units::UnitCategories());
  window.SetPersistent(false);
  EXPECT_EQ(window.windowTitle(), Q(expected->quillonTitle));
  EXPECT_EQ(window.Form()->findChild<QGroupBox*>("convertGroup")->title(),
            Q(expected->convertGroup));
  EXPECT_EQ(window.Form()->findChild<QLabel*>("categoryLabel")->text(), Q(expected->categoryLabel));
  EXPECT_TRUE(window.Amount()->EditLabel()->text().startsWith(Q(expected->amountCaption)))
      << window.Amount()->EditLabel()->text().toStdString();
  // The category list is named after its label, in the label's language.
  QString category = Q(expected->categoryLabel);
  EXPECT_EQ(window.Form()->findChild<QWidget*>("categoryList")->accessibleName(),
            category.remove(QLatin1Char('&')));

  // A rejected entry: the evaluator's own message stays as it is; the box
  // around it speaks the user's language.
  window.show();
  window.Amount()->setText(QStringLiteral("2*"));
  const QStringList box = ShowRealErrorBox([&] { window.Amount()->ValidateEntry(); });
  ASSERT_FALSE(box.isEmpty()) << "no error box";
  EXPECT_EQ(box[0], Q(expected->errorTitle));
}

// The notes on units come from the shared code, which the command
// translates through gettext: the window through its own translators.
TEST(InLocale, QuillonNotesOnUnits) {
  const Expected* expected = ChildLanguage();
  ASSERT_NE(expected, nullptr) << "TEST_TRANSLATION_LANGUAGE must be de or fr";
  ASSERT_FALSE(toolkit::InstallTranslations(QStringLiteral("quillon"),
                                            {QStringLiteral(QUILLON_TRANSLATIONS)})
                   .isEmpty());
  quillon::TranslateSharedTexts();
  quantity::UnitTable table;
  ASSERT_TRUE(quillon::LoadUnitDefinitions(table, {QUILLON_DEFINITIONS_FILE, ""}).empty());
  quillon::QuestionLine line(table);
  line.Question()->setText(QStringLiteral("2 gallon to L"));
  line.UpdateAnswer();
  quillon::SetTranslator(nullptr);
  EXPECT_TRUE(line.NotesLabel()->text().startsWith(Q(expected->gallonNote)))
      << line.NotesLabel()->text().toStdString();
  // The answer itself is the same in every language.
  EXPECT_TRUE(line.AnswerLabel()->text().endsWith(
      QString::fromStdString(testsupport::Localized("7.570823568"))))
      << line.AnswerLabel()->text().toStdString();
}

TEST(InLocale, TamselWindow) {
  const Expected* expected = ChildLanguage();
  ASSERT_NE(expected, nullptr) << "TEST_TRANSLATION_LANGUAGE must be de or fr";
  ASSERT_FALSE(
      toolkit::InstallTranslations(QStringLiteral("tamsel"), {QStringLiteral(TAMSEL_TRANSLATIONS)})
          .isEmpty());
  tamsel::TamselWindow window;
  QStringList buttons;
  for (QPushButton* button : window.findChildren<QPushButton*>()) buttons << button->text();
  EXPECT_TRUE(buttons.contains(Q(expected->connectButton))) << buttons.join(' ').toStdString();
  EXPECT_EQ(window.menuBar()->actions().value(0)->text(), Q(expected->fileMenu));
  QStringList comboNames;
  for (QComboBox* combo : window.findChildren<QComboBox*>()) comboNames << combo->accessibleName();
  EXPECT_TRUE(comboNames.contains(Q(expected->levelName))) << comboNames.join('|').toStdString();
  QStringList labels;
  for (QLabel* label : window.findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains(Q(expected->notConnected))) << labels.join('|').toStdString();

  std::string message;
  toolkit::SetErrorBoxHandler([&message](const std::string& text) { message = text; });
  EXPECT_FALSE(window.SaveSession(QStringLiteral("/nonexistent-folder/session.txt")));
  EXPECT_EQ(QString::fromLatin1(message.c_str()).indexOf(Q(expected->saveFailure)), 0) << message;
  const QStringList box = ShowRealErrorBox(
      [&] { window.SaveSession(QStringLiteral("/nonexistent-folder/session.txt")); });
  ASSERT_FALSE(box.isEmpty()) << "no error box";
  EXPECT_EQ(box[0], Q(expected->errorTitle));
}

}  // namespace
