// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the bash completion of quorvel-lab from its template at build time,
// with the options of the lab's settings and their values taken from the
// settings table, so that the completion offers what the program reads.
//
//     quorvel_lab_completion TEMPLATE OUTPUT

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "lab/lab_settings.hpp"

namespace {

// A word for bash in single quotes.
std::string shell_quoted(std::string_view word) {
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

bool replace(std::string& text, std::string_view name, const std::string& with) {
    const std::size_t at = text.find(name);
    if (at == std::string::npos) return false;
    text.replace(at, name.size(), with);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: quorvel_lab_completion TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream read;
    read << in.rdbuf();
    std::string text = read.str();
    if (!in || text.empty()) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 1;
    }

    std::string values;
    std::string free;
    std::string options;
    for (const std::vector<std::string>& option : quorvel::setting_choices()) {
        const std::string name = "--" + option.front();
        options += (options.empty() ? "" : " ") + name;
        if (option.size() == 1) {
            free += (free.empty() ? "" : " | ") + name;
            continue;
        }
        values += "  " + name + ") printf '%s\\n'";
        for (std::size_t i = 1; i < option.size(); ++i)
            values += ' ' + shell_quoted(option[i]);
        values += " ;;\n";
    }
    if (!values.empty()) values.pop_back();
    if (!replace(text, "@SETTING_VALUES@", values) ||
        !replace(text, "@FREE_SETTING_OPTIONS@", free) ||
        !replace(text, "@SETTING_OPTIONS@", options)) {
        std::cerr << argv[1] << ": a place for the settings is missing\n";
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::cerr << argv[2] << ": cannot be written\n";
        return 1;
    }
    return 0;
}
