#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs one case of the quorvel-lab checks: quorvel_lab_test.sh CASE PROGRAM REAL_SPINS_DIR
set -uo pipefail

case_name=$1
lab=$2
real_spins=${QUORVEL_REAL_SPINS:-$3}

source "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"

# run ARGS...: runs the program, keeping its status, stdout and stderr.
run() {
  "$lab" "$@" >"$work/out" 2>"$work/err"
  status=$?
  out=$(cat "$work/out")
  err=$(cat "$work/err")
}

# refused MESSAGE ARGS...: exit 2, the message on stderr, nothing on stdout.
refused() {
  local message=$1
  shift
  run "$@"
  [ "$status" -eq 2 ] || fail "exit $status, not 2, for: $*"
  [ -z "$out" ] || fail "something on stdout for: $*"
  grep -qF -- "$message" <<<"$err" || fail "stderr lacks '$message' for: $*; it says: $err"
}

# A short file of real shape: a byte order mark, CR LF, commas and blanks.
spins=$work/spins.txt
{
  printf '\xEF\xBB\xBF'
  for i in $(seq 1 40); do printf '%d, %d\r\n' $(((i * 7) % 37)) $(((i * 11 + 3) % 37)); done
} >"$spins"

case $case_name in
stored)
  # The settings the window stores, read from the default place and from a file.
  mkdir -p "$work/config/quorvel"
  printf '[General]\nx=1\n\n[settings]\nGameModes=PARADOX 4.1\nCSpinEdit1=700\nInit_Bet=\n' \
    >"$work/config/quorvel/quorvel.conf"
  XDG_CONFIG_HOME="$work/config" run --settings --json "$spins"
  [ "$status" -eq 0 ] || fail "--settings exits $status: $err"
  grep -qF '"mode": "PARADOX 4.1"' <<<"$out" || fail "--settings did not take the mode: $out"
  grep -qF '"final_bankroll": 702,' <<<"$out" || fail "--settings did not take TEST BANK: $out"
  run --settings "$work/config/quorvel/quorvel.conf" --bankroll 900 --json "$spins"
  [ "$status" -eq 0 ] || fail "--settings FILE exits $status: $err"
  grep -qF '"final_bankroll": 902,' <<<"$out" || fail "an option after --settings did not win: $out"
  printf '[settings]\nGameModes=FAST\n' >"$work/bad.conf"
  refused "--settings: $work/bad.conf:2: GameModes: \"FAST\" is not one of" --settings="$work/bad.conf" "$spins"
  # A session file as a spin file: its numbers without the undone one.
  printf '{"format":"quorvel-session","version":1,"start":5}\n{"t":6,"number":7}\n{"pause end":true}\n{"number":8}\n{"pause end":true}\n{"number":9}\n{"undo":true}\n' >"$work/s.quorvel"
  run --json "$work/s.quorvel"
  [ "$status" -eq 0 ] || fail "a session file exits $status: $err"
  grep -qF '"spins": 2,' <<<"$out" || fail "a session file did not give its two numbers: $out"
  # A torn last line is left out, as the window leaves it out, and said.
  printf '{"number":11' >>"$work/s.quorvel"
  run --json "$work/s.quorvel"
  [ "$status" -eq 0 ] || fail "a torn session file exits $status: $err"
  grep -qF '"spins": 2,' <<<"$out" || fail "the torn line was played: $out"
  grep -qF "s.quorvel: The last action of the session (line 8) was cut off when Quorvel stopped, and was left out." <<<"$err" ||
    fail "the torn line was dropped without a word: $err"
  # Settings and session files are read in bounded memory.
  refused "--settings: /dev/zero: larger than 1 MiB" --settings=/dev/zero "$spins"
  { printf '{'; head -c 200000 /dev/zero; } >"$work/zeros.quorvel"
  refused "zeros.quorvel:1:65537: the line is longer than 64 KiB" "$work/zeros.quorvel"
  ;;
help)
  run --help
  [ "$status" -eq 0 ] || fail "--help exits $status"
  [ -z "$err" ] || fail "--help writes to stderr: $err"
  for option in --mode --type --sectors --system --base-bet --bankroll --safe-level --auto-reset \
    --aim --minimal-profit --wins --losses --n-count --seed --seconds-per-spin --random --json \
    --ledger --grid --chance --settings --wheel --pool; do
    grep -qF -- "$option" <<<"$out" || fail "--help does not explain $option"
  done
  grep -qF 'quorvel-lab /usr/share/quorvel/examples/sample-spins.txt' <<<"$out" ||
    fail "--help has no example on the installed sample file"
  # A help text that could not be written out is a failure.
  "$lab" --help >&- 2>"$work/err"
  [ "$?" -eq 1 ] || fail "--help with the output closed does not exit 1"
  if [ -w /dev/full ]; then
    "$lab" --help >/dev/full 2>"$work/err"
    [ "$?" -eq 1 ] || fail "--help into a full disk does not exit 1"
    grep -qF "No space left on device" "$work/err" || fail "no reason for --help: $(cat "$work/err")"
  fi
  ;;
