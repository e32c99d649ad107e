#include "programs/quillon/MainWindow.h"

#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <string>

#include "programs/quillon/Beam.h"
#include "programs/quillon/Conversion.h"
#include "programs/quillon/QuestionLine.h"
#include "programs/quillon/Questions.h"
#include "programs/quillon/Settings.h"
#include "programs/quillon/Texts.h"
#include "programs/quillon/UnitSearch.h"
#include "toolkit/Application.h"
#include "toolkit/FormLoader.h"
#include "toolkit/Text.h"
#include "toolkit/Translation.h"

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

bool IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// The position of the category named `name`, or -1.
int32_t CategoryNamed(const units::TCategories& catalogue, const std::string& name) {
  for (int32_t c = 0; c < catalogue.CategoryCount(); ++c) {
    if (catalogue.GetCategory(c).Name == name) return c;
  }
  return -1;
}

// The position of the unit with `symbol` in `category`, or -1.
int32_t UnitWithSymbol(const units::TCategory& category, const std::string& symbol) {
  for (int32_t u = 0; u < category.UnitCount(); ++u) {
    if (category.GetUnit(u).Symbol == symbol) return u;
  }
  return -1;
}

// One quick calc input and its dimension: force^force * length^length.
struct QuickCalcInput {
  TDataEdit* entry;
  int force;
  int length;
};

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
  // The question line sits above the form's own controls.
  question_ = new QuestionLine(UnitDefinitions(), form_);
  if (auto* main = qobject_cast<QBoxLayout*>(form_->layout())) main->insertWidget(0, question_, 0);
  setWindowTitle(tr("quillon \u2013 units calculator"));

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
  search_ = Child<QLineEdit>("searchEdit");
  searchList_ = Child<QListWidget>("searchList");
  historyList_ = Child<QListWidget>("historyList");
  NameControls();
  // Results are read, not typed: they take no focus, so no exit check runs
  // on them.
  moment_->setFocusPolicy(Qt::NoFocus);
  shear_->setFocusPolicy(Qt::NoFocus);
  searchList_->hide();
  for (QListWidget* list : {categories_, from_, to_, searchList_, historyList_}) {
    // A line too long for its list ends in "..." (its tool tip holds the
    // whole text) instead of growing a horizontal scroll bar.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideRight);
  }
  // The result shows a value of 18 digits, a sign and an exponent whole,
  // whatever the font's size.
  result_->setMinimumWidth(
      result_->fontMetrics().horizontalAdvance(QStringLiteral("-8.88888888888888888E-4888")) +
      result_->sizeHint().height());
  // An empty summary keeps its line, so that the lists do not jump when the
  // amount loses its value and gets it back.
  summary_->setMinimumHeight(summary_->fontMetrics().height());

  for (int32_t c = 0; c < catalogue_.CategoryCount(); ++c) {
    categories_->addItem(ToQString(catalogue_.GetCategory(c).Name));
  }
  // The question line comes first: after the search field, before the lists.
  QWidget::setTabOrder(search_, question_->Question());
  QWidget::setTabOrder(question_->Question(), categories_);
  ConnectControls();
  RestoreSettings();
  UpdateBeam();
  amount_->setFocus();
  amount_->selectAll();
}

MainWindow::~MainWindow() = default;

// Text fields take their name from the label whose buddy they are; lists do
// not, so each gets its label's text here: up to a colon, and the rest (how
// to use it) as its description. The hidden list of search hits has no label
// and gets a name of its own; the quick calc's results are named by their
// labels, the buttons and choices by their texts.
void MainWindow::NameControls() {
  for (QLabel* label : form_->findChildren<QLabel*>()) {
    QWidget* buddy = label->buddy();
    if (buddy == nullptr || qobject_cast<QLineEdit*>(buddy) != nullptr) continue;
    QString text = label->text();
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    buddy->setAccessibleName(text.left(colon).trimmed());
    if (colon >= 0) buddy->setAccessibleDescription(text.mid(colon + 1).trimmed());
  }
  searchList_->setAccessibleName(tr("Units found"));
}

