// The field's values, limits, label and texts, set through its API.
#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>
#include <cmath>
#include <memory>

#include "entry/DataEdit.h"
#include "evaluation/PMisc.h"
#include "tests/entry/FieldFixture.h"

namespace {

using DataEdit::FormatValue;
using DataEdit::NoLimit;
using DataEdit::TDataEdit;
using entrytest::L;
using rtl::BitsOf;
using rtl::Extended;

TEST(FormatValue, DecimalIsTheGeneralTextWithTheCurrentSeparator) {
  EXPECT_EQ(FormatValue(false, 6), "6");
  EXPECT_EQ(FormatValue(false, -2.5L), L("-2.5"));
  EXPECT_EQ(FormatValue(false, 0.0001L), L("0.0001"));
  EXPECT_EQ(FormatValue(false, 0.00001L), "1E-5");
  EXPECT_EQ(FormatValue(false, 123456789012345678.0L), "123456789012345678");
  EXPECT_EQ(FormatValue(false, 1E18L), "1E18");
  EXPECT_EQ(FormatValue(false, 1.5E-7L), L("1.5E-7"));
  EXPECT_EQ(FormatValue(false, NoLimit()), L("1.18973149535723176E4932"));
}

TEST(FormatValue, HexRoundsTiesToEvenAndPadsToFourDigits) {
  EXPECT_EQ(FormatValue(true, 255), "$00FF");
  EXPECT_EQ(FormatValue(true, 65536), "$10000");
  EXPECT_EQ(FormatValue(true, 0), "$0000");
  EXPECT_EQ(FormatValue(true, 2.5L), "$0002");
  EXPECT_EQ(FormatValue(true, 3.5L), "$0004");
  EXPECT_EQ(FormatValue(true, -1), "$FFFFFFFFFFFFFFFF");
  EXPECT_EQ(FormatValue(true, -9223372036854774784.0L), "$8000000000000400");
}

TEST(FormatValue, HexOfAValueBeyondSixtyFourBitsIsAnInvalidOperation) {
  EXPECT_THROW(FormatValue(true, 9223372036854775808.0L), rtl::EInvalidOp);
  EXPECT_THROW(FormatValue(true, 9223372036854775807.5L), rtl::EInvalidOp);  // rounds to 2^63
  EXPECT_EQ(FormatValue(true, 9223372036854775807.0L), "$7FFFFFFFFFFFFFFF");
  EXPECT_EQ(FormatValue(true, -9223372036854775807.5L), "$8000000000000000");
  EXPECT_THROW(FormatValue(true, -9223372036854775808.0L), rtl::EInvalidOp);
  EXPECT_THROW(FormatValue(true, NoLimit()), rtl::EInvalidOp);
  EXPECT_THROW(FormatValue(true, -INFINITY), rtl::EInvalidOp);
  EXPECT_THROW(FormatValue(true, NAN), rtl::EInvalidOp);
}

TEST(CheckInteger, OnlyAFractionalPartFails) {
  EXPECT_NO_THROW(DataEdit::CheckInteger(-3));
  EXPECT_NO_THROW(DataEdit::CheckInteger(1E30L));
  EXPECT_THROW(DataEdit::CheckInteger(2.5L), DataEdit::EIntError);
  EXPECT_THROW(DataEdit::CheckInteger(-0.5L), DataEdit::EIntError);
}

TEST(PropertyText, EveryValueSurvivesExactly) {
  EXPECT_EQ(DataEdit::ValueToPropertyText(NoLimit()), "x7FFE:FFFFFFFFFFFFFFB0");
  EXPECT_EQ(DataEdit::ValueToPropertyText(-NoLimit()), "xFFFE:FFFFFFFFFFFFFFB0");
  EXPECT_EQ(DataEdit::ValueToPropertyText(2.5L), "2.5");  // "." whatever the separator
  EXPECT_EQ(DataEdit::ValueToPropertyText(-1E18L), "-1E18");
  for (Extended value : {NoLimit(), -NoLimit(), 0.1L, 1.0L / 3, -0.0L, 1E-4940L, 2147483647.0L}) {
    Extended back = 0;
    ASSERT_TRUE(DataEdit::ValueFromPropertyText(DataEdit::ValueToPropertyText(value), back));
    EXPECT_EQ(BitsOf(back), BitsOf(value));
  }
  Extended comma = 0;
  ASSERT_TRUE(DataEdit::ValueFromPropertyText("2,5", comma));
  EXPECT_EQ(comma, 2.5L);
}

TEST(PropertyText, NoValueTextsAreRefusedAndLeaveTheValueAlone) {
  Extended value = 7;
  for (const char* bad :
       {"", "abc", "1.5x", " 1", "inf", "nan", "1e99999", "x7FFF:8000000000000000",
        "x3FFF:0000000000000001", "x0000:8000000000000000", "x3FFF8000000000000000",
        "x3FFF:80000000000000", "xGGGG:8000000000000000"}) {
    EXPECT_FALSE(DataEdit::ValueFromPropertyText(bad, value)) << bad;
  }
  EXPECT_EQ(value, 7);
}

TEST(TDataEdit, ANewFieldShowsZeroWithoutLimits) {
  QWidget form;
  auto* field = new TDataEdit(&form);
  EXPECT_EQ(field->text(), "0");
  EXPECT_EQ(field->Number(), 0);
  EXPECT_EQ(BitsOf(field->MinVal()), BitsOf(-NoLimit()));
  EXPECT_EQ(BitsOf(field->MaxVal()), (rtl::ExtendedBits{0x7FFE, 0xFFFFFFFFFFFFFFB0ULL}));
  EXPECT_EQ(field->Units(), 1);
  EXPECT_FALSE(field->IntegerOnly());
  EXPECT_FALSE(field->Hex());
  EXPECT_FALSE(field->EntryAccepted());
  EXPECT_EQ(field->EditLabel(), nullptr);
  EXPECT_FALSE(field->Reading());
}

TEST(TDataEdit, NumberIsEvaluatedAtEveryRead) {
  TDataEdit field;
  field.setText(QString::fromStdString(L("2.5*2")));
  EXPECT_EQ(field.Number(), 5);
  field.setText("2*");
  EXPECT_THROW(field.Number(), PMisc::EAssignError);
  EXPECT_EQ(field.text(), "2*");
}

TEST(TDataEdit, WritingNumberClampsToTheLimitsWithoutAnIntegerTest) {
  TDataEdit field;
  field.SetNumber(1E18L);
  EXPECT_EQ(field.text(), "1E18");
  field.SetNumber(0.00001L);
  EXPECT_EQ(field.text(), "1E-5");
  field.SetIntegerOnly(true);
  field.SetNumber(2.5L);
  EXPECT_EQ(field.text().toStdString(), L("2.5"));
  field.SetNumber(1E12L);
  EXPECT_EQ(field.text(), "2147483647");
}

TEST(TDataEdit, IntegerOnlyPullsTheLimitsIntoThirtyTwoBitsAndKeepsThem) {
  TDataEdit field;
  field.SetIntegerOnly(true);
  EXPECT_EQ(field.MaxVal(), 2147483647);
  EXPECT_EQ(field.MinVal(), -2147483648.0L);
  field.SetIntegerOnly(false);
  EXPECT_EQ(field.MaxVal(), 2147483647);
  EXPECT_EQ(field.MinVal(), -2147483648.0L);
}

TEST(TDataEdit, TheNewMaximumPullsTheNumberUnderTheFormerOne) {
  TDataEdit field;
  field.setText("50");
  field.SetMaxVal(10);
  EXPECT_EQ(field.text(), "10");
  EXPECT_EQ(field.MaxVal(), 10);
  // "50" typed but not yet left: the adjustment is clamped by the maximum
  // still in force.
  field.setText("50");
  field.SetMaxVal(20);
  EXPECT_EQ(field.MaxVal(), 20);
  EXPECT_EQ(field.text(), "10");
}

TEST(TDataEdit, AMinimumAboveTheMaximumIsHeldAtTheMaximum) {
  TDataEdit field;
  field.SetMaxVal(3);
  field.SetMinVal(5);
  EXPECT_EQ(field.MinVal(), 3);
  EXPECT_EQ(field.text(), "3");
}

TEST(TDataEdit, ALimitWrittenOverAnInvalidTextFailsAsTheEvaluatorDoes) {
  TDataEdit field;
  field.setText("abc");
  EXPECT_THROW(field.SetMaxVal(10), PMisc::EAssignError);
  EXPECT_EQ(BitsOf(field.MaxVal()), BitsOf(NoLimit()));  // not stored
  EXPECT_THROW(field.SetMinVal(-10), PMisc::EAssignError);
  EXPECT_EQ(field.MinVal(), -10);  // stored before the text is read
  EXPECT_THROW(field.SetIntegerOnly(true), PMisc::EAssignError);
  EXPECT_TRUE(field.IntegerOnly());
  EXPECT_EQ(field.text(), "abc");
}

TEST(TDataEdit, UnitsAreClampedToOneToThree) {
  TDataEdit field;
  field.SetUnits(0);
  EXPECT_EQ(field.Units(), 1);
  field.SetUnits(7);
  EXPECT_EQ(field.Units(), 3);
  field.SetUnits(2);
  EXPECT_EQ(field.Units(), 2);
}

std::string Expanded(const char* unitsString, int32_t units) {
  TDataEdit field;
  field.SetUnitsString(unitsString);
  field.SetUnits(units);
  return field.ExpandUnits();
}

TEST(ExpandUnits, OneForceAndOneLengthCodePerText) {
  EXPECT_EQ(Expanded("F/L^2", 1), "lbs/in^2");
  EXPECT_EQ(Expanded("F/L^2", 2), "kN/m^2");
  EXPECT_EQ(Expanded("F-L2", 1), "lbs-ft");
  EXPECT_EQ(Expanded("F-L2", 2), "kN-m");
  EXPECT_EQ(Expanded("F4", 1), "lb-sec2/in");
  EXPECT_EQ(Expanded("F4", 2), "Mg");
  EXPECT_EQ(Expanded("L1/L", 1), "in/L");
  EXPECT_EQ(Expanded("F1-L2/F", 1), "kips-ft/F");
  EXPECT_EQ(Expanded("F3", 1), "lbs3");
  EXPECT_EQ(Expanded("Force F", 1), "lbsorce lbs");
  EXPECT_EQ(Expanded("F6 F5 F2 L3", 1), "slug F5 F2 rad");
  EXPECT_EQ(Expanded("F1F1L2L2", 2), "kNkNmm");
  EXPECT_EQ(Expanded("F1-L2", 3), "F1-L2");
}

TEST(UpdateLabel, CaptionAndUnitsInEachSystemLeaveTheNumberAlone) {
  QWidget form;
  auto* label = new QLabel(&form);
  auto* field = new TDataEdit(&form);
  field->setText("2*3");
  field->SetEditLabel(label);
  EXPECT_EQ(label->buddy(), field);
  field->SetCaption("Load");
  EXPECT_EQ(label->text(), "Load");
  field->SetUnitsString("F1");
  EXPECT_EQ(label->text(), "Load (kips)");
  field->SetUnits(2);
  EXPECT_EQ(label->text(), "Load (kN)");
  field->SetUnits(3);
  EXPECT_EQ(label->text(), "Load (F1)");
  EXPECT_EQ(field->text(), "2*3");
  field->SetCaption("");
  field->SetUnitsString("L");
  field->SetUnits(1);
  EXPECT_EQ(label->text(), " (in)");
}

TEST(UpdateLabel, TheLabelFollowsTheEnabledStateAndIsOverwrittenWhenLinked) {
  QWidget form;
  auto* first = new QLabel("set elsewhere", &form);
  auto* second = new QLabel("second", &form);
  auto* field = new TDataEdit(&form);
  field->SetCaption("Span");
  field->SetEditLabel(first);
  EXPECT_EQ(first->text(), "Span");
  field->SetEnabled(false);
  EXPECT_FALSE(first->isEnabled());
  EXPECT_FALSE(field->isEnabled());
  EXPECT_FALSE(field->Enabled());
  // Another label: the former one keeps its caption, state and buddy.
  field->SetEditLabel(second);
  field->SetCaption("Length");
  field->SetEnabled(true);
  EXPECT_EQ(first->text(), "Span");
  EXPECT_FALSE(first->isEnabled());
  EXPECT_EQ(first->buddy(), field);
  EXPECT_EQ(second->text(), "Length");
  EXPECT_TRUE(second->isEnabled());
  field->SetEditLabel(nullptr);
  field->SetCaption("none");
  EXPECT_EQ(second->text(), "Length");
}

// uic, Qt Designer and the "enabled" property call QWidget::setEnabled, not
// SetEnabled: the label follows either, also when the field's own state
// changes under a disabled parent and shows once the parent is enabled.
TEST(UpdateLabel, TheLabelFollowsTheInheritedSetEnabledToo) {
  QWidget form;
  auto* label = new QLabel(&form);
  auto* field = new TDataEdit(&form);
  field->SetEditLabel(label);
  field->setEnabled(false);
  EXPECT_FALSE(label->isEnabled());
  EXPECT_FALSE(field->Enabled());
  field->setProperty("enabled", true);
  EXPECT_TRUE(label->isEnabled());
  EXPECT_TRUE(field->Enabled());

  form.setEnabled(false);
  field->setEnabled(false);
  form.setEnabled(true);
  EXPECT_FALSE(field->isEnabled());
  EXPECT_FALSE(label->isEnabled());
  form.setEnabled(false);
  field->setEnabled(true);
  form.setEnabled(true);
  EXPECT_TRUE(field->isEnabled());
  EXPECT_TRUE(label->isEnabled());
  // A label no longer linked is left alone.
  field->SetEditLabel(nullptr);
  field->setEnabled(false);
  EXPECT_TRUE(label->isEnabled());
}

// The label is referenced, not owned: destroying it must clear the link
// instead of leaving the field writing through a dangling pointer.
TEST(UpdateLabel, ADestroyedLabelClearsTheLink) {
  QWidget form;
  auto* label = new QLabel(&form);
  auto* field = new TDataEdit(&form);
  field->SetEditLabel(label);
  delete label;
  EXPECT_EQ(field->EditLabel(), nullptr);
  field->SetCaption("Load");
  field->SetUnits(2);
  field->SetEnabled(false);
  EXPECT_EQ(field->Caption(), "Load");
}

TEST(TDataEdit, TheFieldLeavesItsLabelAloneWhenDestroyed) {
  QWidget form;
  auto* label = new QLabel(&form);
  auto* field = new TDataEdit(&form);
  field->SetCaption("Load");
  field->SetEditLabel(label);
  delete field;
  EXPECT_EQ(label->text(), "Load");
  EXPECT_EQ(label->buddy(), nullptr);
}

}  // namespace
