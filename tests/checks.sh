# SPDX-FileCopyrightText: 2026 The Quorvel authors
# SPDX-License-Identifier: GPL-3.0-or-later

# What the shell tests share, sourced by each: a scratch folder in $work that
# goes at exit, and fail, which reports a fault and counts it in $failures.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
