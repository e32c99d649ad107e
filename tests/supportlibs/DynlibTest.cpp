#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "support/dynlib.h"
#include "tests/support/MessageOf.h"

extern "C" int dynlib_counter_loads(void);
extern "C" int dynlib_counter_unloads(void);

namespace {

using dynlib::TDynamicLibrary;

// Loads and unloads of the library "counted" since the fixture started.
class DynamicLibrary : public testing::Test {
 protected:
  int Loads() const { return dynlib_counter_loads() - loadsBefore_; }
  int Unloads() const { return dynlib_counter_unloads() - unloadsBefore_; }

 private:
  int loadsBefore_ = dynlib_counter_loads();
  int unloadsBefore_ = dynlib_counter_unloads();
};

template <typename E>
std::string MessageOfOpen(TDynamicLibrary& library) {
  return testsupport::MessageOf<E>([&] { library.Open(); });
}

TEST_F(DynamicLibrary, StartsClosedWithoutAName) {
  TDynamicLibrary library;
  EXPECT_FALSE(library.IsOpen());
  EXPECT_EQ(library.FileName(), "");
  EXPECT_EQ(library.Handle(), nullptr);
  library.Close();  // closing a closed library does nothing
  EXPECT_FALSE(library.IsOpen());
}

TEST_F(DynamicLibrary, BindsAndCallsExportedFunctions) {
  TDynamicLibrary library;
  library.SetFileName(DYNLIB_COUNTED);
  library.Open();
  ASSERT_TRUE(library.IsOpen());
  auto add = reinterpret_cast<int (*)(int, int)>(library.GetProc("dynlib_test_add"));
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(add(2, 40), 42);
  auto greeting = reinterpret_cast<const char* (*)()>(library.GetProc("dynlib_test_greeting"));
  ASSERT_NE(greeting, nullptr);
  EXPECT_STREQ(greeting(), "hello from counted");
}

TEST_F(DynamicLibrary, GetProcOfAMissingExportIsNull) {
  TDynamicLibrary library;
  library.SetFileName(DYNLIB_COUNTED);
  library.Open();
  EXPECT_EQ(library.GetProc(""), nullptr);
  EXPECT_EQ(library.GetProc("dynlib_test_missing"), nullptr);
  EXPECT_EQ(library.GetProc("on_load"), nullptr);  // static: not exported
  // Defined by a library it depends on, not by the library itself.
  EXPECT_EQ(library.GetProc("dynlib_counter_loads"), nullptr);
  EXPECT_EQ(library.GetProc("malloc"), nullptr);
  EXPECT_EQ(library.GetProc(std::string("dynlib_test_add\0x", 17)), nullptr);
}

TEST_F(DynamicLibrary, GetProcOnAClosedLibraryRaises) {
  TDynamicLibrary library;
  library.SetFileName(DYNLIB_COUNTED);
  try {
    library.GetProc("dynlib_test_add");
    ADD_FAILURE() << "GetProc raised nothing";
  } catch (const dynlib::EDLLNotOpenError& error) {
    EXPECT_EQ(error.Message(), "Library is not open");
  }
  EXPECT_THROW(library.GetProc(""), dynlib::EDLLError);
}

TEST_F(DynamicLibrary, DestroyingAnOpenObjectReleasesTheLibraryOnce) {
  {
    TDynamicLibrary library;
    library.SetFileName(DYNLIB_COUNTED);
    library.Open();
    EXPECT_EQ(Loads(), 1);
    EXPECT_EQ(Unloads(), 0);
  }
  EXPECT_EQ(Unloads(), 1);
}

TEST_F(DynamicLibrary, OpenTwiceKeepsTheHandleAndLoadsOnce) {
  TDynamicLibrary library;
  library.SetFileName(DYNLIB_COUNTED);
  library.Open();
  void* handle = library.Handle();
  library.Open();
  EXPECT_EQ(library.Handle(), handle);
  EXPECT_EQ(Loads(), 1);
  library.Close();
  EXPECT_FALSE(library.IsOpen());
  EXPECT_EQ(Unloads(), 1);
  library.Close();
  EXPECT_EQ(Unloads(), 1);
  library.Open();  // a closed library opens again
  EXPECT_TRUE(library.IsOpen());
  EXPECT_EQ(Loads(), 2);
}

TEST_F(DynamicLibrary, SetFileNameClosesAnOpenLibraryWithoutReopening) {
  TDynamicLibrary library;
  library.SetFileName(DYNLIB_COUNTED);
  library.Open();
  library.SetFileName(DYNLIB_UNBOUND);
  EXPECT_FALSE(library.IsOpen());
  EXPECT_EQ(library.FileName(), DYNLIB_UNBOUND);
  EXPECT_EQ(Unloads(), 1);
  EXPECT_THROW(library.GetProc("dynlib_test_add"), dynlib::EDLLNotOpenError);
}

TEST_F(DynamicLibrary, AMissingFileOrDependencyCannotBeLocated) {
  for (const char* name : {"/nonexistent/folder/libnothing.so", "libdynlib_no_such_library.so", "",
                           DYNLIB_NEEDS_HIDDEN}) {
    SCOPED_TRACE(name);
    TDynamicLibrary library;
    library.SetFileName(name);
    EXPECT_EQ(MessageOfOpen<dynlib::EFileNotFoundError>(library), "Library could not be located");
    EXPECT_FALSE(library.IsOpen());
    EXPECT_EQ(library.FileName(), name);  // unchanged, so Open may be retried
  }
}

TEST_F(DynamicLibrary, ALibraryThatCannotBeBoundFailsToInitialize) {
  TDynamicLibrary library;
  library.SetFileName(DYNLIB_UNBOUND);
  EXPECT_EQ(MessageOfOpen<dynlib::EInitError>(library), "Library failed to properly initialize");
  EXPECT_FALSE(library.IsOpen());
  EXPECT_THROW(library.Open(), dynlib::EDLLError);  // retried, fails the same way
}

TEST_F(DynamicLibrary, AFileThatIsNoLibraryLeavesTheObjectClosedWithoutError) {
  // Named after the process: suites of several build trees may run at once.
  const std::string path =
      testing::TempDir() + "dynlib_not_a_library_" + std::to_string(getpid()) + ".so";
  std::ofstream(path) << "This is text, not a shared library.\n";
  TDynamicLibrary library;
  for (const std::string& name : {path, testing::TempDir()}) {  // a file, a folder
    SCOPED_TRACE(name);
    library.SetFileName(name);
    EXPECT_NO_THROW(library.Open());
    EXPECT_FALSE(library.IsOpen());
    EXPECT_THROW(library.GetProc("anything"), dynlib::EDLLNotOpenError);
  }
  std::remove(path.c_str());
}

}  // namespace
