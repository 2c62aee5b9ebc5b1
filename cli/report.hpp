// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "lab/run_report.hpp"
#include "lab/wheel_test.hpp"

namespace quorvel::cli {

// One JSON object on one line: the file, the settings that tell the runs of a
// grid apart, the base bet and every figure under its name. A pool's line
// lists the files pooled under "pooled", after the file.
void print_json_line(std::ostream& out, const RunReport& run,
                     std::span<const std::string> pooled = {});

// The line that follows a file's grid runs in --grid --json: the grid against
// chance.
void print_grid_json_line(std::ostream& out, const GridSummary& grid,
                          std::span<const std::string> pooled = {});

// Lines of plain words, one a line; the terminal wraps them.
void print_lines(std::ostream& out, const std::vector<std::string>& lines);

// What a table is about: its spins, and whether its rows are a grid.
struct TableTitle {
    std::string file;  // empty when the rows come from several files
    std::size_t spins = 0;
    bool grid = false;
};

// A readable table, one row a run, under a title and the settings common to
// all its rows; a grid is ranked by final bankroll.
void print_table(std::ostream& out, const TableTitle& title, std::span<const RunReport> runs);

// The wheel test of one spin source, as a player reads it: the five tests in
// a table under the source's name, then the verdict and the power line.
void print_wheel(std::ostream& out, const std::string& name, const WheelTest& test);

// The wheel test as one JSON object on one line: the file, its spins and
// every figure under its name.
void print_wheel_json_line(std::ostream& out, const std::string& file, const WheelTest& test,
                           std::span<const std::string> pooled = {});

// The wheel test of files pooled, as a player reads it: a row a file with
// its spins and its own smallest p, the files and their total, then the test
// of all their spins together.
void print_wheel_pool(std::ostream& out, std::span<const std::string> names,
                      std::span<const WheelTest> files, const WheelTest& pool);

// "Pooled: a, b and c, 2,508 spins in all." under a pool's table.
void print_pooled_files(std::ostream& out, std::span<const std::string> names, std::size_t spins);

// A string as a JSON string literal.
std::string json_string(std::string_view text);

}  // namespace quorvel::cli
