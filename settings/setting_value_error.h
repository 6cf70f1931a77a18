#pragma once
// A value of the settings file the program cannot use where it is needed (a font size that
// is no number, say), with the key and the value as written, so the message can name them.

#include <stdexcept>
#include <string>

namespace pelmora {

class SettingValueError : public std::invalid_argument {
public:
    SettingValueError(std::string key, std::string value)
        : std::invalid_argument("unusable value of " + key + ": " + value),
          key_(std::move(key)),
          value_(std::move(value)) {}

    const std::string& Key() const { return key_; }
    const std::string& Value() const { return value_; }

private:
    std::string key_;
    std::string value_;
};

}  // namespace pelmora
