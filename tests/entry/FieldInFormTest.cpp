// The field driven as a user drives it: typing, Tab, Enter, focus changes,
// with the error boxes and the central report captured.
#include <gtest/gtest.h>

#include <QFocusEvent>
#include <string>
#include <vector>

#include "evaluation/PMisc.h"
#include "tests/entry/FieldFixture.h"

namespace {

using entrytest::FieldFixture;
using entrytest::L;
using Strings = std::vector<std::string>;

using ExitCheck = FieldFixture;
using KeyHandling = FieldFixture;
using FocusChanges = FieldFixture;

const std::string kInvalid = "Entry could not be evaluated:\rinvalid character(s) in expression";

TEST_F(ExitCheck, LeavingTheFieldReplacesTheExpressionByItsValue) {
  Type("2*3");
  Tab();
  EXPECT_EQ(Text(), "6");
  EXPECT_TRUE(field->EntryAccepted());
  EXPECT_TRUE(next->hasFocus());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ExitCheck, AValueBelowTheMinimumBecomesTheMinimumAndTheFocusComesBack) {
  field->SetMinVal(0);
  Type("-5");
  Tab();
  EXPECT_EQ(Text(), "0");
  EXPECT_EQ(boxes, Strings{"Entry must be greater than or equal to 0"});
  EXPECT_FALSE(field->EntryAccepted());
  EXPECT_TRUE(field->hasFocus());
}

TEST_F(ExitCheck, TheTypicalEventMaxFiveEntryTwoTimesThree) {
  field->SetMaxVal(5);
  Type("2*3");
  Tab();
  EXPECT_EQ(Text(), "5");
  EXPECT_EQ(boxes, Strings{"Entry must be less than or equal to 5"});
  EXPECT_TRUE(field->hasFocus());
  Type("2*");
  Tab();
  EXPECT_EQ(Text(), "2*");
  EXPECT_EQ(boxes.back(), "Entry could not be evaluated:\rinvalid expression");
}

TEST_F(ExitCheck, HexLimitsAndValuesUseTheHexForm) {
  field->SetHex(true);
  field->SetMaxVal(255);
  Type("300");
  Tab();
  EXPECT_EQ(Text(), "$00FF");
  EXPECT_EQ(boxes, Strings{"Entry must be less than or equal to $00FF"});
  EXPECT_EQ(field->Number(), 255);
}

TEST_F(ExitCheck, HexShowsRoundedValuesAndRejectsItsOwnSixteenDigitForm) {
  field->SetHex(true);
  for (const auto& [entry, shown] :
       {std::pair{"2.5", "$0002"}, {"3.5", "$0004"}, {"-1", "$FFFFFFFFFFFFFFFF"}}) {
    Type(L(entry));
    Tab();
    EXPECT_EQ(Text(), shown);
    EXPECT_TRUE(field->EntryAccepted());
  }
  field->setFocus();
  Tab();  // leaving again with "$FFFFFFFFFFFFFFFF" in it
  EXPECT_EQ(boxes, Strings{"Entry could not be evaluated:\rinvalid use of $ (hex function)"});
  EXPECT_EQ(Text(), "$FFFFFFFFFFFFFFFF");
}

TEST_F(ExitCheck, HexOfAHugeValuePassesTheInvalidOperationOn) {
  field->SetHex(true);
  Type("1E30");
  Tab();
  EXPECT_EQ(reports, Strings{"Invalid floating point operation"});
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Text(), "1E30");
  EXPECT_FALSE(field->EntryAccepted());
}

TEST_F(ExitCheck, WholeNumberEntries) {
  field->SetIntegerOnly(true);
  Type(L("2.5"));
  Tab();
  EXPECT_EQ(Text(), L("2.5"));
  Type("abc");
  Tab();
  Type("");
  Tab();
  Type("3000000000");
  Tab();
  EXPECT_EQ(Text(), "2147483647");
  EXPECT_EQ(boxes, (Strings{"Entry must be an integer.", "Entry must be a valid integer.",
                            "Entry must be a valid integer.",
                            "Entry must be less than or equal to 2147483647"}));
}

TEST_F(ExitCheck, TheIntegerTestComesBeforeTheLimits) {
  field->SetIntegerOnly(true);
  field->SetMinVal(0);
  Type(L("-2.5"));
  Tab();
  EXPECT_EQ(boxes, Strings{"Entry must be an integer."});
  EXPECT_EQ(Text(), L("-2.5"));
}

TEST_F(ExitCheck, WithoutIntegerOnlyTheEvaluatorsMessageIsShownUnchanged) {
  Type("abc");
  Tab();
  Type("");
  Tab();
  EXPECT_EQ(boxes, (Strings{kInvalid, "Entry could not be evaluated:\rentry cannot be blank"}));
  EXPECT_EQ(Text(), "");
}

