// A shown, active form with a numeric entry field, a plain edit after it (the
// target of Tab) and a label; error boxes and the central report captured.
#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "entry/DataEdit.h"
#include "tests/support/Localized.h"
#include "toolkit/Application.h"

namespace entrytest {

class FieldFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    toolkit::SetErrorBoxHandler([this](const std::string& message) { boxes.push_back(message); });
    toolkit::SetExceptionReporter(
        [this](QObject*, const std::exception& error) { reports.emplace_back(error.what()); });
    form = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(form.get());
    label = new QLabel(QStringLiteral("label"), form.get());
    field = new DataEdit::TDataEdit(form.get());
    next = new QLineEdit(form.get());
    layout->addWidget(label);
    layout->addWidget(field);
    layout->addWidget(next);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    field->setFocus();
    ASSERT_TRUE(field->hasFocus());
  }

  void TearDown() override {
    form.reset();
    toolkit::SetExceptionReporter({});
    toolkit::SetErrorBoxHandler(
        [](const std::string& message) { ADD_FAILURE() << "unexpected error box: " << message; });
  }

  // Replaces the text by typing, as a user does after clearing the field.
  void Type(const std::string& entry) {
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, QString::fromLatin1(entry.c_str()));
  }
  void Tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
  void Enter() { QTest::keyClick(field, Qt::Key_Return); }
  std::string Text() const { return field->text().toStdString(); }

  std::unique_ptr<QWidget> form;
  QLabel* label = nullptr;
  DataEdit::TDataEdit* field = nullptr;
  QLineEdit* next = nullptr;
  std::vector<std::string> boxes;
  std::vector<std::string> reports;
};

inline std::string L(const char* text) { return testsupport::Localized(text); }

}  // namespace entrytest
