#!/usr/bin/env bash
# Puts the browser edition's music and Chinese font into the site folder SITE_DIR: the page's
# music script, the synthesizer and its licences, the SoundFont, the tune, and a font subset
# holding exactly the characters of the game's own texts.
#
# Needs `npm ci` run at the top of the project (js-synthesizer) and the Debian packages
# csound-soundfont, fonts-wqy-microhei, fonttools and python3-brotli. Files that are
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
# WebAssembly. FluidSynth is LGPL-2.1 and is served as a file of its own beside its licence.
fresh "$root/web/music.js" "$site/music.js"
fresh "$synth/dist/js-synthesizer.min.js" "$site/js-synthesizer.min.js"
fresh "$synth/dist/js-synthesizer.worklet.min.js" "$site/js-synthesizer.worklet.min.js"
fresh "$synth/externals/libfluidsynth-2.4.6.js" "$site/libfluidsynth-2.4.6.js"
fresh "$synth/externals/LICENSE.fluidsynth.txt" "$site/LICENSE.fluidsynth.txt"
fresh "$synth/LICENSE" "$site/LICENSE.js-synthesizer.txt"

# The tune, and the part of the General MIDI SoundFont it plays: the presets of the instruments
# it uses, with their instruments and samples, unchanged. The tune sounds sample for sample as
# with the whole SoundFont, from 0.3 MB instead of 4.2 MB (see bench/README.md).
tune="$root/assets/music/r07.mid"
fresh "$tune" "$site/r07.mid"
if [ ! -e "$site/music.sf2" ] || [ "$soundfont" -nt "$site/music.sf2" ] ||
    [ "$tune" -nt "$site/music.sf2" ] || [ "$0" -nt "$site/music.sf2" ]; then
    /usr/bin/python3 - "$soundfont" "$tune" "$site/music.sf2" <<'EOF'
import os, struct, sys

soundfont_path, tune_path, out_path = sys.argv[1:]

def presets_of(tune):
    """(bank, program) of every preset a channel that sounds a note may use, in any track."""
    programs, banks, sounding = {}, {}, set()
    at = 14  # past the header chunk

    def number():  # a variable-length quantity
        nonlocal at
        n = 0
        while True:
            n, at = (n << 7) | (tune[at] & 0x7F), at + 1
            if not tune[at - 1] & 0x80: return n

    while at + 8 <= len(tune):
        kind, size = struct.unpack_from('>4sI', tune, at)
        at, end, status = at + 8, at + 8 + size, 0
        while kind == b'MTrk' and at < end:
            number()  # the delta time
            if tune[at] & 0x80:
                status, at = tune[at], at + 1
            if status in (0xF0, 0xF7, 0xFF):
                at += status == 0xFF  # a meta event's type
                length = number()
                at += length
            else:
                command, channel = status & 0xF0, status & 0x0F
                if command == 0xC0: programs.setdefault(channel, set()).add(tune[at])
                if command == 0xB0 and tune[at] == 0: banks.setdefault(channel, set()).add(tune[at + 1])
                if command == 0x90 and tune[at + 1] > 0: sounding.add(channel)
                at += 1 if command in (0xC0, 0xD0) else 2
            if status >= 0xF0: status = 0
        at = end
    return {(128 if c == 9 else b, p) for c in sounding
            for b in banks.get(c, {0}) for p in programs.get(c, {0})}

def chunks(data, at, end):
    while at + 8 <= end:
        kind, size = struct.unpack_from('<4sI', data, at)
        yield kind, at + 8, size
        at += 8 + size + (size & 1)

def chunk(kind, body):
    return struct.pack('<4sI', kind, len(body)) + body + bytes(len(body) & 1)

# The records of the preset data, in the order the file keeps them.
RECORDS = {b'phdr': '<20sHHHIII', b'pbag': '<HH', b'pmod': '<HHhHH', b'pgen': '<HH',
           b'inst': '<20sH', b'ibag': '<HH', b'imod': '<HHhHH', b'igen': '<HH',
           b'shdr': '<20sIIIIIBbHH'}
INSTRUMENT, SAMPLE_ID = 41, 53  # the generators that link a zone to an instrument, a sample

sf = open(soundfont_path, 'rb').read()
data, pdta, info = b'', {}, None
for kind, at, size in chunks(sf, 12, len(sf)):
    if kind != b'LIST': continue
    if sf[at:at + 4] == b'INFO': info = sf[at - 8:at + size + (size & 1)]
    for sub, sat, ssize in chunks(sf, at + 4, at + size):
        if sub == b'smpl': data = sf[sat:sat + ssize]
        if sub in RECORDS: pdta[sub] = [list(r) for r in struct.iter_unpack(RECORDS[sub], sf[sat:sat + ssize])]
if info is None or not data or set(pdta) != set(RECORDS):
    sys.exit(f'{soundfont_path}: not a SoundFont this script can read')

out = {kind: [] for kind in RECORDS}
samples = bytearray()
kept_samples, kept_instruments = {}, {}

