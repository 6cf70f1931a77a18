#!/usr/bin/env bash
# Brings translations/*.ts up to date with the texts in the sources (lupdate), keeping the
# translations already made. The texts whose source is Japanese go to pelmora_en.ts, the
# English ones of pelmora-list and pelmora-render to pelmora_ja.ts.
# usage: scripts/update-translations.sh [TS_FOLDER]   (default: translations/)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
ts_folder="${1:-$root/translations}"
lupdate="${LUPDATE:-$(command -v lupdate6 || command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}"

english_sources=(app/command_line_texts.h app/cli/cli_texts.h app/cli/cli_commands.cpp tools/render/render_texts.h tools/tree/tree_help_text.h i18n/library_error_texts.h i18n/library_error_texts.cpp)

cd "$root"
mapfile -t japanese_sources < <(find app common i18n listing platform settings tools \
  \( -name '*.cpp' -o -name '*.h' \) | sort | grep -vxF -f <(printf '%s\n' "${english_sources[@]}"))

options=(-silent -no-obsolete -locations none -tr-function-alias QT_TRANSLATE_NOOP+=PELMORA_UI_TEXT)
"$lupdate" "${options[@]}" -source-language ja -target-language en "${japanese_sources[@]}" \
  -ts "$ts_folder/pelmora_en.ts"
"$lupdate" "${options[@]}" -source-language en -target-language ja "${english_sources[@]}" \
  -ts "$ts_folder/pelmora_ja.ts"
