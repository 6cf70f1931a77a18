#!/usr/bin/env bash
# pelmora-list.exe under Wine lists a tree made here as the Linux build's pelmora-list does:
# recursive, all-folders, files and archive, with Japanese names, a read-only file, a hidden
# one, nested folders, and archives of Shift_JIS and UTF-8 member names; and a path typed with
# an 8.3 name, which must list as its long name does on Linux. The Linux output is
# turned into Windows paths ("/" as "\", the root as drive Z:, which Wine maps to /) before
# comparing. Both run in Japan's time zone.
#
#   listings_match_linux.sh WINDOWS_LISTER LINUX_LISTER WORK_FOLDER
# Wine must be ready (WINEPREFIX set, its services started).
set -euo pipefail
windows_lister=$1
linux_lister=$2
work=$(mktemp -d "$(realpath "$3")/listings-XXXXXX")
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
# Japan's zone (Asia/Tokyo) in the one spelling both glibc and the Windows C runtime read: lhasa
# turns the DOS times of LZH headers into times with the C runtime's mktime.
export TZ=JST-9

root="$work/root"
mkdir -p "$root/日本語フォルダ/サブ/深い" "$root/empty" "$root/ｶﾀｶﾅ"
printf 'abc' > "$root/ファイル.txt"
printf '12345' > "$root/日本語フォルダ/メモ.txt"
printf 'x' > "$root/日本語フォルダ/サブ/深い/末端.dat"
printf 'read only' > "$root/読み取り専用.txt"
chmod 444 "$root/読み取り専用.txt"
# Hidden on both systems: Linux hides dot names, and Wine gives them the hidden attribute.
printf 'h' > "$root/.隠し.txt"
printf 'B' > "$root/B.txt"
printf 'a' > "$root/a.txt"
printf 'so' > "$root/ソフト.txt"
touch -d '2004-05-06 07:08:09' "$root"/*.txt "$root/日本語フォルダ/メモ.txt" "$root/日本語フォルダ/サブ/深い/末端.dat"
touch -d '2020-01-02 00:00:00' "$root/a.txt"
(cd "$root" && zip -q -X -r "$work/archive.zip" 日本語フォルダ ファイル.txt)
# jlha writes the names in Shift_JIS; the second byte of "ソ" is "\".
(cd "$root" && jlha a1y "$work/archive.lzh" a.txt B.txt ソフト.txt 日本語フォルダ >/dev/null 2>&1)
touch -d "2010-03-04 05:06:07" "$work/archive.zip" "$work/archive.lzh"

# Hidden files left out, and every field a file line can show but the short name (Windows
# makes 8.3 names where Linux has none).
ini="$work/Pelmora.ini"
printf '[Pelmora]\r\nFileHiddenFile=0\r\nKakomi="\r\nKugiri=,\r\n' > "$ini"
for prefix in File SFolder Drop; do
  printf '%sName=1\r\n%sFullPath=1\r\n%sSize=1\r\n%sDateTime=1\r\n%sAttrib=1\r\n' \
    "$prefix" "$prefix" "$prefix" "$prefix" "$prefix" >> "$ini"
done

# Z: is Wine's drive for /.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
# Paths in Linux output as Windows writes them: only what follows the work folder changes, so
# dates keep their "/".
# A file written here carries Windows' archive bit, which Linux does not have.
as_windows() {
  WORK="$work" perl -pe 's{\Q$ENV{WORK}\E[^",\t\r\n]*}{ (my $p = "Z:$&") =~ s|/|\\|g; $p }ge; s/Archive\(-\)/Archive(+)/g'
}

failures=0
compare() {
  local name=$1; shift
  local linux_args=() windows_args=()
  for argument in "$@"; do
    case "$argument" in
      "$work"*) linux_args+=("$argument"); windows_args+=("$(windows_path "$argument")") ;;
      *) linux_args+=("$argument"); windows_args+=("$argument") ;;
    esac
  done
  local expected actual
  expected=$("$linux_lister" "${linux_args[@]}" </dev/null | as_windows; echo "status ${PIPESTATUS[0]}")
  actual=$(wine "$windows_lister" "${windows_args[@]}" </dev/null 2>"$work/$name.err"; echo "status $?")
  if [ "$expected" != "$actual" ]; then
    echo "FAIL $name: the Windows lister differs from the Linux one" >&2
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") >&2 || true
    cat "$work/$name.err" >&2
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

compare recursive --ini "$ini" --yes recursive "$root"
compare all-folders --ini "$ini" --yes all-folders "$root"
compare files --ini "$ini" files "$root"
compare named-files --ini "$ini" files "$root" 読み取り専用.txt ファイル.txt
compare zip-archive --ini "$ini" archive "$work/archive.zip"
compare lzh-archive --ini "$ini" archive "$work/archive.lzh"
# A path typed with 8.3 names is listed under the long ones. The short name is the one Wine
# made for the file (its own hashed kind): listed first with the short-name field alone.
short_ini="$work/short.ini"
printf '[Pelmora]\r\nKakomi=\r\nKugiri=,\r\nFileName=0\r\nFileShortName=1\r\n' > "$short_ini"
short=$(wine "$windows_lister" --ini "$(windows_path "$short_ini")" files "$(windows_path "$root")" ファイル.txt \
  </dev/null 2>/dev/null | tr -d '\r')
case "$short" in
  *'~'*)
    expected=$("$linux_lister" --ini "$ini" drop "$root/ファイル.txt" </dev/null | as_windows; echo "status ${PIPESTATUS[0]}")
    actual=$(wine "$windows_lister" --ini "$(windows_path "$ini")" drop "$(windows_path "$root")\\$short" \
      </dev/null 2>"$work/short.err"; echo "status $?")
    if [ "$expected" != "$actual" ]; then
      echo "FAIL short-path: a path with an 8.3 name ($short) is not listed under the long name" >&2
      diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") >&2 || true
      cat "$work/short.err" >&2
      failures=$((failures + 1))
    else
      echo "ok   short-path ($short)"
    fi ;;
  *)
    echo "FAIL short-name: ファイル.txt has no 8.3 name in the listing: '$short'" >&2
    failures=$((failures + 1)) ;;
esac
[ "$failures" -eq 0 ]