// A screen reader stays with the field that has the focus, so the amount's
// field carries the conversion in words (or why there is none yet) as its
// description: each change is an accessibility event of the focused field,
// which is announced where a change of a line elsewhere would go unheard.
// With neither, the field's own hint stands.
void MainWindow::Announce() {
  QString text = summary_->text();
  if (text.isEmpty()) text = names_->text();
  if (text.isEmpty() || amount_->text().trimmed().isEmpty()) text = amount_->toolTip();
  if (amount_->accessibleDescription() != text) amount_->setAccessibleDescription(text);
}

void MainWindow::ConnectControls() {
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
    if (on) SetCaptionUnits(CaptionUnits::English);
  });
  connect(si_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) SetCaptionUnits(CaptionUnits::SI);
  });
  connect(codes_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) SetCaptionUnits(CaptionUnits::Codes);
  });

  connect(search_, &QLineEdit::textChanged, this, &MainWindow::FillSearchHits);
  // A click picks a hit as Enter does, Shift with it as Shift+Enter does.
  connect(searchList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    ApplySearchHit(searchList_->row(item),
                   QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
  });
  auto* find = new QShortcut(QKeySequence::Find, this);
  connect(find, &QShortcut::activated, this, [this] {
    search_->setFocus(Qt::ShortcutFocusReason);
    search_->selectAll();
  });

  connect(historyList_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { RecallHistory(historyList_->row(item)); });
  connect(Child<QPushButton>("recallButton"), &QPushButton::clicked, this,
          [this] { RecallHistory(historyList_->currentRow()); });
  connect(Child<QPushButton>("copyButton"), &QPushButton::clicked, this,
          [this] { CopyHistory(historyList_->currentRow()); });
  connect(Child<QPushButton>("removeButton"), &QPushButton::clicked, this,
          [this] { RemoveHistory(historyList_->currentRow()); });

  for (QObject* watched :
       {static_cast<QObject*>(amount_), static_cast<QObject*>(search_),
        static_cast<QObject*>(searchList_), static_cast<QObject*>(historyList_)}) {
    watched->installEventFilter(this);
  }
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
    const QString text = UnitItemText(category.GetUnit(u));
    for (QListWidget* list : {from_, to_}) {
      auto* item = new QListWidgetItem(text, list);
      item->setToolTip(text);
    }
  }
  from_->setCurrentRow(category.Selection1);
  to_->setCurrentRow(category.Selection2);
  from_->scrollToItem(from_->currentItem());
  to_->scrollToItem(to_->currentItem());
  filling_ = false;
  UpdateConversion();
}

void MainWindow::SetCaptionUnits(CaptionUnits units) {
  QRadioButton* button =
      units == CaptionUnits::English ? english_ : (units == CaptionUnits::SI ? si_ : codes_);
  if (!button->isChecked()) button->setChecked(true);
  for (TDataEdit* entry : Entries()) {
    if (entry != amount_) entry->SetUnits(static_cast<int32_t>(units));
  }
  // Codes only relabel; English and SI also convert the values, which are
  // then in the system their captions name.
  if (units != CaptionUnits::Codes && units != quickCalcSystem_) {
    ConvertQuickCalc(units);
    quickCalcSystem_ = units;
  }
}

// Each input is multiplied (English to SI) or divided (SI to English) by the
// factor of its dimension. A text that was written by the previous
// conversion and not touched since gets its former text back, so switching
// to and fro never drifts ("10" stays "10", not "9.99999999999999999").
void MainWindow::ConvertQuickCalc(CaptionUnits toSystem) {
  const QuickCalcInput inputs[] = {{pointLoad_, 1, 0}, {uniformLoad_, 1, -1}, {span_, 0, 1}};
  for (const QuickCalcInput& input : inputs) {
    TDataEdit* entry = input.entry;
    const QString before = entry->text();
    const auto converted = convertedTexts_.find(entry);
    if (converted != convertedTexts_.end() && converted->second.second == before) {
      entry->setText(converted->second.first);
    } else {
      try {
        const Extended factor = EnglishToSi(input.force, input.length);
        const Extended value = entry->Number();
        ShowInEntry(entry, toSystem == CaptionUnits::SI ? rtl::Multiply(value, factor)
                                                        : rtl::Divide(value, factor));
      } catch (const std::exception&) {
        // A text without a value stays as typed; leaving it reports it.
      }
    }
    convertedTexts_[entry] = {before, entry->text()};
  }
  UpdateBeam();
}

