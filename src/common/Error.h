#pragma once
// The program's errors are exceptions carrying the text the user sees.

#include <stdexcept>
#include <string>

namespace veskor {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Substitutes the first "%s" or "%d" of a message template.
std::string formatMessage(const std::string& pattern, const std::string& argument);
std::string formatMessage(const std::string& pattern, long long argument);

} // namespace veskor
