#!/usr/bin/env bash
# Fails when a text the user sees is missing from the catalogue or has no finished
# translation: lupdate runs over the sources into a copy of translations/*.ts, and the copy
# must come out unchanged, with a non-empty, finished translation for every text.
# usage: translations_complete_test.sh SOURCE_FOLDER LUPDATE
set -euo pipefail
source_folder="$1"
export LUPDATE="$2"

copy="$(mktemp -d)"
trap 'rm -rf "$copy"' EXIT
cp "$source_folder"/translations/*.ts "$copy/"
bash "$source_folder/scripts/update-translations.sh" "$copy"

status=0
for ts in "$source_folder"/translations/*.ts; do
  name="$(basename "$ts")"
  if ! diff -u "$ts" "$copy/$name"; then
    echo "FAIL: $name is not up to date with the sources (run scripts/update-translations.sh)"
    status=1
  fi
  if grep -nE 'type="(unfinished|vanished|obsolete)"|<translation></translation>|<translation/>' "$copy/$name"; then
    echo "FAIL: $name holds unfinished or empty translations (above)"
    status=1
  fi
done
exit $status
