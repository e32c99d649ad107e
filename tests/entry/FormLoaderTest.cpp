// Stored form descriptions: TDataEdit restored from a .ui text through the
// toolkit's loader, in the reading state.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QLabel>
#include <memory>

#include "entry/DataEdit.h"
#include "toolkit/FormLoader.h"

namespace {

using DataEdit::TDataEdit;

std::unique_ptr<QWidget> Load(const QByteArray& ui, toolkit::FormLoader& loader) {
  QBuffer buffer;
  buffer.setData(ui);
  buffer.open(QIODevice::ReadOnly);
  return std::unique_ptr<QWidget>(loader.LoadForm(&buffer));
}

QByteArray Form(const QByteArray& fieldProperties) {
  return R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Form</class>
 <widget class="QWidget" name="Form">
  <layout class="QVBoxLayout" name="layout">
   <item>
    <widget class="TDataEdit" name="load">)" +
         fieldProperties + R"(</widget>
   </item>
   <item>
    <widget class="QLabel" name="loadLabel">
     <property name="text"><string>from the file</string></property>
    </widget>
   </item>
  </layout>
 </widget>
 <customwidgets>
  <customwidget><class>TDataEdit</class><extends>QLineEdit</extends><header>entry/DataEdit.h</header></customwidget>
 </customwidgets>
 <resources/>
 <connections/>
</ui>
)";
}

TEST(FormLoader, RestoresPropertiesInTheReadingStateAndKeepsThemAsStored) {
  ASSERT_TRUE(toolkit::IsFormClassRegistered("TDataEdit"));
  toolkit::FormLoader loader;
  auto form = Load(Form(R"(
     <property name="IntegerOnly"><bool>true</bool></property>
     <property name="Caption"><string>&amp;Load</string></property>
     <property name="EditLabel"><string>loadLabel</string></property>
     <property name="Hex"><bool>false</bool></property>
     <property name="MaxVal"><string>3</string></property>
     <property name="MinVal"><string>10</string></property>
     <property name="Number"><string>50.5</string></property>
     <property name="UnitsString"><string>F1</string></property>
     <property name="Units"><number>5</number></property>)"),
                   loader);
  ASSERT_NE(form, nullptr) << loader.errorString().toStdString();
  auto* field = form->findChild<TDataEdit*>("load");
  auto* label = form->findChild<QLabel*>("loadLabel");
  ASSERT_NE(field, nullptr);
  ASSERT_NE(label, nullptr);
  EXPECT_FALSE(field->Reading());
  // No clamping while reading: the minimum above the maximum, the number
  // outside both and fractional, all kept as stored.
  EXPECT_TRUE(field->IntegerOnly());
  EXPECT_EQ(field->MaxVal(), 3);
  EXPECT_EQ(field->MinVal(), 10);
  EXPECT_EQ(field->Number(), 50.5L);
  EXPECT_EQ(field->Units(), 3);  // clamped all the same
  // The label named before it existed is linked once the form is complete.
  EXPECT_EQ(field->EditLabel(), label);
  EXPECT_EQ(label->buddy(), field);
  EXPECT_EQ(label->text(), "&Load (F1)");
  EXPECT_EQ(field->property("EditLabel").toString(), "loadLabel");
  // Outside the reading state the setters clamp again.
  field->SetMinVal(10);
  EXPECT_EQ(field->MinVal(), 3);
}

TEST(FormLoader, TheDefaultLimitsSurviveAStoredDescriptionExactly) {
  TDataEdit original;
  toolkit::FormLoader loader;
  auto form =
      Load(Form(R"(
     <property name="MaxVal"><string>)" +
                original.property("MaxVal").toString().toLatin1() +
                R"(</string></property>
     <property name="MinVal"><string>)" +
                original.property("MinVal").toString().toLatin1() + R"(</string></property>)"),
           loader);
  ASSERT_NE(form, nullptr);
  auto* field = form->findChild<TDataEdit*>("load");
  EXPECT_EQ(rtl::BitsOf(field->MaxVal()), rtl::BitsOf(DataEdit::NoLimit()));
  EXPECT_EQ(rtl::BitsOf(field->MinVal()), rtl::BitsOf(-DataEdit::NoLimit()));
  EXPECT_EQ(field->text(), "0");
  EXPECT_EQ(field->EditLabel(), nullptr);
}

TEST(FormLoader, ABadPropertyTextLeavesTheValueAsItWas) {
  toolkit::FormLoader loader;
  auto form = Load(Form(R"(
     <property name="MaxVal"><string>lots</string></property>
     <property name="Number"><string>7</string></property>
     <property name="EditLabel"><string>noSuchLabel</string></property>)"),
                   loader);
  ASSERT_NE(form, nullptr);
  auto* field = form->findChild<TDataEdit*>("load");
  EXPECT_EQ(rtl::BitsOf(field->MaxVal()), rtl::BitsOf(DataEdit::NoLimit()));
  EXPECT_EQ(field->text(), "7");
  EXPECT_EQ(field->EditLabel(), nullptr);
}

TEST(FormLoader, ABrokenDescriptionGivesNoFormAndNoWidgetStaysReading) {
  toolkit::FormLoader loader;
  auto form = Load("<ui version=\"4.0\"><widget class=\"QWidget\"", loader);
  EXPECT_EQ(form, nullptr);
  EXPECT_FALSE(loader.errorString().isEmpty());
}

}  // namespace
