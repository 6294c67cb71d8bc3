#!/usr/bin/env bash
# Puts the browser edition's music and Chinese font into the site folder SITE_DIR: the page's
# music script, the synthesizer and its licences, the SoundFont, the tune, and a font subset
# holding exactly the characters of the game's own texts.
#
# Needs `npm ci` run at the top of the project (js-synthesizer) and the Debian packages
# csound-soundfont, sf3convert, fonts-wqy-microhei, fonttools and python3-brotli. Files that are
# newer than their sources are left alone, so a rebuild costs nothing.
set -euo pipefail
if [ $# -ne 1 ]; then
    echo "usage: $0 SITE_DIR" >&2
    exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
site="$1"
mkdir -p "$site"

synth="$root/node_modules/js-synthesizer"
soundfont=/usr/share/sounds/sf2/sf_GMbank.sf2
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
for need in "$synth/dist/js-synthesizer.min.js" "$soundfont" "$font"; do
    if [ ! -e "$need" ]; then
        echo "$0: $need is missing (run npm ci; install the Debian packages named in this script)" >&2
        exit 1
    fi
done

# Copies when the copy is missing or older than its source.
fresh() {
    if [ ! -e "$2" ] || [ "$1" -nt "$2" ]; then cp "$1" "$2"; fi
}

# The synthesizer: its page-side script, its audio-thread script, and FluidSynth built for
# WebAssembly with libsndfile, which the compressed SoundFont needs. FluidSynth is LGPL-2.1 and
# is served as a file of its own beside its licence.
fresh "$root/web/music.js" "$site/music.js"
fresh "$synth/dist/js-synthesizer.min.js" "$site/js-synthesizer.min.js"
fresh "$synth/dist/js-synthesizer.worklet.min.js" "$site/js-synthesizer.worklet.min.js"
fresh "$synth/externals/libfluidsynth-2.4.6-with-libsndfile.js" \
    "$site/libfluidsynth-2.4.6-with-libsndfile.js"
fresh "$synth/externals/LICENSE.fluidsynth.txt" "$site/LICENSE.fluidsynth.txt"
fresh "$synth/LICENSE" "$site/LICENSE.js-synthesizer.txt"

# The tune, and the General MIDI SoundFont compressed: 2.4 MB instead of 4.2 MB, and a quarter
# of the transfer when served gzipped (see bench/README.md).
fresh "$root/assets/music/r07.mid" "$site/r07.mid"
if [ ! -e "$site/gm.sf3" ] || [ "$soundfont" -nt "$site/gm.sf3" ]; then
    if ! log="$(sf3convert -z "$soundfont" "$site/gm.sf3.tmp" 2>&1)"; then
        echo "$log" >&2
        exit 1
    fi
    mv "$site/gm.sf3.tmp" "$site/gm.sf3"
fi

# The font subset: every character of every string literal in the two files of the game's texts,
# plus printable ASCII, so that Chinese shows on a machine without a Chinese font.
fresh /usr/share/doc/fonts-wqy-microhei/copyright "$site/tessaro-cjk.copyright.txt"
fresh /usr/share/common-licenses/Apache-2.0 "$site/LICENSE.Apache-2.0.txt"
texts=("$root/core/Texts.h" "$root/core/Menus.h")
woff="$site/tessaro-cjk.woff2"
if [ ! -e "$woff" ] || [ "$font" -nt "$woff" ] || [ "${texts[0]}" -nt "$woff" ] ||
    [ "${texts[1]}" -nt "$woff" ]; then
    /usr/bin/python3 - "$font" "$woff" "${texts[@]}" <<'EOF'
import logging, os, re, sys
from fontTools import subset
from fontTools.ttLib import TTFont

font_path, out_path, sources = sys.argv[1], sys.argv[2], sys.argv[3:]
logging.getLogger('fontTools').setLevel(logging.ERROR)  # it names each table it drops

# Comments, character literals and string literals (plain, u8, raw); only the strings count.
token = re.compile(r'//[^\n]*|/\*.*?\*/|\'(?:\\.|[^\\\'])*\'|(?:u8)?R"([^(\s]*)\((.*?)\)\1"'
                   r'|(?:u8)?"((?:\\.|[^\\"\n])*)"', re.S)
simple = {'n': '\n', 'r': '\r', 't': '\t', '0': '\0', '"': '"', "'": "'", '\\': '\\', '?': '?'}

def unescape(body):
    # Escapes are decoded to bytes, since a \x escape stands for one byte of the UTF-8 text.
    def one(m):
        e = m.group(1)
        if e in simple:
            return simple[e].encode()
        if e[0] == 'x':
            return bytes([int(e[1:], 16)])
        if e[0] in 'uU':
            return chr(int(e[1:], 16)).encode()
        sys.exit(f'unknown escape \\{e} in a text')
    parts = re.split(r'(\\(?:x[0-9A-Fa-f]{1,2}|u[0-9A-Fa-f]{4}|U[0-9A-Fa-f]{8}|.))', body)
    return b''.join(one(re.match(r'\\(.*)', x, re.S)) if i % 2 else x.encode()
                    for i, x in enumerate(parts)).decode()

chars = {chr(c) for c in range(0x20, 0x7F)}
for path in sources:
    for m in token.finditer(open(path, encoding='utf-8').read()):
        if m.group(2) is not None:
            chars.update(m.group(2))
        elif m.group(3) is not None:
            chars.update(unescape(m.group(3)))
chars = {c for c in chars if c.isprintable()}

options = subset.Options()
options.flavor = 'woff2'
options.font_number = 0  # WenQuanYi Micro Hei, not its monospaced sister
options.hinting = False
options.name_IDs = [0, 1, 2, 3, 4, 5, 6]  # copyright, family, style, version, licence holder
options.notdef_outline = True
options.layout_features = []  # the texts need no shaping, nor vertical forms
font = subset.load_font(font_path, options)
subsetter = subset.Subsetter(options)
subsetter.populate(unicodes=[ord(c) for c in chars])
subsetter.subset(font)
subset.save_font(font, out_path + '.tmp', options)

# A character the font lacks would show as a box: refuse to make such a subset.
missing = sorted(c for c in chars if ord(c) not in TTFont(out_path + '.tmp').getBestCmap())
if missing:
    sys.exit('the font lacks ' + ' '.join(f'U+{ord(c):04X}' for c in missing))
os.replace(out_path + '.tmp', out_path)
print(f'{out_path}: {len(chars)} characters, {os.path.getsize(out_path)} bytes')
EOF
fi
