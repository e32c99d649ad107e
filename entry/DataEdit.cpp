#include "entry/DataEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QtGlobal>
#include <cctype>
#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <optional>

#include "evaluation/PMisc.h"
#include "toolkit/Application.h"
#include "toolkit/Text.h"

namespace DataEdit {

using rtl::Extended;

namespace {

// Exit checks in progress in the process (all on the GUI thread). While one
// runs, the focus changes it causes (the error box taking the focus, the
// focus brought back) start no other check.
int exitChecksRunning = 0;

class ExitCheckScope {
 public:
  ExitCheckScope() { ++exitChecksRunning; }
  ~ExitCheckScope() { --exitChecksRunning; }
  ExitCheckScope(const ExitCheckScope&) = delete;
  ExitCheckScope& operator=(const ExitCheckScope&) = delete;
};

Extended ClampToInt32(Extended x) {
  if (x > 2147483647.0L) return 2147483647.0L;
  if (x < -2147483648.0L) return -2147483648.0L;
  return x;
}

// One code of the units language and its English and SI names.
struct UnitCode {
  const char* code;
  const char* english;
  const char* si;
};

// Numbered codes in the order they are tested, then the bare letter.
constexpr UnitCode kForceCodes[] = {{"F6", "slug", "Mg"},
                                    {"F5", "sec", "sec"},
                                    {"F4", "lb-sec2/in", "Mg"},
                                    {"F2", "tons", "kN"},
                                    {"F1", "kips", "kN"}};
constexpr UnitCode kForceLetter = {"F", "lbs", "kN"};
constexpr UnitCode kLengthCodes[] = {{"L2", "ft", "m"}, {"L1", "in", "mm"}, {"L3", "rad", "rad"}};
constexpr UnitCode kLengthLetter = {"L", "in", "m"};

// Replaces every occurrence of the code, leftmost first. No unit name holds
// an upper-case letter, so a replacement never forms a new code.
void ReplaceCode(std::string& text, const UnitCode& code, int32_t units) {
  const std::string name = units == 1 ? code.english : code.si;
  const std::string pattern = code.code;
  for (size_t at = text.find(pattern); at != std::string::npos;
       at = text.find(pattern, at + name.size())) {
    text.replace(at, pattern.size(), name);
  }
}

// Expands the first numbered code that occurs, or else the bare letter.
template <size_t N>
void ExpandPass(std::string& text, const UnitCode (&codes)[N], const UnitCode& letter,
                int32_t units) {
  for (const UnitCode& code : codes) {
    if (text.find(code.code) != std::string::npos) {
      ReplaceCode(text, code, units);
      return;
    }
  }
  ReplaceCode(text, letter, units);
}

bool IsHexDigits(std::string_view text) {
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return !text.empty();
}

// "x7FFE:FFFFFFFFFFFFFFB0": sign and exponent, significand.
bool ValueFromBitText(const std::string& text, Extended& value) {
  if (text.size() != 22 || text[0] != 'x' || text[5] != ':') return false;
  const std::string_view exponentDigits = std::string_view(text).substr(1, 4);
  const std::string_view significandDigits = std::string_view(text).substr(6, 16);
  if (!IsHexDigits(exponentDigits) || !IsHexDigits(significandDigits)) return false;
  uint16_t signExponent = 0;
  uint64_t significand = 0;
  std::from_chars(exponentDigits.data(), exponentDigits.data() + 4, signExponent, 16);
  std::from_chars(significandDigits.data(), significandDigits.data() + 16, significand, 16);
  const unsigned exponent = signExponent & 0x7FFFu;
  const bool leadingBit = (significand >> 63) != 0;
  // Infinities, NaNs, unnormals and pseudo-denormals are no values here.
  if (exponent == 0x7FFFu || leadingBit != (exponent != 0)) return false;
  value = rtl::ExtendedFromBits(signExponent, significand);
  return true;
}

// Property texts are written with "."; one written with "," reads as well.
bool ValueFromDecimalText(std::string_view text, Extended& value) {
  const char separator = text.find(',') != std::string_view::npos ? ',' : '.';
  const auto read = rtl::ReadStandardDecimal(text, separator);
  if (!read) return false;
  value = *read;
  return true;
}

}  // namespace

Extended NoLimit() { return rtl::ExtendedFromBits(0x7FFE, 0xFFFFFFFFFFFFFFB0ULL); }

std::string FormatValue(bool hex, Extended value) {
  if (!hex) return rtl::FormatGeneral(value);
  return rtl::FormatHex(rtl::Round64(value));  // EInvalidOp beyond 64 bits
}

void CheckInteger(Extended value) {
  if (std::trunc(value) != value) throw EIntError();
}

std::string ValueToPropertyText(Extended value) {
  const std::string text = rtl::FormatGeneral(value, '.');
  Extended back = 0;
  if (ValueFromDecimalText(text, back) && rtl::BitsOf(back) == rtl::BitsOf(value)) return text;
  const rtl::ExtendedBits bits = rtl::BitsOf(value);
  char out[24];
  std::snprintf(out, sizeof out, "x%04X:%016" PRIX64, static_cast<unsigned>(bits.signExponent),
                bits.significand);
  return out;
}

bool ValueFromPropertyText(const std::string& text, Extended& value) {
  if (!text.empty() && text[0] == 'x') return ValueFromBitText(text, value);
  return ValueFromDecimalText(text, value);
}

// ---------------------------------------------------------------------------
// Construction and properties

void RegisterFormClass() {
  const auto create = [](QWidget* parent) { return new TDataEdit(parent); };
  toolkit::RegisterFormClass(QStringLiteral("TDataEdit"), create);
  toolkit::RegisterFormClass(QStringLiteral("DataEdit::TDataEdit"), create);
}

// IntegerOnly starts false and Units 1 (the members' initialisers); the
// limits go through their setters, which see the text "0".
TDataEdit::TDataEdit(QWidget* parent) : QLineEdit(parent), toolkit::Component(nullptr) {
  setText(QStringLiteral("0"));
  SetMinVal(-NoLimit());
  SetMaxVal(NoLimit());
}

TDataEdit::~TDataEdit() { MarkDestroying(); }

Extended TDataEdit::Number() const { return PMisc::EvaluateExpression(toolkit::ToBytes(text())); }

void TDataEdit::SetNumber(Extended value) {
  if (!OnlyStoring()) {
    if (minVal_ > value) value = minVal_;
    if (value > maxVal_) value = maxVal_;
  }
  setText(toolkit::ToQString(FormatValue(hex_, value)));
}

void TDataEdit::SetMaxVal(Extended value) {
  if (OnlyStoring()) {
    maxVal_ = value;
    return;
  }
  if (value < minVal_) value = minVal_;
  if (integerOnly_) value = ClampToInt32(value);
  // Written while the former maximum is still in force, which clamps it.
  if (value < Number()) SetNumber(value);
  maxVal_ = value;
}

void TDataEdit::SetMinVal(Extended value) {
  if (OnlyStoring()) {
    minVal_ = value;
    return;
  }
  if (value > maxVal_) value = maxVal_;
  if (integerOnly_) value = ClampToInt32(value);
  minVal_ = value;
  if (value > Number()) SetNumber(value);
}

void TDataEdit::SetIntegerOnly(bool integerOnly) {
  integerOnly_ = integerOnly;
  if (!integerOnly || OnlyStoring()) return;
  SetMaxVal(maxVal_);
  SetMinVal(minVal_);
}

void TDataEdit::SetUnits(int32_t units) {
  units_ = units < 1 ? 1 : (units > 3 ? 3 : units);
  UpdateLabel();
}

void TDataEdit::SetCaption(const std::string& caption) {
  caption_ = caption;
  UpdateLabel();
}

void TDataEdit::SetUnitsString(const std::string& unitsString) {
  unitsString_ = unitsString;
  UpdateLabel();
}

void TDataEdit::SetEditLabel(QLabel* label) {
  if (editLabel_) editLabel_->removeEventFilter(this);
  editLabel_ = label;
  pendingLabelName_.clear();
  if (label == nullptr) return;
  label->setBuddy(this);
  label->installEventFilter(this);
  UpdateLabel();
}

void TDataEdit::SetEnabled(bool enabled) {
  setEnabled(enabled);
  // Under a disabled parent the field's own flag changes without an event.
  SyncLabelEnabled();
}

// QWidget::setEnabled is not virtual: the field learns of a change through
// the event it sends, whichever name was called.
void TDataEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) SyncLabelEnabled();
}