// The field's own form where the value reads back as shown: any value in
// decimal, and in hexadecimal the whole values 0 to 2147483647 (the
// evaluator reads "$" as 32-bit signed). Otherwise its decimal text.
void MainWindow::ShowInEntry(TDataEdit* entry, Extended value) {
  const bool whole = std::trunc(value) == value;
  const bool readsBack = !entry->Hex() || (whole && value >= 0 && value <= 2147483647.0L);
  if (readsBack) {
    entry->SetNumber(value);
  } else {
    entry->setText(ToQString(DataEdit::FormatValue(false, value)));
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
  result_->clear();
  summary_->clear();
  const units::TCategory& category = Category();
  if (category.UnitCount() == 0) {
    amount_->SetCaption(toolkit::ToBytes(tr("&Amount")));
    resultLabel_->setText(tr("Result"));
    names_->setText(tr("This category has no units."));
    Announce();
    return;
  }
  try {
    const units::TUnit& from = category.GetUnit(category.Selection1);
    const units::TUnit& to = category.GetUnit(category.Selection2);
    amount_->SetCaption(toolkit::ToBytes(tr("&Amount in %1").arg(ToQString(from.Symbol))));
    resultLabel_->setText(tr("Result in %1").arg(ToQString(to.Symbol)));
    names_->setText(ToQString(from.Name) + QStringLiteral("  \u2192  ") + ToQString(to.Name));
    // Nothing typed is no error: the lines stay empty until there is a value.
    if (amount_->text().trimmed().isEmpty()) {
      Announce();
      return;
    }
    const Extended amount = amount_->Number();
    const Extended result = Convert(category, category.Selection1, category.Selection2, amount);
    result_->setText(ShowValue(result));
    result_->setCursorPosition(0);  // too long for the field: its first digits show
    summary_->setText(ToQString(rtl::FormatGeneral(amount) + " " + from.Symbol + " = " +
                                rtl::FormatGeneral(result) + " " + to.Symbol));
  } catch (const std::exception& error) {
    names_->setText(Reason(error));
  }
  Announce();
}

void MainWindow::UpdateBeam() {
  try {
    const Extended p = pointLoad_->Number();
    const Extended w = uniformLoad_->Number();
    const Extended l = span_->Number();
    const BeamResult beam = SimplySupportedBeam(p, w, l);
    moment_->setText(ShowValue(beam.moment));
    shear_->setText(ShowValue(beam.shear));
  } catch (const std::exception&) {
    moment_->clear();
    shear_->clear();
  }
}

// ---------------------------------------------------------------------------
// Search

void MainWindow::SetSearchText(const QString& text) { search_->setText(text); }

void MainWindow::FillSearchHits() {
  hits_ = SearchUnits(catalogue_, toolkit::ToBytes(search_->text()));
  searchList_->clear();
  for (const UnitPosition& hit : hits_) {
    const units::TCategory& category = catalogue_.GetCategory(hit.category);
    searchList_->addItem(UnitItemText(category.GetUnit(hit.unit)) + QStringLiteral("   (") +
                         ToQString(category.Name) + QStringLiteral(")"));
  }
  if (hits_.empty() && !search_->text().trimmed().isEmpty()) {
    auto* none = new QListWidgetItem(tr("No unit matches"), searchList_);
    none->setFlags(Qt::NoItemFlags);
  }
  searchList_->setCurrentRow(hits_.empty() ? -1 : 0);
  // As tall as its hits, up to five rows; beyond that it scrolls.
  const int rows = std::min(searchList_->count(), 5);
  if (rows > 0) {
    searchList_->setFixedHeight(rows * searchList_->sizeHintForRow(0) +
                                2 * searchList_->frameWidth());
  }
  searchList_->setVisible(rows > 0);
}

void MainWindow::ApplySearchHit(int row, bool asTo) {
  if (row < 0 || static_cast<size_t>(row) >= hits_.size()) return;
  const UnitPosition hit = hits_[static_cast<size_t>(row)];
  SelectCategory(hit.category);
  if (asTo) {
    SelectTo(hit.unit);
  } else {
    SelectFrom(hit.unit);
  }
  // The pick is made: the list gives its room back, and the next text typed
  // replaces the search.
  searchList_->hide();
  for (QListWidget* list : {categories_, from_, to_, searchList_, historyList_}) {
    // A line too long for its list ends in "..." (its tool tip holds the
    // whole text) instead of growing a horizontal scroll bar.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideRight);
  }
  search_->selectAll();
}

// Up and Down move through the hits without leaving the field; Enter picks
// the current one; Escape clears the search.
bool MainWindow::SearchKey(QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      if (searchList_->count() == 0) return false;
      searchList_->show();
      QCoreApplication::sendEvent(searchList_, key);
      return true;
    case Qt::Key_Escape:
      if (search_->text().isEmpty()) return false;
      search_->clear();
      return true;
    default:
      if (!IsEnter(key)) return false;
      ApplySearchHit(searchList_->currentRow(), key->modifiers() & Qt::ShiftModifier);
      return true;
  }
}

