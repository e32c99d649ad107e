/// \file
/// The component base: an owner that destroys what it owns, a name and a tag,
/// and the states that components test (design mode, being read from a
/// stored form description, being destroyed).
///
/// Component is a plain C++ base, not a QObject, so that a Qt widget can be a
/// component too (class TDataEdit : public QLineEdit, public Component).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace toolkit {

/// The component base: owner, owned components, name, tag and states.
class Component {
 public:
  /// Registers with `owner` (may be null), which destroys this component
  /// when it is destroyed itself.
  explicit Component(Component* owner);
  /// Destroys every owned component (the last inserted first) and leaves the
  /// owner's list.
  virtual ~Component();

  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  /// The component that destroys this one; null when there is none.
  Component* Owner() const { return owner_; }
  /// The owned components, in the order they were created.
  const std::vector<Component*>& Components() const { return owned_; }
  /// The number of owned components.
  int32_t ComponentCount() const { return static_cast<int32_t>(owned_.size()); }

  /// The published Name, empty after construction.
  ///@{
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  ///@}
  /// The published Tag, a number kept for the program; 0 after construction.
  ///@{
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t tag) { tag_ = tag; }
  ///@}

  /// Design mode: the instance is being edited in a form designer.
  ///@{
  bool Designing() const { return designing_; }
  void SetDesigning(bool designing) { designing_ = designing; }
  ///@}

  /// Reading state: the framework is restoring published properties from a
  /// stored form description.
  ///@{
  bool Reading() const { return reading_; }
  void SetReading(bool reading) { reading_ = reading; }
  ///@}

  /// Being destroyed: set before a destructor's body runs. C++ runs the most
  /// derived destructor first, so a component whose destructor tests the
  /// state calls MarkDestroying() as its first statement; an owner marks its
  /// components before it deletes them.
  bool Destroying() const { return destroying_; }

 protected:
  /// Sets the being-destroyed state (see Destroying()).
  void MarkDestroying() { destroying_ = true; }

 private:
  void Insert(Component* component);
  void Remove(Component* component);

  Component* owner_;
  std::vector<Component*> owned_;
  std::string name_;
  intptr_t tag_ = 0;
  bool designing_ = false;
  bool reading_ = false;
  bool destroying_ = false;
};

}  // namespace toolkit
