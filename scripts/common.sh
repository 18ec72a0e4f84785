# Shared by scripts/run and scripts/test: installs what is missing and builds.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PACKAGES=(cmake g++ make pkg-config clang libclang-rt-14-dev
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri libegl-dev libegl-mesa0 libx11-dev libglx-dev libxtst-dev
  zlib1g-dev libjpeg62-turbo-dev libfltk1.3-dev libcurl4-openssl-dev libssl-dev libarchive-dev libpng-dev
  nlohmann-json3-dev libgtest-dev libbenchmark-dev xvfb xdotool gcab openssl python3
  shared-mime-info xdg-utils desktop-file-utils libfile-mimeinfo-perl)
# The built-in font's glyphs are rasterised from Liberation Sans with FreeType (tools/vessant_font).
PACKAGES+=(fonts-liberation2 libfreetype-dev)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build DIR [cmake options...]
build() {
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}
