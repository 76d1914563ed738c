#!/usr/bin/env bash
# Installs the Debian packages the build needs, only when some are missing.
# Other distributions: install the equivalents of the packages listed below by hand
# (C++20 compiler, CMake >= 3.25, Ninja, pkg-config, GoogleTest/GoogleMock, Google Benchmark,
# jsoncpp, libudev, libsystemd (sd-bus), ALSA (libasound2), libcurl with OpenSSL and the CA certificates for the update check, OpenSSL
# development files for its tests' HTTPS server, Qt 6 base/tools/svg development files, the
# XCB for the X server's pointer control, the gsettings tool with GNOME's desktop schemas for the
# desktop-settings tests, the D-Bus daemon and tools for the single-instance test, DejaVu, WenQuanYi Micro Hei and Loma
# fonts for Latin, CJK and Thai, and for the packaging tests the desktop-entry and AppStream
# validators, groff and man).
set -euo pipefail

PACKAGES=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    libjsoncpp-dev libudev-dev libsystemd-dev libcurl4-openssl-dev libssl-dev ca-certificates libasound2-dev
    qt6-base-dev qt6-tools-dev libqt6opengl6-dev qt6-svg-dev
    libxcb1-dev libglib2.0-bin gsettings-desktop-schemas
    dbus-daemon dbus-bin fonts-dejavu-core fonts-wqy-microhei fonts-tlwg-loma-otf
    desktop-file-utils appstream groff-base man-db
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
    echo "Missing packages: ${missing[*]} — install their equivalents with your package manager." >&2
    exit 1
fi
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
