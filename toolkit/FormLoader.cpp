#include "toolkit/FormLoader.h"

#include <QFile>
#include <QIODevice>
#include <map>

#include "toolkit/Component.h"

namespace toolkit {

namespace {

std::map<QString, WidgetFactory>& Registry() {
  static std::map<QString, WidgetFactory> registry;
  return registry;
}

}  // namespace

bool RegisterFormClass(const QString& className, WidgetFactory factory) {
  Registry()[className] = std::move(factory);
  return true;
}

bool IsFormClassRegistered(const QString& className) { return Registry().count(className) != 0; }

FormLoader::FormLoader(QObject* parent) : QUiLoader(parent) {}

QWidget* FormLoader::LoadForm(QIODevice* device, QWidget* parentWidget) {
  created_.clear();
  QWidget* form = nullptr;
  try {
    form = load(device, parentWidget);
  } catch (...) {
    EndReading(nullptr);
    throw;
  }
  EndReading(form);
  return form;
}

QWidget* FormLoader::LoadForm(const QString& fileName, QWidget* parentWidget) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  return LoadForm(&file, parentWidget);
}

QWidget* FormLoader::createWidget(const QString& className, QWidget* parent, const QString& name) {
  auto found = Registry().find(className);
  if (found == Registry().end()) return QUiLoader::createWidget(className, parent, name);
  QWidget* widget = found->second(parent);
  if (widget == nullptr) return nullptr;
  widget->setObjectName(name);
  if (auto* component = dynamic_cast<Component*>(widget)) component->SetReading(true);
  created_.emplace_back(widget);
  return widget;
}

void FormLoader::EndReading(QWidget* form) {
  // Take the list first: a Loaded() handler may load another form.
  std::vector<QPointer<QWidget>> created;
  created.swap(created_);
  for (const QPointer<QWidget>& widget : created) {
    if (auto* component = dynamic_cast<Component*>(widget.data())) component->SetReading(false);
  }
  if (form == nullptr) return;
  for (const QPointer<QWidget>& widget : created) {
    if (auto* loaded = dynamic_cast<FormComponent*>(widget.data())) loaded->Loaded(form);
  }
}

}  // namespace toolkit
