// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// A game keeps one entry of the number list a spin and nothing else that
// grows, in every mode: a long run of the lab must not run out of memory.

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <random>
#include <string>

#include "play/session.hpp"

namespace {

// Bytes allocated and not yet freed. Each block carries its size in front.
std::atomic<long long> live_bytes{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* counted_new(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    live_bytes += static_cast<long long>(size);
    return block + kHeader;
}

void counted_delete(void* pointer) noexcept {
    if (pointer == nullptr) return;
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    live_bytes -= static_cast<long long>(*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    return counted_new(size);
}
void* operator new[](std::size_t size) {
    return counted_new(size);
}
void operator delete(void* pointer) noexcept {
    counted_delete(pointer);
}
void operator delete[](void* pointer) noexcept {
    counted_delete(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    counted_delete(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    counted_delete(pointer);
}

namespace quorvel {
namespace {

struct ModeAndType {
    GameMode mode;
    BetType type;
};

std::string name_of(const ::testing::TestParamInfo<ModeAndType>& info) {
    static constexpr const char* kModes[] = {"Smart2024", "DeepScan", "Adaptive", "Paradox",
                                             "Chains"};
    return std::string(kModes[static_cast<int>(info.param.mode)]) +
           (info.param.type == BetType::Single ? "Single" : "Double");
}

class SpinMemory : public ::testing::TestWithParam<ModeAndType> {};

// The number list keeps a byte a number and doubles as it grows, so it holds
// at most two bytes a spin; the bound leaves room for nothing else to grow.
TEST_P(SpinMemory, AtMostEightBytesASpin) {
    constexpr long long kSpins = 200000;
    auto game = std::make_unique<Game>();
    game->params.GameModes = GetParam().mode;
    game->params.BettingType = GetParam().type;
    if (GetParam().mode == GameMode::Adaptive) Adaptive_Matrix(*game);
    std::mt19937 random(11);
    std::uniform_int_distribution<int> wheel(0, 36);

    const long long before = live_bytes.load();
    for (long long spin = 0; spin < kSpins; ++spin) {
        play_number(*game, wheel(random));
        // An undo now and then, as a player would.
        if (spin % 97 == 0 && game->table.undo_offered) Undo(*game);
    }
    const long long grown = live_bytes.load() - before;
    const auto kept = static_cast<long long>(game->NumbersList.size());
    EXPECT_GE(kept, kSpins - kSpins / 97 - 1);
    EXPECT_GE(grown, kept);  // the count sees the number list itself
    EXPECT_LE(grown, 8 * kSpins) << grown << " bytes for " << kSpins << " spins";
}

INSTANTIATE_TEST_SUITE_P(EveryModeAndType, SpinMemory,
                         ::testing::Values(ModeAndType{GameMode::DeepScan, BetType::Single},
                                           ModeAndType{GameMode::DeepScan, BetType::Double},
                                           ModeAndType{GameMode::Smart2024, BetType::Single},
                                           ModeAndType{GameMode::Smart2024, BetType::Double},
                                           ModeAndType{GameMode::Adaptive, BetType::Single},
                                           ModeAndType{GameMode::Adaptive, BetType::Double},
                                           ModeAndType{GameMode::Paradox, BetType::Single},
                                           ModeAndType{GameMode::Paradox, BetType::Double},
                                           ModeAndType{GameMode::Chains, BetType::Single},
                                           ModeAndType{GameMode::Chains, BetType::Double}),
                         name_of);

}  // namespace
}  // namespace quorvel
