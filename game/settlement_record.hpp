// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace quorvel {

// What the settlement of the spin just entered did, for those who count the
// game's books (the lab). Empty when the spin settled nothing: before the
// sixth number, with no chip on the table, or in the adaptive mode before the
// matrix has chosen its list.
struct SettlementRecord {
    bool settled = false;      // a bet was on the table and was settled
    bool virtual_bet = false;  // the safe level was in force: nothing staked, nothing paid
    bool won = false;
    int sectors = 0;          // chips on the table
    std::int64_t stake = 0;   // Bet_Size x sectors, charged unless the bet was virtual
    std::int64_t payout = 0;  // 3 x Bet_Size on a paid win

    bool operator==(const SettlementRecord&) const = default;
};

}  // namespace quorvel