def copy_zones(headers, index, bag_at, bag, gen, mod, link, relink):
    """Copies the zones of headers[index] and returns the index of its first zone in the copy."""
    first = len(out[bag])
    for z in range(headers[index][bag_at], headers[index + 1][bag_at]):
        out[bag].append([len(out[gen]), len(out[mod])])
        for g in pdta[gen][pdta[bag][z][0]:pdta[bag][z + 1][0]]:
            out[gen].append([g[0], relink(g[1]) if g[0] == link else g[1]])
        out[mod].extend(pdta[mod][pdta[bag][z][1]:pdta[bag][z + 1][1]])
    return first

def keep_sample(s):
    if s not in kept_samples:
        kept_samples[s] = len(out[b'shdr'])
        h = list(pdta[b'shdr'][s])
        out[b'shdr'].append(h)
        shift = len(samples) // 2 - h[1]
        samples.extend(data[h[1] * 2:h[2] * 2] + bytes(2 * 46))  # 46 zero samples after each
        h[1:5] = [v + shift for v in h[1:5]]
        if h[9] & 0x0E: h[8] = keep_sample(h[8])  # the other side of a stereo pair
    return kept_samples[s]

def keep_instrument(i):
    if i not in kept_instruments:
        kept_instruments[i] = len(out[b'inst'])
        h = list(pdta[b'inst'][i])
        out[b'inst'].append(h)
        h[1] = copy_zones(pdta[b'inst'], i, 1, b'ibag', b'igen', b'imod', SAMPLE_ID, keep_sample)
    return kept_instruments[i]

wanted = presets_of(open(tune_path, 'rb').read())
for p, h in enumerate(pdta[b'phdr'][:-1]):
    if (h[2], h[1]) in wanted:
        h = list(h)
        out[b'phdr'].append(h)
        h[3] = copy_zones(pdta[b'phdr'], p, 3, b'pbag', b'pgen', b'pmod', INSTRUMENT, keep_instrument)
missing = wanted - {(h[2], h[1]) for h in out[b'phdr']}
if missing:
    sys.exit(f'{soundfont_path} lacks the presets (bank, program) {sorted(missing)}')
# Each list ends with a terminal record that closes the last item's range.
out[b'phdr'].append([b'EOP', 0, 0, len(out[b'pbag']), 0, 0, 0])
out[b'inst'].append([b'EOI', len(out[b'ibag'])])
for bag, gen, mod in ((b'pbag', b'pgen', b'pmod'), (b'ibag', b'igen', b'imod')):
    out[bag].append([len(out[gen]), len(out[mod])])
    out[gen].append([0, 0])
    out[mod].append([0, 0, 0, 0, 0])
out[b'shdr'].append([b'EOS', 0, 0, 0, 0, 0, 0, 0, 0, 0])

preset_data = b''.join(chunk(k, b''.join(struct.pack(RECORDS[k], *r) for r in out[k])) for k in RECORDS)
body = (b'sfbk' + info + chunk(b'LIST', b'sdta' + chunk(b'smpl', bytes(samples))) +
        chunk(b'LIST', b'pdta' + preset_data))
open(out_path + '.tmp', 'wb').write(chunk(b'RIFF', body))
os.replace(out_path + '.tmp', out_path)
EOF
fi

# The font subset: every character of every string literal in the files of the game's texts
# (the page's own texts included), plus printable ASCII, so that Chinese shows on a machine
# without a Chinese font.
fresh /usr/share/doc/fonts-wqy-microhei/copyright "$site/tessaro-cjk.copyright.txt"
fresh /usr/share/common-licenses/Apache-2.0 "$site/LICENSE.Apache-2.0.txt"
texts=("$root/core/Texts.h" "$root/core/Menus.h")
if [ -e "$root/web/WebTexts.h" ]; then texts+=("$root/web/WebTexts.h"); fi
woff="$site/tessaro-cjk.woff2"
stale=0
for source in "$font" "$0" "${texts[@]}"; do
    if [ ! -e "$woff" ] || [ "$source" -nt "$woff" ]; then stale=1; fi
done
if [ "$stale" = 1 ]; then
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
options.name_IDs = ['*']  # the copyright, trademark and licence notices stay with the font
options.name_languages = ['*']
options.notdef_outline = True
options.layout_features = []  # the texts need no shaping, nor vertical forms
font = subset.load_font(font_path, options)
subsetter = subset.Subsetter(options)
subsetter.populate(unicodes=[ord(c) for c in chars])
subsetter.subset(font)
font['name'].setName('WenQuanYi Micro Hei, changed by Tessaro: cut down to the characters of '
                     "the game's texts and ASCII.", 10, 3, 1, 0x409)
subset.save_font(font, out_path + '.tmp', options)

# A character the font lacks would show as a box: refuse to make such a subset.
missing = sorted(c for c in chars if ord(c) not in TTFont(out_path + '.tmp').getBestCmap())
if missing:
    sys.exit('the font lacks ' + ' '.join(f'U+{ord(c):04X}' for c in missing))
os.replace(out_path + '.tmp', out_path)
print(f'{out_path}: {len(chars)} characters, {os.path.getsize(out_path)} bytes')
EOF
fi
