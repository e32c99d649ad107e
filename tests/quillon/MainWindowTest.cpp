// The quillon window: its form loaded from the stored description, the
// catalogue bound to the lists, the live conversion, the display options,
// the search, the history, what is kept between runs, and the keyboard.
//
// Every test gets its own empty XDG configuration and state folders, so the
// user's own files are never read or written.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "measure/units.h"
#include "programs/quillon/History.h"
#include "programs/quillon/MainWindow.h"
#include "programs/quillon/Settings.h"
#include "programs/quillon/UnitSearch.h"
#include "tests/support/Localized.h"
#include "toolkit/Application.h"

namespace {

using DataEdit::TDataEdit;
using testsupport::Localized;

// Points the XDG folders into a temporary folder for the life of the object.
class TemporaryXdgFolders {
 public:
  TemporaryXdgFolders() {
    qputenv("XDG_CONFIG_HOME", folder_.filePath("config").toLocal8Bit());
    qputenv("XDG_STATE_HOME", folder_.filePath("state").toLocal8Bit());
  }
  ~TemporaryXdgFolders() {
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_STATE_HOME");
  }
  QString Path() const { return folder_.path(); }

 private:
  QTemporaryDir folder_;
};

// Both selections of every category back at the base unit, as a new process
// would have them.
void ResetSelections(units::TCategories& catalogue) {
  for (int32_t c = 0; c < catalogue.CategoryCount(); ++c) {
    units::TCategory& category = catalogue.GetCategory(c);
    category.Selection1 = category.Selection2 = std::max(category.BaseIndex, 0);
  }
}

class Window : public ::testing::Test {
 protected:
  void SetUp() override {
    toolkit::SetErrorBoxHandler([this](const std::string& message) { boxes.push_back(message); });
    ResetSelections(units::UnitCategories());
    window = std::make_unique<quillon::MainWindow>(units::UnitCategories());
  }
  // A new window, as the next run would build it (the catalogue's
  // selections reset first, so what comes back comes from the files).
  void Reopen() {
    window->close();
    window.reset();
    ResetSelections(units::UnitCategories());
    window = std::make_unique<quillon::MainWindow>(units::UnitCategories());
  }
  void TearDown() override {
    window.reset();
    toolkit::SetErrorBoxHandler(
        [](const std::string& message) { ADD_FAILURE() << "unexpected error box: " << message; });
  }
  void Show() {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  template <typename T>
  T* Child(const char* name) {
    T* child = window->Form()->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QString LabelText(const char* name) { return Child<QLabel>(name)->text(); }
  QWidget* Focus() { return QApplication::focusWidget(); }

  // Types `text` into the amount and presses Enter, then lets the window
  // see the accepted entry.
  void EnterAmount(const char* text) {
    window->Amount()->setFocus();
    window->Amount()->selectAll();
    QTest::keyClicks(window->Amount(), QString::fromStdString(Localized(text)));
    QTest::keyClick(window->Amount(), Qt::Key_Return);
    QCoreApplication::processEvents();
  }
  std::vector<std::string> HistoryLines() {
    std::vector<std::string> lines;
    for (const auto& entry : window->ConversionHistory().Entries()) {
      lines.push_back(quillon::SummaryOf(entry));
    }
    return lines;
  }

  TemporaryXdgFolders xdg;  // before the window: it outlives it
  std::unique_ptr<quillon::MainWindow> window;
  std::vector<std::string> boxes;
};

TEST_F(Window, TheFormComesFromTheStoredDescriptionWithItsFieldsRestored) {
  auto* load = Child<TDataEdit>("pointLoadEdit");
  EXPECT_FALSE(load->Reading());
  EXPECT_EQ(load->UnitsString(), "F1");
  EXPECT_EQ(load->EditLabel(), Child<QLabel>("pointLoadLabel"));
  EXPECT_EQ(LabelText("pointLoadLabel"), "Point load &P (kips)");
  EXPECT_EQ(LabelText("momentLabel"), "Largest moment PL/4 + wL^2/8 (kips-ft)");
  EXPECT_EQ(Child<TDataEdit>("spanEdit")->MinVal(), 0);
  EXPECT_EQ(Child<QLabel>("amountLabel")->buddy(), window->Amount());
  EXPECT_EQ(Child<QLabel>("categoryLabel")->buddy(), Child<QListWidget>("categoryList"));
}

TEST_F(Window, TheUnitListsShowAndWriteTheCategorysTwoSelections) {
  window->SelectCategory(0);
  window->SelectFrom(3);  // km
  window->SelectTo(8);    // mi
  units::TCategory& length = units::UnitCategories().GetCategory(0);
  EXPECT_EQ(length.Selection1, 3);
  EXPECT_EQ(length.Selection2, 8);
  window->SelectCategory(1);
  EXPECT_EQ(Child<QListWidget>("fromList")->count(), 13);
  window->SelectCategory(0);  // each category keeps its own pair
  EXPECT_EQ(Child<QListWidget>("fromList")->currentRow(), 3);
  EXPECT_EQ(Child<QListWidget>("toList")->currentRow(), 8);
  EXPECT_EQ(Child<QLabel>("resultLabel")->text(), "Result in mi");
  window->SwapUnits();
  EXPECT_EQ(length.Selection1, 8);
  EXPECT_EQ(length.Selection2, 3);
  window->Amount()->setText("5");
  EXPECT_EQ(window->ResultText().toStdString(), Localized("8.04672"));
}

TEST_F(Window, TemperaturesConvertBetweenScalesLive) {
  window->SelectCategory(3);
  window->SelectFrom(0);  // C
  window->SelectTo(1);    // F
  window->Amount()->setText("100");
  EXPECT_EQ(window->ResultText(), "212");
  window->Amount()->setText("-40");
  EXPECT_EQ(window->ResultText(), "-40");
  window->SelectTo(2);  // K
  window->Amount()->setText("0");
  EXPECT_EQ(window->ResultText().toStdString(), Localized("273.15"));
  EXPECT_EQ(window->SummaryText().toStdString(), Localized("0 C = 273.15 K"));
}

TEST_F(Window, ATextThatDoesNotEvaluateYetShowsWhyWithoutABox) {
  window->SelectCategory(0);
  window->Amount()->setText("2*");
  EXPECT_EQ(window->ResultText(), "");
  EXPECT_EQ(LabelText("namesLabel"), "Entry could not be evaluated: invalid expression");
  EXPECT_TRUE(boxes.empty());
  window->Amount()->setText("2*3");
  EXPECT_FALSE(window->ResultText().isEmpty());
}

TEST_F(Window, HexadecimalDisplayRewritesWholeValuesThatReadBack) {
  window->SelectCategory(5);
  window->SelectFrom(6);  // KB
  window->SelectTo(5);    // B
  window->Amount()->setText("2*2");
  window->SetHexDisplay(true);
  EXPECT_EQ(window->Amount()->text(), "$0004");
  EXPECT_EQ(window->ResultText(), "$1000");
  EXPECT_TRUE(Child<QCheckBox>("hexCheck")->isChecked());
  EXPECT_EQ(Child<TDataEdit>("spanEdit")->text(), "$0014");
  EXPECT_EQ(Child<TDataEdit>("uniformLoadEdit")->text().toStdString(), Localized("1.2"));
  window->Amount()->setText("5000000000");  // would not read back as "$..."
  window->SetHexDisplay(false);
  window->SetHexDisplay(true);
  EXPECT_EQ(window->Amount()->text(), "5000000000");
  window->SetHexDisplay(false);
  window->Amount()->setText("$0004");
  window->SetHexDisplay(false);
  EXPECT_EQ(window->Amount()->text(), "4");
  EXPECT_EQ(window->ResultText(), "4096");
}

TEST_F(Window, TheCaptionSelectorSwitchesTheQuickCalcCaptions) {
  auto* load = Child<TDataEdit>("pointLoadEdit");
  load->setText("10");
  Child<QRadioButton>("siRadio")->click();
  EXPECT_EQ(LabelText("pointLoadLabel"), "Point load &P (kN)");
  EXPECT_EQ(LabelText("uniformLoadLabel"), "&Uniform load w (kN/m)");
  EXPECT_EQ(LabelText("momentLabel"), "Largest moment PL/4 + wL^2/8 (kN-m)");
  window->SetCaptionUnits(quillon::CaptionUnits::Codes);
  EXPECT_EQ(LabelText("spanLabel"), "Spa&n L (L2)");
  EXPECT_TRUE(Child<QRadioButton>("codesRadio")->isChecked());
  window->SetCaptionUnits(quillon::CaptionUnits::English);
  EXPECT_EQ(LabelText("shearLabel"), "Largest shear P/2 + wL/2 (kips)");
  EXPECT_EQ(window->Amount()->UnitsString(), "");
}

TEST_F(Window, TheQuickCalcFollowsItsEntries) {
  Child<TDataEdit>("pointLoadEdit")->setText("10");
  Child<TDataEdit>("uniformLoadEdit")->setText(QString::fromStdString(Localized("1.2")));
  Child<TDataEdit>("spanEdit")->setText("4*5");
  EXPECT_EQ(Child<TDataEdit>("momentEdit")->text(), "110");
  EXPECT_EQ(Child<TDataEdit>("shearEdit")->text(), "17");
  Child<TDataEdit>("spanEdit")->setText("x");
  EXPECT_EQ(Child<TDataEdit>("momentEdit")->text(), "");
}

TEST_F(Window, TabVisitsTheControlsInOrderAndLabelsMoveTheFocus) {
  Show();
  Child<QListWidget>("categoryList")->setFocus();
  std::vector<std::string> visited;
  for (int i = 0; i < 17; ++i) {
    visited.push_back(Focus()->objectName().toStdString());
    QTest::keyClick(Focus(), Qt::Key_Tab);
  }
  // The list of search hits is hidden while nothing is searched: no stop.
  EXPECT_EQ(visited, (std::vector<std::string>{
                         "categoryList", "fromList", "toList", "amountEdit", "swapButton",
                         "historyList", "recallButton", "copyButton", "removeButton",
                         "pointLoadEdit", "uniformLoadEdit", "spanEdit", "hexCheck", "englishRadio",
                         "searchEdit", "questionEdit", "categoryList"}));
  QTest::keyClick(Focus(), Qt::Key_R, Qt::AltModifier);
  EXPECT_EQ(Focus(), Child<QListWidget>("historyList"));
  QTest::keyClick(Focus(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(Focus(), Child<QLineEdit>("searchEdit"));
  QTest::keyClick(Focus(), Qt::Key_C, Qt::AltModifier);
  EXPECT_EQ(Focus(), Child<QListWidget>("categoryList"));
  QTest::keyClick(Focus(), Qt::Key_D, Qt::AltModifier);
  EXPECT_EQ(Focus(), Child<QLineEdit>("searchEdit"));
  QTest::keyClick(Focus(), Qt::Key_A, Qt::AltModifier);
  EXPECT_EQ(Focus(), window->Amount());
  QTest::keyClick(Focus(), Qt::Key_N, Qt::AltModifier);
  EXPECT_EQ(Focus(), Child<TDataEdit>("spanEdit"));
  QTest::keyClick(Focus(), Qt::Key_T, Qt::AltModifier);
  EXPECT_EQ(Focus(), Child<QListWidget>("toList"));
}

TEST_F(Window, ARejectedAmountIsReportedByTheFieldWhenLeft) {
  Show();
  window->Amount()->setFocus();
  window->Amount()->selectAll();
  QTest::keyClicks(window->Amount(), "abc");
  QTest::keyClick(window->Amount(), Qt::Key_Tab);
  EXPECT_EQ(boxes, (std::vector<std::string>{
                       "Entry could not be evaluated:\rinvalid character(s) in expression"}));
  EXPECT_EQ(Focus(), window->Amount());
  window->Amount()->selectAll();
  QTest::keyClicks(window->Amount(), QString::fromStdString(Localized("1.5e3")));
  QTest::keyClick(window->Amount(), Qt::Key_Return);
  EXPECT_EQ(boxes.size(), 1u) << boxes.back();
  EXPECT_EQ(window->Amount()->text(), "1500");
}

// ---------------------------------------------------------------------------
// Search

std::vector<std::string> HitSymbols(const units::TCategories& catalogue, const char* text,
                                    size_t limit = 50) {
  std::vector<std::string> symbols;
  for (const auto& hit : quillon::SearchUnits(catalogue, text, limit)) {
    symbols.push_back(catalogue.GetCategory(hit.category).Name + ":" +
                      catalogue.GetCategory(hit.category).GetUnit(hit.unit).Symbol);
  }
  return symbols;
}

TEST(UnitSearch, RanksExactSymbolsThenCaseThenNamesThenPrefixes) {
  const units::TCategories& catalogue = units::UnitCategories();
  using Hits = std::vector<std::string>;
  // The exact symbol leads even though "Time" comes before "Angle".
  EXPECT_EQ(HitSymbols(catalogue, "sec"), (Hits{"Angle:sec", "Time:s"}));
  EXPECT_EQ(HitSymbols(catalogue, "KB"), (Hits{"Computer Bits:KB", "Computer Bits:Kb"}));
  EXPECT_EQ(HitSymbols(catalogue, "kb"), (Hits{"Computer Bits:Kb", "Computer Bits:KB"}));
  EXPECT_EQ(HitSymbols(catalogue, " KM "), (Hits{"Length:km"}));
  EXPECT_EQ(HitSymbols(catalogue, "Kilometers"), (Hits{"Length:km"}));
  EXPECT_EQ(HitSymbols(catalogue, "minutes"), (Hits{"Time:mn", "Angle:min"}));
  // A word inside a name: "miles, statute", "leagues, statute".
  EXPECT_EQ(HitSymbols(catalogue, "statute"), (Hits{"Length:mi", "Length:league"}));
  EXPECT_EQ(HitSymbols(catalogue, "mi", 3), (Hits{"Length:mi", "Angle:min", "Length:mm"}));
  EXPECT_TRUE(HitSymbols(catalogue, "").empty());
  EXPECT_TRUE(HitSymbols(catalogue, "   ").empty());
  EXPECT_TRUE(HitSymbols(catalogue, "furlong").empty());
}

TEST_F(Window, TheSearchFieldPicksAUnitOfAnyCategoryFromTheKeyboard) {
  Show();
  window->SelectCategory(3);
  auto* search = Child<QLineEdit>("searchEdit");
  auto* hits = Child<QListWidget>("searchList");
  search->setFocus();
  QTest::keyClicks(search, "mile");
  ASSERT_EQ(window->SearchHits().size(), 2u);  // mi, nmi
  EXPECT_TRUE(hits->isVisible());
  QTest::keyClick(search, Qt::Key_Down);
  EXPECT_EQ(hits->currentRow(), 1);
  EXPECT_EQ(Focus(), search);
  QTest::keyClick(search, Qt::Key_Return);
  EXPECT_EQ(window->CurrentCategory(), 0);
  EXPECT_EQ(Child<QListWidget>("categoryList")->currentRow(), 0);
  EXPECT_EQ(units::UnitCategories().GetCategory(0).Selection1, 9);  // nmi
  EXPECT_FALSE(hits->isVisible());
  EXPECT_EQ(search->selectedText(), "mile");  // the next search replaces it

  QTest::keyClicks(search, "YARDS");
  QTest::keyClick(search, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(units::UnitCategories().GetCategory(0).Selection1, 9);
  EXPECT_EQ(units::UnitCategories().GetCategory(0).Selection2, 6);  // yd

  QTest::keyClicks(search, "seconds");  // Time's s, Angle's sec
  QTest::mouseClick(hits->viewport(), Qt::LeftButton, {},
                    hits->visualItemRect(hits->item(1)).center());
  EXPECT_EQ(window->CurrentCategory(), 4);
  EXPECT_EQ(units::UnitCategories().GetCategory(4).Selection1, 1);
  window->SelectCategory(0);
  EXPECT_EQ(LabelText("resultLabel"), "Result in yd");

  QTest::keyClicks(search, "zzz");
  EXPECT_TRUE(window->SearchHits().empty());
  EXPECT_EQ(hits->count(), 1);  // says that nothing matches
  EXPECT_EQ(hits->item(0)->flags(), Qt::NoItemFlags);
  QTest::keyClick(search, Qt::Key_Return);  // nothing to pick: nothing changes
  EXPECT_EQ(units::UnitCategories().GetCategory(0).Selection2, 6);
  QTest::keyClick(search, Qt::Key_Escape);
  EXPECT_EQ(search->text(), "");
  EXPECT_FALSE(hits->isVisible());
}

// ---------------------------------------------------------------------------
// History

quillon::HistoryEntry Entry(const char* from, const char* to, rtl::Extended amount) {
  quillon::HistoryEntry entry;
  entry.category = "Length";
  entry.from = from;
  entry.to = to;
  entry.amount = amount;
  entry.result = amount * 2;
  return entry;
}

TEST(History, KeepsTheNewestFirstOnceEachAndWithinItsCapacity) {
  quillon::History history(3);
  EXPECT_TRUE(history.Add(Entry("km", "mi", 1)));
  EXPECT_FALSE(history.Add(Entry("km", "mi", 1)));  // the newest again
  EXPECT_TRUE(history.Add(Entry("km", "mi", 2)));
  EXPECT_TRUE(history.Add(Entry("m", "ft", 2)));
  EXPECT_TRUE(history.Add(Entry("km", "mi", 1)));  // moves to the front
  ASSERT_EQ(history.Entries().size(), 3u);
  EXPECT_EQ(history.Entries()[0].amount, 1);
  EXPECT_EQ(history.Entries()[1].from, "m");
  EXPECT_TRUE(history.Add(Entry("in", "cm", 7)));  // the oldest (2 km) drops out
  EXPECT_EQ(history.Entries()[2].from, "m");
  history.Remove(9);
  history.Remove(0);
  EXPECT_EQ(history.Entries().size(), 2u);
  EXPECT_EQ(history.Entries()[0].from, "km");
  EXPECT_EQ(quillon::SummaryOf(Entry("km", "mi", 2.5L)), Localized("2.5 km = 5 mi"));
}

TEST_F(Window, AnAcceptedAmountGoesIntoTheHistoryOnce) {
  Show();
  window->SelectCategory(0);
  window->SelectFrom(3);  // km
  window->SelectTo(8);    // mi
  window->Amount()->setFocus();
  QTest::keyClick(window->Amount(), Qt::Key_Tab);  // passing through: nothing
  QCoreApplication::processEvents();
  EXPECT_TRUE(window->ConversionHistory().Entries().empty());
  window->Amount()->setFocus();
  QTest::keyClicks(window->Amount(), "1");  // "11"
  QTest::keyClick(window->Amount(), Qt::Key_Tab);
  QCoreApplication::processEvents();
  ASSERT_EQ(window->ConversionHistory().Entries().size(), 1u);
  window->RemoveHistory(0);
  EnterAmount("2*5");
  EnterAmount("10");  // the same conversion: not again
  QTest::keyClick(window->Amount(), Qt::Key_Tab);
  QCoreApplication::processEvents();
  EnterAmount("2*");  // rejected: not recorded
  EXPECT_EQ(boxes.size(), 1u);
  EnterAmount("1");
  // The catalogue's mile lies just below 1609.344 m.
  EXPECT_EQ(HistoryLines(), (std::vector<std::string>{Localized("1 km = 0.62137119223733397 mi"),
                                                      Localized("10 km = 6.2137119223733397 mi")}));
  EXPECT_EQ(Child<QListWidget>("historyList")->item(1)->text().toStdString(), HistoryLines()[1]);
}

TEST_F(Window, AHistoryEntryIsRecalledAndCopiedFromTheKeyboard) {
  Show();
  window->SelectCategory(3);
  window->SelectFrom(0);  // C
  window->SelectTo(1);    // F
  window->Amount()->setText("100");
  ASSERT_TRUE(window->RecordConversion());
  window->SelectCategory(0);
  window->Amount()->setText(QString::fromStdString(Localized("2.5")));
  ASSERT_TRUE(window->RecordConversion());
  window->SelectCategory(5);

  auto* list = Child<QListWidget>("historyList");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(window->CurrentCategory(), 3);
  EXPECT_EQ(Child<QListWidget>("fromList")->currentRow(), 0);
  EXPECT_EQ(Child<QListWidget>("toList")->currentRow(), 1);
  EXPECT_EQ(window->Amount()->text(), "100");
  EXPECT_EQ(window->ResultText(), "212");

  QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "100 C = 212 F");
  window->CopyHistory(0);
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
            HistoryLines()[0]);  // the 2.5 of Length's pair

  window->SelectCategory(5);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(0)).center());
  EXPECT_EQ(window->CurrentCategory(), 0);
  EXPECT_EQ(window->Amount()->text().toStdString(), Localized("2.5"));

  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_EQ(window->ConversionHistory().Entries().size(), 1u);
  EXPECT_FALSE(window->RecallHistory(1));
}

TEST_F(Window, TheHistoryIsKeptBetweenRunsAndSurvivesAChangedCatalogue) {
  window->SelectCategory(0);
  window->SelectFrom(3);
  window->SelectTo(8);
  window->Amount()->setText(QString::fromStdString(Localized("42.195")));
  ASSERT_TRUE(window->RecordConversion());
  const std::vector<std::string> before = HistoryLines();
  window.reset();  // no close: the history was written when it changed
  ResetSelections(units::UnitCategories());
  window = std::make_unique<quillon::MainWindow>(units::UnitCategories());
  EXPECT_EQ(HistoryLines(), before);
  window->SelectCategory(1);
  EXPECT_TRUE(window->RecallHistory(0));
  EXPECT_EQ(window->CurrentCategory(), 0);
  EXPECT_EQ(window->Amount()->text().toStdString(), Localized("42.195"));

  // Entries of units this catalogue lacks are listed, not recalled; broken
  // entries are skipped.
  {
    QSettings file(quillon::HistoryFile(), QSettings::IniFormat);
    file.beginWriteArray("conversions", 3);
    file.setArrayIndex(0);
    file.setValue("category", "Length");
    file.setValue("from", "furlong");
    file.setValue("to", "m");
    file.setValue("amount", "1");
    file.setValue("result", "201.168");
    file.setArrayIndex(1);
    file.setValue("category", "Length");
    file.setValue("amount", "not a number");
    file.setArrayIndex(2);
    file.setValue("category", "Time");
    file.setValue("from", "s");
    file.setValue("to", "mn");
    file.setValue("amount", "x3FFF:8000000000000000");
    file.setValue("result", "0.1");
    file.endArray();
  }
  Reopen();
  ASSERT_EQ(window->ConversionHistory().Entries().size(), 2u);
  EXPECT_EQ(HistoryLines()[1], Localized("1 s = 0.1 mn"));
  EXPECT_FALSE(window->RecallHistory(0));
  EXPECT_EQ(LabelText("namesLabel"), "The units of this entry are no longer in the catalogue");
}

// ---------------------------------------------------------------------------
// What is kept between runs

TEST_F(Window, CategoryUnitPairsDisplayAndGeometryAreKeptBetweenRuns) {
  window->SelectCategory(0);
  window->SelectFrom(5);  // ft
  window->SelectTo(1);    // cm
  window->SelectCategory(3);
  window->SelectFrom(1);  // F
  window->SelectTo(2);    // K
  window->Amount()->setText(QString::fromStdString(Localized("98.6")));
  window->SetHexDisplay(true);
  window->SetCaptionUnits(quillon::CaptionUnits::SI);
  // A size that fits the screen (Qt 6.8 shrinks a restored window to the
  // screen, as a real desktop would show it) and differs from the first
  // run's.
  const QSize kept = window->screen()->availableGeometry().size() - QSize(123, 77);
  window->resize(kept);
  Reopen();
  EXPECT_EQ(window->CurrentCategory(), 3);
  EXPECT_EQ(Child<QListWidget>("fromList")->currentRow(), 1);
  EXPECT_EQ(Child<QListWidget>("toList")->currentRow(), 2);
  EXPECT_EQ(window->Amount()->text().toStdString(), Localized("98.6"));  // a fraction stays
  EXPECT_EQ(window->ResultText(), "$0136");                              // 310.15 K
  EXPECT_TRUE(Child<QCheckBox>("hexCheck")->isChecked());
  EXPECT_TRUE(Child<QRadioButton>("siRadio")->isChecked());
  EXPECT_EQ(LabelText("spanLabel"), "Spa&n L (m)");
  EXPECT_EQ(window->size(), kept);
  window->SelectCategory(0);
  EXPECT_EQ(Child<QListWidget>("fromList")->currentRow(), 5);
  EXPECT_EQ(Child<QListWidget>("toList")->currentRow(), 1);
  EXPECT_TRUE(QFile::exists(xdg.Path() + "/config/quillon/window.conf"));
}

TEST_F(Window, UnknownOrBrokenSettingsAreIgnoredAndAWindowNotPersistentWritesNothing) {
  window.reset();  // unclosed: it writes nothing over the file below
  {
    QSettings file(quillon::WindowSettingsFile(), QSettings::IniFormat);
    file.setValue("conversion/category", "Luminosity");
    file.setValue("conversion/amount", "2*");
    file.setValue("display/captions", 9);
    file.setValue("window/geometry", QByteArray("garbage"));
    file.beginWriteArray("pairs", 1);
    file.setArrayIndex(0);
    file.setValue("category", "Length");
    file.setValue("from", "furlong");
    file.setValue("to", "km");
    file.endArray();
  }
  ResetSelections(units::UnitCategories());
  window = std::make_unique<quillon::MainWindow>(units::UnitCategories());
  EXPECT_EQ(window->CurrentCategory(), 0);
  EXPECT_EQ(Child<QListWidget>("fromList")->currentRow(), 2);  // m, the base
  EXPECT_EQ(Child<QListWidget>("toList")->currentRow(), 3);    // km
  EXPECT_TRUE(Child<QRadioButton>("englishRadio")->isChecked());
  // The first-run size: within the screen, but never below what the form
  // needs.
  EXPECT_GE(window->width(), window->minimumSizeHint().width());
  EXPECT_LE(window->height(), std::max(window->screen()->availableGeometry().height(),
                                       window->minimumSizeHint().height()));

  QFile::remove(quillon::WindowSettingsFile());
  window->SetPersistent(false);
  window->Amount()->setText("3");
  window->RecordConversion();
  window->close();
  EXPECT_FALSE(QFile::exists(quillon::WindowSettingsFile()));
  EXPECT_FALSE(QFile::exists(quillon::HistoryFile()));
}

// ---------------------------------------------------------------------------
// The quick calc between English and SI units

TEST_F(Window, SwitchingBetweenEnglishAndSiConvertsTheQuickCalcsValues) {
  auto* load = Child<TDataEdit>("pointLoadEdit");
  auto* uniform = Child<TDataEdit>("uniformLoadEdit");
  auto* span = Child<TDataEdit>("spanEdit");
  auto* moment = Child<TDataEdit>("momentEdit");
  load->setText("10");
  uniform->setText(QString::fromStdString(Localized("1.2")));
  span->setText("4*5");
  const rtl::Extended kipFeet = moment->Number();  // 110
  window->SetCaptionUnits(quillon::CaptionUnits::SI);
  EXPECT_EQ(load->text().toStdString(), Localized("44.482216152605"));
  EXPECT_EQ(uniform->text().toStdString(), Localized("17.5126835246476378"));
  EXPECT_EQ(span->text().toStdString(), Localized("6.096"));
  EXPECT_NEAR(static_cast<double>(moment->Number()),
              static_cast<double>(kipFeet) * 4.4482216152605 * 0.3048, 1e-10);

  // Codes only relabel; back in English the untouched texts come back as
  // they were, a changed one is converted.
  window->SetCaptionUnits(quillon::CaptionUnits::Codes);
  EXPECT_EQ(load->text().toStdString(), Localized("44.482216152605"));
  load->setText("100");
  window->SetCaptionUnits(quillon::CaptionUnits::English);
  EXPECT_EQ(load->text().toStdString(), Localized("22.4808943099710483"));
  EXPECT_EQ(uniform->text().toStdString(), Localized("1.2"));
  EXPECT_EQ(span->text(), "4*5");
  EXPECT_EQ(LabelText("pointLoadLabel"), "Point load &P (kips)");

  span->setText("x");  // no value: kept as typed
  window->SetCaptionUnits(quillon::CaptionUnits::SI);
  EXPECT_EQ(span->text(), "x");
  EXPECT_EQ(moment->text(), "");
}

// ---------------------------------------------------------------------------
// Layout

TEST_F(Window, AnAmountWithoutAValueLeavesTheSummaryEmpty) {
  window->SelectCategory(0);
  window->Amount()->setText("");
  EXPECT_EQ(window->SummaryText(), "");
  EXPECT_EQ(window->ResultText(), "");
  EXPECT_EQ(LabelText("namesLabel"), QString::fromUtf8("meters  \u2192  meters"));
  window->Amount()->setText("(");
  EXPECT_EQ(window->SummaryText(), "");
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Window, ALongSummaryWrapsInsteadOfBeingClipped) {
  Show();
  window->SelectCategory(0);
  window->SelectFrom(9);  // nmi
  window->SelectTo(10);   // league
  window->Amount()->setText("-123456789012345678*7/3");
  QCoreApplication::processEvents();
  auto* summary = Child<QLabel>("summaryLabel");
  ASSERT_GT(summary->fontMetrics().horizontalAdvance(summary->text()), summary->width() / 2);
  window->resize(700, window->height());
  QCoreApplication::processEvents();
  EXPECT_LE(summary->geometry().right(), Child<QGroupBox>("convertGroup")->contentsRect().right());
  EXPECT_LE(summary->heightForWidth(summary->width()), summary->height());
}

TEST_F(Window, ExtraHeightGoesToTheListsNotToEmptySpace) {
  Show();
  window->resize(1040, 700);
  QCoreApplication::processEvents();
  auto* categories = Child<QListWidget>("categoryList");
  auto* beam = Child<QGroupBox>("beamGroup");
  const int listHeight = categories->height();
  const int beamHeight = beam->height();
  const int summaryTop = Child<QLabel>("summaryLabel")->y() - categories->geometry().bottom();
  window->resize(1040, 1000);
  QCoreApplication::processEvents();
  EXPECT_GE(categories->height(), listHeight + 280);
  EXPECT_EQ(beam->height(), beamHeight);
  EXPECT_EQ(Child<QLabel>("summaryLabel")->y() - categories->geometry().bottom(), summaryTop);
  EXPECT_GE(Child<QListWidget>("historyList")->height(), categories->height());
}

TEST(WindowCatalogue, ManyCategoriesAndUnitsFitTheListsAndTheSearch) {
  TemporaryXdgFolders xdg;
  units::TCategories catalogue;
  for (int c = 0; c < 40; ++c) {
    catalogue.AddCategory("Category " + std::to_string(c));
    for (int u = 0; u < 30; ++u) {
      catalogue.GetCategory(c).AddUnit("c" + std::to_string(c) + "u" + std::to_string(u),
                                       "unit " + std::to_string(u), u + 1);
    }
  }
  catalogue.AddCategory("Empty");
  quillon::MainWindow window(catalogue);
  auto* categories = window.Form()->findChild<QListWidget*>("categoryList");
  ASSERT_NE(categories, nullptr);
  EXPECT_EQ(categories->count(), 41);
  EXPECT_LT(window.minimumSizeHint().height(), 700);
  window.SetSearchText("C37U29");
  ASSERT_EQ(window.SearchHits().size(), 1u);
  window.ApplySearchHit(0, true);
  EXPECT_EQ(window.CurrentCategory(), 37);
  EXPECT_EQ(catalogue.GetCategory(37).Selection2, 29);
  window.Amount()->setText("2");
  EXPECT_EQ(window.ResultText().toStdString(), Localized("0.0666666666666666667"));  // 2 * 1 / 30
  window.SetSearchText("unit 7");
  EXPECT_EQ(window.SearchHits().size(), 40u);
  window.SelectCategory(40);  // no units: nothing to convert or record
  EXPECT_EQ(window.ResultText(), "");
  EXPECT_EQ(window.SummaryText(), "");
  EXPECT_FALSE(window.RecordConversion());
  catalogue.GetCategory(3).Selection1 = 30;  // a selection past the end
  window.SelectCategory(3);
  EXPECT_EQ(window.ResultText(), "");
  window.SaveSettings();
  window.close();
}

}  // namespace
