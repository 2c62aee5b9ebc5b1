// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/predictor_state.hpp"

namespace quorvel {

std::vector<int>& AdaptiveMatrix::AdaptiveList(int k) {
    return k == 1 ? AdaptiveList1 : k == 2 ? AdaptiveList2 : AdaptiveList3;
}

const std::vector<int>& AdaptiveMatrix::AdaptiveList(int k) const {
    return k == 1 ? AdaptiveList1 : k == 2 ? AdaptiveList2 : AdaptiveList3;
}

int& AdaptiveMatrix::Adaptive(int k) {
    return k == 1 ? Adaptive1 : k == 2 ? Adaptive2 : Adaptive3;
}

}  // namespace quorvel
