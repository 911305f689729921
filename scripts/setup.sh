# Shared set-up for the scripts: sourced, not run. Installs the Debian packages a step needs when
# they are missing, and says what it did.

step() { printf '\n== %s\n' "$*"; }

# ensure_packages NAME...: installs the named Debian packages that are not installed yet.
ensure_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        echo "All needed packages are installed: $*"
        return
    fi
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=sudo
        else
            echo "Missing packages: ${missing[*]}; install them as root (apt-get install ${missing[*]}) and run again." >&2
            exit 1
        fi
    fi
    echo "Installing missing packages with apt-get: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    echo "Installed: ${missing[*]}"
}

NATIVE_PACKAGES=(cmake ninja-build g++ libgtest-dev)
WINDOWS_PACKAGES=(cmake ninja-build googletest g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb xauth)
# Driving the game on a virtual display: a window manager (without one new windows get no
# keyboard focus), the pointer and keys, and screenshots.
DESKTOP_PACKAGES=(openbox xdotool imagemagick)

# prepare_wine BUILD_FOLDER: makes the build folder's own Wine prefix once (about ten seconds).
prepare_wine() {
    export WINEPREFIX="$1/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX"
        # Wine makes the prefix itself but not the folders above it.
        mkdir -p "$1"
        wineboot -i >/dev/null 2>&1
        # The new prefix's Wine processes started without the virtual display; the tests must
        # start their own on it, not share these.
        wineserver -w
    fi
}