refusals)
  refused "give a spin FILE, or --random N"
  refused "unknown option '--colour'" --colour red "$spins"
  refused "--mode: 'deep scan' is not a game mode; the choices are \"SMART 2024\"" \
    --mode "deep scan" "$spins"
  refused "--type: '3' is not a betting type" --type 3 "$spins"
  refused "--aim needs a value" "$spins" --aim
  refused "has no table for betting type \"2\"" --type 2 --system "Blind (Softer)" "$spins"
  refused "--grid plays every mode" --grid --mode "SMART 2024" "$spins"
  refused "--ledger keeps the spins of one run" --grid --ledger "$work/l.csv" "$spins"
  refused "--random: '0' is not a count of spins" --random 0
  printf '1\n2\n36\n3 x7\n' >"$work/bad.txt"
  # A refused file among good ones: nothing runs, and the message names the place.
  refused "$work/bad.txt:4:3: 'x7' is not a roulette number (0 to 36)" "$spins" "$work/bad.txt"
  printf ' \n\n' >"$work/empty.txt"
  refused "$work/empty.txt: no spins" "$work/empty.txt"
  refused "$work/missing.txt: cannot open" "$work/missing.txt"
  # The first refused file stops the reading: the files after it are not read.
  refused "$work/bad.txt:4:3: 'x7'" "$work/bad.txt" "$work/missing.txt" "$spins"
  ! grep -qF "missing.txt" <<<"$err" || fail "a file after a refused one was read: $err"
  # A source without end is refused at its first bytes, not read until the memory runs out.
  if [ -r /dev/zero ]; then
    (ulimit -v 4000000 && exec timeout 20 "$lab" /dev/zero) >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" -eq 2 ] || fail "/dev/zero exits $status, not 2"
    grep -qF "/dev/zero:1:1: '????" "$work/err" || fail "/dev/zero not refused at 1:1: $(cat "$work/err")"
  fi
  # CR alone ends a line, and the double zero is no single-zero number.
  printf '1\r2\r00\r' >"$work/american.txt"
  refused "$work/american.txt:3:1: '00' is the double zero of an American wheel; Quorvel plays the single-zero wheel" \
    "$work/american.txt"
  # A name is quoted with what the terminal would act on masked.
  odd=$work/$'\e[2Jred\xe2\x80\xae\xff.txt'
  printf '1 -2' >"$odd"
  refused "$work/?[2Jred??.txt:1:3: '-2' is not a roulette number" "$odd"
  refused "unknown option '--?[2J'" $'--\e[2J' "$spins"
  ;;
