# Sourced by scripts/run and scripts/test: installs the Debian packages the
# build, the program and the tests need, when any of them is missing.
# qt6-charts-dev needs libqt6opengl6-dev for find_package(Qt6 Charts) but does
# not pull it in, so it is named here.
LINKBENCH_PACKAGES=(
    cmake ninja-build g++ pkg-config ccache clang-format clang-14 libclang-rt-14-dev
    qt6-base-dev qt6-serialport-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n libgl-dev
    fonts-arphic-uming
    fp-utils poppler-utils socat xvfb xauth imagemagick x11-utils xdotool xdg-utils desktop-file-utils
    dpkg-dev file lintian libxml2-utils
    libtomlplusplus-dev
)

linkbench_install_deps() {
    local missing=()
    local pkg
    for pkg in "${LINKBENCH_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# Compiles go through ccache, with paths taken relative to the checkout and
# the build folder left out of the hash, so a second build of the same sources
# (another clone on the same machine) compiles only what changed. The
# sloppiness lets ccache cache the compiles that use a precompiled header.
linkbench_ccache() {
    export CCACHE_BASEDIR="$LINKBENCH_ROOT" CCACHE_NOHASHDIR=1
    export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
}

linkbench_build() {
    local dir=$1
    shift
    linkbench_ccache
    cmake -S "$LINKBENCH_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}
