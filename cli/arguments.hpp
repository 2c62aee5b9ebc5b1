// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lab/lab_settings.hpp"

namespace quorvel::cli {

// What the command line asks for.
struct Arguments {
    LabSettings settings;
    std::vector<std::string> files;
    std::optional<std::size_t> random;  // --random N
    bool json = false;
    bool grid = false;
    bool help = false;
    // --wheel: test the spins themselves instead of playing them.
    bool wheel = false;
    // --pool: add the files up as one, each played as its own session.
    bool pool = false;
    std::string ledger;  // --ledger FILE.csv
    // --chance K: fair sessions to compare with (0: none); unset takes the
    // default for the file's length.
    std::optional<std::int64_t> chance;
    // --holdout F: with the grid, choose on this share of the spins and
    // test the choice on the rest.
    std::optional<double> holdout;
};

// The arguments, or the reason they cannot be taken (in `error`).
struct Parsed {
    Arguments arguments;
    std::string error;
};

Parsed parse_arguments(const std::vector<std::string>& args);

// The text of --help.
std::string help_text();

}  // namespace quorvel::cli