json)
  refused "give spin files or --random N, not both" --json "$spins" --random 500
  # Standard input as '-', and a pipe, as shells and scripts give them.
  printf '\xef\xbb\xbf7\n12\r\n0' | "$lab" --json - >"$work/out" 2>"$work/err"
  grep -qF '"file": "standard input", ' "$work/out" && grep -qF '"spins": 3,' "$work/out" ||
    fail "standard input: $(cat "$work/out" "$work/err")"
  run --json <(cat "$spins")
  grep -qF '"spins": 80,' <<<"$out" || fail "a pipe: $out $err"
  run --json --safe-level 2 "$spins" "$spins"
  [ "$status" -eq 0 ] || fail "exit $status: $err"
  [ "$(wc -l <<<"$out")" -eq 2 ] || fail "two files give $(wc -l <<<"$out") lines"
  line=$(head -n 1 <<<"$out")
  for key in file mode type sectors system base_bet spins bets wins losses virtual_bets wagered adjustments \
    paid final_bankroll max_bank min_bankroll max_drawdown longest_losing_streak largest_stake \
    expected_loss; do
    grep -qE "\"$key\": " <<<"$line" || fail "no key $key in: $line"
  done
  grep -qF '"spins": 80,' <<<"$line" || fail "the file holds 80 spins: $line"
  grep -qF '"mode": "DEEP SCAN 4.1", "type": "1"' <<<"$line" || fail "default settings: $line"
  # The books balance: final = start - wagered + paid, wins + losses = bets.
  number() { grep -oE "\"$1\": -?[0-9.]+" <<<"$line" | grep -oE -- '-?[0-9.]+$'; }
  [ "$(number final_bankroll)" -eq $((5000 - $(number wagered) + $(number paid))) ] ||
    fail "final_bankroll does not balance: $line"
  [ $(($(number wins) + $(number losses))) -eq "$(number bets)" ] || fail "bets: $line"
  # Any file name makes valid JSON: quotes escaped, bytes that are not UTF-8 replaced.
  odd=$work/$'say "hi"\xff\xc3\xa9.txt'
  cp "$spins" "$odd"
  run --json "$odd"
  [ "$status" -eq 0 ] || fail "exit $status: $err"
  grep -qF 'say \"hi\"\ufffd'$'\xc3\xa9''.txt", "mode"' <<<"$out" || fail "file name in JSON: $out"
  # The tables go to a terminal: a name there is masked as in the messages,
  # in a file's title and in the File column of several files.
  odd=$work/$'\e[2Jred\xe2\x80\xae\xc2\x9b.txt'
  cp "$spins" "$odd"
  for files in 1 2; do
    if [ "$files" -eq 1 ]; then run "$odd"; else run "$odd" "$spins"; fi
    [ "$status" -eq 0 ] || fail "exit $status: $err"
    grep -qF '?[2Jred??.txt' <<<"$out" || fail "the name is not in the table of $files file(s): $out"
    ! LC_ALL=C grep -qF -e $'\e' -e $'\xe2\x80\xae' -e $'\xc2\x9b' <<<"$out" ||
      fail "a table of $files file(s) holds what a terminal acts on: $(od -c <<<"$out" | head)"
  done
  run --json --random 2000 --seed 7 --mode "PARADOX 4.1"
  first=$out
  run --json --random 2000 --seed 7 --mode "PARADOX 4.1"
  [ "$status" -eq 0 ] && [ "$out" = "$first" ] || fail "the same seed does not play the same"
  grep -qF '"file": "random spins (seed 7)"' <<<"$out" || fail "random spins are not named: $out"
  ;;
grid)
  run --grid --json "$spins"
  [ "$status" -eq 0 ] || fail "exit $status: $err"
  # 150 runs and the grid's summary line.
  [ "$(wc -l <<<"$out")" -eq 151 ] || fail "--grid --json gives $(wc -l <<<"$out") lines, not 151"
  [ "$(head -n 150 <<<"$out" | cut -d, -f2-5 | sort -u | wc -l)" -eq 150 ] ||
    fail "the 150 runs are not all different settings"
  run --grid "$spins"
  [ "$status" -eq 0 ] || fail "exit $status: $err"
  rows=$(grep -cE '^ *[0-9]+  ' <<<"$out")
  [ "$rows" -eq 150 ] || fail "the grid table has $rows ranked rows, not 150"
  grep -qE '^ *150  ' <<<"$out" || fail "no rank 150"
  # Ranked by final bankroll: the Final column, right-aligned under its
  # header, never rises down the table.
  header=$(grep -E '^ *#  ' <<<"$out")
  [ -n "$header" ] || fail "no table header"
  end=$(awk '{ print index($0, "  Final  ") + 6 }' <<<"$header")
  finals=$(grep -E '^ *[0-9]+  ' <<<"$out" | cut -c1-"$end" | awk '{ gsub(",", "", $NF); print $NF }')
  [ "$finals" = "$(sort -rn <<<"$finals")" ] || fail "the grid is not ranked by final bankroll"
  [ "$(head -n 1 <<<"$finals")" -gt "$(tail -n 1 <<<"$finals")" ] || fail "no spread in the grid"
  ;;
