/// \file
/// DataEdit: the numeric entry field.
///
/// TDataEdit is a single-line edit that holds one number. The user types a
/// plain number or a whole arithmetic expression; when the focus leaves the
/// field, or Enter is pressed, the text is evaluated (PMisc), tested against
/// the whole-number and range limits, and replaced by the standard text of
/// its value ("2*3" becomes "6"). A failed test is reported in the error box,
/// a value outside a limit is replaced by that limit, and the focus comes
/// back to the field. The field can drive a caption label, into which it
/// writes a caption and a units text expanded from a small code language
/// ("F1-L2" reads "kips-ft" in English units and "kN-m" in SI units).
///
/// Ownership: the Qt parent owns the field. The linked label is referenced,
/// not owned; when the label is destroyed the link clears itself.
///
/// Hooks for the owner's code:
///   - OnExit runs first in every exit check (on leaving the field and on
///     Enter), before the text is evaluated, and sees the text as typed. If it
///     raises, nothing else of the check happens and the failure passes on.
///   - OnKeyPress runs for every typed Latin-1 character (Enter and Return
///     count as 13) before the field's own key handling; it may change the
///     character, or set it to 0 to swallow it. Keys without such a character
///     (arrows, Tab, other scripts) go to the edit control unhooked.
///   - OnChange is QLineEdit's textChanged signal.
///
/// Design mode (toolkit::Component::Designing, set while a form designer
/// edits the field): no exit check, no error box, no evaluation; property
/// setters only store, as in the reading state.
///
/// Stored form descriptions (.ui files loaded through toolkit::FormLoader)
/// restore the published properties, Qt properties declared in this order:
/// IntegerOnly, Caption, EditLabel, Hex, MaxVal, MinVal, Number, UnitsString,
/// Units. MaxVal, MinVal and Number are texts, so that every extended value
/// survives exactly (see ValueToPropertyText). EditLabel is the object name of
/// a QLabel of the same form, resolved when the load completes.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

#include "runtime/rtl.h"
#include "toolkit/Component.h"
#include "toolkit/FormLoader.h"

namespace DataEdit {

/// Raised and handled inside the exit check; none of them leaves the field.
/// IntegerOnly is set and the value has a fractional part.
class EIntError : public rtl::Exception {
 public:
  EIntError() : rtl::Exception("") {}  ///< with an empty message
};
/// The value is below MinVal (handled inside the exit check).
class EMinError : public rtl::Exception {
 public:
  EMinError() : rtl::Exception("") {}  ///< with an empty message
};
/// The value is above MaxVal (handled inside the exit check).
class EMaxError : public rtl::Exception {
 public:
  EMaxError() : rtl::Exception("") {}  ///< with an empty message
};

/// The magnitude of the default limits, which stand for "no limit": exponent
/// 7FFE, significand FFFFFFFFFFFFFFB0, 79 units in the last place below the
/// largest finite extended value.
rtl::Extended NoLimit();

/// The text of a value. Decimal: the general number text with 18 significant
/// digits (rtl::FormatGeneral). Hexadecimal: the value rounded to the nearest
/// signed 64-bit integer (ties to even) as "$" and at least four uppercase
/// digits; a negative value as the sixteen digits of its two's complement. A
/// value that does not fit a signed 64-bit integer (|value| >= 2^63, infinity
/// or NaN) has no hexadecimal text: rtl::EInvalidOp, as for every other
/// conversion of such a value to an integer.
std::string FormatValue(bool hex, rtl::Extended value);

/// Raises EIntError when the value has a fractional part.
void CheckInteger(rtl::Extended value);

/// The text form of an extended value in a stored form description: the
/// general number text with "." when it reads back as the same value
/// ("2.5", "-1E18"), otherwise the exact bit form "x" + four hex digits of
/// sign and exponent + ":" + sixteen hex digits of significand
/// ("x7FFE:FFFFFFFFFFFFFFB0" is the default maximum).
std::string ValueToPropertyText(rtl::Extended value);
/// Reads either form; "," is accepted for ".". Returns false (and leaves
/// `value` alone) for any other text, and for infinities, NaNs and invalid
/// bit patterns.
bool ValueFromPropertyText(const std::string& text, rtl::Extended& value);

/// Makes TDataEdit known to every toolkit::FormLoader of the process, so that
/// stored form descriptions may name it, as "TDataEdit" or by its C++ name
/// "DataEdit::TDataEdit" (the name Qt Designer writes and uic compiles). Programs that link the
/// CMake target Tessera::entry have it called before main() (see FormRegistration.cpp); others call
/// it once before they load a form. Calling it again is harmless.
void RegisterFormClass();

/// The numeric entry field (see the description of this file).
class TDataEdit : public QLineEdit, public toolkit::Component, public toolkit::FormComponent {
  Q_OBJECT
  Q_PROPERTY(bool IntegerOnly READ IntegerOnly WRITE setIntegerOnly)
  Q_PROPERTY(QString Caption READ CaptionProperty WRITE setCaption)
  Q_PROPERTY(QString EditLabel READ EditLabelProperty WRITE setEditLabel)
  Q_PROPERTY(bool Hex READ Hex WRITE setHex)
  Q_PROPERTY(QString MaxVal READ MaxValProperty WRITE setMaxVal)
  Q_PROPERTY(QString MinVal READ MinValProperty WRITE setMinVal)
  Q_PROPERTY(QString Number READ NumberProperty WRITE setNumber)
  Q_PROPERTY(QString UnitsString READ UnitsStringProperty WRITE setUnitsString)
  Q_PROPERTY(int Units READ Units WRITE setUnits)

