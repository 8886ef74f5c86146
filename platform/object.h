#pragma once
// The object model the controls build on: TObject (class name), TPersistent (Assign/AssignTo), the
// notification event type, and the platform's exception classes.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace nox {

// Base of every error the platform and the library raise; catch this to catch them all.
class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raised by Assign/AssignTo when two classes cannot take each other's values:
// "Cannot assign a <source class> to a <target class>."
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A picture file that cannot be read: truncated, malformed, lying about its layout or too large.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// A file that cannot be opened, read or written.
class EFileError : public Exception {
 public:
  using Exception::Exception;
};

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  // The class name as the object model reports it (used in assignment errors and stored forms).
  virtual std::string_view ClassName() const { return "TObject"; }
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TPersistent : public TObject {
 public:
  std::string_view ClassName() const override { return "TPersistent"; }

  // Takes over the values of Source. The default asks Source to AssignTo this object.
  virtual void Assign(const TPersistent& Source);
  // Copies this object's values into Dest. The default fails with EConvertError.
  virtual void AssignTo(TPersistent& Dest) const;
};

// The message of a failed assignment, "Cannot assign a TFoo to a TBar."
std::string AssignErrorText(std::string_view sourceClass, std::string_view destClass);

}  // namespace nox
