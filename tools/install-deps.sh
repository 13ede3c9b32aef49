#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those missing, without questions.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsqlite3-dev sqlite3 libicu-dev libpugixml-dev libzip-dev libxlsxwriter-dev libfreexl-dev
  mdbtools-dev libsodium-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libxkbcommon-dev fonts-noto-cjk xvfb xauth xdg-utils x11-utils bc
  # Qt's own texts (file dialogs, edit menus, standard buttons) in Japanese
  qt6-translations-l10n
  # pdftotext and pdftoppm: the printing tests read printed PDFs back
  poppler-utils
  # glabels-3-batch: only the printing benchmark's comparison (it skips the comparison without it)
  glabels
  # an independent reader of the .xlsx files the export writes, for its read-back tests
  python3-openpyxl
  # the checks of the desktop entry and the AppStream file, and the Debian package's dependencies
  desktop-file-utils appstream dpkg-dev
  # rsvg-convert: the icon's PNG sizes drawn from its SVG
  librsvg2-bin
)
# npm fetches public data packages at build time; a Node.js install of its own brings it along.
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
