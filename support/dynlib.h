/// \file
/// dynlib: a dynamic library bound at run time.
///
///   dynlib::TDynamicLibrary library;
///   library.SetFileName("libplugin.so");
///   library.Open();                       // EFileNotFoundError, EInitError
///   auto add = reinterpret_cast<int (*)(int, int)>(library.GetProc("add"));
///   if (add != nullptr) ...
///
/// The object owns the module reference it opened and releases it exactly
/// once: on Close, on SetFileName, or when it is destroyed.
#pragma once

#include <string>

#include "runtime/rtl.h"

namespace dynlib {

/// Common base of the loader's errors; never raised itself.
class EDLLError : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

/// The library was found but could not be made ready (for instance a symbol it
/// needs is defined nowhere).
class EInitError : public EDLLError {
 public:
  using EDLLError::EDLLError;
};

/// The library file, or a library it needs, could not be found.
class EFileNotFoundError : public EDLLError {
 public:
  using EDLLError::EDLLError;
};

/// A function address was asked for while the library is not open.
class EDLLNotOpenError : public EDLLError {
 public:
  using EDLLError::EDLLError;
};

/// A dynamic library opened by file name, whose functions are bound by name.
class TDynamicLibrary {
 public:
  TDynamicLibrary() = default;
  virtual ~TDynamicLibrary();  ///< closes the library when it is open
  TDynamicLibrary(const TDynamicLibrary&) = delete;
  TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

  /// The path or bare file name handed to the loader (a bare name is looked
  /// for along the loader's search path). Empty after construction.
  const std::string& FileName() const { return fileName_; }
  /// Closes the library if it is open, then stores `name`. Does not reopen.
  void SetFileName(const std::string& name);

  /// Whether the library is open.
  bool IsOpen() const { return handle_ != nullptr; }
  /// The loader's module handle; null while closed.
  void* Handle() const { return handle_; }

  /// Loads FileName(). Does nothing when already open. Raises
  /// EFileNotFoundError "Library could not be located" when the file (or a
  /// library it needs) cannot be found, or FileName() is empty or holds a zero
  /// byte, and EInitError
  /// "Library failed to properly initialize" when the library cannot be bound.
  /// Any other failure (a file that is not a library, say) raises nothing and
  /// leaves the object closed. A failed Open may be retried.
  void Open();

  /// The address of the symbol `name` that the library itself exports, or null
  /// when it has no such export (symbols of the libraries it depends on do not
  /// count). EDLLNotOpenError "Library is not open" while closed.
  void* GetProc(const std::string& name) const;

  /// Releases the library when it is open; does nothing otherwise.
  void Close();

 private:
  std::string fileName_;
  void* handle_ = nullptr;
};

}  // namespace dynlib
