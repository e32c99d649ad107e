// The quillon window: a units converter and an engineering quick calc, built
// from numeric entry fields and the unit catalogue.
//
// Its form is the stored description quillon.ui (a Qt resource), loaded at
// run time through toolkit::FormLoader, which restores the entry fields'
// published properties. The window binds the form to the catalogue:
//
//   - the category list, and the "from" and "to" unit lists, which show and
//     write the category's Selection1 and Selection2, so every category
//     keeps its own pair;
//   - the amount (a whole expression) converted live into the result, with a
//     summary line in words; temperatures convert between scales;
//   - the hexadecimal display toggle, for every value shown;
//   - the English / SI / codes selector, which switches the unit captions of
//     the quick calc's entries ("Point load P (kips)" or "(kN)") and, between
//     English and SI, converts their values (10 kips becomes 44.48 kN);
//   - a search field that finds a unit by symbol or name in every category
//     (Enter or a click makes the hit the "from" unit, Shift+Enter the "to"
//     unit);
//   - a history of recent conversions: an amount accepted with Enter, or
//     edited and accepted on leaving the field, is recorded; an entry is
//     recalled with Enter or a click and copied with Ctrl+C.
//
// The choices (category, each category's pair, display options, amount,
// geometry) and the history are kept between runs (Settings.h): read when
// the window is built, the choices written when it closes, the history
// whenever it changes.
//
// Every control is reachable from the keyboard: a tab order, and
// accelerators through label buddies. Rejected entries are reported by the
// fields themselves when they are left; the live result shows why a text
// cannot be converted yet without interrupting the typing.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <map>
#include <vector>

#include "entry/DataEdit.h"
#include "measure/units.h"
#include "programs/quillon/Conversion.h"
#include "programs/quillon/History.h"
#include "programs/quillon/QuestionLine.h"
#include "programs/quillon/Settings.h"

namespace quillon {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Loads the form; rtl::Exception when it cannot be read. The catalogue
  // must outlive the window.
  explicit MainWindow(units::TCategories& catalogue, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Chooses a category, or the from / to unit of the current category, as a
  // click in the lists does.
  void SelectCategory(int32_t category);
  void SelectFrom(int32_t unit);
  void SelectTo(int32_t unit);
  void SwapUnits();
  // The quick calc's captions (and, for English and SI, its values).
  void SetCaptionUnits(CaptionUnits units);
  void SetHexDisplay(bool hex);

  // The line where a whole question is typed, at the top.
  QuestionLine* Question() const { return question_; }

  // The search field's text; the hits are listed below it, best first.
  void SetSearchText(const QString& text);
  const std::vector<UnitPosition>& SearchHits() const { return hits_; }
  // Shows hit `row`: its category, with the unit as "from" (or as "to").
  void ApplySearchHit(int row, bool asTo = false);

  // Records the conversion shown (when its amount has a value) as the
  // newest history entry; false when there was nothing to record.
  bool RecordConversion();
  // Shows history entry `row` (0 is the newest) again: category, units and
  // amount. False when its category or units are no longer in the catalogue.
  bool RecallHistory(int row);
  // Puts the entry's line ("5 km = 3.10685596118666985 mi") on the clipboard.
  void CopyHistory(int row) const;
  void RemoveHistory(int row);
  const History& ConversionHistory() const { return history_; }

  // Writes the choices now (closing the window does it too). A window that
  // is not persistent writes nothing, its history neither.
  void SaveSettings() const;
  void SetPersistent(bool persistent) { persistent_ = persistent; }

  int32_t CurrentCategory() const { return category_; }
  QWidget* Form() const { return form_; }
  DataEdit::TDataEdit* Amount() const { return amount_; }
  QString ResultText() const { return result_->text(); }
  QString SummaryText() const { return summary_->text(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  template <typename T>
  T* Child(const char* name);

  void ConnectControls();
  void NameControls();
  void Announce();
  void RestoreSettings();
  void SelectUnit(QListWidget* list, int32_t& selection, int32_t unit);
  void FillUnitLists();
  void FillSearchHits();
  void FillHistoryList();
  void ConvertQuickCalc(CaptionUnits toSystem);
  void ShowInEntry(DataEdit::TDataEdit* entry, rtl::Extended value);
  bool SearchKey(QKeyEvent* key);
  bool HistoryKey(QKeyEvent* key);
  void UpdateConversion();
  void UpdateBeam();
  QString ShowValue(rtl::Extended value) const;
  std::vector<DataEdit::TDataEdit*> Entries() const;
  units::TCategory& Category() const;

  units::TCategories& catalogue_;
  QWidget* form_ = nullptr;
  QListWidget* categories_ = nullptr;
  QListWidget* from_ = nullptr;
  QListWidget* to_ = nullptr;
  DataEdit::TDataEdit* amount_ = nullptr;
  QLineEdit* result_ = nullptr;
  QLabel* resultLabel_ = nullptr;
  QLabel* summary_ = nullptr;
  QLabel* names_ = nullptr;
  QCheckBox* hex_ = nullptr;
  QRadioButton* english_ = nullptr;
  QRadioButton* si_ = nullptr;
  QRadioButton* codes_ = nullptr;
  DataEdit::TDataEdit* pointLoad_ = nullptr;
  DataEdit::TDataEdit* uniformLoad_ = nullptr;
  DataEdit::TDataEdit* span_ = nullptr;
  DataEdit::TDataEdit* moment_ = nullptr;
  DataEdit::TDataEdit* shear_ = nullptr;
  QLineEdit* search_ = nullptr;
  QListWidget* searchList_ = nullptr;
  QListWidget* historyList_ = nullptr;
  int32_t category_ = 0;
  bool filling_ = false;  // the lists are being refilled: no selection writes
  std::vector<UnitPosition> hits_;
  History history_;
  bool persistent_ = true;
  // The unit system the quick calc's values are in (1 English, 2 SI), and
  // per entry the text before and after its last conversion, so that
  // switching back restores a text that was not touched in between.
  CaptionUnits quickCalcSystem_ = CaptionUnits::English;
  QuestionLine* question_ = nullptr;
  std::map<DataEdit::TDataEdit*, std::pair<QString, QString>> convertedTexts_;
};

// Makes the texts that the window shares with the command (Texts.h: the
// notes on units, the positions of errors) go through the application's
// translators, as the window's own do. Needs the translations installed.
void TranslateSharedTexts();

// Runs the window until it is closed; returns the exit code. When the
// environment variable QUILLON_SCREENSHOT names a file, the window is shown
// with an example, saved there as a PNG, and closed.
int RunWindow(int argc, char** argv);

}  // namespace quillon
