# Shared shell functions of the build/run/test scripts. Source it; do not run it.
# shellcheck shell=bash

HARNESS_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
HARNESS_TOOLCHAIN="$HARNESS_ROOT/cmake/mingw-w64-x86_64.cmake"
HARNESS_JOBS="${HARNESS_JOBS:-2}"
# Where builds, prefixes and logs go (a different folder gives a clean build without touching build/).
HARNESS_BUILD_ROOT="${HARNESS_BUILD_ROOT:-$HARNESS_ROOT/build}"

# Debian packages the scripts need, and a command of each that tells whether it is there.
HARNESS_PACKAGES=(
    "g++-mingw-w64-x86-64:x86_64-w64-mingw32-g++-posix"
    "wine:wine"
    "wine64:wine64"
    "xvfb:Xvfb"
    # A nested X server with two screens side by side: the only way to give Wine two monitors here.
    "xserver-xephyr:Xephyr"
    "xdotool:xdotool"
    "openbox:openbox"
    "x11-utils:xdpyinfo"
    "x11-xserver-utils:xset"
    "imagemagick:import"
    # Reads menu items back from screenshots in the end-to-end tests.
    "tesseract-ocr:tesseract"
    "fp-utils:chmcmd"
    # makensis: the installer of scripts/release.sh and of its end-to-end test.
    "nsis:makensis"
    "fonts-liberation:"
    "fonts-wine:"
    "googletest:"
    "libgtest-dev:"
    "cmake:cmake"
    "python3:python3"
    # clang with its runtime libraries: the sanitizer build of the core tests and the libFuzzer targets.
    "clang:clang++"
    "libclang-rt-dev:"
)

# Debian's Wine 8 comes without its preloader, the small program that keeps the addresses Wine needs at fixed
# places free before Linux maps anything there. Linux puts the heap of a Wine process anywhere in the gigabyte
# above Wine's loader (0x7d000000); about one start in a few thousand it covers the shared user data page at
# 0x7ffe0000 and the process ends at once with exit code 1, its only word an error that WINEDEBUG=-all keeps quiet
# ("err:virtual:virtual_alloc_first_teb wine: failed to map the shared user data: c0000018"). Without address
# randomisation the heap starts right after the loader, 46 MB below that page. Call it first with the script's
# arguments: it runs the script again that way, once, and everything the script starts inherits the layout.
harness_fixed_address_layout() {
    local personality
    personality=$(cat "/proc/$$/personality" 2>/dev/null) || return 0
    ((0x$personality & 0x0040000)) && return 0 # ADDR_NO_RANDOMIZE is set already
    if setarch "$(uname -m)" -R true 2>/dev/null; then
        exec setarch "$(uname -m)" -R "$BASH" "$0" "$@"
    fi
    printf '[harness] warning: setarch -R failed: about one Wine start in a few thousand may fail\n' >&2
}

harness_log() { printf '[harness] %s\n' "$*" >&2; }
harness_die() { printf '[harness] error: %s\n' "$*" >&2; exit 1; }

_harness_package_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# Installs whatever of HARNESS_PACKAGES is missing: one apt-get update, one install. Nothing when all are there.
harness_install_deps() {
    local entry pkg cmd missing=()
    for entry in "${HARNESS_PACKAGES[@]}"; do
        pkg="${entry%%:*}"
        cmd="${entry#*:}"
        if command -v dpkg-query >/dev/null 2>&1; then
            _harness_package_installed "$pkg" && continue
            # A command found elsewhere (e.g. python3 from another install) is good enough.
            [[ -n "$cmd" ]] && command -v "$cmd" >/dev/null 2>&1 && continue
        else
            [[ -n "$cmd" ]] && command -v "$cmd" >/dev/null 2>&1 && continue
        fi
        missing+=("$pkg")
    done
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    harness_log "installing missing packages: ${missing[*]}"
    command -v apt-get >/dev/null 2>&1 || harness_die "apt-get not found; install by hand: ${missing[*]}"
    local sudo=()
    if [[ "$(id -u)" != 0 ]]; then
        command -v sudo >/dev/null 2>&1 || harness_die "need root (or sudo) to install: ${missing[*]}"
        sudo=(sudo)
    fi
    # Another tree's script may be installing at the same moment: wait for its lock instead of failing.
    local wait_lock=(-o DPkg::Lock::Timeout=900)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${wait_lock[@]}" update -q ||
        harness_die "apt-get update failed"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${wait_lock[@]}" install -y -q --no-install-recommends "${missing[@]}" ||
        harness_die "apt-get install failed"
}

# Configures the native build: the core, its tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the libFuzzer targets, all with clang. A build folder made with another compiler starts afresh.
harness_configure_native() {
    local build="$1"
    shift
    if [[ -f "$build/CMakeCache.txt" ]] && ! grep -q '^CMAKE_CXX_COMPILER:.*clang++' "$build/CMakeCache.txt"; then
        rm -rf "$build"
    fi
    cmake -S "$HARNESS_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=clang \
        -DCMAKE_CXX_COMPILER=clang++ -DUPLIFT_SANITIZE=ON "$@"
}

# Configures the Windows build. The emulator carries the prefix so that test discovery at build time and
# ctest both run in the harness's prefix and never in ~/.wine.
harness_configure_windows() {
    local build="$1" prefix="$2"
    shift 2
    cmake -S "$HARNESS_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$HARNESS_TOOLCHAIN" \
        "-DCMAKE_CROSSCOMPILING_EMULATOR=env;WINEPREFIX=$prefix;WINEDEBUG=-all,err+all;WINEDLLOVERRIDES=mscoree,mshtml=;wine" \
        "$@"
}

# Waits for an exclusive lock on a file (one test or bench run per tree at a time). Keeps fd 9.
harness_lock() {
    local file="$1"
    mkdir -p "$(dirname "$file")"
    exec 9>"$file"
    if ! flock -n 9; then
        harness_log "another run holds $file; waiting for it"
        flock 9
    fi
}
