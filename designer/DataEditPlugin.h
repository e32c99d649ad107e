// The Qt Designer plugin of the numeric entry field: puts TDataEdit into
// Designer's widget box (group "Tessera"), with its published properties in
// the property editor in their declared order.
//
// Fields that Designer creates are in design mode (Component::Designing):
// while a form is being edited they run no exit check, show no error box and
// evaluate nothing. A program that loads a saved form gets ordinary fields
// (through toolkit::FormLoader, or through this plugin when a plain QUiLoader
// finds it: design mode needs the form editor that only Designer passes to
// initialize()).
#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace designer {

class DataEditPlugin : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  explicit DataEditPlugin(QObject* parent = nullptr);

  QString name() const override;
  QString group() const override;
  QString includeFile() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QIcon icon() const override;
  bool isContainer() const override;
  QString domXml() const override;

  bool isInitialized() const override;
  void initialize(QDesignerFormEditorInterface* core) override;
  QWidget* createWidget(QWidget* parent) override;

 private:
  QDesignerFormEditorInterface* core_ = nullptr;
};

}  // namespace designer
