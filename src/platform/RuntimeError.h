#pragma once
// A run-time error as the program reports it: a number and a description.
#include <cstdint>
#include <exception>
#include <string>

namespace velkor {

class RuntimeError : public std::exception {
  public:
    RuntimeError(int32_t number, std::string description)
        : number_(number), description_(std::move(description)) {}

    int32_t number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

  private:
    int32_t number_;
    std::string description_;
};

// The numbers the program raises or treats specially.
namespace err {
inline constexpr int32_t kInvalidCall = 5;    // "Invalid procedure call or argument"
inline constexpr int32_t kOverflow = 6;       // "Overflow"
inline constexpr int32_t kOutOfMemory = 7;    // "Out of memory"
inline constexpr int32_t kSubscript = 9;      // "Subscript out of range"
inline constexpr int32_t kTypeMismatch = 13;  // "Type mismatch"
inline constexpr int32_t kInternal = 51;      // "Internal error"
inline constexpr int32_t kFileNotFound = 53;  // "File not found"
inline constexpr int32_t kDiskNotReady = 71;  // "Disk not ready"
inline constexpr int32_t kPathAccess = 75;    // "Path/File access error"
}  // namespace err

RuntimeError TypeMismatch();
RuntimeError Overflow();
RuntimeError InvalidCall(const std::string& detail = {});
RuntimeError SubscriptOutOfRange();

// Turns whatever the current catch block holds into a run-time error. This is the one place
// where foreign exceptions get a number; call it only inside a catch block.
RuntimeError CurrentError() noexcept;

}  // namespace velkor
