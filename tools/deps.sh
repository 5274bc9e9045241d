# Shared by ./run and ./test: make sure the Debian packages the build needs are present.
# Sourced, not run.

kinloom_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev fonts-dejavu-core
  libpng-dev libjpeg-dev zlib1g-dev
  nlohmann-json3-dev libyaml-cpp-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev clang-format clang-tidy
  qt6-svg-dev desktop-file-utils appstream dpkg-dev man-db bash-completion
  xvfb openbox dbus-daemon at-spi2-core python3-pyatspi x11-utils lintian
)

# kinloom_ensure_packages [more packages...]
kinloom_ensure_packages() {
  local missing=() p
  for p in "${kinloom_packages[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
      { echo "apt-get failed; install these by hand: ${missing[*]}" >&2; return 1; }
  else
    echo "Some packages are missing. Install them with:" >&2
    echo "  sudo apt-get install ${missing[*]}" >&2
    return 1
  fi
}

# Configure (once) and build one build directory with Ninja.
#   kinloom_build DIR [cmake args...]
kinloom_build() {
  local dir=$1; shift
  cmake -S "$kinloom_root" -B "$dir" -G Ninja "$@" >/dev/null || return 1
  cmake --build "$dir" -j2
}
