#!/usr/bin/env python3
"""Writes assets/music/r07.mid, our General MIDI arrangement of the folk tune "Mo Li Hua"."""

import argparse
import pathlib
import struct
import sys

PPQ = 480
SIXTEENTH = PPQ // 4
BAR = 8 * SIXTEENTH  # 2/4 time
TEMPO_BPM = 66

TONIC = 65  # 1 = F4
MAJOR = {"1": 0, "2": 2, "3": 4, "4": 5, "5": 7, "6": 9, "7": 11}

# The melody in numbered notation, one string per 2/4 bar: degree, "'" an octave up or
# "," an octave down, then "/" and the length in sixteenths.
MELODY = [
    "3/4 3/2 5/1 6/1",  # hao yi duo
    "1'/2 1'/1 6/1 5/2 5/1 6/1",  # mei li de mo li
    "5/8",  # hua
    "3/4 3/2 5/1 6/1",
    "1'/2 1'/1 6/1 5/2 5/1 6/1",
    "5/8",
    "5/2 5/2 5/2 3/1 5/1",  # fen fang mei li
    "6/2 6/2 5/4",  # man zhi ya
    "3/2 2/1 3/1 5/1 3/1 2/2",  # you xiang you bai
    "1/2 1/1 2/1 1/4",  # ren ren kua
    "3/1 2/1 1/1 3/1 2/4",  # rang wo lai jiang ni
    "3/1 5/1 6/1 1'/1 5/4",  # zhai xia
    "2/2 3/1 5/1 2/2 3/2",  # song gei bie ren
    "1/2 6,/2 5,/4",  # jia
    "6,/2 1/2 2/4",  # mo li hua
    "3/2 1/1 2/1 3/4",  # ya mo li
    "1/2 6,/2 5,/4",  # hua
    "5,/8",
]

# Chords kept to the pentatonic scale, so the accompaniment never adds a foreign note:
# name -> (bass root, chord tones), MIDI numbers around middle C.
CHORDS = {
    "F": (41, [53, 57, 60, 65]),
    "Dm": (38, [50, 53, 57, 62]),
    "C": (36, [48, 55, 62, 67]),  # sus2
    "Am": (45, [57, 60, 67, 69]),  # minor seventh without its fifth
    "G": (43, [55, 60, 62, 67]),  # sus4
}
# One or two chords per melody bar.
HARMONY = [
    "F", "Dm", "F", "F", "Dm", "C", "F", "Dm", "Am",
    "F", "G", "F", "C", "Dm C", "G", "F", "Dm C", "C",
]

FLUTE, VIOLIN, DULCIMER, BASS, STRINGS = range(5)
PROGRAMS = {FLUTE: 73, VIOLIN: 40, DULCIMER: 15, BASS: 32, STRINGS: 48}
NAMES = {FLUTE: "Flute", VIOLIN: "Violin", DULCIMER: "Dulcimer", BASS: "Bass",
         STRINGS: "Strings"}
# (volume, pan, reverb, chorus)
MIXER = {
    FLUTE: (100, 58, 60, 10),
    VIOLIN: (96, 70, 64, 20),
    DULCIMER: (84, 48, 50, 0),
    BASS: (92, 64, 30, 0),
    STRINGS: (70, 64, 80, 40),
}


def parse_bar(text):
    notes = []
    for token in text.split():
        pitch_text, length = token.split("/")
        pitch = TONIC + MAJOR[pitch_text[0]]
        pitch += 12 * pitch_text.count("'") - 12 * pitch_text.count(",")
        notes.append((pitch, int(length) * SIXTEENTH))
    if sum(length for _, length in notes) != BAR:
        raise ValueError(f"bar {text!r} is not two beats long")
    return notes


PENTATONIC = sorted(TONIC + MAJOR[d] + 12 * o for d in "12356" for o in (-2, -1, 0, 1, 2))


def upper_neighbour(pitch):
    return next(p for p in PENTATONIC if p > pitch)


class Arrangement:
    def __init__(self):
        self.notes = []  # (start, length, channel, pitch, velocity)
        self.tempos = [(0, TEMPO_BPM)]
        self.bar = 0  # the next bar to fill

    def note(self, start, length, channel, pitch, velocity):
        self.notes.append((start, length, channel, pitch, velocity))

    def melody(self, bars, channel, octave=0, graces=False, loud=88):
        for index in bars:
            start = self.bar * BAR
            for pitch, length in parse_bar(MELODY[index]):
                pitch += 12 * octave
                accent = 8 if start % BAR == 0 else (4 if start % PPQ == 0 else 0)
                if graces and length >= PPQ:
                    grace = SIXTEENTH // 2
                    self.note(start, grace, channel, upper_neighbour(pitch), loud - 16)
                    self.note(start + grace, length - grace - 12, channel, pitch, loud + accent)
                else:
                    self.note(start, length - 12, channel, pitch, loud + accent)
                start += length
            self.bar += 1

    def accompany(self, bars, busy, pad, arpeggio=True):
        for index in bars:
            chords = HARMONY[index].split()
            span = BAR // len(chords)
            for k, name in enumerate(chords):
                start = self.bar * BAR + k * span
                root, tones = CHORDS[name]
                # Broken chords up and back, as a dulcimer player would strike them.
                step = SIXTEENTH if busy else 2 * SIXTEENTH
                figure = [0, 1, 2, 3, 2, 1, 2, 1] if busy else [0, 1, 2, 1]
                count = span // step if arpeggio else 0
                for i in range(count):
                    pitch = tones[figure[i % len(figure)]]
                    velocity = 70 if i == 0 else 56 + 4 * (i % 2)
                    # Each stroke rings on under the next, but not into the next chord.
                    ring = 2 * step if i < count - 1 else step
                    self.note(start + i * step, ring, DULCIMER, pitch, velocity)
                self.note(start, span - 20, BASS, root, 84)
                if busy and span == BAR:
                    self.note(start + PPQ, PPQ - 20, BASS, root + 7, 70)
                if pad:
                    for pitch in tones[:3]:
                        self.note(start, span - 10, STRINGS, pitch + 12, 44)
            self.bar += 1

    def section(self, bars, tune=None, busy=False, pad=False, graces=False, octave=0):
        first = self.bar
        if tune is not None:
            self.melody(bars, tune, octave, graces)
            self.bar = first
        self.accompany(bars, busy, pad)

    def slow_down(self, first_bar, bars, to_bpm):
        beats = 2 * bars
        for beat in range(beats + 1):
            bpm = TEMPO_BPM + (to_bpm - TEMPO_BPM) * beat / beats
            self.tempos.append((first_bar * BAR + beat * PPQ, bpm))


