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
//     the quick calc's entries ("Point load P (kips)" or "(kN)").
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
#include <vector>

#include "entry/DataEdit.h"
#include "measure/units.h"

namespace quillon {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Loads the form; rtl::Exception when it cannot be read. The catalogue
  // must outlive the window.
  explicit MainWindow(units::TCategories& catalogue, QWidget* parent = nullptr);

  // Chooses a category, or the from / to unit of the current category, as a
  // click in the lists does.
  void SelectCategory(int32_t category);
  void SelectFrom(int32_t unit);
  void SelectTo(int32_t unit);
  void SwapUnits();
  // 1 English, 2 SI, 3 codes.
  void SetCaptionUnits(int32_t units);
  void SetHexDisplay(bool hex);

  QWidget* Form() const { return form_; }
  DataEdit::TDataEdit* Amount() const { return amount_; }
  QString ResultText() const { return result_->text(); }
  QString SummaryText() const { return summary_->text(); }

 private:
  template <typename T>
  T* Child(const char* name);

  void SelectUnit(QListWidget* list, int32_t& selection, int32_t unit);
  void FillUnitLists();
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
  int32_t category_ = 0;
  bool filling_ = false;  // the lists are being refilled: no selection writes
};

// True when a person can see a window (toolkit::DisplayAvailable) and
// standard input is not a pipe or a file, which asks for the command-line
// calculator whatever the display.
bool DisplayAvailable();

// Runs the window until it is closed; returns the exit code. When the
// environment variable QUILLON_SCREENSHOT names a file, the window is shown
// with an example, saved there as a PNG, and closed.
int RunWindow(int argc, char** argv);

}  // namespace quillon