ledger)
  run --ledger "$work/ledger.csv" --safe-level 1 "$spins"
  [ "$status" -eq 0 ] || fail "exit $status: $err"
  [ "$(wc -l <"$work/ledger.csv")" -eq 81 ] || fail "the ledger has not one row a spin"
  head -n 1 "$work/ledger.csv" | grep -qx 'spin,number,sectors,stake,bet,result,bankroll_after' ||
    fail "ledger header: $(head -n 1 "$work/ledger.csv")"
  grep -qE '^[0-9]+,[0-9]+,[DC][1-3]( [DC][1-3])?,[0-9]+,(real|virtual),(won|lost),-?[0-9]+$' \
    "$work/ledger.csv" || fail "no bet row in the ledger"
  grep -qE ',virtual,' "$work/ledger.csv" || fail "no virtual bet under safe level 1"
  # A ledger that cannot be written is refused before the run, with the
  # system's reason; a link is never replaced, a file keeps its permissions.
  refused "l.csv: cannot write (No such file or directory)" --ledger "$work/no/such/dir/l.csv" \
    "$spins"
  # Before: a billion random spins would take minutes to play.
  timeout 20 "$lab" --ledger "$work/no/such/dir/l.csv" --random 1000000000 >/dev/null 2>&1
  [ "$?" -eq 2 ] || fail "an unwritable ledger is not refused before the run"
  ln -s missing/target.csv "$work/dangling.csv"
  refused "cannot write (No such file or directory)" --ledger "$work/dangling.csv" "$spins"
  [ -L "$work/dangling.csv" ] || fail "a dangling link was replaced"
  "$lab" --ledger /dev/stdout "$spins" >&- 2>"$work/err"
  [ "$?" -eq 2 ] || fail "--ledger /dev/stdout with the output closed is not refused"
  [ -L /dev/stdout ] || fail "/dev/stdout is no longer a link"
  # Past a file size limit the write fails with its reason; the signal of
  # the limit does not end the program without a word.
  (ulimit -f 1 && "$lab" --ledger "$work/big.csv" --random 5000 >/dev/null 2>"$work/err")
  status=$?
  [ "$status" -eq 2 ] || fail "a ledger past the file size limit exits $status, not 2"
  grep -qF "File too large" "$work/err" || fail "no reason for the file size limit: $(cat "$work/err")"
  chmod 600 "$work/ledger.csv"
  run --ledger "$work/ledger.csv" "$spins"
  [ "$(stat -c %a "$work/ledger.csv")" = 600 ] || fail "the ledger lost its permissions 600"
  chmod 444 "$work/ledger.csv"
  refused "cannot write (Permission denied)" --ledger "$work/ledger.csv" "$spins"
  [ "$(stat -c %a "$work/ledger.csv")" = 444 ] || fail "a write-protected ledger was replaced"
  [ "$("$lab" --ledger /dev/stdout "$spins" 2>/dev/null | head -n 1)" = \
    'spin,number,sectors,stake,bet,result,bankroll_after' ] || fail "no ledger into a pipe"
  if [ -w /dev/full ]; then
    refused "/dev/full: cannot write (No space left on device)" --ledger /dev/full "$spins"
    [ -c /dev/full ] || fail "/dev/full is no longer a device"
  fi
  # Figures that cannot be written out are a failure, not a success.
  if [ -w /dev/full ]; then
    "$lab" "$spins" >/dev/full 2>"$work/err"
    status=$?
    [ "$status" -eq 1 ] || fail "exit $status, not 1, with the standard output full"
    grep -qF "could not be written" "$work/err" || fail "no message for a full output: $(cat "$work/err")"
  fi
  ;;
