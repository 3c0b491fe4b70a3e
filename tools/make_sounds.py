#!/usr/bin/env python3
"""Writes the default game's sounds into data/sounds/ and the sound set data/sets/sounds.xml.

Every effect is synthesised here (sine, square and saw oscillators, seeded noise, envelopes)
and written as 22050 Hz mono 16-bit WAV. The music loops (one per level, and the title's) are
rendered the same way and encoded to Ogg Vorbis with oggenc (Debian's vorbis-tools) with a
fixed serial number, so a second run gives the same bytes. Standard library only; fixed
random seeds.

Usage: python3 tools/make_sounds.py [--out DATA_DIR]
"""

import argparse
import math
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import wave

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RATE = 22050
TAU = 2.0 * math.pi


# ----------------------------------------------------------------------------------------------
# Building blocks. A sound is a list of floats in -1..1 at RATE samples per second.

def silence(seconds):
    return [0.0] * int(seconds * RATE)


def mix_into(buffer, sound, start, gain=1.0, wrap=False):
    """Adds sound into buffer from sample start; with wrap, what passes the end starts over
    at the beginning (the tails of a loop's last notes ring into its first bar)."""
    n = len(buffer)
    for i, value in enumerate(sound):
        j = start + i
        if j >= n:
            if not wrap:
                return
            j %= n
        buffer[j] += value * gain


def envelope(count, attack, release):
    """Linear attack over `attack` seconds, then an exponential fall to -60 dB over
    `release` seconds."""
    a = max(1, int(attack * RATE))
    out = []
    for i in range(count):
        if i < a:
            out.append(i / a)
        else:
            t = (i - a) / RATE
            out.append(math.exp(-6.9 * t / release))
    return out


def osc(kind, phase):
    phase %= 1.0
    if kind == "sine":
        return math.sin(TAU * phase)
    if kind == "square":
        return 1.0 if phase < 0.5 else -1.0
    if kind == "saw":
        return 2.0 * phase - 1.0
    if kind == "tri":
        return 4.0 * phase - 1.0 if phase < 0.5 else 3.0 - 4.0 * phase
    raise ValueError(kind)


def tone(freq_of_t, seconds, kind="sine", attack=0.005, release=0.2, gain=1.0):
    """A tone whose frequency follows freq_of_t(t) (Hz at time t seconds)."""
    count = int(seconds * RATE)
    env = envelope(count, attack, release)
    out = []
    phase = 0.0
    for i in range(count):
        phase += freq_of_t(i / RATE) / RATE
        out.append(osc(kind, phase) * env[i] * gain)
    return out


def noise(seconds, seed, release, attack=0.002, smooth=0.0, gain=1.0):
    """Seeded white noise, low-passed by a one-pole filter (smooth 0..1, 0 = none)."""
    rng = random.Random(seed)
    count = int(seconds * RATE)
    env = envelope(count, attack, release)
    out = []
    last = 0.0
    for i in range(count):
        value = rng.uniform(-1.0, 1.0)
        last = last * smooth + value * (1.0 - smooth)
        out.append(last * env[i] * gain)
    return out


def highpass(sound):
    out = []
    last = 0.0
    for value in sound:
        out.append(value - last)
        last = value
    return out


def note_hz(name):
    """'A4' -> 440 Hz; sharps as 'C#4'."""
    names = {"C": -9, "C#": -8, "D": -7, "D#": -6, "E": -5, "F": -4, "F#": -3, "G": -2,
             "G#": -1, "A": 0, "A#": 1, "B": 2}
    pitch, octave = name[:-1], int(name[-1])
    return 440.0 * 2.0 ** ((names[pitch] + 12 * (octave - 4)) / 12.0)


def normalise(sound, peak):
    top = max(1e-9, max(abs(v) for v in sound))
    return [v * peak / top for v in sound]


def write_wav(path, sound):
    frames = b"".join(struct.pack("<h", int(max(-1.0, min(1.0, v)) * 32767)) for v in sound)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


