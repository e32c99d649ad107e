#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Component.h"

namespace {

// Records its destruction and whether it was marked as being destroyed
// before its destructor's body ran.
class Probe : public toolkit::Component {
 public:
  Probe(Component* owner, std::string name, std::vector<std::string>* log)
      : Component(owner), log_(log) {
    SetName(std::move(name));
  }
  ~Probe() override { log_->push_back(Name() + (Destroying() ? " (marked)" : " (unmarked)")); }

 private:
  std::vector<std::string>* log_;
};

TEST(Component, AnOwnerDestroysWhatItOwnsLastInsertedFirst) {
  std::vector<std::string> log;
  auto* owner = new Probe(nullptr, "owner", &log);
  new Probe(owner, "a", &log);
  new Probe(owner, "b", &log);
  EXPECT_EQ(owner->ComponentCount(), 2);
  delete owner;
  EXPECT_EQ(log, (std::vector<std::string>{"owner (unmarked)", "b (marked)", "a (marked)"}));
}

TEST(Component, AComponentDestroyedDirectlyLeavesItsOwnersList) {
  std::vector<std::string> log;
  Probe owner(nullptr, "owner", &log);
  auto* child = new Probe(&owner, "child", &log);
  delete child;
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(Component, NameTagAndStatesStartClear) {
  toolkit::Component component(nullptr);
  EXPECT_EQ(component.Name(), "");
  EXPECT_EQ(component.Tag(), 0);
  EXPECT_FALSE(component.Designing());
  EXPECT_FALSE(component.Reading());
  EXPECT_FALSE(component.Destroying());
}

}  // namespace
