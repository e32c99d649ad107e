// form: the form of form.ui twice, once compiled by uic and once loaded at
// run time, where this program never names the field's class. Each field
// gets the entry "2*3" and then "20*30" (above its maximum of 100) and runs
// its exit check; the results and the error box texts are printed.
// Headless: QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <iostream>
#include <memory>

#include "toolkit/Application.h"
#include "toolkit/FormLoader.h"
#include "ui_form.h"

namespace {

// Types an entry, presses Enter (which runs the field's exit check) and
// prints what the form shows.
void Enter(QWidget& form, QLineEdit& field, const QString& entry) {
  field.setText(entry);
  field.setFocus();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(&field, &enter);
  const auto* label = form.findChild<QLabel*>("lengthLabel");
  std::cout << "  " << entry.toStdString() << " -> " << field.text().toStdString() << "  ["
            << label->text().toStdString() << "]\n";
}

}  // namespace

int main(int argc, char** argv) {
  toolkit::Application application(argc, argv);
  toolkit::SetErrorBoxHandler(
      [](const std::string& message) { std::cout << "  error box: " << message << '\n'; });

  std::cout << "compiled by uic:\n";
  QWidget compiled;
  Ui::Form ui;
  ui.setupUi(&compiled);
  compiled.show();
  Enter(compiled, *ui.length, "2*3");
  Enter(compiled, *ui.length, "20*30");

  std::cout << "loaded at run time:\n";
  toolkit::FormLoader loader;
  std::unique_ptr<QWidget> loaded(loader.LoadForm(QStringLiteral(FORM_UI)));
  auto* field = loaded ? loaded->findChild<QLineEdit*>("length") : nullptr;
  if (field == nullptr || field->metaObject()->className() != QByteArray("DataEdit::TDataEdit")) {
    std::cerr << "form: the loaded form has no numeric entry field\n";
    return 1;
  }
  loaded->show();
  Enter(*loaded, *field, "2*3");
  Enter(*loaded, *field, "20*30");
  return 0;
}
