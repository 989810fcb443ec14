#pragma once
// Recorded and hand-written system texts from tests/data/sysinfo: "# " lines first say where a
// file comes from, then "==> NAME <==" starts each text.

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

namespace veskor::test {

inline std::map<std::string, std::string> loadSample(const std::string& file) {
    std::ifstream in(std::string(VESKOR_TEST_DATA) + "/" + file);
    if (!in) {
        throw std::runtime_error("no sample " + file);
    }
    std::map<std::string, std::string> texts;
    std::string* text = nullptr;
    std::string line;
    while (std::getline(in, line)) {
        if (line.starts_with("==> ") && line.ends_with(" <==")) {
            text = &texts[line.substr(4, line.size() - 8)];
        } else if (text != nullptr) {
            *text += line + "\n";
        }
    }
    return texts;
}

} // namespace veskor::test
