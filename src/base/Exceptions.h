#pragma once
// Exceptions that carry a user-facing message (UTF-8). No Qt here: the engine uses them too.
#include <exception>
#include <string>

namespace tarvix {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }

private:
    std::string message_;
};

// A text that does not convert (an integer, a boolean), or a format that does not fit its arguments.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

} // namespace tarvix