chance)
  refused "--chance: '-3' is not a count of fair sessions" --chance -3 "$spins"
  refused "--chance: 'many' is not a count" --chance many "$spins"
  refused "--chance: '1000001' is not a count" --chance 1000001 "$spins"
  run --chance 200 "$spins"
  [ "$status" -eq 0 ] || fail "exit $status: $err"
  grep -qE '^Hit rate [0-9.]+ % \(95 %: [0-9.]+–[0-9.]+ %\); chance alone hits 32\.4 %\.' <<<"$out" ||
    fail "no hit rate line: $out"
  grep -qE 'On 200 fair sessions of 80 spins with these settings: .* ended ahead, .* ended behind; the median ends at .*, and on average a session loses [0-9,]+ \(1/37 of the [0-9,]+ staked\)\.' <<<"$out" ||
    fail "no line on the fair sessions: $out"
  grep -vF 'house edge' <<<"$out" | grep -qiF 'edge' && fail "a single run is called an edge: $out"
  # A handful of fair sessions gives its figures, and no verdict.
  run --chance 5 "$spins"
  grep -qF 'Fewer than 100 fair sessions give no verdict; ask for 100 or more.' <<<"$out" ||
    fail "a verdict from 5 fair sessions: $out"
  grep -qF 'did at least as well as this file' <<<"$out" && fail "a verdict from 5 fair sessions: $out"
  # The JSON carries the comparison; the same seed gives the same figures.
  run --json --chance 200 "$spins"
  first=$out
  for key in predictions predictions_won hit_rate chance_hit_rate hit_rate_low hit_rate_high \
    hit_rate_p beats_chance chance_sessions chance_seed chance_final_p5 chance_final_p25 \
    chance_final_p50 chance_final_p75 chance_final_p95 chance_final_mean chance_ahead \
    chance_ran_out chance_as_good ran_out_at; do
    grep -qE "\"$key\": " <<<"$out" || fail "no key $key in: $out"
  done
  grep -qF '"chance_sessions": 200,' <<<"$out" || fail "K is not the one asked for: $out"
  run --json --chance 200 "$spins"
  [ "$out" = "$first" ] || fail "the same seed gives other figures"
  run --json --chance 0 "$spins"
  grep -qF '"chance_sessions": 0, "chance_seed": 1767225600, "chance_final_p5": null' <<<"$out" ||
    fail "--chance 0 still compares: $out"
  run --chance 0 "$spins"
  grep -qF 'fair sessions' <<<"$out" && fail "--chance 0 still prints the comparison: $out"
  # A grid's runs are followed by its summary line.
  run --grid --json --chance 20 "$spins"
  [ "$status" -eq 0 ] || fail "exit $status: $err"
  [ "$(wc -l <<<"$out")" -eq 151 ] || fail "--grid --json gives $(wc -l <<<"$out") lines, not 151"
  # 20 fair grids are too few for the step-down: Holm's adjustment decides.
  tail -n 1 <<<"$out" | grep -qE '^\{"file": ".*", "grid_runs": 150, "holm_p": [0-9.e-]+, "minp_p": null, "minp_grids": 0, "beats_chance": (true|false), "chance_grids": 20, "chance_best_median": -?[0-9.]+, "chance_best_as_good": [0-9.]+, "best_row_as_good": [0-9.]+, "best_row_adjusted": [0-9.e-]+, "pbo": null\}$' ||
    fail "grid summary line: $(tail -n 1 <<<"$out")"
  run --grid --chance 20 "$spins"
  grep -qF 'Counting all 150 tries,' <<<"$out" || fail "no Holm verdict: $out"
  grep -qF "Fewer than 100 fair grids give no step-down over them; Holm's adjustment stands." <<<"$out" ||
    fail "no sentence for the skipped step-down: $out"
  grep -qE 'Each row against its own 20 fair sessions, the best is [A-Z0-9 .]+ / [12] / [A-Za-z &]+ / ' <<<"$out" ||
    fail "no best row against its own fair sessions: $out"
  grep -qF 'The probability of backtest overfitting needs 480 spins (16 blocks of 30); this file has 80.' <<<"$out" ||
    fail "no sentence for the skipped overfitting: $out"
  # With enough fair grids every row has its adjusted p, and the summary the smallest.
  run --grid --json --chance 100 "$spins"
  [ "$(grep -c '"adjusted_p": [0-9]' <<<"$out")" -ge 100 ] || fail "rows without adjusted_p: $out"
  smallest=$(head -n 150 <<<"$out" | grep -oE '"adjusted_p": [0-9.e-]+' | cut -d' ' -f2 | sort -g | head -n 1)
  tail -n 1 <<<"$out" | grep -qF "\"minp_p\": $smallest, \"minp_grids\": 100," ||
    fail "minp_p is not the smallest adjusted_p ($smallest): $(tail -n 1 <<<"$out")"
  # A long file skips the comparison with a sentence that says how to ask for it.
  run --random 2100000 --seed 3
  [ "$status" -eq 0 ] || fail "exit $status: $err"
  grep -qF 'The comparison with chance was skipped: 2,100,000 spins leave room for fewer than 100 fair sessions' <<<"$out" ||
    fail "no sentence for a skipped comparison: $out"
  grep -qF 'ask for it with --chance K.' <<<"$out" || fail "the sentence does not say how to ask: $out"
  ;;
holdout)
  # Chosen on the first half, played on the second: the same as the chosen
  # settings played alone on a file of the second half, to the unit.
  run --grid --json --chance 0 --holdout 0.5 "$spins"
  [ "$status" -eq 0 ] || fail "--holdout exits $status: $err"
  summary=$(tail -n 1 <<<"$out")
  grep -qF '"holdout_spins": 40,' <<<"$summary" || fail "holdout_spins: $summary"
  field() { grep -oE "\"$1\": (\"[^\"]*\"|[-0-9.e]+|null)" <<<"$summary" | sed -E 's/^"[^"]*": "?//; s/"$//'; }
  tail -n 20 "$spins" >"$work/second.txt"
  run --json --chance 0 --mode "$(field holdout_mode)" --type "$(field holdout_type)" \
    --sectors "$(field holdout_sectors)" --system "$(field holdout_system)" "$work/second.txt"
  [ "$status" -eq 0 ] || fail "the chosen settings alone exit $status: $err"
  grep -qF "\"final_bankroll\": $(field holdout_final)," <<<"$out" ||
    fail "holdout_final $(field holdout_final) is not the run alone: $out"
  grep -qF "\"predictions\": $(field holdout_predictions), \"predictions_won\": $(field holdout_predictions_won)," <<<"$out" ||
    fail "the holdout's predictions are not the run alone's: $summary / $out"
  run --grid --chance 0 --holdout 0.5 "$spins"
  grep -qE '^Chosen on the first 40 spins, [A-Z0-9 .]+ / [12] / [A-Za-z &]+ (hit [0-9.]+ % on the other 40 \(chance [0-9.]+ %, p [=<] [0-9.]+\): the choice (held|did not hold) up\.|made no prediction on the other 40\.)$' <<<"$out" ||
    fail "no holdout sentence: $out"
  # The share must leave spins on both sides, and goes with the grid.
  refused "--holdout: '1' is not a share of the spins" --grid --holdout 1 "$spins"
  refused "--holdout: '-0.5' is not a share of the spins" --grid --holdout=-0.5 "$spins"
  refused "--holdout: 'half' is not a share of the spins" --grid --holdout half "$spins"
  refused "--holdout chooses among the rows of the grid: give --grid too" --holdout 0.5 "$spins"
  ;;