 public:
  /// Text "0", IntegerOnly false, MinVal -NoLimit(), MaxVal +NoLimit() (in
  /// that order, through their setters), Units 1.
  explicit TDataEdit(QWidget* parent = nullptr);
  ~TDataEdit() override;  ///< sets the being-destroyed state first

  /// The value of the text, evaluated afresh at every read. Evaluation
  /// failures reach the reader.
  rtl::Extended Number() const;
  /// Outside the reading state the value is first held inside the limits.
  /// Then the text becomes FormatValue(Hex(), value).
  void SetNumber(rtl::Extended value);

  /// The lower limit, inclusive.
  rtl::Extended MinVal() const { return minVal_; }
  /// The upper limit, inclusive.
  rtl::Extended MaxVal() const { return maxVal_; }
  /// Both keep the limits ordered, hold them in the 32-bit range under
  /// IntegerOnly and pull the number inside; in the reading state they only
  /// store. An invalid text makes them fail (see DataEdit.cpp).
  ///@{
  void SetMinVal(rtl::Extended value);
  void SetMaxVal(rtl::Extended value);
  ///@}

  /// Entries must be whole numbers; the limits are held inside the signed
  /// 32-bit range.
  bool IntegerOnly() const { return integerOnly_; }
  /// Setting it outside the reading state writes MaxVal and then MinVal again
  /// with their own values, which pulls them into the 32-bit range.
  void SetIntegerOnly(bool integerOnly);

  /// The form of the next value written; the text is not rewritten.
  ///@{
  bool Hex() const { return hex_; }
  void SetHex(bool hex) { hex_ = hex; }
  ///@}

  /// 1 English, 2 SI, 3 codes shown unexpanded; other values are clamped.
  /// Setting it rewrites the label.
  ///@{
  int32_t Units() const { return units_; }
  void SetUnits(int32_t units);
  ///@}

  /// The label's caption without the units part. Setting it rewrites the
  /// label.
  ///@{
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  ///@}
  /// The units text in the code language ("F1-L2"). Setting it rewrites the
  /// label.
  ///@{
  const std::string& UnitsString() const { return unitsString_; }
  void SetUnitsString(const std::string& unitsString);
  ///@}

  /// The linked label (not owned; null once it is destroyed). Linking a label
  /// makes it the field's buddy, so the label's accelerator moves the focus
  /// here, and writes the caption into it at once.
  ///@{
  QLabel* EditLabel() const { return editLabel_.data(); }
  void SetEditLabel(QLabel* label);
  ///@}

