// The names a screen reader hears, read from the widgets themselves on Qt's
// headless platform (windows.py reads them through AT-SPI under Xvfb, where
// that can run): every control that takes the focus is named by its label,
// its text or a name of its own, and what changes away from the focus is
// carried by the focused field's description.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "measure/units.h"
#include "programs/quillon/MainWindow.h"
#include "programs/tamsel/TamselWindow.h"

namespace {

QString WithoutAccelerator(QString text) {
  return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// The label whose buddy `widget` is, or null.
QLabel* LabelOf(QWidget* window, QWidget* widget) {
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (label->buddy() == widget) return label;
  }
  return nullptr;
}

// What a screen reader takes as the name: the accessible name; for a text
// field without one, its label (Qt's own rule); for a button its text.
QString HeardName(QWidget* window, QWidget* widget) {
  if (!widget->accessibleName().isEmpty()) return widget->accessibleName();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    return WithoutAccelerator(button->text());
  }
  if (qobject_cast<QLineEdit*>(widget) != nullptr) {
    if (QLabel* label = LabelOf(window, widget)) return WithoutAccelerator(label->text());
  }
  return QString();
}

// A choice list's own parts: its pop-up list (made as soon as the list
// adjusts its size to its contents) is heard as the choice list.
bool InsideComboBox(const QWidget* widget) {
  for (const QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (qobject_cast<const QComboBox*>(up) != nullptr) return true;
  }
  return false;
}

// Each focusable control is heard by a name; one that a label names is
// heard by the label's text (or the part before its colon).
void ExpectNamedControls(QWidget* window) {
  int controls = 0;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    // Labels are no controls; the parts of a composite control (a spin
    // box's text field, Qt's own helpers) are heard as the control.
    if (widget->focusPolicy() == Qt::NoFocus || widget->isWindow() ||
        qobject_cast<QLabel*>(widget) != nullptr ||
        widget->objectName().startsWith(QStringLiteral("qt_")) ||
        widget->parentWidget()->inherits("QAbstractSpinBox") || InsideComboBox(widget)) {
      continue;
    }
    ++controls;
    const QString name = HeardName(window, widget);
    EXPECT_FALSE(name.trimmed().isEmpty())
        << widget->metaObject()->className() << " " << widget->objectName().toStdString();
    if (QLabel* label = LabelOf(window, widget)) {
      const QString text = WithoutAccelerator(label->text());
      EXPECT_EQ(name, text.left(text.indexOf(QLatin1Char(':'))).trimmed())
          << widget->objectName().toStdString();
    }
  }
  EXPECT_GT(controls, 10);
}

class Names : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    qputenv("XDG_CONFIG_HOME", folder_.path().toUtf8());
    qputenv("XDG_STATE_HOME", folder_.path().toUtf8());
  }
  QTemporaryDir folder_;
};

TEST_F(Names, EveryQuillonControlIsNamedAndTheConversionReachesTheAmountsDescription) {
  quillon::MainWindow window(units::UnitCategories());
  window.SetPersistent(false);
  ExpectNamedControls(&window);
  auto* history = window.Form()->findChild<QWidget*>(QStringLiteral("historyList"));
  EXPECT_EQ(history->accessibleName(), QStringLiteral("Recent conversions"));
  EXPECT_EQ(history->accessibleDescription(), QStringLiteral("Enter recalls, Ctrl+C copies"));
  auto* result = window.Form()->findChild<QLineEdit*>(QStringLiteral("resultEdit"));
  EXPECT_EQ(LabelOf(&window, result),
            window.Form()->findChild<QLabel*>(QStringLiteral("resultLabel")));

  window.Amount()->setText(QStringLiteral("2"));
  EXPECT_EQ(window.Amount()->accessibleDescription(), window.SummaryText());
  EXPECT_TRUE(window.SummaryText().startsWith(QStringLiteral("2 ")))
      << window.SummaryText().toStdString();
  window.Amount()->setText(QStringLiteral("2*"));
  EXPECT_TRUE(window.Amount()->accessibleDescription().contains(QStringLiteral("evaluated")))
      << window.Amount()->accessibleDescription().toStdString();
  window.Amount()->clear();
  EXPECT_EQ(window.Amount()->accessibleDescription(), window.Amount()->toolTip());
}

TEST_F(Names, EveryTamselControlIsNamedAndThePadlockSaysWhatItShows) {
  tamsel::TamselWindow window;
  ExpectNamedControls(&window);
  QStringList combos;
  for (QComboBox* combo : window.findChildren<QComboBox*>()) {
    ASSERT_NE(LabelOf(&window, combo), nullptr) << combo->currentText().toStdString();
    // The label must be a sibling: Qt gives screen readers the label of a
    // combo box through that relation only.
    EXPECT_EQ(LabelOf(&window, combo)->parentWidget(), combo->parentWidget());
    combos << combo->accessibleName();
  }
  EXPECT_EQ(combos.size(), 4);
  EXPECT_TRUE(combos.contains(QStringLiteral("TLS")));
  EXPECT_TRUE(combos.contains(QStringLiteral("Mechanism")));
  QStringList labels;
  for (QLabel* label : window.findChildren<QLabel*>()) labels << label->accessibleName();
  EXPECT_TRUE(labels.contains(QStringLiteral("Padlock: Not encrypted")))
      << labels.join('|').toStdString();
  EXPECT_FALSE(window.findChild<QTreeWidget*>()->accessibleName().isEmpty());

  // Tab walks the controls in reading order: left to right, top to bottom.
  QStringList order;
  QWidget* first = window.findChildren<QLineEdit*>().value(0);
  ASSERT_NE(first, nullptr);
  QWidget* widget = first;
  do {
    if (widget->focusPolicy() & Qt::TabFocus && !widget->isWindow() &&
        !widget->parentWidget()->inherits("QAbstractSpinBox") &&
        !widget->parentWidget()->inherits("QComboBox")) {
      order << HeardName(&window, widget);
    }
    widget = widget->nextInFocusChain();
  } while (widget != first && order.size() < 40);
  EXPECT_EQ(order.join(QStringLiteral(" | ")).toStdString(),
            "Host | Port | Protocol | Time-out | Report level | TLS | CA file | Browse... | "
            "Do not check the certificate | User | Password | Mechanism | "
            "Allow the password without TLS | Read the greeting after connecting | Connect | "
            "Disconnect | Cancel | Command | Send | Commands and replies | Status trace");
}

}  // namespace