# ----------------------------------------------------------------------------------------------
# Effects.

def laser():
    # A bright square sweep from 1800 Hz down to 300 Hz with a little sine body.
    sweep = tone(lambda t: 1800.0 * math.exp(-t * 14.0) + 300.0, 0.16, "square", 0.002, 0.09)
    body = tone(lambda t: 900.0 * math.exp(-t * 10.0) + 200.0, 0.16, "sine", 0.002, 0.1)
    return normalise([a * 0.5 + b for a, b in zip(sweep, body)], 0.8)


def enemy_shot():
    # Lower and rounder than the ship's: a triangle wobble falling from 700 Hz.
    return normalise(tone(lambda t: 700.0 - 1500.0 * t + 60.0 * math.sin(TAU * 40.0 * t), 0.2,
                          "tri", 0.003, 0.12), 0.7)


def explosion(seconds, seed, rumble_hz, smooth):
    crack = noise(seconds, seed, seconds * 0.45, 0.001, smooth)
    rumble = tone(lambda t: rumble_hz * math.exp(-t * 2.0) + 25.0, seconds, "sine", 0.002,
                  seconds * 0.6)
    return normalise([a + 0.8 * b for a, b in zip(crack, rumble)], 0.9)


def hit():
    thud = tone(lambda t: 220.0 * math.exp(-t * 12.0) + 60.0, 0.18, "square", 0.001, 0.07)
    grit = noise(0.18, 7, 0.05, 0.001, 0.3)
    return normalise([0.5 * a + b for a, b in zip(thud, grit)], 0.75)


def click():
    tick = tone(lambda t: 2400.0, 0.05, "sine", 0.0005, 0.012)
    knock = tone(lambda t: 600.0, 0.05, "tri", 0.0005, 0.02)
    return normalise([a + 0.6 * b for a, b in zip(tick, knock)], 0.6)


def ring_burst():
    # A rising shimmer of stacked sines: the ring spreading out.
    sound = silence(0.5)
    for k, base in enumerate((500.0, 750.0, 1000.0, 1500.0)):
        mix_into(sound, tone(lambda t, b=base: b * (1.0 + 1.5 * t), 0.45, "sine", 0.01, 0.2),
                 k * int(0.02 * RATE), 0.5)
    return normalise(sound, 0.8)


def arpeggio(notes, step, length, kind, release, gain=1.0):
    sound = silence(step * len(notes) + length)
    for i, name in enumerate(notes):
        if name:
            mix_into(sound, tone(lambda t, f=note_hz(name): f, length, kind, 0.004, release),
                     int(i * step * RATE), gain)
    return sound


def ship_return():
    return normalise(arpeggio(["A4", "C5", "E5", "A5"], 0.07, 0.3, "tri", 0.15), 0.7)


def game_over():
    # A falling minor line ending on a long low chord.
    line = arpeggio(["E5", "D5", "C5", "B4", "A4"], 0.22, 0.5, "square", 0.25, 0.35)
    chord = silence(2.6)
    for name in ("A2", "E3", "A3", "C4"):
        mix_into(chord, tone(lambda t, f=note_hz(name): f * (1.0 - 0.01 * t), 1.5, "saw",
                             0.01, 0.9), int(1.1 * RATE), 0.25)
    mix_into(chord, line, 0)
    return normalise(chord, 0.85)


def level_complete():
    # A rising major fanfare ending on a bright chord.
    line = arpeggio(["C5", "E5", "G5", "C6", None, "G5", "C6"], 0.13, 0.35, "square", 0.2, 0.35)
    sound = silence(2.6)
    mix_into(sound, line, 0)
    for name in ("C4", "E4", "G4", "C5"):
        mix_into(sound, tone(lambda t, f=note_hz(name): f, 1.6, "saw", 0.01, 0.9),
                 int(0.95 * RATE), 0.22)
    return normalise(sound, 0.85)


# ----------------------------------------------------------------------------------------------
# Music. A pattern language of 16th-note steps: one list entry per step, None for a rest.

