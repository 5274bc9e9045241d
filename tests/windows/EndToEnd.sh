#!/usr/bin/env bash
# The Windows kinloom-cli.exe, under Wine, against the game installed as its installer does it:
# the registry keys written by reg.exe in the 32-bit view, the user data in the Documents folder
# of a Wine prefix of its own. It checks, through the real Win32 calls, that the game is found
# through the registry (two editions, the user-data folders of both present), that names with
# non-ASCII and non-BMP characters pass the command line, that an existing file is replaced, that
# a running game is noticed, and that a file another program holds open is never replaced.
#   EndToEnd.sh KINLOOM-CLI.EXE HOLDFILE.EXE WORK-FOLDER
set -euo pipefail
cli=$1 holder=$2 work=$3
wine=${KINLOOM_WINE:-/usr/lib/wine/wine64}

rm -rf "$work"
mkdir -p "$work/home"
# Wine links the prefix's Documents to $HOME: a home of its own keeps the player's untouched.
export HOME="$work/home" WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine turns the Unix arguments into the UTF-16 command line through the locale's encoding.
export LC_ALL=C.UTF-8
trap '"${wine%/*}/wineserver" -k >/dev/null 2>&1 || true' EXIT
"$wine" wineboot -i >/dev/null 2>&1

failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
# Runs the tool; its output in $out, errors in $err, exit code in $rc.
cli() {
  rc=0
  out=$("$wine" "$cli" "$@" 2>"$work/err") || rc=$?
  err=$(cat "$work/err")
}
expect_code() { [ "$rc" = "$1" ] || fail "$2: exit code $rc, expected $1; output: $out; errors: $err"; }
expect_text() { case "$1" in *"$2"*) ;; *) fail "$3: \"$2\" not in: $1" ;; esac; }

user=$("$wine" cmd /c 'echo %USERNAME%' 2>/dev/null | tr -d '\r')
documents_unix="$WINEPREFIX/drive_c/users/$user/Documents"
rm -f "$documents_unix" && mkdir -p "$documents_unix"
documents="C:\\users\\$user\\Documents"

reg() { "$wine" reg "$@" /reg:32 >/dev/null 2>&1; }
tm=$'\u2122'
retail="The Sims 2"
collection="The Sims$tm 2 Ultimate Collection"

# The user data of both editions, written by the Windows tool itself (a non-ASCII folder name on
# its command line).
for edition in "$retail" "$collection"; do
  cli demo "$documents\\EA Games\\$edition"
  expect_code 0 "demo into $edition"
done
[ -d "$documents_unix/EA Games/$collection/Neighborhoods/N001" ] ||
  fail "the demo went elsewhere than \"$collection\": $(ls "$documents_unix/EA Games")"

# Without the registry nothing says which folder is the game's.
cli neighborhoods
expect_code 1 "neighborhoods without the game's keys"
expect_text "$err$out" "Several game user-data folders" "neighborhoods without the game's keys"

for edition in "$retail" "$collection"; do
  reg delete 'HKLM\Software\EA GAMES' /f || true
  reg add 'HKLM\Software\EA GAMES\The Sims 2' /v DisplayName /d "$edition" /f
  reg add 'HKLM\Software\EA GAMES\The Sims 2\1.0' /v LanguageName /d 'English US' /f
  cli neighborhoods
  expect_code 0 "neighborhoods of $edition"
  expect_text "$out" "N001	Willowmere Hollow" "neighborhoods of $edition"
  expect_text "$out" "EA Games\\$edition\\Neighborhoods\\N001\\N001_Neighborhood.package" \
    "the folder the registry names for $edition"
done

# A name no ANSI code page holds, on the command line and back.
name=$'Zo\u00eb \U0001F600'
cli set N001 N001_User00005.package "FirstName=$name"
expect_code 0 "set a name with non-ASCII and non-BMP characters"
cli show N001 N001_User00005.package
expect_code 0 "show after set"
expect_text "$out" "\"FirstName\": \"$name\"" "the name as set"

# Another program holding a file open, as the game holds its packages: others may read it, but
# not replace or delete it. Started under NAME, holding the Windows path FILE until let go.
holders=0
hold() {
  local name=$1 file=$2
  holders=$((holders + 1))
  cp "$holder" "$work/$name"
  rm -f "$WINEPREFIX/drive_c/held-$holders" "$WINEPREFIX/drive_c/let-go"
  "$wine" "$work/$name" "$file" "C:\\held-$holders" 'C:\let-go' >/dev/null 2>&1 &
  holder_pid=$!
  for _ in $(seq 1 300); do [ -e "$WINEPREFIX/drive_c/held-$holders" ] && return 0; sleep 0.1; done
  fail "$name did not start holding $file"
}
let_go() {
  touch "$WINEPREFIX/drive_c/let-go"
  wait "$holder_pid" || true
}

# A file that exists is replaced; held open by another program it is left as it was.
sims_csv="$WINEPREFIX/drive_c/sims.csv"
cli export N001 --csv 'C:\sims.csv'
expect_code 0 "export"
cli set N001 N001_User00005.package FirstName=Replaced
expect_code 0 "set before exporting again"
cli export N001 --csv 'C:\sims.csv' --replace
expect_code 0 "export over the existing file"
expect_text "$(cat "$sims_csv" 2>/dev/null)" "Replaced" "the exported file replaced"
cp "$sims_csv" "$work/sims-before.csv"
hold Viewer.exe 'C:\sims.csv'
cli set N001 N001_User00005.package FirstName=Later
cli export N001 --csv 'C:\sims.csv' --replace
expect_code 5 "export over a file another program holds open"
cmp -s "$sims_csv" "$work/sims-before.csv" || fail "a file held open was changed"
leftovers=$(find "$WINEPREFIX/drive_c" -maxdepth 1 -name '*sims.csv?*' | wc -l)
[ "$leftovers" = 0 ] || fail "files were left beside the held file: $(ls "$WINEPREFIX/drive_c")"
let_go

# The game running: a program named like its executable, holding the sim's package open.
hood="$documents_unix/EA Games/$collection/Neighborhoods/N001"
if [ ! -d "$hood" ]; then
  fail "no neighborhood folder $hood"
  echo "$failures end-to-end check(s) failed" >&2
  exit 1
fi
snapshot() { (cd "$hood" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
before=$(snapshot)
hold Sims2EP9.exe "$documents\\EA Games\\$collection\\Neighborhoods\\N001\\Characters\\N001_User00005.package"

cli set N001 N001_User00005.package FirstName=Held
expect_code 4 "set while the game runs"
expect_text "$err" "appears to be running" "set while the game runs"
expect_text "$err" "Sims2EP9.exe" "set while the game runs names the game's process"
cli set N001 N001_User00005.package FirstName=Held --force
expect_code 5 "set --force on a package the game holds open"
[ "$(snapshot)" = "$before" ] || fail "a package held open was changed, or a file was left beside it"

let_go
cli set N001 N001_User00005.package FirstName=Agnes
expect_code 0 "set once the game has closed"
cli show N001 N001_User00005.package
expect_text "$out" '"FirstName": "Agnes"' "the name saved once the game has closed"

if [ "$failures" -ne 0 ]; then
  echo "$failures end-to-end check(s) failed" >&2
  exit 1
fi
echo "Windows end to end: every check passed"
