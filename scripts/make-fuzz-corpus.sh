#!/usr/bin/env bash
# Writes the seed corpora of the fuzz targets into DIR/<target>/: small samples of each
# input kind, made here with the system's own tools; nothing is downloaded.
set -euo pipefail
out=${1:?usage: make-fuzz-corpus.sh DIR}
mkdir -p "$out"
seed() {  # target name: standard input becomes one seed file
    mkdir -p "$out/$1"
    cat >"$out/$1/$2"
}

ini_default=$'[Pelmora]\r\nKakomi="\r\nKugiri=,\r\nFileName=1\r\nFileFullPath=0\r\n\r\n[FolderView]\r\nFol_Kakomi="\r\nTreeWaitTime=0x40\r\n\r\n[ChoiView]\r\nCV_use_Stealth=0\r\nCV_Stealth=255\r\n\r\n[AclView]\r\n'
printf '%s' "$ini_default" | seed settings_fuzz default.ini
printf '[pelmora]\nkakomi=<tab>\nKugiri= "<CRLF>" \nFormLeft=-12\nHex_ReadByte=4096\nJump01=/tmp\n[Pelmora]\nKakomi=x\n' |
    seed settings_fuzz odd.ini
printf 'Pelmora\nKakomi\n<TAB>\n%s' "$ini_default" | seed profile_file_fuzz default.ini
printf 'a\nb\n"quoted"\n[a]\nb=1\r\nc\r[A]\nB=2\n\xef\xbb\xbf' | seed profile_file_fuzz odd.ini

printf '/home/user/a.txt "/home/user/b b.txt"  /tmp' | seed command_line_fuzz plain
printf '"unterminated /x ""y"  z' | seed command_line_fuzz quotes

printf '*.txt;*.csv\0README.TXT' | seed wildcard_fuzz extensions
printf '*.\0name' | seed wildcard_fuzz dotless
printf '?\xe6\x97\xa5*\0a\xe6\x97\xa5b' | seed wildcard_fuzz multibyte

printf '日本語のテキスト abc \xff\xfe \xed\xa0\x80 \xc0\xaf \xf4\x90\x80\x80' | seed utf8_fuzz mixed

printf 'b.txt\nA.txt\na.TXT\n日本.txt\n_x\n-y\nZ\nz\n10\n9\n' | seed text_order_fuzz names

head -c 300 /dev/urandom | seed hex_dump_fuzz random
printf '\x01Hello, world!\r\n\x00\x7f\x80' | seed hex_dump_fuzz text

# Archives made here with zip and jlha (a Java program, slow: a few small ones).
archives=$(mktemp -d)
trap 'rm -rf "$archives"' EXIT
mkdir -p "$archives/in/sub"
printf 'hello\n' >"$archives/in/a.txt"
seq 1 300 >"$archives/in/sub/numbers.txt"
: >"$archives/in/sub/empty"
if command -v zip >/dev/null 2>&1; then
    (cd "$archives" && zip -q plain.zip in/a.txt && zip -q -0 stored.zip in/a.txt in/sub/numbers.txt &&
        zip -q -9 best.zip in/sub/numbers.txt && zip -q -r folder.zip in &&
        cp plain.zip comment.zip && printf 'first line\r\nsecond' | zip -qz comment.zip)
    for name in plain stored best folder comment; do seed zip_listing_fuzz "$name.zip" <"$archives/$name.zip"; done
fi
if command -v jlha >/dev/null 2>&1; then
    (cd "$archives" && jlha a0y level0.lzh in/a.txt && jlha a1y level1.lzh in/a.txt in/sub/numbers.txt &&
        jlha a2y level2.lzh in) >/dev/null 2>&1
    for name in level0 level1 level2; do
        if [ -f "$archives/$name.lzh" ]; then seed lzh_listing_fuzz "$name.lzh" <"$archives/$name.lzh"; fi
    done
fi

# Switch bytes, then the size, three times (a flag and 8 bytes each), the attribute bits and
# the path.
{
    printf '\x01\x01\x01\x01\x00\x01\x00\x01\x01\x00\x00\x01\x01'
    printf '\x00\x00\x00\x00\x00\x01\xe2\x40'
    printf '\x01\x00\x00\x00\x00\x5c\xd0\xa3\x80\x00\x00\x00\x00\x00\x00\x00\x00\x00\x01\x7f\xff\xff\xff\xff\xff\xff\xff'
    printf '\x21/home/user/data.csv'
} | seed entry_formatter_fuzz plain
{
    printf '\x01\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'
    head -c 36 /dev/zero
    printf '/home/u/say "hi",ok.txt'
} | seed entry_formatter_fuzz quoted

printf '日本語のテキスト\r\n二行目\rthree\n' | seed text_decoding_fuzz utf8
printf '\xef\xbb\xbfBOM\r\n' | seed text_decoding_fuzz utf8-bom
printf '\xff\xfeA\x00\r\x00\n\x00' | seed text_decoding_fuzz utf16le
printf '\x93\xfa\x96\x7b\x8c\xea\r\n' | seed text_decoding_fuzz shift-jis
printf '\xc6\xfc\xcb\xdc\xb8\xec\n' | seed text_decoding_fuzz euc-jp
printf '\x1b$B$3$s\x1b(B\n' | seed text_decoding_fuzz iso-2022-jp
