// The Designer plugin as Designer uses it: loaded from its file, asked for
// the widget box entry, creating fields in design mode; and a form saved with
// such a field, loaded back by the toolkit's form loader.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDesignerFormEditorInterface>
#include <QFormBuilder>
#include <QLabel>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QVBoxLayout>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <memory>
#include <string>
#include <vector>

#include "entry/DataEdit.h"
#include "toolkit/Application.h"
#include "toolkit/FormLoader.h"

namespace {

using DataEdit::TDataEdit;

class DataEditPlugin : public testing::Test {
 protected:
  void SetUp() override {
    loader_ = std::make_unique<QPluginLoader>(QStringLiteral(DESIGNER_PLUGIN));
    ASSERT_TRUE(loader_->load()) << loader_->errorString().toStdString();
    plugin_ = qobject_cast<QDesignerCustomWidgetInterface*>(loader_->instance());
    ASSERT_NE(plugin_, nullptr);
  }

  // A field as Designer creates it: after initialize() with its form editor.
  TDataEdit* CreateInDesigner(QWidget* parent) {
    plugin_->initialize(&core_);
    auto* field = qobject_cast<TDataEdit*>(plugin_->createWidget(parent));
    EXPECT_NE(field, nullptr);
    return field;
  }

  std::unique_ptr<QPluginLoader> loader_;
  QDesignerCustomWidgetInterface* plugin_ = nullptr;
  QDesignerFormEditorInterface core_;
};

TEST_F(DataEditPlugin, DescribesTheFieldForTheWidgetBox) {
  EXPECT_EQ(plugin_->name().toStdString(), "DataEdit::TDataEdit");
  EXPECT_EQ(plugin_->group().toStdString(), "Tessera");
  EXPECT_EQ(plugin_->includeFile().toStdString(), "entry/DataEdit.h");
  EXPECT_FALSE(plugin_->isContainer());
  EXPECT_FALSE(plugin_->toolTip().isEmpty());
  // The widget box entry names the same class, so that a dropped field is
  // saved under the name uic and the form loader know.
  EXPECT_TRUE(plugin_->domXml().contains("class=\"DataEdit::TDataEdit\""));
  EXPECT_TRUE(toolkit::IsFormClassRegistered(plugin_->name()));
}

TEST_F(DataEditPlugin, PublishesThePropertiesInTheirDeclaredOrder) {
  QWidget form;
  TDataEdit* field = CreateInDesigner(&form);
  const QMetaObject* meta = field->metaObject();
  std::vector<std::string> own;
  for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
    EXPECT_TRUE(meta->property(i).isDesignable()) << meta->property(i).name();
    EXPECT_TRUE(meta->property(i).isWritable()) << meta->property(i).name();
    own.emplace_back(meta->property(i).name());
  }
  EXPECT_EQ(own, (std::vector<std::string>{"IntegerOnly", "Caption", "EditLabel", "Hex", "MaxVal",
                                           "MinVal", "Number", "UnitsString", "Units"}));
}

// Only Designer's form editor makes a field a design-time one: a plain
// QUiLoader that finds the plugin does not initialise it.
TEST_F(DataEditPlugin, FieldsAreInDesignModeOnlyInsideDesigner) {
  QWidget form;
  auto* loaded = qobject_cast<TDataEdit*>(plugin_->createWidget(&form));
  ASSERT_NE(loaded, nullptr);
  if (!plugin_->isInitialized()) {  // the plugin instance lives as long as the process
    EXPECT_FALSE(loaded->Designing());
  }
  EXPECT_TRUE(CreateInDesigner(&form)->Designing());
}

// The test's error box handler fails the test: design mode must show none.
TEST_F(DataEditPlugin, DesignModeRunsNoExitCheckAndEvaluatesNothing) {
  QWidget form;
  TDataEdit* field = CreateInDesigner(&form);
  field->setText("2*");  // no value: evaluating it would raise
  field->SetMaxVal(5);   // would evaluate the text to pull the number inside
  field->SetIntegerOnly(true);
  field->ValidateEntry();
  EXPECT_FALSE(field->EntryAccepted());
  EXPECT_EQ(field->text().toStdString(), "2*");
  EXPECT_EQ(field->property("Number").toString().toStdString(), "");
  EXPECT_EQ(field->MaxVal(), 5);

  field->setText("20");  // above MaxVal, not a limit Designer enforces
  EXPECT_EQ(field->property("Number").toString().toStdString(), "20");
  field->SetNumber(30);
  EXPECT_EQ(field->text().toStdString(), "30");
}

TEST_F(DataEditPlugin, SavedFormLoadsBackThroughTheFormLoader) {
  QWidget form;
  form.setObjectName("Form");
  auto* layout = new QVBoxLayout(&form);
  auto* label = new QLabel(&form);
  label->setObjectName("spanLabel");
  layout->addWidget(label);
  TDataEdit* field = CreateInDesigner(&form);
  field->setObjectName("span");
  layout->addWidget(field);
  field->setProperty("IntegerOnly", true);
  field->setProperty("Caption", "Span");
  field->setProperty("EditLabel", "spanLabel");
  field->setProperty("Hex", false);
  field->setProperty("MaxVal", "1E6");
  field->setProperty("MinVal", "-2.5");
  field->setProperty("Number", "42");
  field->setProperty("UnitsString", "L1");
  field->setProperty("Units", 2);

  QBuffer saved;
  saved.open(QIODevice::WriteOnly);
  QFormBuilder builder;
  builder.save(&saved, &form);
  saved.close();
  ASSERT_TRUE(saved.data().contains("DataEdit::TDataEdit")) << saved.data().toStdString();

  saved.open(QIODevice::ReadOnly);
  toolkit::FormLoader loader;
  std::unique_ptr<QWidget> loaded(loader.LoadForm(&saved));
  ASSERT_NE(loaded, nullptr) << loader.errorString().toStdString();
  auto* copy = loaded->findChild<TDataEdit*>("span");
  ASSERT_NE(copy, nullptr);
  EXPECT_FALSE(copy->Designing());
  EXPECT_TRUE(copy->IntegerOnly());
  EXPECT_EQ(copy->Caption(), "Span");
  EXPECT_EQ(copy->EditLabel(), loaded->findChild<QLabel*>("spanLabel"));
  EXPECT_EQ(copy->MaxVal(), 1E6L);
  EXPECT_EQ(copy->MinVal(), -2.5L);
  EXPECT_EQ(copy->Number(), 42);
  EXPECT_EQ(copy->UnitsString(), "L1");
  EXPECT_EQ(copy->Units(), 2);
  EXPECT_EQ(copy->EditLabel()->text().toStdString(), "Span (mm)");
}

}  // namespace