// The field's own flag may change while its parent is disabled, which sends
// the field no event; when the parent is enabled again the label hears of it
// and is put right here.
// The event's type is tested first and the label found by qobject_cast:
// a label being destroyed also passes its events through here, and is no
// longer a QLabel then.
bool TDataEdit::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    QLabel* label = qobject_cast<QLabel*>(watched);
    if (label != nullptr && label == editLabel_.data()) SyncLabelEnabled();
  }
  return QLineEdit::eventFilter(watched, event);
}

void TDataEdit::SyncLabelEnabled() {
  QLabel* label = editLabel_.data();
  if (label != nullptr && label->testAttribute(Qt::WA_ForceDisabled) == OwnEnabled()) {
    label->setEnabled(OwnEnabled());
  }
}

// The field's own enabled flag, not the effective state that a disabled
// parent also decides.
// Restoring a stored form and editing one in a form designer both set
// properties one by one, in any order: nothing is clamped or evaluated then.
bool TDataEdit::OnlyStoring() const { return Reading() || Designing(); }

bool TDataEdit::OwnEnabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

// ---------------------------------------------------------------------------
// The label

std::string TDataEdit::ExpandUnits() const {
  std::string text = unitsString_;
  if (units_ == 3) return text;
  ExpandPass(text, kForceCodes, kForceLetter, units_);
  ExpandPass(text, kLengthCodes, kLengthLetter, units_);
  return text;
}