// ---------------------------------------------------------------------------
// History

bool MainWindow::RecordConversion() {
  const units::TCategory& category = Category();
  if (category.UnitCount() == 0) return false;
  HistoryEntry entry;
  try {
    entry.amount = amount_->Number();
    entry.result = Convert(category, category.Selection1, category.Selection2, entry.amount);
  } catch (const std::exception&) {
    return false;
  }
  entry.category = category.Name;
  entry.from = category.GetUnit(category.Selection1).Symbol;
  entry.to = category.GetUnit(category.Selection2).Symbol;
  if (!history_.Add(entry)) return false;
  FillHistoryList();
  if (persistent_) SaveHistory(history_);
  return true;
}

bool MainWindow::RecallHistory(int row) {
  const auto& entries = history_.Entries();
  if (row < 0 || static_cast<size_t>(row) >= entries.size()) return false;
  const HistoryEntry& entry = entries[static_cast<size_t>(row)];
  const int32_t category = CategoryNamed(catalogue_, entry.category);
  if (category < 0) return false;
  const units::TCategory& units = catalogue_.GetCategory(category);
  const int32_t from = UnitWithSymbol(units, entry.from);
  const int32_t to = UnitWithSymbol(units, entry.to);
  if (from < 0 || to < 0) {
    names_->setText(tr("The units of this entry are no longer in the catalogue"));
    return false;
  }
  SelectCategory(category);
  SelectFrom(from);
  SelectTo(to);
  ShowInEntry(amount_, entry.amount);
  return true;
}

void MainWindow::CopyHistory(int row) const {
  const auto& entries = history_.Entries();
  if (row < 0 || static_cast<size_t>(row) >= entries.size()) return;
  QGuiApplication::clipboard()->setText(ToQString(SummaryOf(entries[static_cast<size_t>(row)])));
}

void MainWindow::RemoveHistory(int row) {
  if (row < 0 || static_cast<size_t>(row) >= history_.Entries().size()) return;
  history_.Remove(static_cast<size_t>(row));
  FillHistoryList();
  historyList_->setCurrentRow(std::min(row, historyList_->count() - 1));
  if (persistent_) SaveHistory(history_);
}

void MainWindow::FillHistoryList() {
  historyList_->clear();
  for (const HistoryEntry& entry : history_.Entries()) {
    const QString line = ToQString(SummaryOf(entry));
    auto* item = new QListWidgetItem(line, historyList_);
    item->setToolTip(line + QStringLiteral("\n") + ToQString(entry.category));
  }
  historyList_->setCurrentRow(historyList_->count() > 0 ? 0 : -1);
}

// Enter recalls, Ctrl+C copies, Delete removes the current entry.
bool MainWindow::HistoryKey(QKeyEvent* key) {
  const int row = historyList_->currentRow();
  if (IsEnter(key)) {
    RecallHistory(row);
  } else if (key->matches(QKeySequence::Copy)) {
    CopyHistory(row);
  } else if (key->key() == Qt::Key_Delete) {
    RemoveHistory(row);
  } else {
    return false;
  }
  return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool keyPress = event->type() == QEvent::KeyPress;
  auto* key = keyPress ? static_cast<QKeyEvent*>(event) : nullptr;
  if (watched == search_ && keyPress) return SearchKey(key);
  if (watched == searchList_ && keyPress && IsEnter(key)) {
    ApplySearchHit(searchList_->currentRow(), key->modifiers() & Qt::ShiftModifier);
    return true;
  }
  if (watched == historyList_ && keyPress) return HistoryKey(key);
  // The amount's exit check runs in the field's own handler of this event;
  // once it has run, an accepted amount goes into the history: always on
  // Enter, on leaving the field only when it was edited (tabbing through
  // records nothing).
  const bool enter = keyPress && IsEnter(key);
  const bool leaving = event->type() == QEvent::FocusOut && amount_->isModified();
  if (watched == amount_ && (enter || leaving)) {
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (amount_->EntryAccepted()) RecordConversion();
        },
        Qt::QueuedConnection);
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Settings

