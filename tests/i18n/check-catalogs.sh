#!/bin/bash
# Every catalog of i18n/ gives every text the sources mark, all translated and none left over,
# with the same %1-style arguments as its source text.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/i18n/catalog" template > "$work/tessaro.pot" || exit 1
status=0
for po in "$root"/i18n/*.po; do
    msgcmp "$po" "$work/tessaro.pot" || status=1                     # missing or untranslated
    msgcmp --use-untranslated "$work/tessaro.pot" "$po" || status=1  # no longer in the sources
    [ -z "$(msgattrib --only-obsolete "$po")" ] || { echo "$po: obsolete texts"; status=1; }
    msgfmt --check -o /dev/null "$po" || status=1
done
exit $status