wheel)
  # The spins tested, not played: the five tests, the verdict, the power line.
  run --wheel "$spins"
  [ "$status" -eq 0 ] || fail "--wheel exits $status: $err"
  for test in Pockets Dozens Columns Sectors Serial; do
    grep -qE "^$test " <<<"$out" || fail "--wheel does not show the $test test: $out"
  done
  grep -qF "$spins: 80 spins, the wheel test" <<<"$out" || fail "no title: $out"
  grep -qF 'p: the share of 10,000 fair files of 80 spins drawn from seed 1767225600' <<<"$out" ||
    fail "a short file does not say its p-values come from fair files: $out"
  grep -qE '^With 80 spins, this test finds 8 times in 10 a pocket that comes [0-9.]+ times as often as it should; a pocket that pays back what it takes \(1 in 36\) needs about 1\.2 million spins\.$' <<<"$out" ||
    fail "no power line: $out"
  # Options that play the spins are refused, with what --wheel takes.
  refused "--wheel tests the spins themselves and plays nothing; leave out --mode" \
    --wheel --mode "PARADOX 4.1" "$spins"
  printf '[settings]\nGameModes=PARADOX 4.1\n' >"$work/w.conf"
  for option in --grid "--chance 5" "--ledger $work/l.csv" "--safe-level 2" "--settings=$work/w.conf"; do
    # shellcheck disable=SC2086
    refused "leave out $(sed 's/[ =].*//' <<<"$option")" --wheel $option "$spins"
  done
  [ ! -e "$work/l.csv" ] || fail "--wheel --ledger wrote a ledger"
  refused "--wheel takes no value" --wheel=yes "$spins"
  refused "give a spin FILE, or --random N" --wheel
  refused "$work/missing.txt: cannot open" --wheel "$spins" "$work/missing.txt"
  printf '1\n2\n00\n' >"$work/american.txt"
  refused "$work/american.txt:3:1: '00' is the double zero" --wheel "$work/american.txt"
  # One JSON line a file with every key; the seed fixes the fair files.
  run --wheel --json "$spins" "$spins"
  [ "$status" -eq 0 ] || fail "--wheel --json exits $status: $err"
  [ "$(wc -l <<<"$out")" -eq 2 ] || fail "two files give $(wc -l <<<"$out") lines"
  line=$(head -n 1 <<<"$out")
  for key in file spins pockets_chi2 pockets_p hot_pocket hot_pocket_count hot_pocket_p dozens_chi2 \
    dozens_p columns_chi2 columns_p best_arc best_arc_count best_arc_p serial_chi2 serial_df \
    serial_p wheel_fair pocket_ratio_found spins_for_break_even draws seed by_simulation; do
    grep -qE "\"$key\": " <<<"$line" || fail "no key $key in: $line"
  done
  grep -qF '"spins": 80, ' <<<"$line" || fail "the file holds 80 spins: $line"
  grep -qF '"draws": 10000, "seed": 1767225600, "by_simulation": true}' <<<"$line" ||
    fail "the fair files are not stated: $line"
  run --wheel --json --random 3000 --seed 7
  first=$out
  grep -qF '{"file": "random spins (seed 7)", "spins": 3000, ' <<<"$out" || fail "--random: $out"
  grep -qF '"by_simulation": false}' <<<"$out" || fail "3,000 spins take the chi-square: $out"
  run --wheel --json --random 3000 --seed 7
  [ "$out" = "$first" ] || fail "the same seed tests otherwise"
  # A wheel rigged on the first dozen, as a player's file: about 66 % D1.
  awk 'BEGIN { srand(4); for (i = 0; i < 3981; i++) { n = int(rand() * 37);
    if (n != 0 && rand() < 0.5) n = 1 + n % 12; print n } }' >"$work/rigged.txt"
  run --wheel "$work/rigged.txt"
  [ "$status" -eq 0 ] || fail "the rigged file exits $status: $err"
  grep -qE "^The dozens are uneven beyond chance: D1 came [0-9,]+ times where 1,291 were expected \(p < 10⁻⁹\)\." <<<"$out" ||
    fail "the rigged dozen is not found: $out"
  grep -qF "no advice beats a fair one." <<<"$out" || fail "no word on advice: $out"
  grep -qF "says the wheel is unfair" <<<"$out" && fail "the rigged file is called fair: $out"
  run --wheel --json "$work/rigged.txt"
  grep -qF '"wheel_fair": false' <<<"$out" || fail "the rigged file is fair in JSON: $out"
  # Fair spins are called fair, most of the time: these are.
  run --wheel --random 5000 --seed 11
  grep -qF 'Nothing in these 5,000 spins says the wheel is unfair (smallest p = ' <<<"$out" ||
    fail "fair spins are not called fair: $out"
  if [ -w /dev/full ]; then
    "$lab" --wheel "$spins" >/dev/full 2>"$work/err"
    [ "$?" -eq 1 ] || fail "--wheel into a full disk does not exit 1"
  fi
  ;;