def kick():
    return tone(lambda t: 45.0 + 110.0 * math.exp(-t * 30.0), 0.22, "sine", 0.001, 0.18)


def snare(seed):
    body = tone(lambda t: 190.0, 0.16, "tri", 0.001, 0.05)
    return [0.6 * a + b for a, b in zip(body, noise(0.16, seed, 0.1, 0.001, 0.2))]


def hat(seed):
    return highpass(noise(0.05, seed, 0.025, 0.0005))


def pluck(freq, seconds, kind, release, vibrato=0.0):
    return tone(lambda t: freq * (1.0 + vibrato * math.sin(TAU * 5.5 * t)), seconds, kind,
                0.004, release)


def render_loop(bpm, bars, chords, melody, drums, bass_style, pad_gain, lead_kind):
    step = 60.0 / bpm / 4.0
    steps = bars * 16
    out = silence(steps * step)

    def at(i):
        return int(round(i * step * RATE))

    for bar in range(bars):
        root, third, fifth = chords[bar % len(chords)]
        # Pad: the chord held for the whole bar, soft triangles an octave up.
        for name in (root, third, fifth):
            f = note_hz(name) * 2.0
            mix_into(out, pluck(f, 16 * step + 0.3, "tri", 16 * step * 0.7), at(bar * 16),
                      pad_gain, wrap=True)
        # Bass: the root on the pattern's steps.
        for s in bass_style:
            f = note_hz(root) / 2.0 * (2.0 if s % 8 == 6 else 1.0)
            mix_into(out, pluck(f, step * 2.0, "saw", step * 1.5), at(bar * 16 + s), 0.30,
                     wrap=True)
        # Drums.
        if drums and bar >= drums["from"]:
            for s in drums["kick"]:
                mix_into(out, kick(), at(bar * 16 + s), 0.8, wrap=True)
            for s in drums["snare"]:
                mix_into(out, snare(bar * 16 + s), at(bar * 16 + s), 0.35, wrap=True)
            for s in drums["hat"]:
                mix_into(out, hat(bar * 16 + s), at(bar * 16 + s), 0.18, wrap=True)
    # Melody: (step, note, length in steps) over the whole loop.
    for start, name, length in melody:
        mix_into(out, pluck(note_hz(name), length * step + 0.1, lead_kind, length * step * 0.8,
                            0.006), at(start), 0.22, wrap=True)
    return normalise(out, 0.85)


def level_music():
    # 120 bpm, A minor: Am F C G, two bars each; 32 bars = 64 s. Drums come in at bar 4,
    # the lead at bar 8 with a first phrase, then a higher answer.
    chords = [("A2", "C3", "E3")] * 2 + [("F2", "A2", "C3")] * 2 + \
             [("C3", "E3", "G3")] * 2 + [("G2", "B2", "D3")] * 2
    phrase_a = [(0, "A4", 3), (3, "C5", 3), (6, "E5", 2), (8, "D5", 4), (12, "C5", 4),
                (16, "A4", 6), (22, "G4", 2), (24, "A4", 8),
                (32, "F4", 3), (35, "A4", 3), (38, "C5", 2), (40, "E5", 4), (44, "D5", 4),
                (48, "C5", 6), (54, "B4", 2), (56, "C5", 8),
                (64, "E5", 3), (67, "G5", 3), (70, "E5", 2), (72, "D5", 4), (76, "C5", 4),
                (80, "D5", 6), (86, "E5", 2), (88, "G5", 8),
                (96, "D5", 3), (99, "B4", 3), (102, "G4", 2), (104, "A4", 4), (108, "B4", 4),
                (112, "D5", 8), (120, "E5", 8)]
    # The answer: the same rhythm, its lower notes an octave up.
    phrase_b = [(s, n[:-1] + "5" if n.endswith("4") else n, l) for s, n, l in phrase_a]
    melody = [(128 + s, n, l) for s, n, l in phrase_a] + \
             [(256 + s, n, l) for s, n, l in phrase_b] + \
             [(384 + s, n, l) for s, n, l in phrase_a]
    drums = {"from": 4, "kick": [0, 4, 8, 10, 12], "snare": [4, 12],
             "hat": [2, 6, 10, 14, 15]}
    return render_loop(120, 32, chords, melody, drums, [0, 3, 6, 8, 11, 14], 0.10, "square")