def arrange():
    song = Arrangement()
    whole = range(len(MELODY))
    last_line = range(14, 18)
    # Introduction: the closing line on the dulcimer, over held strings.
    song.melody(last_line, DULCIMER, octave=1, loud=76)
    song.bar = 0
    song.accompany(last_line, busy=False, pad=True, arpeggio=False)
    # First time: the flute over plain broken chords.
    song.section(whole, FLUTE)
    # A two-bar breath before the second time.
    song.section([16, 17])
    # Second time: the violin sings it with grace notes, strings and a busier dulcimer.
    song.section(whole, VIOLIN, busy=True, pad=True, graces=True)
    # Coda: flute and violin together on the closing line, slowing down.
    coda = song.bar
    song.melody(last_line, FLUTE, octave=1, loud=76)
    song.bar = coda
    song.section(last_line, VIOLIN, pad=True, graces=True)
    song.slow_down(coda, len(last_line), 50)
    # A last held chord.
    end = song.bar * BAR
    for pitch in CHORDS["C"][1]:
        song.note(end, 3 * BAR, STRINGS, pitch + 12, 50)
        song.note(end, 3 * BAR, DULCIMER, pitch, 64)
    song.note(end, 3 * BAR, BASS, CHORDS["C"][0], 80)
    song.note(end, 3 * BAR, FLUTE, 72, 70)
    song.bar += 3
    return song


def vlq(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def track_chunk(events, end_tick):
    # Note-offs sort before note-ons at the same tick, set-up events before both.
    events = sorted(events, key=lambda e: (e[0], e[1]))
    data = bytearray()
    now = 0
    for tick, _, message in events:
        data += vlq(tick - now) + message
        now = tick
    data += vlq(max(0, end_tick - now)) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + bytes(data)


def meta(kind, payload):
    return bytes([0xFF, kind]) + vlq(len(payload)) + payload


def smf(song):
    end_tick = song.bar * BAR
    conductor = [(0, 0, meta(0x03, b"Mo Li Hua")), (0, 0, meta(0x58, bytes([2, 2, 24, 8])))]
    for tick, bpm in song.tempos:
        conductor.append((tick, 0, meta(0x51, round(60_000_000 / bpm).to_bytes(3, "big"))))
    tracks = [track_chunk(conductor, end_tick)]
    for channel in PROGRAMS:
        volume, pan, reverb, chorus = MIXER[channel]
        events = [
            (0, 0, meta(0x03, NAMES[channel].encode())),
            (0, 0, bytes([0xC0 | channel, PROGRAMS[channel]])),
            (0, 0, bytes([0xB0 | channel, 7, volume])),
            (0, 0, bytes([0xB0 | channel, 10, pan])),
            (0, 0, bytes([0xB0 | channel, 91, reverb])),
            (0, 0, bytes([0xB0 | channel, 93, chorus])),
        ]
        for start, length, ch, pitch, velocity in song.notes:
            if ch == channel:
                events.append((start, 2, bytes([0x90 | ch, pitch, min(velocity, 127)])))
                events.append((start + length, 1, bytes([0x80 | ch, pitch, 0])))
        tracks.append(track_chunk(events, end_tick))
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), PPQ)
    return header + b"".join(tracks)


def duration_seconds(song):
    end_tick = song.bar * BAR
    tempos = sorted(song.tempos) + [(end_tick, None)]
    seconds = 0.0
    for (tick, bpm), (next_tick, _) in zip(tempos, tempos[1:]):
        seconds += (min(next_tick, end_tick) - tick) / PPQ * 60 / bpm
    return seconds


def main():
    default = pathlib.Path(__file__).resolve().parent.parent / "assets" / "music" / "r07.mid"
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("output", nargs="?", type=pathlib.Path, default=default)
    args = parser.parse_args()
    song = arrange()
    args.output.parent.mkdir(parents=True, exist_ok=True)
    args.output.write_bytes(smf(song))
    print(f"{args.output}: {song.bar} bars, {duration_seconds(song):.1f} s", file=sys.stderr)


if __name__ == "__main__":
    main()