pool)
  # Three evenings of a table, pooled: each file's row, then the pool's.
  for f in 1 2 3; do
    awk -v s=$f 'BEGIN { srand(s); for (i = 0; i < 40 + 25 * s; i++) print int(rand() * 37) }' \
      >"$work/evening$f.txt"
  done
  evenings=("$work/evening1.txt" "$work/evening2.txt" "$work/evening3.txt")
  run --pool --chance 100 "${evenings[@]}"
  [ "$status" -eq 0 ] || fail "--pool exits $status: $err"
  grep -qE '^3 files pooled +270 ' <<<"$out" || fail "no row for the pool: $out"
  grep -qF "Pooled: $work/evening1.txt, $work/evening2.txt and $work/evening3.txt, 270 spins in all." <<<"$out" ||
    fail "the files pooled are not named: $out"
  grep -qF '3 files pooled: 270 spins, each file a session of its own from a bankroll of 5,000 (15,000 in all)' <<<"$out" ||
    fail "no verdict of the pool: $out"
  grep -qF 'On 100 fair pools of 3 sessions (270 spins in all, each session as long as its file)' <<<"$out" ||
    fail "the pool is not set against fair pools: $out"
  # JSON: each file's line, then the pool's with the same keys and "pooled";
  # its sums are the files' own.
  run --pool --json --chance 100 "${evenings[@]}"
  [ "$status" -eq 0 ] || fail "--pool --json exits $status: $err"
  [ "$(wc -l <<<"$out")" -eq 4 ] || fail "three files and a pool give $(wc -l <<<"$out") lines"
  last=$(tail -n 1 <<<"$out")
  grep -qF "{\"file\": \"3 files pooled\", \"pooled\": [\"$work/evening1.txt\", \"$work/evening2.txt\", \"$work/evening3.txt\"], \"mode\": " <<<"$last" ||
    fail "the pool's line does not list its files: $last"
  keys() { sed -E 's/"pooled": \[[^]]*\], //; s/: [^,}]*//g' <<<"$1"; }
  [ "$(keys "$last")" = "$(keys "$(head -n 1 <<<"$out")")" ] || fail "the pool's keys differ from a run's"
  for key in spins bets wins losses wagered paid final_bankroll predictions predictions_won; do
    sum=$(head -n 3 <<<"$out" | grep -oE "\"$key\": -?[0-9]+" | awk '{ s += $2 } END { print s }')
    grep -qF "\"$key\": $sum," <<<"$last" || fail "the pool's $key is not the files' sum $sum: $last"
  done
  grep -qF '"chance_sessions": 0,' <<<"$(head -n 1 <<<"$out")" || fail "a pooled file was set against chance"
  grep -qF '"chance_sessions": 100,' <<<"$last" || fail "the pool was not set against chance"
  # The grid pools each of its rows.
  run --pool --grid --json --chance 0 "${evenings[@]}"
  [ "$status" -eq 0 ] || fail "--pool --grid exits $status: $err"
  [ "$(grep -c '"pooled": ' <<<"$out")" -eq 151 ] || fail "not 150 pooled rows and the pooled grid's line"
  [ "$(grep -c '"grid_runs": 150' <<<"$out")" -eq 4 ] || fail "not a grid line a file and one for the pool"
  run --pool --grid --chance 20 "${evenings[@]}"
  grep -qF '3 files pooled: 270 spins, 150 runs ranked by final bankroll' <<<"$out" || fail "no pooled grid: $out"
  grep -qF 'The best of 150 on 20 fair pools of 3 sessions does at least this well in ' <<<"$out" ||
    fail "the pooled grid is not set against fair pools: $out"
  # The wheel test of all the spins together, after each file's own.
  run --pool --wheel --json "${evenings[@]}"
  [ "$status" -eq 0 ] || fail "--pool --wheel exits $status: $err"
  [ "$(wc -l <<<"$out")" -eq 4 ] || fail "--pool --wheel --json gives $(wc -l <<<"$out") lines"
  grep -qE '^\{"file": "3 files pooled", "pooled": \[.*\], "spins": 270, ' <<<"$(tail -n 1 <<<"$out")" ||
    fail "no pooled wheel line: $out"
  run --pool --wheel "${evenings[@]}"
  grep -qF '3 files pooled: 270 spins, the wheel test' <<<"$out" || fail "no pooled wheel test: $out"
  grep -qF 'the dozen or zero of 267 pairs of spins in a row' <<<"$out" ||
    fail "pairs were taken across files: $out"
  refused "--pool takes no value" --pool=1 "$spins"
  refused "give one FILE and no --grid or --pool" --pool --ledger "$work/l.csv" "$spins"
  [ -r "$real_spins/DC 14 Feb 2026, IR301 (137).txt" ] || { echo "no real spin files: the rest skipped"; exit 0; }
  run --pool --json --chance 0 "$real_spins"/DC*IR301*.txt
  [ "$status" -eq 0 ] || fail "--pool over a real table exits $status: $err"
  grep -qF '"file": "6 files pooled",' <<<"$out" || fail "the six IR301 evenings are not pooled: $out"
  grep -qF '"spins": 404,' <<<"$(tail -n 1 <<<"$out")" || fail "the IR301 evenings hold 404 spins"
  ;;