def shifted_phrase(phrase, offset):
    return [(offset + s, n, l) for s, n, l in phrase]


def reef_music():
    # Glass Reef: 132 bpm, D minor: Dm Bb F C, two bars each; 32 bars = 58 s. A glassy
    # triangle lead over busier hats; drums from bar 2, the lead from bar 8.
    chords = [("D3", "F3", "A3")] * 2 + [("A#2", "D3", "F3")] * 2 + \
             [("F2", "A2", "C3")] * 2 + [("C3", "E3", "G3")] * 2
    phrase = [(0, "D5", 2), (2, "F5", 2), (4, "A5", 4), (8, "G5", 2), (10, "F5", 2),
              (12, "E5", 4), (16, "D5", 6), (22, "C5", 2), (24, "D5", 8),
              (32, "A#4", 2), (34, "D5", 2), (36, "F5", 4), (40, "A5", 4), (44, "G5", 4),
              (48, "F5", 6), (54, "E5", 2), (56, "D5", 8),
              (64, "F5", 2), (66, "A5", 2), (68, "C6", 4), (72, "A5", 4), (76, "F5", 4),
              (80, "G5", 6), (86, "A5", 2), (88, "C6", 8),
              (96, "E5", 2), (98, "G5", 2), (100, "C6", 4), (104, "A#5", 4), (108, "G5", 4),
              (112, "E5", 8), (120, "C5", 8)]
    # The answer drops the phrase an octave, then the phrase comes back.
    answer = [(s, n[:-1] + str(int(n[-1]) - 1), l) for s, n, l in phrase]
    melody = shifted_phrase(phrase, 128) + shifted_phrase(answer, 256) + \
        shifted_phrase(phrase, 384)
    drums = {"from": 2, "kick": [0, 6, 8, 14], "snare": [4, 12],
             "hat": [0, 2, 3, 6, 8, 10, 11, 14]}
    return render_loop(132, 32, chords, melody, drums, [0, 2, 6, 8, 10, 14], 0.09, "tri")


def citadel_music():
    # Ash Citadel: 144 bpm, E minor with a dark F: Em F Em D, C B7 Em Em; 32 bars = 53 s.
    # Driving eighth-note bass and four-on-the-floor kicks from the first bar; a saw lead.
    chords = [("E2", "G2", "B2"), ("F2", "A2", "C3"), ("E2", "G2", "B2"), ("D2", "F#2", "A2"),
              ("C3", "E3", "G3"), ("B2", "D#3", "F#3"), ("E2", "G2", "B2"), ("E2", "G2", "B2")]
    phrase = [(0, "E5", 3), (3, "F5", 3), (6, "E5", 2), (8, "B4", 4), (12, "G4", 4),
              (16, "F5", 3), (19, "G5", 3), (22, "A5", 2), (24, "G5", 4), (28, "F5", 4),
              (32, "E5", 3), (35, "G5", 3), (38, "B5", 2), (40, "A5", 4), (44, "G5", 4),
              (48, "F#5", 6), (54, "E5", 2), (56, "D5", 8),
              (64, "C5", 3), (67, "E5", 3), (70, "G5", 2), (72, "C6", 4), (76, "B5", 4),
              (80, "B5", 3), (83, "A5", 3), (86, "F#5", 2), (88, "D#5", 8),
              (96, "E5", 4), (100, "G5", 4), (104, "B5", 4), (108, "A5", 4),
              (112, "G5", 6), (118, "F#5", 2), (120, "E5", 8)]
    melody = shifted_phrase(phrase, 128) + shifted_phrase(phrase, 256) + \
        [(384 + s, n[:-1] + str(int(n[-1]) - 1), l) for s, n, l in phrase]
    drums = {"from": 0, "kick": [0, 4, 8, 12], "snare": [4, 12, 15],
             "hat": [2, 6, 10, 14]}
    return render_loop(144, 32, chords, melody, drums, [0, 2, 4, 6, 8, 10, 12, 14], 0.08,
                       "saw")


