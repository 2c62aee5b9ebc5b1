// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace quorvel::testing {

// The folder of real spin files: QUORVEL_REAL_SPINS when set, else the one
// beside the source tree. Empty when it is not there.
inline std::filesystem::path real_spins_dir() {
    const char* from_environment = std::getenv("QUORVEL_REAL_SPINS");
    std::filesystem::path dir = from_environment != nullptr && *from_environment != '\0'
                                    ? std::filesystem::path(from_environment)
                                    : std::filesystem::path(QUORVEL_REAL_SPINS_DIR);
    std::error_code error;
    if (!std::filesystem::is_directory(dir, error)) return {};
    return dir;
}

}  // namespace quorvel::testing

// Skips the test when the real spin files are not there.
#define REQUIRE_REAL_SPINS(dir)                                             \
    const std::filesystem::path dir = ::quorvel::testing::real_spins_dir(); \
    if (dir.empty()) GTEST_SKIP() << "no real spin files beside the source tree"
