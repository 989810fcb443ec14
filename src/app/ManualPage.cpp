// Writes the manual page at build time: the template with its command list made from the
// commands' descriptions, so that the page and --help list the same commands.

#include "app/Features.h"
#include "app/Help.h"

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: veskor-manual TEMPLATE PAGE\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::stringstream page;
    page << in.rdbuf();
    std::string text = page.str();
    const std::string marker = "@COMMANDS@\n";
    const std::size_t at = text.find(marker);
    if (!in || at == std::string::npos) {
        std::cerr << "veskor-manual: no " << marker << "in " << argv[1] << '\n';
        return 1;
    }
    text.replace(at, marker.size(),
                 veskor::manualCommands(veskor::allCommands(veskor::allFeatures())));
    std::ofstream out(argv[2], std::ios::binary);
    out << text;
    return out.flush() ? 0 : 1;
}