void TDataEdit::UpdateLabel() {
  QLabel* label = editLabel_.data();
  if (label == nullptr) return;
  SyncLabelEnabled();
  std::string caption = caption_;
  if (!unitsString_.empty()) caption += " (" + ExpandUnits() + ")";
  label->setText(toolkit::ToQString(caption));
}

// ---------------------------------------------------------------------------
// The exit check and the key handling

void TDataEdit::ValidateEntry() {
  if (Designing()) return;  // a form being edited is no entry
  ExitCheckScope scope;
  entryAccepted_ = false;
  if (OnExit) OnExit(*this);

  enum class Failure { kNone, kAssign, kInt, kMin, kMax };
  Failure failure = Failure::kNone;
  std::string assignMessage;
  try {
    const Extended value = Number();
    if (integerOnly_) CheckInteger(value);
    if (minVal_ > value) throw EMinError();
    if (value > maxVal_) throw EMaxError();
    setText(toolkit::ToQString(FormatValue(hex_, value)));
    entryAccepted_ = true;
  } catch (const PMisc::EAssignError& error) {
    failure = Failure::kAssign;
    assignMessage = error.Message();
  } catch (const EIntError&) {
    failure = Failure::kInt;
  } catch (const EMinError&) {
    failure = Failure::kMin;
  } catch (const EMaxError&) {
    failure = Failure::kMax;
  }

  std::string message;
  switch (failure) {
    case Failure::kNone:
      return;
    case Failure::kAssign:
      message = integerOnly_ ? "Entry must be a valid integer." : assignMessage;
      break;
    case Failure::kInt:
      message = "Entry must be an integer.";
      break;
    case Failure::kMin:
      SetNumber(minVal_);
      message = "Entry must be greater than or equal to " + FormatValue(hex_, minVal_);
      break;
    case Failure::kMax:
      SetNumber(maxVal_);
      message = "Entry must be less than or equal to " + FormatValue(hex_, maxVal_);
      break;
  }
  toolkit::ShowErrorBox(message);
  BringFocusBack();
}

// The field's form is its window; a field that is a window of its own has
// none. The focus returns only to a field that would be visible with it.
void TDataEdit::BringFocusBack() {
  QWidget* form = window();
  if (form == this || !isVisibleTo(form)) return;
  setFocus(Qt::OtherFocusReason);
}

void TDataEdit::HandleKeyPress(char& key) {
  if (key == '\r') {
    ValidateEntry();
    setSelection(0, static_cast<int>(text().size()));
  }
  static constexpr std::string_view kOperators = "+-/*^=%!";
  if (selectionLength() == text().size() && kOperators.find(key) != std::string_view::npos) {
    setCursorPosition(static_cast<int>(text().size()));  // a bare caret at the end
  }
  if (key == '\r') key = 0;
}

