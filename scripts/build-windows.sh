#!/usr/bin/env bash
# Cross-builds the core, pelmora-list.exe and pelmora-tree.exe for 64-bit Windows with
# mingw-w64, then runs the core tests that do not need POSIX under Wine.
#
#   bash scripts/build-windows.sh [BUILD_FOLDER]     (default: build-windows)
#   PELMORA_WINDOWS_SKIP_TESTS=1 ...                  build only
#   PELMORA_LINUX_LISTER=PATH ...                     also compare pelmora-list.exe's listings
#                                                     with those of this Linux pelmora-list
#
# zlib comes from Debian's mingw package (libz-mingw-w64-dev). libzip and lhasa have none: their Debian source packages are
# fetched through a private copy of this machine's own apt source list (with the source type
# added) and built once into BUILD_FOLDER/deps, which later runs reuse.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$(pwd)
build_dir=$(realpath -m "${1:-build-windows}")
deps_dir="$build_dir/deps"
prefix="$deps_dir/prefix"
triplet=x86_64-w64-mingw32
cc="$triplet-gcc-posix"
jobs=$(nproc)

mkdir -p "$deps_dir"

# --- Debian source packages, through a private apt configuration -----------------------------
apt_dir="$deps_dir/apt"
apt_options=()
setup_private_apt() {
  [ ${#apt_options[@]} -gt 0 ] && return 0
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial"
  local found=0
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    # The machine's own sources (deb822), with the source type added to every stanza.
    sed -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb deb-src/' "$f" > "$apt_dir/sources.list.d/$(basename "$f")"
    found=1
  done
  local list_file=/dev/null
  if [ -f /etc/apt/sources.list ]; then
    # One-line format: add a deb-src line beside each deb line.
    sed -nE 's/^deb([[:space:]])/deb\1/p; s/^deb([[:space:]])/deb-src\1/p' /etc/apt/sources.list > "$apt_dir/sources.list"
    list_file="$apt_dir/sources.list"
    found=1
  fi
  if [ "$found" -eq 0 ]; then
    echo "build-windows: no apt source list found on this machine" >&2
    exit 1
  fi
  apt_options=(-o "Dir::Etc::SourceList=$list_file" -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
               -o "Dir::State::Lists=$apt_dir/lists" -o "APT::Sandbox::User=root")
  apt-get "${apt_options[@]}" update >"$apt_dir/update.log" 2>&1 || {
    cat "$apt_dir/update.log" >&2
    exit 1
  }
}

# fetch_source PACKAGE: unpacks Debian's source of PACKAGE under deps/src and sets
# fetched_source to its folder. Called in this shell, not in a $(...) one, so that the private
# apt lists are updated once for both packages.
fetched_source=
fetch_source() {
  local package=$1
  local src="$deps_dir/src/$package"
  if [ ! -f "$src/.unpacked" ]; then
    setup_private_apt
    rm -rf "$src"
    mkdir -p "$src"
    (cd "$src" && apt-get "${apt_options[@]}" source --only-source "$package" >"$src/fetch.log" 2>&1) || {
      cat "$src/fetch.log" >&2
      exit 1
    }
    touch "$src/.unpacked"
  fi
  fetched_source=$(find "$src" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n1)
}

# --- libzip: CMake, static, without crypto, bzip2, lzma and its tools ------------------------
if [ ! -f "$prefix/lib/libzip.a" ]; then
  fetch_source libzip
  libzip_src=$fetched_source
  cmake -S "$libzip_src" -B "$deps_dir/obj/libzip" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
    -DPELMORA_WINDOWS_DEPS_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DZLIB_USE_STATIC_LIBS=ON \
    -DBUILD_SHARED_LIBS=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF \
    -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF \
    -DENABLE_ZSTD=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF \
    >"$deps_dir/libzip-configure.log" 2>&1 || { cat "$deps_dir/libzip-configure.log" >&2; exit 1; }
  cmake --build "$deps_dir/obj/libzip" -j"$jobs" >"$deps_dir/libzip-build.log" 2>&1 ||
    { cat "$deps_dir/libzip-build.log" >&2; exit 1; }
  cmake --install "$deps_dir/obj/libzip" >/dev/null
fi

# --- lhasa: its lib/*.c compiled directly (but those the decoders include) -----------------------
if [ ! -f "$prefix/lib/liblhasa.a" ]; then
  fetch_source lhasa
  lhasa_src=$fetched_source
  obj="$deps_dir/obj/lhasa"
  rm -rf "$obj"; mkdir -p "$obj" "$prefix/include/liblhasa-1.0"
  for c in "$lhasa_src"/lib/*.c; do
    case "$(basename "$c")" in
      bit_stream_reader.c | lh_new_decoder.c | pma_common.c | tree_decode.c) continue ;;
    esac
    "$cc" -O2 -I"$lhasa_src/lib" -I"$lhasa_src/lib/public" -c "$c" -o "$obj/$(basename "${c%.c}").o"
  done
  "$triplet-ar" rcs "$prefix/lib/liblhasa.a" "$obj"/*.o
  cp "$lhasa_src"/lib/public/*.h "$prefix/include/liblhasa-1.0/"
fi

# --- the programs and the tests ------------------------------------------------------------------
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
cmake -S "$source_dir" -B "$build_dir" "${generator[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
  -DPELMORA_WINDOWS_DEPS_PREFIX="$prefix" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELMORA_WERROR=ON \
  -DPELMORA_BUILD_GUI=OFF -DPELMORA_BUILD_BENCH=OFF
cmake --build "$build_dir" -j"$jobs"

if [ "${PELMORA_WINDOWS_SKIP_TESTS:-0}" = 1 ]; then
  exit 0
fi

# Wine with a prefix of its own, quiet (no .NET or Gecko installer). A persistent server and
# Wine's services are started before ctest, with their streams away from ctest's: otherwise
# the first test starts them, they inherit ctest's output pipe and ctest waits for them
# forever. The server is started first: "wineserver -p" fails while one already runs.
export WINEPREFIX="$build_dir/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
stop_wine() { wineserver -k >/dev/null 2>&1 || true; }
trap stop_wine EXIT
stop_wine
mkdir -p "$WINEPREFIX"  # the server needs the folder; the first wine call fills it
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
ctest --test-dir "$build_dir" --output-on-failure -j"$jobs" --timeout 600 </dev/null
if [ -n "${PELMORA_LINUX_LISTER:-}" ]; then
  bash tests/platform/win32/listings_match_linux.sh "$build_dir/bin/pelmora-list.exe" \
    "$PELMORA_LINUX_LISTER" "$build_dir" </dev/null
fi
