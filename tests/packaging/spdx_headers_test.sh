#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel authors
# SPDX-License-Identifier: GPL-3.0-or-later

# scripts/add-spdx-headers on a small tree of every kind of file: the lines in
# each file's comment style and in the right place, the files REUSE.toml
# covers left alone, a second run a no-op, an unknown kind refused with
# nothing written.
set -uo pipefail
script=$1

source "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"

tree=$work/tree
mkdir -p "$tree/src" "$tree/pack" "$tree/pics" "$tree/LICENSES"
copyright="SPDX-""FileCopyrightText: 2026 The Quorvel authors"
gpl="SPDX-""License-Identifier: GPL-3.0-or-later"
cat >"$tree/REUSE.toml" <<EOF
version = 1
[[annotations]]
path = ["pics/**.png", "pics/**.txt"]
SPDX-FileCopyrightText = "2026 The Quorvel authors"
SPDX-License-Identifier = "CC0-1.0"
EOF
printf '#pragma once\n' >"$tree/src/a.hpp"
printf '#!/usr/bin/env bash\necho hi\n' >"$tree/src/run"
chmod 750 "$tree/src/run"
printf 'project(x)\r\n' >"$tree/src/CMakeLists.txt"
printf '<?xml version="1.0"?>\n<component/>\n' >"$tree/pack/x.metainfo.xml.in"
printf '.TH X 1\n' >"$tree/pack/x.1"
printf '# Title\n' >"$tree/README.md"
printf '\x89PNG' >"$tree/pics/shot.png"
printf '1\n2\n' >"$tree/pics/spins.txt"
printf 'licence text\n' >"$tree/LICENSES/GPL-3.0-or-later.txt"
printf "// $gpl\nint x;\n" >"$tree/src/done.cpp"
cp -r "$tree" "$work/before"

# expect FILE CONTENT: the file holds exactly CONTENT (printf format).
expect() {
  local wanted
  wanted=$(printf "$2")
  [ "$(cat "$tree/$1")" = "$wanted" ] || fail "$1 reads:"$'\n'"$(cat "$tree/$1")"$'\n'"not:"$'\n'"$wanted"
}

"$script" "$tree" >/dev/null || fail "the first run exits $?"
expect src/a.hpp "// $copyright\n// $gpl\n\n#pragma once"
expect src/run "#!/usr/bin/env bash\n# $copyright\n# $gpl\n\necho hi"
[ "$(stat -c %a "$tree/src/run")" = 750 ] || fail "src/run lost its permissions"
expect src/CMakeLists.txt "# $copyright\r\n# $gpl\r\n\r\nproject(x)\r"
expect pack/x.metainfo.xml.in \
  "<?xml version=\"1.0\"?>\n<!-- $copyright -->\n<!-- ${gpl%GPL*}CC0-1.0 -->\n\n<component/>"
expect pack/x.1 ".\\\\\" $copyright\n.\\\\\" $gpl\n.TH X 1"
expect README.md "<!-- $copyright -->\n<!-- $gpl -->\n\n# Title"
for file in pics/shot.png pics/spins.txt LICENSES/GPL-3.0-or-later.txt src/done.cpp; do
  cmp -s "$tree/$file" "$work/before/$file" || fail "$file was changed"
done

cp -r "$tree" "$work/after"
output=$("$script" "$tree") || fail "the second run exits $?"
diff -r "$work/after" "$tree" >/dev/null || fail "the second run changed files"
grep -qF " 0 file(s)" <<<"$output" || fail "the second run says: $output"
"$script" --check "$tree" >/dev/null || fail "--check finds files without lines after a run"

# A file of a kind without a known comment style stops everything.
rm -rf "$tree"
cp -r "$work/before" "$tree"
printf 'x\n' >"$tree/src/data.bin"
if output=$("$script" "$tree" 2>&1); then
  fail "an unknown kind of file is accepted"
fi
grep -qF "src/data.bin" <<<"$output" || fail "the refusal does not name the file: $output"
diff -r "$work/before" "$tree" -x data.bin >/dev/null || fail "files were written despite the refusal"
"$script" --check "$work/before" >/dev/null && fail "--check passes a tree without lines"

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" -eq 0 ]
