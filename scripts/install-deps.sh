#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test Pelmora.
# Only packages that are missing are installed; apt-get update runs once, and only when needed.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libicu-dev libzip-dev liblhasa-dev libacl1-dev libuchardet-dev
  libwmf-dev libemf2svg-dev qt6-svg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # ChoiView: web pages, PDF, media (GStreamer backend), MIDI through FluidSynth with a small
  # General MIDI sound font; office documents are converted by LibreOffice without its GUI
  qt6-webengine-dev qt6-pdf-dev qt6-multimedia-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-plugins-ugly gstreamer1.0-libav
  fluidsynth libfluidsynth-dev timgm6mb-soundfont
  libreoffice-writer-nogui libreoffice-calc-nogui libreoffice-impress-nogui libreoffice-draw-nogui
  # unshare runs LibreOffice without network access (Essential on Debian; named for clarity)
  util-linux
  # the image plug-ins shipped with the program
  libpng-dev libjpeg-dev libtiff-dev libgif-dev
  # network: SMB client library, DNS-SD browsing; samba and smbclient for the tests' server
  libsmbclient-dev libavahi-client-dev samba smbclient
  # fuzz targets: clang with libFuzzer and the sanitizer runtimes
  clang libclang-rt-14-dev
  # run: Japanese captions need a CJK font (IPAGothic is also ChoiView's fixed-width text
  # font, which the tests expect), Qt's own buttons and dialogs its Japanese translations;
  # xdg-open opens files with their program
  fonts-ipafont-gothic qt6-translations-l10n xdg-utils
  # the program's catalogue: lupdate and lrelease (Qt Linguist's tools, with their CMake
  # package), python3 for the table of the programs without Qt; the C library's messages in
  # Japanese (libc-l10n, and the ja_JP.UTF-8 locale generated below)
  qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools python3 libc-l10n
  # tests: X server for the clipboard run and a window manager for docking, reference archivers, ACL tools
  xvfb openbox x11-utils xclip xauth unzip zip lhasa jlha-utils acl attr tree
  # tests: the shared MIME database the thumbnailer's types are checked against
  shared-mime-info
  # benchmarks: the ja_JP.UTF-8 locale of the sort comparison
  locales
  # benchmarks: ImageMagick and Ghostscript, against which render_bench.sh times render
  imagemagick ghostscript
  # the Windows build (scripts/build-windows.sh): mingw-w64 with POSIX threads, its zlib,
  # GoogleTest's source, dpkg-source to unpack Debian's libzip and lhasa sources, and Wine
  # to run the tests
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest dpkg-dev wine wine64
)

# The system's failure texts in Japanese need the ja_JP.UTF-8 locale.
generate_japanese_locale() {
  if locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then return 0; fi
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  $sudo locale-gen
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  generate_japanese_locale
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
generate_japanese_locale
