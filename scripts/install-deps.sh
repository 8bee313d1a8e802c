#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, when it is missing.
set -euo pipefail

packages=(
    cmake make g++ googletest libgtest-dev          # native build and unit tests
    g++-mingw-w64-x86-64-posix mingw-w64            # the Windows build
    wine64 xvfb xauth x11-utils imagemagick         # running under Wine, with or without a display
    clang libclang-rt-14-dev                        # fuzzing with sanitizers
    python3 unzip procps                            # end-to-end and benchmark helpers
    wixl msitools faketime                          # the installer package (faketime: its dates), reading it
    osslsigncode openssl                            # signing the release, and a throw-away test certificate
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