sample)
  # The sample file installed with Quorvel is 300 numbers drawn by
  # `--random 300` with the default seed: it plays to the same figures.
  sample=$(dirname "$0")/../../packaging/examples/sample-spins.txt
  [ "$(wc -l <"$sample")" -eq 300 ] || fail "the sample file does not hold 300 lines"
  run --json "$sample"
  [ "$status" -eq 0 ] || fail "the sample file exits $status: $err"
  from_file=${out#*\"mode\"}
  run --json --random 300
  [ "$status" -eq 0 ] && [ "${out#*\"mode\"}" = "$from_file" ] ||
    fail "the sample file and --random 300 play differently: $from_file / $out"
  ;;
real_file)
  [ -d "$real_spins" ] || { echo "no real spin files: skipped"; exit 77; }
  file="$real_spins/DC 14 Feb 2026, IR301 (137).txt"
  run --grid "$file"
  [ "$status" -eq 0 ] || fail "exit $status: $err"
  [ "$(grep -cE '^ *[0-9]+  ' <<<"$out")" -eq 150 ] || fail "not 150 ranked runs on a real file"
  run --json --at-ruin play-on "$real_spins/DB4000_1.txt" "$real_spins/World Legacy 20th Jan 2026 (319).txt"
  [ "$status" -eq 0 ] || fail "exit $status: $err"
  grep -qF '"spins": 3981,' <<<"$out" || fail "DB4000_1.txt (with a byte order mark) holds 3981"
  # Under the lab's own rule the bank that runs out ends the run, and the
  # ruin is the first thing its verdict says.
  run --json "$real_spins/DB4000_1.txt"
  grep -qF '"ran_out_at": 3329, "stopped_at": 3329, "stop_reason": "ran out"' <<<"$out" ||
    fail "DB4000_1.txt does not end where its bank runs out: $out"
  run "$real_spins/DB4000_1.txt"
  grep -A2 -F 'such a run is a ruin' <<<"$out" | tail -1 |
    grep -qF 'This run ran out of money. The bankroll cannot cover the next bet: the session ended after spin 3,329, at a bankroll of 188.' ||
    fail "the ruin is not said first: $out"
  # A double-zero wheel's log, refused at its first "00", also by the wheel test.
  refused "1603_real_spins.txt:20:1: '00' is the double zero of an American wheel" \
    "$real_spins/1603_real_spins.txt"
  refused "1603_real_spins.txt:20:1: '00' is the double zero of an American wheel" \
    --wheel "$real_spins/DB4000_1.txt" "$real_spins/1603_real_spins.txt"
  # The wheel test of the long file, its figures as computed independently.
  run --wheel --json "$real_spins/DB4000_1.txt"
  grep -qF '"spins": 3981, "pockets_chi2": 36.9992464204974, "pockets_p": 0.42262574293232, "hot_pocket": 8, "hot_pocket_count": 135, ' <<<"$out" ||
    fail "the wheel test of DB4000_1.txt: $out"
  grep -qF '"wheel_fair": true' <<<"$out" || fail "DB4000_1.txt is called unfair: $out"
  ;;
*)
  echo "unknown case $case_name" >&2
  exit 2
  ;;
esac

[ "$failures" -eq 0 ]
