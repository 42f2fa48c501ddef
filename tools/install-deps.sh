#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Quick when all is there.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qtbase5-dev libqt5opengl5-dev qttools5-dev qttools5-dev-tools
    qtmultimedia5-dev libqt5multimedia5-plugins gstreamer1.0-plugins-good qttranslations5-l10n
    qtwebengine5-dev libqt5webchannel5-dev
    libglew-dev libglu1-mesa-dev libgl1-mesa-dri mesa-utils
    libpng-dev libjpeg-dev libxcb1-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-dev
    xvfb xauth openbox x11-utils fonts-dejavu-core fonts-liberation2 locales tzdata
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: ${missing[*]}; run as root or install them." >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A comma-decimal locale lets the tests prove that numbers stay C-locale.
if [ "$(id -u)" -eq 0 ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    locale-gen >/dev/null 2>&1 || true
fi
