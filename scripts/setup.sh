#!/usr/bin/env bash
# Installs whatever the build, the tests and the demo need and is not on this machine yet,
# including the 32-bit Wine that runs the shipped i686 program, Qt 6 for the Linux program, and
# what the Linux end-to-end driver works it with (a D-Bus session with the accessibility bus, the
# Python bindings for that and for X), what the release archives are made with, and the
# freedesktop validators that the release check runs over the Linux archive's desktop entry and
# AppStream metadata.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ clang-format
  clang libclang-rt-14-dev
  libgtest-dev googletest
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine wine64 wine32:i386 fonts-wine xvfb xauth imagemagick xdotool
  qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
  dbus at-spi2-core python3-pyatspi python3-xlib zip unzip
  desktop-file-utils appstream
)

SUDO=""
[[ $(id -u) -eq 0 ]] || SUDO="sudo"

# wine32 comes from Debian's i386 architecture, which a fresh machine does not have yet.
added_architecture=N
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture for the 32-bit Wine"
  $SUDO dpkg --add-architecture i386
  added_architecture=Y
fi

missing=()
for package in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]})) || [[ $added_architecture == Y ]]; then
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -qq
  if ((${#missing[@]})); then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
fi