void MainWindow::RestoreSettings() {
  LoadHistory(history_);
  FillHistoryList();
  const WindowState state = LoadWindowState();
  for (const UnitPair& pair : state.pairs) {
    const int32_t c = CategoryNamed(catalogue_, pair.category);
    if (c < 0) continue;
    units::TCategory& category = catalogue_.GetCategory(c);
    const int32_t from = UnitWithSymbol(category, pair.from);
    const int32_t to = UnitWithSymbol(category, pair.to);
    if (from >= 0) category.Selection1 = from;
    if (to >= 0) category.Selection2 = to;
  }
  const int32_t category = state.category ? CategoryNamed(catalogue_, *state.category) : -1;
  if (catalogue_.CategoryCount() > 0) SelectCategory(std::max(category, 0));
  if (state.amount) amount_->SetNumber(*state.amount);
  if (state.hexadecimal) SetHexDisplay(*state.hexadecimal);
  if (state.captionUnits) SetCaptionUnits(*state.captionUnits);
  if (state.geometry.isEmpty() || !restoreGeometry(state.geometry)) {
    // A first run: room for the lists beyond what the form needs, within
    // the screen (less room for the frame and a panel).
    QSize size = sizeHint().expandedTo(QSize(1040, 720));
    if (const QScreen* screen = this->screen()) {
      size = size.boundedTo(screen->availableGeometry().size() - QSize(40, 60));
    }
    resize(size);
  }
}

void MainWindow::SaveSettings() const {
  if (!persistent_) return;
  WindowState state;
  for (int32_t c = 0; c < catalogue_.CategoryCount(); ++c) {
    const units::TCategory& category = catalogue_.GetCategory(c);
    if (category.UnitCount() == 0) continue;
    try {
      state.pairs.push_back({category.Name, category.GetUnit(category.Selection1).Symbol,
                             category.GetUnit(category.Selection2).Symbol});
    } catch (const rtl::EListError&) {
      // A selection that lost its unit (the base removed) is not kept.
    }
  }
  if (catalogue_.CategoryCount() > 0) state.category = Category().Name;
  try {
    state.amount = amount_->Number();
  } catch (const std::exception&) {
    // An amount without a value is not kept.
  }
  state.hexadecimal = hex_->isChecked();
  state.captionUnits = english_->isChecked()
                           ? CaptionUnits::English
                           : (si_->isChecked() ? CaptionUnits::SI : CaptionUnits::Codes);
  state.geometry = saveGeometry();
  SaveWindowState(state);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  SaveSettings();
  QMainWindow::closeEvent(event);
}

// ---------------------------------------------------------------------------
// Start-up

namespace {

std::string FromTranslators(std::string_view context, std::string_view text) {
  const std::string contextName(context);
  const std::string source(text);
  return QCoreApplication::translate(contextName.c_str(), source.c_str()).toStdString();
}

}  // namespace

void TranslateSharedTexts() { SetTranslator(&FromTranslators); }

int RunWindow(int argc, char** argv) {
  toolkit::Application application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quillon"));
  // The window's texts and Qt's in the user's language.
  toolkit::InstallProgramTranslations(QStringLiteral("quillon"),
                                      QStringLiteral(QUILLON_TRANSLATIONS_FROM_LIBEXEC));
  TranslateSharedTexts();
  try {
    // The lists hold the units of the definitions, one category a dimension.
    static units::TCategories catalogue;
    AddDefinitionsToCatalogue(catalogue, UnitDefinitions());
    MainWindow window(catalogue);
    window.show();
    return QApplication::exec();
  } catch (const std::exception& error) {
    std::cerr << "quillon: " << error.what() << '\n';
    return 1;
  }
}

}  // namespace quillon
