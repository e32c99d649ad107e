#include "programs/quillon/MainWindow.h"

#include <sys/stat.h>

#include <QApplication>
#include <QTimer>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <string>

#include "programs/quillon/Conversion.h"
#include "toolkit/Application.h"
#include "toolkit/Display.h"
#include "toolkit/FormLoader.h"
#include "toolkit/Text.h"

// The form is compiled into the program's static library; this pulls the
// resource in (the macro must stand outside any namespace).
static void InitFormResource() { Q_INIT_RESOURCE(quillon); }

namespace quillon {

using DataEdit::TDataEdit;
using rtl::Extended;
using toolkit::ToQString;

namespace {

// The first line of a failure, fit for the summary line: the evaluator's
// "Entry could not be evaluated:" and its reason on one line.
QString Reason(const std::exception& error) {
  QString text = QString::fromLatin1(error.what());
  text.replace(QChar('\r'), QChar(' '));
  return text;
}

QString UnitItemText(const units::TUnit& unit) {
  return ToQString(unit.Symbol) + QStringLiteral("  \u2013  ") + ToQString(unit.Name);
}

}  // namespace

MainWindow::MainWindow(units::TCategories& catalogue, QWidget* parent)
    : QMainWindow(parent), catalogue_(catalogue) {
  InitFormResource();
  toolkit::FormLoader loader;
  form_ = loader.LoadForm(QStringLiteral(":/quillon/quillon.ui"), this);
  if (form_ == nullptr) {
    throw rtl::Exception("The window's form could not be loaded: " +
                         toolkit::ToBytes(loader.errorString()));
  }
  setCentralWidget(form_);
  setWindowTitle(QStringLiteral("quillon \u2013 units calculator"));

  categories_ = Child<QListWidget>("categoryList");
  from_ = Child<QListWidget>("fromList");
  to_ = Child<QListWidget>("toList");
  amount_ = Child<TDataEdit>("amountEdit");
  result_ = Child<QLineEdit>("resultEdit");
  resultLabel_ = Child<QLabel>("resultLabel");
  summary_ = Child<QLabel>("summaryLabel");
  names_ = Child<QLabel>("namesLabel");
  hex_ = Child<QCheckBox>("hexCheck");
  english_ = Child<QRadioButton>("englishRadio");
  si_ = Child<QRadioButton>("siRadio");
  codes_ = Child<QRadioButton>("codesRadio");
  pointLoad_ = Child<TDataEdit>("pointLoadEdit");
  uniformLoad_ = Child<TDataEdit>("uniformLoadEdit");
  span_ = Child<TDataEdit>("spanEdit");
  moment_ = Child<TDataEdit>("momentEdit");
  shear_ = Child<TDataEdit>("shearEdit");
  // Results are read, not typed: they take no focus, so no exit check runs
  // on them.
  moment_->setFocusPolicy(Qt::NoFocus);
  shear_->setFocusPolicy(Qt::NoFocus);

  for (int32_t c = 0; c < catalogue_.CategoryCount(); ++c) {
    categories_->addItem(ToQString(catalogue_.GetCategory(c).Name));
  }
  connect(categories_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) SelectCategory(row);
  });
  connect(from_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!filling_ && row >= 0) SelectFrom(row);
  });
  connect(to_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!filling_ && row >= 0) SelectTo(row);
  });
  connect(Child<QPushButton>("swapButton"), &QPushButton::clicked, this, &MainWindow::SwapUnits);
  connect(amount_, &QLineEdit::textChanged, this, &MainWindow::UpdateConversion);
  for (TDataEdit* entry : {pointLoad_, uniformLoad_, span_}) {
    connect(entry, &QLineEdit::textChanged, this, &MainWindow::UpdateBeam);
  }
  connect(hex_, &QCheckBox::toggled, this, &MainWindow::SetHexDisplay);
  connect(english_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) SetCaptionUnits(1);
  });
  connect(si_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) SetCaptionUnits(2);
  });
  connect(codes_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) SetCaptionUnits(3);
  });

  if (catalogue_.CategoryCount() > 0) SelectCategory(0);
  UpdateBeam();
  amount_->setFocus();
  amount_->selectAll();
}

template <typename T>
T* MainWindow::Child(const char* name) {
  T* child = form_->findChild<T*>(QString::fromLatin1(name));
  if (child == nullptr) throw rtl::Exception(std::string("The window's form lacks ") + name);
  return child;
}

units::TCategory& MainWindow::Category() const { return catalogue_.GetCategory(category_); }

void MainWindow::SelectCategory(int32_t category) {
  if (category < 0 || category >= catalogue_.CategoryCount()) return;
  category_ = category;
  // Moving the list's row comes back here through its signal.
  if (categories_->currentRow() != category) {
    categories_->setCurrentRow(category);
    return;
  }
  FillUnitLists();
}

void MainWindow::SelectFrom(int32_t unit) { SelectUnit(from_, Category().Selection1, unit); }

void MainWindow::SelectTo(int32_t unit) { SelectUnit(to_, Category().Selection2, unit); }

// Stores the unit as the category's selection and moves the list's row to it,
// which comes back here through the list's signal before the conversion is
// shown.
void MainWindow::SelectUnit(QListWidget* list, int32_t& selection, int32_t unit) {
  if (unit < 0 || unit >= Category().UnitCount()) return;
  selection = unit;
  if (list->currentRow() != unit) {
    list->setCurrentRow(unit);
    return;
  }
  UpdateConversion();
}