TEST_F(ExitCheck, AnArithmeticFailureReachesTheCentralReportNotTheFieldsBox) {
  Type("1/0");
  Tab();
  EXPECT_EQ(reports, Strings{"Floating point division by zero"});
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Text(), "1/0");
  EXPECT_FALSE(field->EntryAccepted());
  field->setFocus();
  Enter();
  EXPECT_EQ(reports.size(), 2u);
}

TEST_F(ExitCheck, OnExitRunsFirstAndSeesTheTextAsTyped) {
  field->SetMaxVal(5);
  std::vector<std::string> seen;
  field->OnExit = [&](DataEdit::TDataEdit& sender) {
    seen.push_back(sender.text().toStdString());
    seen.push_back(rtl::FormatGeneral(sender.Number()));
  };
  Type("2*3");
  Tab();
  EXPECT_EQ(seen, (Strings{"2*3", "6"}));
  EXPECT_EQ(Text(), "5");
}

TEST_F(ExitCheck, AFailingOnExitStopsTheCheck) {
  field->SetMaxVal(5);
  field->OnExit = [](DataEdit::TDataEdit& sender) { sender.Number(); };
  Type("abc");
  Tab();
  EXPECT_EQ(reports, Strings{kInvalid});  // passed on, not the field's box
  EXPECT_TRUE(boxes.empty());
  Type("9");
  Tab();
  EXPECT_EQ(Text(), "5");  // a handler that succeeds lets the check go on
}

TEST_F(KeyHandling, EnterValidatesSelectsAllAndInsertsNothing) {
  int exits = 0;
  field->OnExit = [&](DataEdit::TDataEdit&) { ++exits; };
  Type("2*3");
  Enter();
  EXPECT_EQ(Text(), "6");
  EXPECT_EQ(exits, 1);
  EXPECT_TRUE(field->hasFocus());
  EXPECT_EQ(field->selectedText(), "6");
  EXPECT_TRUE(field->EntryAccepted());
  QTest::keyClick(field, '*');
  EXPECT_EQ(Text(), "6*");
  Type("2*3");
  Enter();
  QTest::keyClick(field, '-');
  EXPECT_EQ(Text(), "6-");
}

TEST_F(KeyHandling, EnterOnARejectedEntryKeepsAndSelectsTheText) {
  Type("abc");
  Enter();
  EXPECT_EQ(boxes, Strings{kInvalid});
  EXPECT_EQ(Text(), "abc");
  EXPECT_EQ(field->selectedText(), "abc");
  EXPECT_TRUE(field->hasFocus());
}

TEST_F(KeyHandling, AnOperatorOverASelectionOfTheWholeTextIsAppended) {
  field->setText("12");
  field->selectAll();
  QTest::keyClicks(field, "+1");
  EXPECT_EQ(Text(), "12+1");
  field->selectAll();
  QTest::keyClicks(field, "7");  // not an operator: replaces the selection
  EXPECT_EQ(Text(), "7");
  field->setText("75");
  field->setSelection(0, 1);
  QTest::keyClicks(field, "*");  // only part of the text selected: replaced
  EXPECT_EQ(Text(), "*5");
}

TEST_F(KeyHandling, TabbingInSelectsAllSoAnOperatorContinuesTheValue) {
  Type("6");
  Tab();
  QTest::keyClick(next, Qt::Key_Backtab);
  ASSERT_TRUE(field->hasFocus());
  QTest::keyClicks(field, "^2");
  EXPECT_EQ(Text(), "6^2");
}

TEST_F(KeyHandling, OnKeyPressMayChangeOrSwallowACharacter) {
  field->OnKeyPress = [](DataEdit::TDataEdit&, char& key) {
    if (key == 'x') key = '*';
    if (key == ' ') key = 0;
  };
  Type("2x 3");
  EXPECT_EQ(Text(), "2*3");
}

TEST_F(FocusChanges, ADeactivatedWindowStartsNoCheck) {
  Type("abc");
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(field, &out);
  QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
  QApplication::sendEvent(field, &popup);
  EXPECT_TRUE(boxes.empty());
}

// The real box takes the focus while it is open; that focus change, and the
// focus brought back, must not start another check.
TEST_F(FocusChanges, TheBoxTakingTheFocusStartsNoSecondCheck) {
  auto* second = new DataEdit::TDataEdit(form.get());
  form->layout()->addWidget(second);
  second->show();
  int secondExits = 0;
  second->OnExit = [&](DataEdit::TDataEdit&) { ++secondExits; };
  toolkit::SetErrorBoxHandler([&](const std::string& message) {
    boxes.push_back(message);
    next->setFocus(Qt::OtherFocusReason);
    second->setFocus(Qt::MouseFocusReason);
  });
  Type("abc");
  Tab();
  EXPECT_EQ(boxes, Strings{kInvalid});
  EXPECT_EQ(secondExits, 0);
  EXPECT_TRUE(field->hasFocus());
  QTest::keyClick(field, Qt::Key_Backtab);  // an ordinary leaving still checks
  EXPECT_EQ(boxes.size(), 2u);
}

}  // namespace
