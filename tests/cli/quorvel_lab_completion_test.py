#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Quorvel authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""The bash completion of quorvel-lab, as a player meets it.

    quorvel_lab_completion_test.py COMPLETION_FILE PROGRAM

Each case types a command line into an interactive bash on a terminal, tabs
included, and presses Enter: a stand-in for quorvel-lab prints the arguments
it received. So the case checks what completion and the shell's quoting
together hand to the program, as one would see it at a terminal.
"""

import os
import pty
import re
import subprocess
import sys
import tempfile

completion, program = sys.argv[1], sys.argv[2]
failures = []

# (what is typed, the arguments the program receives)
CASES = [
    ("--mo\t", ["--mode"]),
    ("--mode DEEP\t", ["--mode", "DEEP SCAN 4.1"]),
    ('--mode "SM\t', ["--mode", "SMART 2024"]),
    ("--mode=PAR\t", ["--mode=PARADOX 4.1"]),
    ("--sectors Doz\t", ["--sectors", "Dozens & Columns"]),
    ("--sectors Only\\ D\t", ["--sectors", "Only Dozens"]),
    ("--sectors 'Only C\t", ["--sectors", "Only Columns"]),
    ("--system D-Donald\\ \t", ["--system", "D-Donald (Softer)"]),
    ("--system CU\t", ["--system", "CUSTOM"]),
    ("--type 2 --auto-reset of\t", ["--type", "2", "--auto-reset", "off"]),
    ("--aim uni\t5", ["--aim", "units:5"]),
    # Files: positional, for the ledger, and after "--" even when they look
    # like options.
    ("samp\t", ["sample spins (300).txt"]),
    ("--led\t out\t", ["--ledger", "out dir/"]),
    ("-- --m\t", ["--", "--mode file.txt"]),
    # A free value completes nothing rather than a file.
    ("--random sa\t", ["--random", "sa"]),
]


def typed(line, folder):
    """Types `quorvel-lab LINE` and Enter; returns the arguments received."""
    pid, fd = pty.fork()
    if pid == 0:
        os.chdir(folder)
        os.environ.update(PS1="$ ", INPUTRC="/dev/null", HOME=folder, TERM="dumb")
        os.execvp("bash", ["bash", "--norc", "--noprofile", "-i"])
    # Readline takes the keys in order: every tab completes before the next
    # key is read, so the whole session can be typed at once.
    script = (f"source '{completion}'\n"
              "quorvel-lab() { printf '<%s>' \"$@\"; printf '|end\\n'; }\n"
              f"quorvel-lab {line}\nexit\n")
    os.write(fd, script.encode())
    output = b""
    while True:
        try:
            chunk = os.read(fd, 4096)
        except OSError:
            break
        if not chunk:
            break
        output += chunk
    os.waitpid(pid, 0)
    for text in output.decode(errors="replace").splitlines():
        if text.endswith("|end") and text.startswith("<"):
            return re.findall(r"<(.*?)>", text[: -len("|end")])
    return None


with tempfile.TemporaryDirectory() as folder:
    open(os.path.join(folder, "sample spins (300).txt"), "w").close()
    open(os.path.join(folder, "--mode file.txt"), "w").close()
    os.mkdir(os.path.join(folder, "out dir"))
    for line, expected in CASES:
        received = typed(line, folder)
        if received != expected:
            failures.append(f"typed 'quorvel-lab {line!r}': the program received {received}, "
                            f"not {expected}")

# The completion offers exactly the options the program explains.
offered = subprocess.run(
    ["bash", "-c", f"source '{completion}' && COMP_WORDS=(quorvel-lab --) COMP_CWORD=1 && "
     "_quorvel_lab && printf '%s\\n' \"${COMPREPLY[@]}\""],
    capture_output=True, text=True, check=False)
help_text = subprocess.run([program, "--help"], capture_output=True, text=True, check=False).stdout
explained = set(re.findall(r"(?<![\w-])--[a-z][a-z-]*", help_text))
if offered.returncode != 0 or set(offered.stdout.split()) != explained:
    failures.append(f"the completion offers {sorted(set(offered.stdout.split()))}, "
                    f"--help explains {sorted(explained)}: {offered.stderr}")

for failure in failures:
    print("FAIL:", failure, file=sys.stderr)
print(f"{len(CASES) + 1 - len(failures)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