  /// The field's own enabled state (a disabled parent does not change it).
  bool Enabled() const { return OwnEnabled(); }
  /// Enables or disables the field and its label together. The inherited
  /// setEnabled (which uic, Qt Designer and the "enabled" property call)
  /// does the same: the label follows the field's own state whichever
  /// name changes it.
  void SetEnabled(bool enabled);

  /// True only while the most recent exit check has accepted the entry.
  bool EntryAccepted() const { return entryAccepted_; }

  /// The exit check: OnExit, evaluation, whole-number and limit tests, the
  /// text replaced by the value's text. Rejected entries are reported in the
  /// error box and the focus is brought back; other failures pass out. When
  /// the check runs because the field is left or Enter is pressed, such a
  /// failure goes to the central report (toolkit::ReportException) at the
  /// event handler's edge: it is not thrown through Qt's own event dispatch,
  /// which is built without exception support and would skip its cleanup.
  void ValidateEntry();
  /// The character hook: Enter (13) runs the exit check, selects all and is
  /// swallowed (set to 0); an operator typed over the whole text is appended.
  void HandleKeyPress(char& key);
  /// UnitsString with its codes replaced according to Units.
  std::string ExpandUnits() const;
  /// Writes the enabled state and the caption with its units into the label.
  void UpdateLabel();

  /// Runs first in every exit check, before the text is evaluated.
  std::function<void(TDataEdit& sender)> OnExit;
  /// Runs for every typed Latin-1 character before the field's own handling;
  /// may change the character, or set it to 0 to swallow it.
  std::function<void(TDataEdit& sender, char& key)> OnKeyPress;

  /// Resolves the EditLabel name restored from a stored form description.
  void Loaded(QWidget* form) override;

  /// The published properties' writers, named as uic calls them in a form
  /// compiled from a .ui file. Values are texts as in the stored form; a
  /// label named by setEditLabel must already exist in the field's window.
  ///@{
  void setIntegerOnly(bool integerOnly) { SetIntegerOnly(integerOnly); }
  void setCaption(const QString& caption) { SetCaptionProperty(caption); }
  void setEditLabel(const QString& name) { SetEditLabelProperty(name); }
  void setHex(bool hex) { SetHex(hex); }
  void setMaxVal(const QString& text) { SetMaxValProperty(text); }
  void setMinVal(const QString& text) { SetMinValProperty(text); }
  void setNumber(const QString& text) { SetNumberProperty(text); }
  void setUnitsString(const QString& unitsString) { SetUnitsStringProperty(unitsString); }
  void setUnits(int units) { SetUnits(units); }
  ///@}

 protected:
  /// Leaving the field runs the exit check (not when another window or a
  /// popup menu takes the focus, nor during another check).
  void focusOutEvent(QFocusEvent* event) override;
  /// Typed characters go through OnKeyPress and HandleKeyPress first.
  void keyPressEvent(QKeyEvent* event) override;
  /// A change of the enabled state reaches the label.
  void changeEvent(QEvent* event) override;
  /// The label's own enabled changes (a parent enabled again) are checked
  /// against the field's state.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SyncLabelEnabled();
  void BringFocusBack();
  bool OwnEnabled() const;
  bool OnlyStoring() const;

  QString CaptionProperty() const;
  void SetCaptionProperty(const QString& caption);
  QString EditLabelProperty() const;
  void SetEditLabelProperty(const QString& name);
  QString MaxValProperty() const;
  void SetMaxValProperty(const QString& text);
  QString MinValProperty() const;
  void SetMinValProperty(const QString& text);
  QString NumberProperty() const;
  void SetNumberProperty(const QString& text);
  QString UnitsStringProperty() const;
  void SetUnitsStringProperty(const QString& unitsString);

  std::string caption_;
  bool integerOnly_ = false;
  QPointer<QLabel> editLabel_;
  bool hex_ = false;
  rtl::Extended minVal_ = 0;
  rtl::Extended maxVal_ = 0;
  std::string unitsString_;
  int32_t units_ = 1;
  bool entryAccepted_ = false;

  /// A label name restored in the reading state, resolved by Loaded().
  QString pendingLabelName_;
};

}  // namespace DataEdit