void TDataEdit::keyPressEvent(QKeyEvent* event) {
  if (Designing()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  char key = 0;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    key = '\r';
  } else {
    const QString typed = event->text();
    // Keys without a single Latin-1 character (arrows, input methods, other
    // scripts) are the edit control's alone.
    if (typed.size() != 1 || typed[0].unicode() > 0xFF || typed[0].unicode() == 0) {
      QLineEdit::keyPressEvent(event);
      return;
    }
    key = static_cast<char>(typed[0].unicode());
  }
  const char typedKey = key;
  try {
    if (OnKeyPress) OnKeyPress(*this, key);
    if (key != 0) HandleKeyPress(key);
  } catch (const std::exception& error) {
    event->accept();
    toolkit::ReportException(this, error);
    return;
  }
  if (key == 0) {
    event->accept();
  } else if (key == typedKey) {
    QLineEdit::keyPressEvent(event);
  } else {
    // A handler changed the character: type the new one instead.
    const auto changed = static_cast<unsigned char>(key);
    if (changed >= 32 && changed != 127) insert(QString(QChar(changed)));
    event->accept();
  }
}

void TDataEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Another window taking the focus (the error box among them) or a popup
  // menu opening is no leaving of the field.
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  if (exitChecksRunning > 0 || Destroying()) return;
  try {
    ValidateEntry();
  } catch (const std::exception& error) {
    toolkit::ReportException(this, error);
  }
}

// ---------------------------------------------------------------------------
// Published properties as texts

void TDataEdit::Loaded(QWidget* form) {
  if (pendingLabelName_.isEmpty()) return;
  const QString name = pendingLabelName_;
  SetEditLabel(form->objectName() == name ? qobject_cast<QLabel*>(form)
                                          : form->findChild<QLabel*>(name));
}

QString TDataEdit::CaptionProperty() const { return toolkit::ToQString(caption_); }
void TDataEdit::SetCaptionProperty(const QString& caption) {
  SetCaption(toolkit::ToBytes(caption));
}

QString TDataEdit::UnitsStringProperty() const { return toolkit::ToQString(unitsString_); }
void TDataEdit::SetUnitsStringProperty(const QString& unitsString) {
  SetUnitsString(toolkit::ToBytes(unitsString));
}

QString TDataEdit::EditLabelProperty() const {
  if (!pendingLabelName_.isEmpty()) return pendingLabelName_;
  return editLabel_ ? editLabel_->objectName() : QString();
}

void TDataEdit::SetEditLabelProperty(const QString& name) {
  if (Reading()) {
    // The label may not exist yet; Loaded() links it.
    editLabel_ = nullptr;
    pendingLabelName_ = name;
    return;
  }
  if (name.isEmpty()) {
    SetEditLabel(nullptr);
    return;
  }
  SetEditLabel(window()->findChild<QLabel*>(name));
}

namespace {

// Property writes come from Qt's meta-object system, which cannot carry a
// failure: a text that is no value, or a write that fails, leaves the field
// as it was and is reported as a warning.
template <typename Write>
void WriteValueProperty(TDataEdit& field, const char* property, const QString& text, Write write) {
  Extended value = 0;
  if (!ValueFromPropertyText(toolkit::ToBytes(text), value)) {
    qWarning("TDataEdit %s: \"%s\" is no value", property, qPrintable(text));
    return;
  }
  try {
    write(field, value);
  } catch (const std::exception& error) {
    qWarning("TDataEdit %s: %s", property, error.what());
  }
}

}  // namespace

QString TDataEdit::MaxValProperty() const {
  return toolkit::ToQString(ValueToPropertyText(maxVal_));
}
void TDataEdit::SetMaxValProperty(const QString& text) {
  WriteValueProperty(*this, "MaxVal", text, [](TDataEdit& f, Extended v) { f.SetMaxVal(v); });
}

QString TDataEdit::MinValProperty() const {
  return toolkit::ToQString(ValueToPropertyText(minVal_));
}
void TDataEdit::SetMinValProperty(const QString& text) {
  WriteValueProperty(*this, "MinVal", text, [](TDataEdit& f, Extended v) { f.SetMinVal(v); });
}

// An entry that does not evaluate has no value to publish: the empty text.
// In design mode the text is read as a plain value, without the evaluator.
QString TDataEdit::NumberProperty() const {
  if (Designing()) {
    Extended value = 0;
    const bool plain = ValueFromPropertyText(toolkit::ToBytes(text()), value);
    return plain ? toolkit::ToQString(ValueToPropertyText(value)) : QString();
  }
  try {
    return toolkit::ToQString(ValueToPropertyText(Number()));
  } catch (const std::exception&) {
    return QString();
  }
}
void TDataEdit::SetNumberProperty(const QString& text) {
  WriteValueProperty(*this, "Number", text, [](TDataEdit& f, Extended v) { f.SetNumber(v); });
}

}  // namespace DataEdit
