#include "support/dynlib.h"

#include <dlfcn.h>
#include <link.h>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace dynlib {

namespace {

enum class LoadFailure { kNotFound, kInitFailed, kOther };

// The one place that turns the loader's report of a failed dlopen into the
// two failures a caller can act on; everything else is kOther.
//
// glibc reports a file that cannot be opened as
//   "<file>: cannot open shared object file: <strerror(errno)>"
// naming the library itself or a library it needs, and a library that cannot
// be bound (RTLD_NOW) as "<file>: undefined symbol: <name>" or
// "... version `<v>' not found (required by <file>)". The strerror part is
// compared with strerror(ENOENT) in the same process, so a translated message
// catalogue does not defeat the test; the binding texts are not translated.
LoadFailure Classify(std::string_view report) {
  if (report.empty()) return LoadFailure::kOther;
  const std::string_view missing = std::strerror(ENOENT);
  if (report.size() >= missing.size() && report.substr(report.size() - missing.size()) == missing) {
    return LoadFailure::kNotFound;
  }
  if (report.find("undefined symbol: ") != std::string_view::npos ||
      report.find("version `") != std::string_view::npos) {
    return LoadFailure::kInitFailed;
  }
  return LoadFailure::kOther;
}

// Whether `symbol`, found through `handle`, is defined by that library itself.
// dlsym also searches the libraries it depends on (GetProc("malloc") would
// find the C library's), while a library's exports are only its own symbols.
bool DefinedBy(void* handle, void* symbol) {
  link_map* library = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &library) != 0) return false;
  Dl_info info;
  link_map* owner = nullptr;
  if (dladdr1(symbol, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) == 0) {
    return false;
  }
  return owner == library;
}

bool HasEmbeddedZero(const std::string& text) { return text.find('\0') != std::string::npos; }

}  // namespace

TDynamicLibrary::~TDynamicLibrary() { Close(); }

void TDynamicLibrary::SetFileName(const std::string& name) {
  Close();
  fileName_ = name;
}

void TDynamicLibrary::Open() {
  if (IsOpen()) return;
  // dlopen("") would hand out the program itself; an empty name names no
  // file, and neither does one with a zero byte inside.
  if (fileName_.empty() || HasEmbeddedZero(fileName_))
    throw EFileNotFoundError("Library could not be located");

  dlerror();  // clear an earlier report
  // RTLD_NOW binds every symbol here, so that a library that cannot be bound
  // fails now rather than when one of its functions is first called.
  handle_ = dlopen(fileName_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ != nullptr) return;

  const char* report = dlerror();
  switch (Classify(report != nullptr ? report : "")) {
    case LoadFailure::kNotFound:
      throw EFileNotFoundError("Library could not be located");
    case LoadFailure::kInitFailed:
      throw EInitError("Library failed to properly initialize");
    case LoadFailure::kOther:
      return;
  }
}

void* TDynamicLibrary::GetProc(const std::string& name) const {
  if (!IsOpen()) throw EDLLNotOpenError("Library is not open");
  // Nothing is exported under the empty name or one with a zero byte inside.
  if (name.empty() || HasEmbeddedZero(name)) return nullptr;
  void* symbol = dlsym(handle_, name.c_str());
  if (symbol == nullptr || !DefinedBy(handle_, symbol)) return nullptr;
  return symbol;
}

void TDynamicLibrary::Close() {
  if (!IsOpen()) return;
  dlclose(handle_);  // its result is of no use to the caller
  handle_ = nullptr;
}

}  // namespace dynlib
