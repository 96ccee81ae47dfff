#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when
# any of them is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev libxlsxwriter-dev zlib1g-dev
  libv4l-dev libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool imagemagick openbox
  locales
  python3 python3-openpyxl
  fonts-dejavu-core fonts-liberation
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# The Russian locale the program's users have; the tests run under it too.
has_ru_locale() {
  locale -a 2>/dev/null | grep -qiE '^ru_RU\.utf-?8$'
}

if [ ${#missing[@]} -eq 0 ] && has_ru_locale; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    SUDO=sudo
  else
    echo "Missing: ${missing[*]:-} (or the ru_RU.UTF-8 locale)" >&2
    echo "Install them as root (or run this script with sudo)." >&2
    exit 1
  fi
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if ! has_ru_locale; then
  echo "Generating the ru_RU.UTF-8 locale"
  # Listed in locale.gen, so that a later locale-gen (an upgrade of the locales
  # package) keeps it; made directly where there is no locale-gen.
  if [ -f /etc/locale.gen ] && command -v locale-gen >/dev/null 2>&1; then
    $SUDO sed -i 's/^# *\(ru_RU\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ru_RU\.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
  fi
  has_ru_locale || $SUDO localedef -i ru_RU -c -f UTF-8 ru_RU.UTF-8
fi
has_ru_locale || { echo "The ru_RU.UTF-8 locale could not be generated" >&2; exit 1; }
