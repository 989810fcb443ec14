#include "common/Error.h"

namespace veskor {

namespace {

std::string substitute(const std::string& pattern, const std::string& text) {
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern[i] == '%' && (pattern[i + 1] == 's' || pattern[i + 1] == 'd')) {
            std::string result = pattern.substr(0, i);
            result += text;
            result += pattern.substr(i + 2);
            return result;
        }
    }
    return pattern;
}

} // namespace

std::string formatMessage(const std::string& pattern, const std::string& argument) {
    return substitute(pattern, argument);
}

std::string formatMessage(const std::string& pattern, long long argument) {
    return substitute(pattern, std::to_string(argument));
}

} // namespace veskor
