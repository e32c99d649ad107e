#include "designer/DataEditPlugin.h"

#include <QIcon>

#include "entry/DataEdit.h"

namespace designer {

DataEditPlugin::DataEditPlugin(QObject* parent) : QObject(parent) {}

// The C++ name, so that uic writes compilable code for a saved form.
QString DataEditPlugin::name() const { return QStringLiteral("DataEdit::TDataEdit"); }

QString DataEditPlugin::group() const { return QStringLiteral("Tessera"); }

QString DataEditPlugin::includeFile() const { return QStringLiteral("entry/DataEdit.h"); }

QString DataEditPlugin::toolTip() const {
  return QStringLiteral("Numeric entry field: takes a number or an arithmetic expression");
}

QString DataEditPlugin::whatsThis() const {
  return QStringLiteral(
      "A single-line field that holds one number. When it is left, its text is evaluated, "
      "checked against the whole-number and range limits and replaced by the value's text; "
      "it can write a caption with units into a linked label.");
}

QIcon DataEditPlugin::icon() const { return QIcon(); }

bool DataEditPlugin::isContainer() const { return false; }

QString DataEditPlugin::domXml() const {
  return QStringLiteral(
      "<ui language=\"c++\">\n"
      " <widget class=\"DataEdit::TDataEdit\" name=\"dataEdit\"/>\n"
      " <customwidgets>\n"
      "  <customwidget>\n"
      "   <class>DataEdit::TDataEdit</class>\n"
      "   <extends>QLineEdit</extends>\n"
      "   <header>entry/DataEdit.h</header>\n"
      "  </customwidget>\n"
      " </customwidgets>\n"
      "</ui>\n");
}

bool DataEditPlugin::isInitialized() const { return core_ != nullptr; }

void DataEditPlugin::initialize(QDesignerFormEditorInterface* core) {
  if (core_ == nullptr) core_ = core;
}

QWidget* DataEditPlugin::createWidget(QWidget* parent) {
  auto* field = new DataEdit::TDataEdit(parent);
  field->SetDesigning(isInitialized());
  return field;
}

}  // namespace designer