void MainWindow::SwapUnits() {
  units::TCategory& category = Category();
  std::swap(category.Selection1, category.Selection2);
  FillUnitLists();
}

void MainWindow::FillUnitLists() {
  const units::TCategory& category = Category();
  filling_ = true;
  from_->clear();
  to_->clear();
  for (int32_t u = 0; u < category.UnitCount(); ++u) {
    from_->addItem(UnitItemText(category.GetUnit(u)));
    to_->addItem(UnitItemText(category.GetUnit(u)));
  }
  from_->setCurrentRow(category.Selection1);
  to_->setCurrentRow(category.Selection2);
  filling_ = false;
  UpdateConversion();
}

void MainWindow::SetCaptionUnits(int32_t units) {
  QRadioButton* button = units == 1 ? english_ : (units == 2 ? si_ : codes_);
  if (!button->isChecked()) button->setChecked(true);
  for (TDataEdit* entry : Entries()) {
    if (entry != amount_) entry->SetUnits(units);
  }
}

// The fields show their next value in the new form. A whole value is shown
// in it at once where it reads back as shown: any value in decimal, and in
// hexadecimal 0 to 2147483647 (the evaluator reads "$" as 32-bit signed).
void MainWindow::SetHexDisplay(bool hex) {
  if (hex_->isChecked() != hex) hex_->setChecked(hex);
  for (TDataEdit* entry : Entries()) {
    entry->SetHex(hex);
    if (entry == moment_ || entry == shear_) continue;
    try {
      const Extended value = entry->Number();
      const bool readsBack = !hex || (value >= 0 && value <= 2147483647.0L);
      if (std::trunc(value) == value && readsBack) entry->SetNumber(value);
    } catch (const std::exception&) {
      // An entry that does not evaluate keeps its text; leaving it reports it.
    }
  }
  UpdateConversion();
  UpdateBeam();
}

QString MainWindow::ShowValue(Extended value) const {
  if (hex_->isChecked()) {
    try {
      return ToQString(DataEdit::FormatValue(true, value));
    } catch (const rtl::EInvalidOp&) {
      // Beyond 64 bits there is no hexadecimal text: the decimal one stands.
    }
  }
  return ToQString(DataEdit::FormatValue(false, value));
}

std::vector<TDataEdit*> MainWindow::Entries() const {
  return {amount_, pointLoad_, uniformLoad_, span_, moment_, shear_};
}

void MainWindow::UpdateConversion() {
  if (filling_) return;
  units::TCategory& category = Category();
  if (category.UnitCount() == 0) return;
  try {
    const units::TUnit& from = category.GetUnit(category.Selection1);
    const units::TUnit& to = category.GetUnit(category.Selection2);
    amount_->SetCaption("&Amount in " + from.Symbol);
    resultLabel_->setText(QStringLiteral("Result in ") + ToQString(to.Symbol));
    names_->setText(ToQString(from.Name) + QStringLiteral("  \u2192  ") + ToQString(to.Name));
    const Extended amount = amount_->Number();
    const Extended result = Convert(category, category.Selection1, category.Selection2, amount);
    result_->setText(ShowValue(result));
    summary_->setText(ToQString(rtl::FormatGeneral(amount) + " " + from.Symbol + " = " +
                                rtl::FormatGeneral(result) + " " + to.Symbol));
  } catch (const std::exception& error) {
    result_->clear();
    summary_->setText(QStringLiteral("\u2013"));
    names_->setText(Reason(error));
  }
}

void MainWindow::UpdateBeam() {
  try {
    const Extended p = pointLoad_->Number();
    const Extended w = uniformLoad_->Number();
    const Extended l = span_->Number();
    using rtl::Add, rtl::Divide, rtl::Multiply;
    const Extended moment = Add(Divide(Multiply(p, l), 4), Divide(Multiply(w, Multiply(l, l)), 8));
    const Extended shear = Add(Divide(p, 2), Divide(Multiply(w, l), 2));
    moment_->setText(ShowValue(moment));
    shear_->setText(ShowValue(shear));
  } catch (const std::exception&) {
    moment_->clear();
    shear_->clear();
  }
}

// ---------------------------------------------------------------------------
// Start-up

namespace {

bool StandardInputIsData() {
  struct stat status {};
  if (fstat(0, &status) != 0) return false;
  return S_ISFIFO(status.st_mode) || S_ISREG(status.st_mode);
}

}  // namespace

bool DisplayAvailable() { return !StandardInputIsData() && toolkit::DisplayAvailable(); }

int RunWindow(int argc, char** argv) {
  toolkit::Application application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quillon"));
  try {
    MainWindow window(units::UnitCategories());
    window.show();
    const QString screenshot = QString::fromLocal8Bit(qgetenv("QUILLON_SCREENSHOT"));
    if (!screenshot.isEmpty()) {
      window.SelectCategory(0);
      window.SelectFrom(3);  // km
      window.SelectTo(8);    // mi
      window.Amount()->setText(QStringLiteral("42.195"));
      QTimer::singleShot(800, &window, [&window, screenshot] {
        window.grab().save(screenshot, "PNG");
        QApplication::quit();
      });
    }
    return QApplication::exec();
  } catch (const std::exception& error) {
    std::cerr << "quillon: " << error.what() << '\n';
    return 1;
  }
}

}  // namespace quillon
