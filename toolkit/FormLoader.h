/// \file
/// Stored form descriptions: Qt Designer .ui files loaded at run time.
///
/// The loader creates the system's own widgets by their class name (the
/// classes register a factory here, so this layer does not depend on them)
/// and holds each of those widgets in the reading state (Component::Reading)
/// while their published properties, the Qt properties of the class, are
/// restored in the order the file lists them. When the whole form has been
/// built, the reading state ends for all of them together and each widget
/// that is a FormComponent is told that loading is complete, so that it can
/// resolve references to other widgets of the form by object name.
#pragma once

#include <QPointer>
#include <QString>
#include <QUiLoader>
#include <QWidget>
#include <functional>
#include <vector>

class QIODevice;

namespace toolkit {

class Component;

/// Creates a widget of a registered class as a child of `parent` (may be
/// null). The widget should also be a toolkit::Component, whose reading state
/// the loader then maintains.
using WidgetFactory = std::function<QWidget*(QWidget* parent)>;

/// Registers a class name for every FormLoader of the process; a second
/// registration of the same name replaces the first. Returns true, so that a
/// unit can register itself from a namespace-scope initialiser.
bool RegisterFormClass(const QString& className, WidgetFactory factory);
/// Whether RegisterFormClass has registered `className`.
bool IsFormClassRegistered(const QString& className);

/// Implemented by widgets that refer to other widgets of their form: called
/// once per load, after every widget of the form exists and the reading state
/// has ended.
class FormComponent {
 public:
  /// `form` is the top-level widget of the form just loaded.
  virtual void Loaded(QWidget* form) = 0;

 protected:
  ~FormComponent() = default;
};

/// A QUiLoader that creates the registered classes itself and holds them in
/// the reading state while their properties are restored.
class FormLoader : public QUiLoader {
  Q_OBJECT

 public:
  /// A loader owned by `parent` (may be null).
  explicit FormLoader(QObject* parent = nullptr);

  /// Builds the form described by `device` as a child of `parentWidget` (may
  /// be null; the caller then owns the returned top-level widget). Returns
  /// null when the description cannot be read; errorString() says why.
  QWidget* LoadForm(QIODevice* device, QWidget* parentWidget = nullptr);
  /// The same from a file name or a Qt resource path (":/...").
  QWidget* LoadForm(const QString& fileName, QWidget* parentWidget = nullptr);

  /// Creates a registered class through its factory, in the reading state;
  /// any other class as QUiLoader does.
  QWidget* createWidget(const QString& className, QWidget* parent = nullptr,
                        const QString& name = QString()) override;

 private:
  void EndReading(QWidget* form);

  /// The registered widgets created by the load in progress.
  std::vector<QPointer<QWidget>> created_;
};

}  // namespace toolkit
