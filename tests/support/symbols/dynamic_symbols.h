// What a shared library exports: its defined dynamic symbols, as `nm -D --defined-only` lists
// them. A line nm writes that is no symbol (an error, a file it cannot read) is kept as
// "unreadable: LINE", so a comparison with the expected names shows it.
#pragma once

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace test_support {

inline std::set<std::string> defined_dynamic_symbols(const std::string& path) {
    const std::string command = "nm -D --defined-only '" + path + "' 2>&1";
    std::set<std::string> symbols;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {"unreadable: nm does not start"};
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
            symbols.insert(name);
        else
            symbols.insert("unreadable: " + std::string(line));
    }
    pclose(pipe);
    return symbols;
}

}  // namespace test_support
