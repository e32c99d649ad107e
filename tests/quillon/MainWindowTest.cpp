// The quillon window: its form loaded from the stored description, the
// catalogue bound to the lists, the live conversion, the display options and
// the keyboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "measure/units.h"
#include "programs/quillon/MainWindow.h"
#include "tests/support/Localized.h"
#include "toolkit/Application.h"

namespace {

using DataEdit::TDataEdit;
using testsupport::Localized;

class Window : public ::testing::Test {
 protected:
  void SetUp() override {
    toolkit::SetErrorBoxHandler([this](const std::string& message) { boxes.push_back(message); });
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

TEST_F(Window, TheCaptionSelectorSwitchesTheQuickCalcCaptionsNotTheNumbers) {
  auto* load = Child<TDataEdit>("pointLoadEdit");
  load->setText("10");
  Child<QRadioButton>("siRadio")->click();
  EXPECT_EQ(LabelText("pointLoadLabel"), "Point load &P (kN)");
  EXPECT_EQ(LabelText("uniformLoadLabel"), "&Uniform load w (kN/m)");
  EXPECT_EQ(LabelText("momentLabel"), "Largest moment PL/4 + wL^2/8 (kN-m)");
  EXPECT_EQ(load->text(), "10");
  window->SetCaptionUnits(3);
  EXPECT_EQ(LabelText("spanLabel"), "Spa&n L (L2)");
  EXPECT_TRUE(Child<QRadioButton>("codesRadio")->isChecked());
  window->SetCaptionUnits(1);
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
  for (int i = 0; i < 12; ++i) {
    visited.push_back(Focus()->objectName().toStdString());
    QTest::keyClick(Focus(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited,
            (std::vector<std::string>{"categoryList", "fromList", "toList", "amountEdit",
                                      "swapButton", "pointLoadEdit", "uniformLoadEdit", "spanEdit",
                                      "hexCheck", "englishRadio", "categoryList", "fromList"}));
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

}  // namespace
