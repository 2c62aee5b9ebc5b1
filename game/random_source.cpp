// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/random_source.hpp"

#include <utility>

namespace quorvel {

RandomSource::RandomSource(Clock clock, Generator generator)
    : clock_(std::move(clock)),
      generator_(std::move(generator)),
      injected_(generator_.seed && generator_.next) {}

}  // namespace quorvel
