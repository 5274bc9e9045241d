#!/usr/bin/env bash
# Builds the Debian package from a finished build and checks it as a user's machine would meet
# it: the desktop entry and metainfo validate, every file lies in its standard place, the
# Depends are filled in, the man pages and the completion are well-formed, and the programs run
# from an unpacked copy.
#   CheckDebianPackage.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in cpack dpkg-deb desktop-file-validate appstreamcli man; do
  command -v "$tool" >/dev/null || fail "$tool is missing (tools/deps.sh lists its package)"
done

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
deb=$(ls "$work"/out/*.deb)
echo "built $(basename "$deb")"

dpkg-deb --field "$deb" Package | grep -qx kinloom || fail "the package is not named kinloom"
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libpng16-16 libjpeg62-turbo libyaml-cpp0.7 libstdc\\+\\+6; do
  grep -Eq "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends lacks $lib"
done

dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents"
app=io.github.quillfern.Kinloom
for path in \
  /usr/bin/kinloom /usr/bin/kinloom-cli /usr/share/kinloom/Images.rcc \
  /usr/share/applications/$app.desktop /usr/share/metainfo/$app.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/$app.svg \
  /usr/share/icons/hicolor/16x16/apps/$app.png /usr/share/icons/hicolor/48x48/apps/$app.png \
  /usr/share/icons/hicolor/256x256/apps/$app.png \
  /usr/share/man/man1/kinloom-cli.1.gz /usr/share/man/man1/kinloom.1.gz \
  /usr/share/bash-completion/completions/kinloom-cli; do
  grep -qx "$path" "$work/contents" || fail "the package lacks $path"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$app.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml" ||
  fail "metainfo invalid"
for page in kinloom-cli kinloom; do
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man page $page: $warnings"
done
# The completion offers commands, each command's options and the clone groups of a list.
completion=/usr/share/bash-completion/bash_completion
[ -f "$completion" ] || fail "bash-completion is missing (tools/deps.sh lists its package)"
completes() {
  local expected=$1; shift
  local got
  got=$(bash -c 'source "$1"; source "$2"; shift 2
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    _kinloom_cli kinloom-cli "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"; echo "${COMPREPLY[*]}"' \
    _ "$completion" "$root/usr/share/bash-completion/completions/kinloom-cli" "$@" 2>/dev/null)
  [ "$got" = "$expected" ] || fail "completing '$*' gave '$got', not '$expected'"
}
completes "sims show set" kinloom-cli s
completes "--all --verbose --user-data --wine-prefix" kinloom-cli neighborhoods --
completes "--replace --user-data --wine-prefix" kinloom-cli export-clone N001 sim file --
completes "body,skills" kinloom-cli import-clone N001 sim file --groups body,sk
file_type=$(head -c 8 "$root/usr/share/icons/hicolor/48x48/apps/$app.png" | od -An -tx1 | tr -d ' \n')
[ "$file_type" = 89504e470d0a1a0a ] || fail "the 48 px icon is not a PNG"

# Debian's own checker: any error or warning it reports fails the check. Without lintian the
# check says so and goes on.
if command -v lintian >/dev/null; then
  lintian_args=(--fail-on error,warning)
  [ "$(id -u)" -ne 0 ] || lintian_args+=(--allow-root)
  if lintian_out=$(lintian "${lintian_args[@]}" "$deb" 2>&1); then
    echo "lintian finds no errors or warnings"
    [ -z "$lintian_out" ] || echo "$lintian_out"
  else
    echo "$lintian_out" >&2
    fail "lintian reports errors or warnings in $(basename "$deb")"
  fi
else
  echo "lintian is not installed: the package was not checked with it (tools/deps.sh lists it)"
fi

bin="$root/usr/bin"
version=$(QT_QPA_PLATFORM=offscreen "$bin/kinloom" --version) || fail "kinloom --version"
echo "$version"
grep -q "^Kinloom [0-9]" <<<"$version" || fail "kinloom --version printed: $version"
"$bin/kinloom-cli" demo "$work/demo" >/dev/null || fail "kinloom-cli demo"
sims=$("$bin/kinloom-cli" sims N001 --user-data "$work/demo") || fail "kinloom-cli sims"
[ -n "$sims" ] || fail "kinloom-cli sims listed nothing"
echo "the unpacked programs run; $(wc -l <<<"$sims") sims listed"

# The unpacked window as a player starts it: it finds its pictures library beside it in
# share/kinloom (without it there is only "Bad DLL Load") and opens the demo picker.
/usr/bin/python3 "$(dirname "$0")/../programs/StartAsAPlayer.py" demo \
  --kinloom "$bin/kinloom" --cli "$bin/kinloom-cli" ||
  fail "the unpacked kinloom did not open the demo picker"
