#!/usr/bin/env bash
# Installs with apt-get whatever the build needs and the machine lacks (Debian).
set -euo pipefail
# The second line is for the installed-tree tests and the Debian package (cpack -G DEB):
# desktop-file-validate, update-mime-database, xmllint, file, dpkg-shlibdeps, and pdftotext for
# reading the fixture sheet back from its PDF. The third is the live output: OLA's client library
# to build against, and its daemon for the tests.
needed=(cmake ninja-build g++ qt6-base-dev nlohmann-json3-dev libpugixml-dev
  desktop-file-utils shared-mime-info libxml2-utils file dpkg-dev poppler-utils
  pkg-config libola-dev ola ${EXTRA_PACKAGES:-})
missing=()
for p in "${needed[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
