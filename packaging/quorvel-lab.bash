# SPDX-FileCopyrightText: 2026 The Quorvel authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Bash completion for quorvel-lab: its options, the fixed values of its
# settings (the window's own texts) and spin files. Values with spaces or
# signs come out quoted as the shell needs them ("DEEP\ SCAN\ 4.1", or closed
# inside a quote the player opened), the way file names are.

# _quorvel_lab_values OPTION: the fixed values of OPTION, one a line.
# Fails for an option whose value is free (a number, a rule, a file).
_quorvel_lab_values() {
  case $1 in
  --mode) printf '%s\n' "DEEP SCAN 4.1" "SMART 2024" "ADAPTIVE 4.1" "PARADOX 4.1" "CHAINS 4.1" ;;
  --type) printf '%s\n' 1 2 ;;
  --sectors) printf '%s\n' "Dozens & Columns" "Only Dozens" "Only Columns" ;;
  --system)
    printf '%s\n' "Classic" "D-Donald" "D-Donald (Softer)" "Blind" "Blind (Softer)" "CUSTOM"
    ;;
  --auto-reset | --minimal-profit) printf '%s\n' on off ;;
  --aim) printf '%s\n' any equal units: ;;
  *) return 1 ;;
  esac
}

_quorvel_lab() {
  local cword=$COMP_CWORD
  local cur=${COMP_WORDS[cword]} prev=${COMP_WORDS[cword - 1]:-}
  # "--mode=DEEP": bash splits the word at "=", so the option stands before it.
  if [[ $cur == = ]]; then
    cur=
  elif [[ $prev == = ]]; then
    prev=${COMP_WORDS[cword - 2]:-}
  fi
  # What the player typed, without the quote opened or the backslashes.
  cur=${cur#[\"\']}
  cur=${cur//\\/}
  COMPREPLY=()

  local i options_end=
  for ((i = 1; i < cword; i++)); do
    [[ ${COMP_WORDS[i]} == -- ]] && options_end=1
  done

  local values value
  if [[ -z $options_end ]]; then
    if values=$(_quorvel_lab_values "$prev"); then
      while IFS= read -r value; do
        [[ $value == "$cur"* ]] && COMPREPLY+=("$value")
      done <<<"$values"
      # Quote the values as file names are quoted; "units:" waits for its N.
      compopt -o filenames 2>/dev/null
      [[ ${#COMPREPLY[@]} -eq 1 && ${COMPREPLY[0]} == *: ]] && compopt -o nospace 2>/dev/null
      return 0
    fi
    case $prev in
    --base-bet | --bankroll | --safe-level | --wins | --losses | --n-count | --seed | \
      --seconds-per-spin | --random | --chance)
      return 0
      ;;
    esac
    if [[ $cur == -* && $prev != --ledger ]]; then
      local option
      for option in --mode --type --sectors --system --base-bet --bankroll --safe-level \
        --auto-reset --aim --minimal-profit --wins --losses --n-count --seed \
        --seconds-per-spin --random --chance --json --ledger --grid --help; do
        [[ $option == "$cur"* ]] && COMPREPLY+=("$option")
      done
      return 0
    fi
  fi

  # Spin files, and the ledger's file.
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}

complete -F _quorvel_lab quorvel-lab
