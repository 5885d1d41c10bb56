#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace velmoka::commands {

// A request no answer can be given for, named by the key of the parameter it concerns: each face
// spells the key its own way (--tol-w, tol_w) before the message ("needs a target").
class RequestFault : public std::runtime_error {
public:
    enum class About { value, request };

    // about: whether the message is about the value given (" is negative"), or about the request
    // as a whole ("needs a target").
    RequestFault(std::string_view key, std::string_view message, About about = About::value)
        : std::runtime_error(std::string(key) + ": " + std::string(message)),
          key_(key),
          message_(message),
          about_(about) {}

    const std::string& key() const { return key_; }
    const std::string& message() const { return message_; }
    bool about_value() const { return about_ == About::value; }

private:
    std::string key_;
    std::string message_;
    About about_;
};

// A parameter the request cannot do without was not given: Python raises it as a TypeError, as
// for any missing argument.
class MissingParameter : public RequestFault {
public:
    explicit MissingParameter(std::string_view key) : RequestFault(key, "a value is required", About::request) {}
};

}  // namespace velmoka::commands
