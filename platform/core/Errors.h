#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// Failures raised by the platform. Handlers let them pass; the platform's event dispatch hands
// them to the report of unhandled failures.
class PlatformError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
    virtual const char* className() const noexcept { return "PlatformError"; }
};

#define QUORVANE_PLATFORM_ERROR(Name)                                                              \
    class Name : public PlatformError {                                                            \
      public:                                                                                      \
        using PlatformError::PlatformError;                                                        \
        const char* className() const noexcept override { return #Name; }                          \
    };

QUORVANE_PLATFORM_ERROR(NilObjectException)
QUORVANE_PLATFORM_ERROR(TypeMismatchException)
QUORVANE_PLATFORM_ERROR(LayoutDataException)
QUORVANE_PLATFORM_ERROR(IOException)
QUORVANE_PLATFORM_ERROR(ThreadAccessingUIException)

#undef QUORVANE_PLATFORM_ERROR

} // namespace platform