def title_music():
    # 84 bpm, calmer: Am Em F G, a bar each; pad, slow bass, a sparse lead; 16 bars = 45.7 s.
    chords = [("A2", "C3", "E3"), ("E2", "G2", "B2"), ("F2", "A2", "C3"), ("G2", "B2", "D3")]
    melody = []
    line = ["E5", "D5", "C5", "B4", "C5", "B4", "A4", "G4"]
    for bar in range(4, 16):
        melody.append((bar * 16, line[(bar * 2) % len(line)], 6))
        melody.append((bar * 16 + 8, line[(bar * 2 + 1) % len(line)], 8))
    return render_loop(84, 16, chords, melody, None, [0, 8], 0.16, "sine")


# ----------------------------------------------------------------------------------------------

EFFECTS = [
    ("laser", laser, 70),
    ("enemy_shot", enemy_shot, 45),
    ("ring", ring_burst, 75),
    ("explosion_small", lambda: explosion(0.45, 11, 120.0, 0.5), 80),
    ("explosion_medium", lambda: explosion(0.9, 12, 90.0, 0.65), 85),
    ("explosion_large", lambda: explosion(1.6, 13, 70.0, 0.8), 95),
    ("hit", hit, 80),
    ("click", click, 60),
    ("ship_return", ship_return, 70),
    ("game_over", game_over, 90),
    ("level_complete", level_complete, 90),
]
MUSIC = [("ember", level_music, 55), ("reef", reef_music, 55), ("citadel", citadel_music, 50),
         ("title", title_music, 55)]
CUES = [("shipfire", "laser"), ("ringburst", "ring"), ("enemyfire", "enemy_shot"),
        ("enemydestroyed", "explosion_small"), ("shiphit", "hit"),
        ("shipdestroyed", "explosion_large"), ("shipreturn", "ship_return"),
        ("button", "click"), ("gameover", "game_over"), ("levelcomplete", "level_complete"),
        ("titlemusic", "title")]


def sound_set():
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- Sounds of the default game, written by tools/make_sounds.py. -->",
             '<soundset basedir="sounds">']
    for name, _, volume in EFFECTS:
        lines.append('  <sample name="%s" volume="%d">%s.wav</sample>' % (name, volume, name))
    for name, _, volume in MUSIC:
        lines.append('  <music name="%s" volume="%d">%s.ogg</music>' % (name, volume, name))
    for event, sound in CUES:
        lines.append('  <cue event="%s" sound="%s"/>' % (event, sound))
    lines.append("</soundset>")
    return "\n".join(lines) + "\n"


def encode_ogg(sound, path):
    if not shutil.which("oggenc"):
        sys.exit("make_sounds: oggenc not found (Debian package vorbis-tools)")
    with tempfile.TemporaryDirectory() as work:
        wav = os.path.join(work, "music.wav")
        write_wav(wav, sound)
        subprocess.run(["oggenc", "-Q", "-s", "1", "-q", "2", "-o", path, wav], check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(ROOT, "data"), help="data folder")
    args = parser.parse_args()
    sounds = os.path.join(args.out, "sounds")
    os.makedirs(sounds, exist_ok=True)
    os.makedirs(os.path.join(args.out, "sets"), exist_ok=True)
    for name, make, _ in EFFECTS:
        write_wav(os.path.join(sounds, name + ".wav"), make())
    for name, make, _ in MUSIC:
        encode_ogg(make(), os.path.join(sounds, name + ".ogg"))
    with open(os.path.join(args.out, "sets", "sounds.xml"), "w") as out:
        out.write(sound_set())


if __name__ == "__main__":
    main()
