#include "toolkit/Component.h"

#include <algorithm>

namespace toolkit {

Component::Component(Component* owner) : owner_(owner) {
  if (owner_ != nullptr) owner_->Insert(this);
}

Component::~Component() {
  destroying_ = true;
  while (!owned_.empty()) {
    Component* last = owned_.back();
    last->destroying_ = true;
    delete last;  // its destructor removes it from owned_
  }
  if (owner_ != nullptr) owner_->Remove(this);
}

void Component::Insert(Component* component) { owned_.push_back(component); }

void Component::Remove(Component* component) {
  auto it = std::find(owned_.begin(), owned_.end(), component);
  if (it != owned_.end()) owned_.erase(it);
}

}  // namespace toolkit
