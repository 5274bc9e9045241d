# The Windows build, cross-compiled with mingw-w64 and run under Wine. Sourced by ./test.
# Everything comes from Debian: the compiler, Wine, and the source packages of the image
# libraries, which are built here for Windows.

kinloom_windows_packages=(mingw-w64 wine64 dpkg-dev)
kinloom_wine=/usr/lib/wine/wine64

# apt-get source needs a deb-src line; add one for this Debian release when none is there.
kinloom_ensure_source_lists() {
  if grep -rqsE '^[[:space:]]*(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return 0
  fi
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  if [ "$(id -u)" -ne 0 ]; then
    echo "No deb-src entry is configured; add one for $codename (as root) and run again." >&2
    return 1
  fi
  echo "Adding Debian's source lists for $codename"
  cat >/etc/apt/sources.list.d/kinloom-src.sources <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename $codename-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: $codename-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  DEBIAN_FRONTEND=noninteractive apt-get update -qq
}

# Builds one library's source package for Windows into the prefix, once.
#   kinloom_windows_library SOURCE-PACKAGE STAMP-NAME [cmake args...]
kinloom_windows_library() {
  local package=$1 name=$2; shift 2
  local stamp="$deps/$name.built"
  [ -f "$stamp" ] && return 0
  mkdir -p "$deps/src"
  local src
  src=$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1)
  if [ -z "$src" ]; then
    # A mirror may list a version it cannot serve (security sources often are): the newest
    # version first, then each other version the lists know.
    local version fetched=0
    for version in "" $(apt-cache showsrc "$package" 2>/dev/null | sed -n 's/^Version: //p' | sort -Vr -u); do
      if (cd "$deps/src" && apt-get source -qq "$package${version:+=$version}" >"$deps/src/$package.log" 2>&1); then
        fetched=1
        break
      fi
      rm -rf "${deps:?}/src/$package"[-_]*
    done
    [ $fetched = 1 ] || { cat "$deps/src/$package.log" >&2; echo "apt-get source $package failed" >&2; return 1; }
    src=$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1)
  fi
  echo "Building $package for Windows"
  rm -rf "$deps/build-$name"
  cmake -S "$src" -B "$deps/build-$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$kinloom_root/cmake/WindowsToolchain.cmake" \
    -DKINLOOM_WINDOWS_DEPS="$deps/prefix" -DCMAKE_INSTALL_PREFIX="$deps/prefix" \
    -DCMAKE_POLICY_DEFAULT_CMP0074=NEW "$@" >"$deps/build-$name.log" 2>&1 &&
    cmake --build "$deps/build-$name" -j2 ${kinloom_windows_target:+--target "$kinloom_windows_target"} \
      >>"$deps/build-$name.log" 2>&1 &&
    if [ -n "${kinloom_windows_target:-}" ]; then kinloom_windows_place_"$name"; else
      cmake --install "$deps/build-$name" >>"$deps/build-$name.log" 2>&1; fi ||
    { tail -n 30 "$deps/build-$name.log" >&2; echo "building $package for Windows failed (log: $deps/build-$name.log)" >&2; return 1; }
  touch "$stamp"
}

kinloom_windows_place_zlib() {
  mkdir -p "$deps/prefix/lib" "$deps/prefix/include"
  cp "$deps/build-zlib/libzlibstatic.a" "$deps/prefix/lib/libz.a" &&
    cp "$deps/build-zlib/zconf.h" "$src/zlib.h" "$deps/prefix/include/"
}

kinloom_windows_dependencies() {
  deps="$1"
  mkdir -p "$deps/prefix"
  kinloom_ensure_source_lists || return 1
  # Debian's zlib source lacks the DLL's resource file, so only the static library is built.
  kinloom_windows_target=zlibstatic kinloom_windows_library zlib zlib || return 1
  kinloom_windows_library libpng1.6 libpng -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_EXECUTABLES=ON \
    -DZLIB_ROOT="$deps/prefix" -DZLIB_LIBRARY="$deps/prefix/lib/libz.a" \
    -DZLIB_INCLUDE_DIR="$deps/prefix/include" || return 1
  # SIMD would need nasm; the plain C code decodes the same pictures.
  kinloom_windows_library libjpeg-turbo libjpeg -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF || return 1
  # nlohmann-json is headers only: the same files serve both builds, placed where the
  # cross build may look.
  if [ ! -d "$deps/prefix/include/nlohmann" ]; then
    mkdir -p "$deps/prefix/include" "$deps/prefix/share/cmake"
    cp -r /usr/include/nlohmann "$deps/prefix/include/"
    cp -r /usr/share/cmake/nlohmann_json "$deps/prefix/share/cmake/"
  fi
}

# Builds the core, kinloom-cli and their tests for Windows and runs them under Wine in a
# throwaway prefix (no display needed).
#   kinloom_windows_test DIR WERROR
kinloom_windows_test() {
  local dir=$1 werror=$2
  kinloom_windows_dependencies "$dir/deps" || return 1

  # A new prefix every run, with a home of its own (Wine links the prefix's Documents to $HOME).
  local home="$dir/wine-home" prefix="$dir/wineprefix"
  local -a wine_env=(HOME="$home" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=")
  rm -rf "$home" "$prefix"
  mkdir -p "$home"
  echo "Making a Wine prefix for the tests"
  env "${wine_env[@]}" "$kinloom_wine" wineboot -i >/dev/null 2>&1 ||
    { echo "wineboot failed" >&2; return 1; }
  # The machine the tests run on has the game with every expansion pack, as the 32-bit
  # installers register them.
  local pack
  env "${wine_env[@]}" "$kinloom_wine" reg add 'HKLM\Software\EA GAMES\The Sims 2' \
    /v DisplayName /d 'The Sims 2' /reg:32 /f >/dev/null 2>&1 || { echo "reg add failed" >&2; return 1; }
  for pack in University Nightlife 'Open For Business' Pets Seasons 'Bon Voyage' FreeTime; do
    env "${wine_env[@]}" "$kinloom_wine" reg add "HKLM\\Software\\EA GAMES\\The Sims 2 $pack" \
      /ve /reg:32 /f >/dev/null 2>&1 || { echo "reg add failed" >&2; return 1; }
  done

  local emulator="/usr/bin/env"
  local setting
  for setting in "${wine_env[@]}" "$kinloom_wine"; do emulator+=";$setting"; done
  kinloom_build "$dir/kinloom" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$kinloom_root/cmake/WindowsToolchain.cmake" \
    -DKINLOOM_WINDOWS_DEPS="$dir/deps/prefix" -DKINLOOM_GTEST_SOURCE=/usr/src/googletest \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator" \
    -DKINLOOM_GUI=OFF -DKINLOOM_BENCH=OFF -DKINLOOM_WERROR="$werror" || return 1
  local rc=0
  ctest --test-dir "$dir/kinloom" --output-on-failure -j2 || rc=$?
  env "${wine_env[@]}" "${kinloom_wine%/*}/wineserver" -k >/dev/null 2>&1 || true
  return $rc
}
