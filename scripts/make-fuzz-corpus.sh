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

# Small pictures for the image-reader plug-ins: PNG, JPEG, GIF and TIFF written once with Qt,
# giflib and libtiff (8 x 6 pixels) and kept here in base64; PCX made byte by byte.
picture() {  # target name: base64 on standard input becomes one seed file
    mkdir -p "$out/$1"
    base64 -d >"$out/$1/$2"
}
picture png_plugin_fuzz rgb.png <<'END'
iVBORw0KGgoAAAANSUhEUgAAAAgAAAAGCAIAAABxZ0isAAAACXBIWXMAAA7EAAAOxAGVKw4bAAAAJ0lEQVQImWNkYOCSY9gn
x+CERrIwaOxjYHBiYEAnWRg0sIgyUFUHAICzGXgJFqQjAAAAAElFTkSuQmCC
END
picture png_plugin_fuzz indexed.png <<'END'
iVBORw0KGgoAAAANSUhEUgAAAAgAAAAGCAMAAADJ2y/JAAAAkFBMVEUAAAoeAMg8AApaAMh4AAqWAMi0AArSAMgAKMgeKAo8
KMhaKAp4KMiWKAq0KMjSKAoAUAoeUMg8UApaUMh4UAqWUMi0UArSUMgAeMgeeAo8eMhaeAp4eMiWeAq0eMjSeAoAoAoeoMg8
oApaoMh4oAqWoMi0oArSoMgAyMgeyAo8yMhayAp4yMiWyAq0yMjSyArAR8HcAAAACXBIWXMAAA7EAAAOxAGVKw4bAAAAPklE
QVQImWNgYGRiZmFlY2fg4OTi5uHl42cQEBQSFhEVE2eQkJSSlpGVk2dQUFRSVlFVU2fQ0NTS1tHV0wcATtIEaaPnRCkAAAAA
SUVORK5CYII=
END
picture png_plugin_fuzz alpha.png <<'END'
iVBORw0KGgoAAAANSUhEUgAAAAgAAAAGCAYAAAD+Bd/7AAAACXBIWXMAAA7EAAAOxAGVKw4bAAAAO0lEQVQImWNkZGJOkf13
dLYcgxODHMM+BnSa5b/a0dkMDE4MDAz7GLDRLAwauCUZGPYxsDBo4JakjgkAglcdFsc0XKkAAAAASUVORK5CYII=
END
picture jpeg_plugin_fuzz rgb.jpg <<'END'
/9j/4AAQSkZJRgABAQEAYABgAAD/2wBDABALDA4MChAODQ4SERATGCgaGBYWGDEjJR0oOjM9PDkzODdASFxOQERXRTc4UG1R
V19iZ2hnPk1xeXBkeFxlZ2P/2wBDARESEhgVGC8aGi9jQjhCY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2Nj
Y2NjY2NjY2NjY2NjY2P/wAARCAAGAAgDASIAAhEBAxEB/8QAHwAAAQUBAQEBAQEAAAAAAAAAAAECAwQFBgcICQoL/8QAtRAA
AgEDAwIEAwUFBAQAAAF9AQIDAAQRBRIhMUEGE1FhByJxFDKBkaEII0KxwRVS0fAkM2JyggkKFhcYGRolJicoKSo0NTY3ODk6
Q0RFRkdISUpTVFVWV1hZWmNkZWZnaGlqc3R1dnd4eXqDhIWGh4iJipKTlJWWl5iZmqKjpKWmp6ipqrKztLW2t7i5usLDxMXG
x8jJytLT1NXW19jZ2uHi4+Tl5ufo6erx8vP09fb3+Pn6/8QAHwEAAwEBAQEBAQEBAQAAAAAAAAECAwQFBgcICQoL/8QAtREA
AgECBAQDBAcFBAQAAQJ3AAECAxEEBSExBhJBUQdhcRMiMoEIFEKRobHBCSMzUvAVYnLRChYkNOEl8RcYGRomJygpKjU2Nzg5
OkNERUZHSElKU1RVVldYWVpjZGVmZ2hpanN0dXZ3eHl6goOEhYaHiImKkpOUlZaXmJmaoqOkpaanqKmqsrO0tba3uLm6wsPE
xcbHyMnK0tPU1dbX2Nna4uPk5ebn6Onq8vP09fb3+Pn6/9oADAMBAAIRAxEAPwCGx0OIY6f5/wD1f57FFFclWtPm3LwNep7F
an//2Q==
END
picture jpeg_plugin_fuzz progressive.jpg <<'END'
/9j/4AAQSkZJRgABAQEAYABgAAD/2wBDABALDA4MChAODQ4SERATGCgaGBYWGDEjJR0oOjM9PDkzODdASFxOQERXRTc4UG1R
V19iZ2hnPk1xeXBkeFxlZ2P/2wBDARESEhgVGC8aGi9jQjhCY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2Nj
Y2NjY2NjY2NjY2NjY2P/wgARCAAGAAgDASIAAhEBAxEB/8QAFQABAQAAAAAAAAAAAAAAAAAAAAL/xAAVAQEBAAAAAAAAAAAA
AAAAAAABA//aAAwDAQACEAMQAAABgRf/xAAXEAADAQAAAAAAAAAAAAAAAAAAAQID/9oACAEBAAEFAowR/8QAFxEBAAMAAAAA
AAAAAAAAAAAAAgADEv/aAAgBAwEBPwGhrE//xAAXEQADAQAAAAAAAAAAAAAAAAAAAQIR/9oACAECAQE/Aat6f//EABQQAQAA
AAAAAAAAAAAAAAAAAAD/2gAIAQEABj8Cf//EABQQAQAAAAAAAAAAAAAAAAAAAAD/2gAIAQEAAT8hT//aAAwDAQACAAMAAAAQ
D//EABYRAAMAAAAAAAAAAAAAAAAAAAARIf/aAAgBAwEBPxBJT//EABURAQEAAAAAAAAAAAAAAAAAAABB/9oACAECAQE/ELT/
xAAZEAABBQAAAAAAAAAAAAAAAADwARExQfH/2gAIAQEAAT8QQtBhX//Z
END
picture jpeg_plugin_fuzz grey.jpg <<'END'
/9j/4AAQSkZJRgABAQEAYABgAAD/2wBDABALDA4MChAODQ4SERATGCgaGBYWGDEjJR0oOjM9PDkzODdASFxOQERXRTc4UG1R
V19iZ2hnPk1xeXBkeFxlZ2P/wAALCAAGAAgBAREA/8QAHwAAAQUBAQEBAQEAAAAAAAAAAAECAwQFBgcICQoL/8QAtRAAAgED
AwIEAwUFBAQAAAF9AQIDAAQRBRIhMUEGE1FhByJxFDKBkaEII0KxwRVS0fAkM2JyggkKFhcYGRolJicoKSo0NTY3ODk6Q0RF
RkdISUpTVFVWV1hZWmNkZWZnaGlqc3R1dnd4eXqDhIWGh4iJipKTlJWWl5iZmqKjpKWmp6ipqrKztLW2t7i5usLDxMXGx8jJ
ytLT1NXW19jZ2uHi4+Tl5ufo6erx8vP09fb3+Pn6/9oACAEBAAA/AHWugJEw2sK//9k=
END
picture gif_plugin_fuzz plain.gif <<'END'
R0lGODdhCAAGAKIAAAD/AB7hCjzDFFqlHniHKJZpMrRLPNItRiwAAAAACAAGAAADEQghQ2VntXcAc1DNvHCVlHIlADs=
END
picture gif_plugin_fuzz interlaced.gif <<'END'
R0lGODdhCAAGAKIAAAD/AB7hCjzDFFqlHniHKJZpMrRLPNItRiH5BAEAAAIALAEAAQAHAAUAQAMOCCFDZc4cJVicq72jpUoA
Ow==
END
picture tiff_plugin_fuzz rgb.tif <<'END'
SUkqAJYAAACAAAFBQPCgZDwjFAtGQ3HhBIxLKBVLRfMhpNxzAUHhkRi0bkEllUvmk5n1DpFNqVXrlhs1ruF1wOCweEwuGw+I
xOKxdzPCAoADwyIxaNyCSyqXzScz6h0im1Kr1yw2a13C63qFA8KBkPCMUC0ZDceEEjEsoFUtF8yGk3HM8H1A4LB4TC4bD4jE
4rF3q/4CCgAAAQMAAQAAAAgAAAABAQMAAQAAAAYAAAACAQMAAwAAABQBAAADAQMAAQAAAAUAAAAGAQMAAQAAAAIAAAARAQQA
AgAAABoBAAAVAQMAAQAAAAMAAAAWAQMAAQAAAAMAAAAXAQMAAgAAAEcARwAcAQMAAQAAAAEAAAAAAAAACAAIAAgACAAAAE8A
AAA=
END
picture tiff_plugin_fuzz palette.tif <<'END'
SUkqACYAAAADABEiMwMBEiM0AwITJDUDAxQlNgMEFSY3AwUWJzgLAAABAwABAAAACAAAAAEBAwABAAAABgAAAAIBAwABAAAA
BAAAAAMBAwABAAAABYAAAAYBAwABAAAAAwAAABEBBAACAAAAuAAAABUBAwABAAAAAQAAABYBAwABAAAAAwAAABcBBAACAAAA
sAAAABwBAwABAAAAAQAAAEABAwAwAAAAwAAAAAAAAAAPAAAADwAAAAgAAAAXAAAAAACgD0Af4C6APiBOwF1gbQB9oIxAnOCr
gLsgy8DaYOr//1/wv+Af0X/B37E/op+S/4Jfc79jH1R/RN80PyWfFQAA6APQB7gLoA+IE3AXWBtAHygjECf4KuAuyDKwNpg6
END
pcx_header() {  # bits per plane, planes, bytes per line; 4 x 2 pixels, run-length coded
    printf '\x0a\x05\x01'"$1"'\x00\x00\x00\x00\x03\x00\x01\x00'
    head -c 4 /dev/zero
    for i in 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15; do printf "\\x$(printf %02x $((i * 16)))\\x40\\x$(printf %02x $((255 - i * 16)))"; done
    printf '\x00'"$2$3"'\x00'
    head -c 60 /dev/zero
}
{ pcx_header '\x08' '\x03' '\x04'; printf '\xc4\x10\x01\x02\xc2\xff\xc4\x80\x05\x06\x07\xc1\xc8\xc8\x20\x30\x40\x50\xc4\x00\xc4\x11\x12\x13\x14\x15'; } |
    seed pcx_plugin_fuzz rgb.pcx
{ pcx_header '\x08' '\x01' '\x04'; printf '\x01\x02\xc2\x03\x04\x05\xc3\xff'; printf '\x0c'; head -c 768 /dev/zero | tr '\0' '\x7f'; } |
    seed pcx_plugin_fuzz palette.pcx
{ pcx_header '\x01' '\x04' '\x02'; printf '\xa0\x00\x50\x00\xf0\x00\xc2\x00\x90\x00\xc6\x60'; } | seed pcx_plugin_fuzz planar.pcx

