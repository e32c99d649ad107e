// Where quillon finds its files, and loading the extra units from them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "programs/common/ProgramFiles.h"
#include "programs/quillon/ExtraUnits.h"
#include "programs/quillon/Paths.h"
#include "programs/quillon/Questions.h"

namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and restores it afterwards.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value == nullptr) {
      unsetenv(name);
    } else {
      setenv(name, value, 1);
    }
  }
  ~ScopedVariable() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A temporary folder, removed with everything in it.
struct TemporaryFolder {
  fs::path path = fs::temp_directory_path() / ("quillon_test_" + std::to_string(getpid()));
  TemporaryFolder() { fs::create_directories(path); }
  ~TemporaryFolder() { fs::remove_all(path); }
  std::string Write(const std::string& name, const std::string& text) const {
    const fs::path file = path / name;
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
    return file.string();
  }
};

TEST(Paths, FollowTheXdgVariablesOrTheDefaultsUnderHome) {
  const ScopedVariable home("HOME", "/home/someone");
  {
    const ScopedVariable config("XDG_CONFIG_HOME", "/etc/xdg-test");
    const ScopedVariable state("XDG_STATE_HOME", "/var/state-test");
    EXPECT_EQ(quillon::UserUnitsFile(), "/etc/xdg-test/quillon/units.txt");
    EXPECT_EQ(quillon::HistoryFile(), "/var/state-test/quillon/history");
  }
  {
    // Unset, empty or relative: the default.
    const ScopedVariable config("XDG_CONFIG_HOME", "relative/path");
    const ScopedVariable state("XDG_STATE_HOME", "");
    EXPECT_EQ(quillon::UserUnitsFile(), "/home/someone/.config/quillon/units.txt");
    EXPECT_EQ(quillon::HistoryFile(), "/home/someone/.local/state/quillon/history");
  }
  const ScopedVariable noHome("HOME", nullptr);
  const ScopedVariable config("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(quillon::UserUnitsFile(), "");
}

TEST(Paths, TheShippedFileLiesBesideTheExecutableInTheBuildTree) {
  EXPECT_FALSE(programs::ExecutableDirectory().empty());
  TemporaryFolder folder;
  folder.Write("share/quillon/units.txt", "");
  EXPECT_EQ(
      programs::FirstExistingFile(folder.path.string(), {"units.txt", "share/quillon/units.txt"}),
      (folder.path / "share/quillon/units.txt").string());
  EXPECT_EQ(programs::FirstExistingFile(folder.path.string(), {"share"}), "");  // a folder
  EXPECT_EQ(programs::FirstExistingFile("", {"units.txt"}), "");
}

TEST(LoadUnitDefinitions, TheUsersFileComesAfterTheShippedOneAndMayUseIt) {
  TemporaryFolder folder;
  quillon::UnitsFiles files;
  files.shipped = folder.Write("share/units.txt", "[mass]\nkg = !mass\nlb = 0.45359237 kg\n");
  files.user = folder.Write("config/quillon/units.txt",
                            "[mass]\nstone = 14 lb\nkg = 1000 g\nnot = 3 furlongs\n");
  quantity::UnitTable table;
  const std::vector<std::string> problems = quillon::LoadUnitDefinitions(table, files);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0], files.user + ":3: \"kg\" is already defined");
  EXPECT_EQ(problems[1], files.user + ":4: unknown unit \"furlongs\"");
  EXPECT_EQ(table.Units().size(), 3u);
  EXPECT_EQ(quantity::Ask(table, "1 stone to kg").Text(), "6.35029318");
}

TEST(LoadUnitDefinitions, AMissingShippedFileIsReportedAMissingUserFileIsNot) {
  quantity::UnitTable table;
  const std::vector<std::string> problems =
      quillon::LoadUnitDefinitions(table, {"", "/nonexistent/quillon/units.txt"});
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0], "the units file that ships with quillon was not found");
  EXPECT_TRUE(table.Units().empty());
}

}  // namespace