# The checks before the metafile libraries and Qt's BMP reader: an EMF and a WMF made record by
# record and two bitmaps made byte by byte by the tests' helpers (tests/tools/choiview/
# metafile_bytes.h, bitmap_bytes.h), kept here in base64.
picture metafile_check_fuzz rect.emf <<'END'
AQAAAGwAAAAAAAAAAAAAAAcAAAAFAAAAAAAAAAAAAADUAAAAnwAAACBFTUYAAAEAyAAAAAYAAAACAAAAAAAAAAAAAAAAAAAAgAcA
ADgEAAD8AQAAHgEAAAAAAAAAAAAAAAAAAGDABwA2XAQAJwAAABgAAAABAAAAAAAAAP8AAAAAAAAAJQAAAAwAAAABAAAAJQAAAAwA
AAAIAACAKwAAABgAAAABAAAAAQAAAAYAAAAEAAAADgAAABQAAAAAAAAAEAAAABQAAAA=
END
picture metafile_check_fuzz rect.wmf <<'END'
183GmgAAAAAAAAgABgBgAAAAAAB/VwEACQAAAzQAAAACAAgAAAAAAAUAAAALAgAAAAAFAAAADAIGAAgABwAAAPwCAAAA/wAAAAAE
AAAALQEAAAgAAAD6AgUAAAAAAAAAAAAEAAAALQEBAAcAAAAbBAQABgABAAEAAwAAAAAA
END
picture metafile_check_fuzz rgb.bmp <<'END'
Qk1OAAAAAAAAADYAAAAoAAAAAwAAAAIAAAABABgAAAAAABgAAAATCwAAEwsAAAAAAAAAAAAA/wAA/wAA/wAAAAAA/wAA/wAA/wAA
AAAA
END
picture metafile_check_fuzz runs.rle <<'END'
Qk1cAAAAAAAAAEYAAAAoAAAABgAAAAQAAAABAAgAAQAAABYAAAATCwAAEwsAAAQAAAAAAAAAAAAAAFVVVQCqqqoA////AAADAgIC
AAMCAAAGAgAAAAIAAQYCAAE=
END

# The blocks a plug-in returns: the information block's length (2 bytes), the information
# block (header and palette), the pixel block.
picture dib_picture_fuzz rgb24 <<'END'
KAAoAAAAAgAAAAIAAAABABgAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA/wAAAP8AAAAAAP8BAgMAAA==
END
picture dib_picture_fuzz palette8 <<'END'
MAAoAAAAAgAAAAEAAAABAAgAAAAAAAAAAAAAAAAAAAAAAAIAAAAAAAAAChQeACgyPAABAAAA
END
picture dib_picture_fuzz topdown1 <<'END'
MAAoAAAACAAAAP7///8BAAEAAAAAAAAAAAAAAAAAAAAAAAIAAAAAAAAAAAAAAP///wClAAAAWgAAAA==
END
picture dib_picture_fuzz nibbles4 <<'END'
aAAoAAAAAwAAAAEAAAABAAQAAAAAAAAAAAAAAAAAAAAAABAAAAAAAAAAAAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8g
ISIjJCUmJygpKissLS4vMDEyMzQ1Njc4OTo7PD0+PxIwAAA=
END
picture dib_picture_fuzz rgb32 <<'END'
KAAoAAAAAQAAAAEAAAABACAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAACQgHAA==
END
