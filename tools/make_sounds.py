#!/usr/bin/env python3
"""Makes every sound file of the game from scratch: the ten effects and the music loop.

Pure Python synthesis into 16-bit stereo WAV at 44100 frames a second, then oggenc. The random
generator is seeded and oggenc is given fixed stream serials, so a run reproduces the committed files
byte for byte.

    tools/make_sounds.py [output folder]     (default: assets/sounds next to this folder)
"""

import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 44100
TWO_PI = 2.0 * math.pi

EFFECT_PEAK = 0.5  # -6 dBFS
MUSIC_PEAK = 0.25  # -12 dBFS: the game mixes music at half level under effects


class Track:
    """A stereo buffer that notes are added into; circular when it is a loop."""

    def __init__(self, frames, loop=False):
        self.frames = frames
        self.loop = loop
        self.left = [0.0] * frames
        self.right = [0.0] * frames

    def add(self, start, samples, pan=0.0):
        # Equal-power pan; a loop wraps tails that run past its end round to its start, so the seam
        # carries the same sound as any other point of the loop.
        gl = math.cos((pan + 1.0) * math.pi / 4.0)
        gr = math.sin((pan + 1.0) * math.pi / 4.0)
        n = self.frames
        left, right = self.left, self.right
        for i, s in enumerate(samples):
            k = start + i
            if k >= n:
                if not self.loop:
                    break
                k %= n
            left[k] += s * gl
            right[k] += s * gr

    def normalise(self, peak):
        top = max(max(abs(v) for v in self.left), max(abs(v) for v in self.right))
        if top > 0.0:
            g = peak / top
            self.left = [v * g for v in self.left]
            self.right = [v * g for v in self.right]


def noise(rng, n):
    return [rng.uniform(-1.0, 1.0) for _ in range(n)]


def lowpass(xs, cutoff, state=0.0):
    """One-pole low-pass; cutoff may be a number or a per-sample list."""
    out = []
    y = state
    if isinstance(cutoff, (int, float)):
        a = 1.0 - math.exp(-TWO_PI * cutoff / RATE)
        for x in xs:
            y += a * (x - y)
            out.append(y)
    else:
        for x, c in zip(xs, cutoff):
            y += (1.0 - math.exp(-TWO_PI * c / RATE)) * (x - y)
            out.append(y)
    return out


def highpass(xs, cutoff):
    low = lowpass(xs, cutoff)
    return [x - l for x, l in zip(xs, low)]


def bandpass(xs, centre, q):
    """RBJ band-pass biquad (constant peak gain); centre may be a per-sample list."""
    out = []
    x1 = x2 = y1 = y2 = 0.0
    for i, x in enumerate(xs):
        f = centre if isinstance(centre, (int, float)) else centre[i]
        w = TWO_PI * f / RATE
        alpha = math.sin(w) / (2.0 * q)
        a0 = 1.0 + alpha
        b0 = alpha / a0
        b2 = -alpha / a0
        a1 = -2.0 * math.cos(w) / a0
        a2 = (1.0 - alpha) / a0
        y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1 = x1, x
        y2, y1 = y1, y
        out.append(y)
    return out


def sweep_tone(freqs, harmonics=(1.0,), phase=0.0):
    """A tone whose frequency follows a per-sample list, with the given harmonic amplitudes."""
    out = []
    for f in freqs:
        phase += TWO_PI * f / RATE
        out.append(sum(a * math.sin(phase * (h + 1)) for h, a in enumerate(harmonics)))
    return out


def envelope(n, attack, decay_rate, hold=0.0):
    """Linear attack (seconds), optional hold, then exponential decay (per second)."""
    a = max(1, int(attack * RATE))
    h = int(hold * RATE)
    env = []
    for i in range(n):
        if i < a:
            env.append(i / a)
        elif i < a + h:
            env.append(1.0)
        else:
            env.append(math.exp(-decay_rate * (i - a - h) / RATE))
    return env


def fade_tail(xs, seconds):
    # Every effect ends at true silence, so the last frame never clicks.
    n = min(len(xs), int(seconds * RATE))
    for i in range(n):
        xs[len(xs) - n + i] *= 1.0 - (i + 1) / n
    return xs


def mul(a, b):
    return [x * y for x, y in zip(a, b)]


def mix(*parts):
    n = max(len(p) for p in parts)
    out = [0.0] * n
    for p in parts:
        for i, v in enumerate(p):
            out[i] += v
    return out


def scale(xs, g):
    return [x * g for x in xs]


# ---------------------------------------------------------------- effects


def make_biffo(rng):
    # A boxing glove on a spring: a hard thump, then the spring's fast wobbling twang.
    n = int(0.7 * RATE)
    thump_len = int(0.18 * RATE)
    thump_f = [55.0 + 180.0 * math.exp(-i / (0.02 * RATE)) for i in range(thump_len)]
    thump = mul(sweep_tone(thump_f, (1.0, 0.3)), envelope(thump_len, 0.001, 22.0))
    click = mul(lowpass(noise(rng, 800), 3000.0), envelope(800, 0.0005, 120.0))
    spring_f = [420.0 + 160.0 * math.sin(TWO_PI * 18.0 * i / RATE) * math.exp(-i / (0.25 * RATE))
                for i in range(n)]
    spring = mul(sweep_tone(spring_f, (1.0, 0.4, 0.2)), envelope(n, 0.01, 7.0))
    return fade_tail(mix(scale(thump, 1.0), scale(click, 0.8), scale(spring, 0.35)), 0.05)


def make_boing(rng):
    # A rake handle springing up: a woody knock and a long, drooping, wobbling boing.
    n = int(0.9 * RATE)
    f = [(180.0 + 60.0 * math.exp(-i / (0.15 * RATE)))
         * (1.0 + 0.08 * math.sin(TWO_PI * 9.0 * i / RATE) * math.exp(-i / (0.5 * RATE)))
         for i in range(n)]
    body = mul(sweep_tone(f, (1.0, 0.5, 0.25, 0.1)), envelope(n, 0.003, 4.5))
    knock = mul(bandpass(noise(rng, 2000), 900.0, 3.0), envelope(2000, 0.0005, 60.0))
    return fade_tail(mix(body, scale(knock, 3.0)), 0.08)


def make_die(rng):
    # A squash: a wet, falling splat of filtered noise with a sagging low body under it.
    n = int(0.55 * RATE)
    centre = [1400.0 * math.exp(-i / (0.12 * RATE)) + 200.0 for i in range(n)]
    splat = mul(bandpass(noise(rng, n), centre, 1.5), envelope(n, 0.002, 9.0))
    body_f = [140.0 * math.exp(-i / (0.2 * RATE)) + 45.0 for i in range(n)]
    body = mul(sweep_tone(body_f, (1.0, 0.6)), envelope(n, 0.004, 10.0))
    return fade_tail(mix(scale(splat, 4.0), scale(body, 0.7)), 0.06)


def make_explosion(rng):
    # A bang: a sharp crack, a roar of noise whose brightness falls away, and a long low rumble.
    n = int(2.0 * RATE)
    cutoff = [6000.0 * math.exp(-i / (0.12 * RATE)) + 150.0 for i in range(n)]
    roar = mul(lowpass(lowpass(noise(rng, n), cutoff), cutoff), envelope(n, 0.002, 2.6))
    rumble_f = [50.0 + 30.0 * math.exp(-i / (0.3 * RATE)) for i in range(n)]
    rumble = mul(sweep_tone(rumble_f, (1.0, 0.5, 0.2)), envelope(n, 0.01, 2.2))
    crack = mul(noise(rng, 1500), envelope(1500, 0.0003, 90.0))
    return fade_tail(mix(scale(roar, 3.0), scale(rumble, 0.6), scale(crack, 0.7)), 0.2)


def make_footstep(rng, brightness, weight):
    # A trainer on the track: a short scuff of filtered noise and a soft low tap.
    n = int(0.16 * RATE)
    scuff = mul(bandpass(noise(rng, n), brightness, 1.2), envelope(n, 0.003, 40.0))
    tap_f = [weight * (1.0 + 0.5 * math.exp(-i / (0.01 * RATE))) for i in range(n)]
    tap = mul(sweep_tone(tap_f), envelope(n, 0.002, 35.0))
    return fade_tail(mix(scale(scuff, 2.0), scale(tap, 0.6)), 0.02)


def make_ghost(rng):
    # A wail: a hollow voice that rises, wavers and sinks, with breath around it.
    n = int(2.2 * RATE)
    f = []
    for i in range(n):
        t = i / RATE
        glide = 330.0 + 240.0 * math.sin(math.pi * min(t / 2.2, 1.0)) ** 2
        f.append(glide * (1.0 + 0.025 * math.sin(TWO_PI * 5.5 * t)))
    env = [math.sin(math.pi * i / n) ** 0.7 for i in range(n)]
    voice = mul(sweep_tone(f, (1.0, 0.35, 0.12)), env)
    breath = mul(bandpass(noise(rng, n), [x * 2.0 for x in f], 4.0), env)
    echo_gap = int(0.18 * RATE)
    out = mix(voice, scale(breath, 1.2))
    tail = [0.0] * echo_gap + scale(out, 0.35)
    return fade_tail(mix(out, tail), 0.1)


def make_jump(rng):
    # A short whoosh: band-passed air whose pitch rises with the leap.
    n = int(0.32 * RATE)
    centre = [500.0 + 2500.0 * (i / n) ** 1.5 for i in range(n)]
    env = [math.sin(math.pi * i / n) ** 1.5 for i in range(n)]
    return fade_tail(mul(bandpass(noise(rng, n), centre, 2.5), env), 0.02)


def make_trip(rng):
    # A runner hitting the ground: a heavy low thud and a brief scrape of grit.
    n = int(0.5 * RATE)
    f = [40.0 + 70.0 * math.exp(-i / (0.03 * RATE)) for i in range(n)]
    thud = mul(sweep_tone(f, (1.0, 0.4, 0.15)), envelope(n, 0.002, 11.0))
    grit_n = int(0.2 * RATE)
    grit = mul(bandpass(noise(rng, grit_n), 2200.0, 1.0), envelope(grit_n, 0.005, 18.0))
    return fade_tail(mix(thud, scale(grit, 0.9)), 0.05)


WALL_PERIOD = RATE * 251 // 60  # the wall restarts its sound every 251 frames at 60 a second
WALL_OVERLAP = int(4.2 * RATE) - WALL_PERIOD


def make_wall_grinding(rng):
    """A stone grind that is periodic with the wall's restart period.

    The file is one period plus a short overlap: its head fades in while its tail fades out by the
    same amount, so a copy started one period after another sums back to the steady grind.
    """
    p = WALL_PERIOD
    # Filters run over the noise twice so that their state at the end matches the start (circular).
    raw = noise(rng, p)
    rumble = lowpass(lowpass(raw + raw, 90.0), 90.0)[p:]
    grit = bandpass(noise(rng, p) * 2, 1800.0, 0.9)[p:]
    scrape_c = [700.0 + 250.0 * math.sin(TWO_PI * 3.0 * i / p) for i in range(p)]
    scrape = bandpass(noise(rng, p) * 2, scrape_c * 2, 6.0)[p:]
    # Slow lurches of the stone: whole cycles in one period keep it periodic.
    lurch = [0.75 + 0.25 * math.sin(TWO_PI * 7.0 * i / p) for i in range(p)]
    steady = [lurch[i] * (rumble[i] * 9.0 + grit[i] * 0.8 + scrape[i] * 1.4) for i in range(p)]
    n = p + WALL_OVERLAP
    out = [steady[i % p] for i in range(n)]
    for i in range(WALL_OVERLAP):
        w = (i + 0.5) / WALL_OVERLAP
        out[i] *= w
        out[p + i] *= 1.0 - w
    return out


# ---------------------------------------------------------------- music

BPM = 120
BEAT = RATE * 60 // BPM  # 22050 frames
BAR = 4 * BEAT
BARS = 16

# Chords per bar, as MIDI notes (bass root first).
CHORDS = {
    "C": (36, (60, 64, 67)),
    "G": (43, (59, 62, 67)),
    "Am": (45, (57, 60, 64)),
    "F": (41, (57, 60, 65)),
    "Em": (40, (55, 59, 64)),
}
PROGRESSION = ["C", "G", "Am", "F", "C", "G", "Am", "F",
               "Am", "F", "C", "G", "F", "G", "Em", "G"]

# Melody, bar by bar: (start beat within the bar, length in beats, MIDI note).
E, Q, H, DQ = 0.5, 1.0, 2.0, 1.5
MELODY_BARS = [
    [(0, Q, 76), (1, E, 79), (1.5, E, 76), (2, Q, 74), (3, Q, 72)],
    [(0, E, 74), (0.5, E, 74), (1, Q, 71), (2, Q, 74), (3, Q, 79)],
    [(0, Q, 76), (1, E, 72), (1.5, E, 76), (2, Q, 81), (3, Q, 79)],
    [(0, E, 77), (0.5, E, 76), (1, Q, 74), (2, H, 72)],
    [(0, Q, 76), (1, E, 79), (1.5, E, 76), (2, Q, 74), (3, Q, 72)],
    [(0, E, 74), (0.5, E, 74), (1, Q, 71), (2, Q, 74), (3, Q, 79)],
    [(0, Q, 76), (1, E, 72), (1.5, E, 76), (2, Q, 81), (3, Q, 79)],
    [(0, E, 81), (0.5, E, 79), (1, Q, 77), (2, Q, 76), (3, Q, 74)],
    [(0, Q, 84), (1, E, 83), (1.5, E, 81), (2, H, 76)],
    [(0, Q, 77), (1, E, 81), (1.5, E, 84), (2, Q, 81), (3, Q, 77)],
    [(0, DQ, 79), (1.5, E, 76), (2, Q, 79), (3, Q, 84)],
    [(0, E, 83), (0.5, E, 81), (1, Q, 79), (2, H, 74)],
    [(0, Q, 81), (1, E, 79), (1.5, E, 77), (2, Q, 76), (3, Q, 77)],
    [(0, Q, 79), (1, E, 74), (1.5, E, 79), (2, Q, 83), (3, Q, 81)],
    [(0, DQ, 79), (1.5, E, 76), (2, Q, 71), (3, Q, 76)],
    [(0, E, 74), (0.5, E, 76), (1, E, 79), (1.5, E, 81), (2, H, 83)],
]

# Bass line within a bar: (start beat, length in beats, offset in semitones from the root).
BASS_PATTERN = [(0, E, 0), (0.5, E, 0), (1, E, 12), (1.5, E, 0),
                (2, E, 7), (2.5, E, 0), (3, E, 12), (3.5, E, 7)]


def hz(midi):
    return 440.0 * 2.0 ** ((midi - 69) / 12.0)


def tone(freq, frames, harmonics, attack, decay, release, vibrato=0.0):
    """A note with a short attack, exponential decay while held, and a release after `frames`."""
    rel = int(release * RATE)
    n = frames + rel
    a = max(1, int(attack * RATE))
    out = [0.0] * n
    step = TWO_PI * freq / RATE
    vib_step = TWO_PI * 5.0 / RATE
    phase = 0.0
    for i in range(n):
        if vibrato:
            phase += step * (1.0 + vibrato * math.sin(vib_step * i) * min(1.0, i / (0.25 * RATE)))
        else:
            phase += step
        if i < a:
            env = i / a
        else:
            env = math.exp(-decay * (i - a) / RATE)
        if i >= frames:
            env *= 1.0 - (i - frames) / rel
        s = 0.0
        for h, amp in enumerate(harmonics):
            s += amp * math.sin(phase * (h + 1))
        out[i] = s * env
    return out


def kick():
    n = int(0.3 * RATE)
    f = [48.0 + 110.0 * math.exp(-i / (0.025 * RATE)) for i in range(n)]
    return fade_tail(mul(sweep_tone(f), envelope(n, 0.001, 12.0)), 0.02)


def snare(rng):
    n = int(0.22 * RATE)
    rattle = mul(highpass(noise(rng, n), 1200.0), envelope(n, 0.001, 18.0))
    body = mul(sweep_tone([190.0] * n), envelope(n, 0.001, 30.0))
    return fade_tail(mix(scale(rattle, 0.8), scale(body, 0.5)), 0.02)


def hat(rng, length):
    n = int(length * RATE)
    return fade_tail(mul(highpass(highpass(noise(rng, n), 6000.0), 6000.0),
                         envelope(n, 0.0005, 60.0 if length < 0.1 else 14.0)), 0.01)


def make_music(rng):
    music = Track(BARS * BAR, loop=True)
    kick_s = kick()
    snares = [snare(rng) for _ in range(4)]
    closed = [hat(rng, 0.06) for _ in range(4)]
    open_hat = hat(rng, 0.25)
    lead = (1.0, 0.45, 0.25, 0.12, 0.06)
    bass = (1.0, 0.5, 0.3, 0.15)
    stab = (1.0, 0.3, 0.12)
    pad = (1.0, 0.2)
    for bar, name in enumerate(PROGRESSION):
        root, triad = CHORDS[name]
        start = bar * BAR
        # Drums: four-on-the-floor kick with a push into beat three, backbeat snare, eighth hats.
        for beat in (0, 1, 2, 3):
            music.add(start + beat * BEAT, scale(kick_s, 0.9))
        music.add(start + int(2.5 * BEAT), scale(kick_s, 0.5))
        music.add(start + BEAT, scale(snares[bar % 4], 0.55), pan=0.1)
        music.add(start + 3 * BEAT, scale(snares[(bar + 1) % 4], 0.55), pan=0.1)
        for eighth in range(8):
            if eighth == 7 and bar % 2 == 1:
                music.add(start + eighth * BEAT // 2, scale(open_hat, 0.16), pan=-0.35)
            else:
                accent = 0.2 if eighth % 2 else 0.12
                music.add(start + eighth * BEAT // 2, scale(closed[eighth % 4], accent), pan=-0.35)
        # Bass.
        for beat, length, offset in BASS_PATTERN:
            note = tone(hz(root + offset), int(length * BEAT * 0.8), bass, 0.004, 3.0, 0.03)
            music.add(start + int(beat * BEAT), scale(note, 0.42))
        # Off-beat chord stabs give the lift; a quiet pad holds the harmony underneath.
        for beat in (0.5, 1.5, 2.5, 3.5):
            for k, midi in enumerate(triad):
                note = tone(hz(midi), int(0.18 * BEAT), stab, 0.003, 6.0, 0.04)
                music.add(start + int(beat * BEAT), scale(note, 0.11), pan=-0.4 + 0.4 * k)
        for k, midi in enumerate(triad):
            note = tone(hz(midi - 12), BAR - int(0.1 * BEAT), pad, 0.15, 0.4, 0.3)
            music.add(start, scale(note, 0.06), pan=0.5 - 0.5 * k)
        # Melody.
        for beat, length, midi in MELODY_BARS[bar]:
            note = tone(hz(midi), int(length * BEAT * 0.9), lead, 0.01, 1.2, 0.08, vibrato=0.004)
            music.add(start + int(beat * BEAT), scale(note, 0.3), pan=0.2)
    music.normalise(MUSIC_PEAK)
    return music


# ---------------------------------------------------------------- files


def write_wav(path, left, right):
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(RATE)
        frames = bytearray()
        for l, r in zip(left, right):
            frames += struct.pack("<hh", max(-32768, min(32767, round(l * 32767.0))),
                                  max(-32768, min(32767, round(r * 32767.0))))
        w.writeframes(bytes(frames))


def encode(wav, ogg, quality, serial):
    subprocess.run(["oggenc", "--quiet", "-q", str(quality), "--serial", str(serial),
                    "-o", ogg, wav], check=True)


def effect_track(samples, pan_spread=0.0):
    t = Track(len(samples))
    t.left = list(samples)
    # A touch of width for the longer effects: the right side is a few frames later.
    d = int(pan_spread * RATE)
    t.right = [0.0] * d + list(samples[:len(samples) - d]) if d else list(samples)
    t.normalise(EFFECT_PEAK)
    return t


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "assets", "sounds")
    os.makedirs(out_dir, exist_ok=True)
    effects = [
        ("biffo.ogg", make_biffo, 0.0),
        ("boing.ogg", make_boing, 0.0),
        ("die.ogg", make_die, 0.0),
        ("explosion.ogg", make_explosion, 0.0006),
        ("footstep1.ogg", lambda rng: make_footstep(rng, 900.0, 70.0), 0.0),
        ("footstep2.ogg", lambda rng: make_footstep(rng, 1300.0, 85.0), 0.0),
        ("ghost.ogg", make_ghost, 0.0008),
        ("jump.ogg", make_jump, 0.0),
        ("trip.ogg", make_trip, 0.0),
        ("WallGrinding.ogg", make_wall_grinding, 0.0),
    ]
    with tempfile.TemporaryDirectory() as tmp:
        for serial, (name, make, spread) in enumerate(effects, start=1):
            # Each file has its own seed, so changing one sound leaves the others as they were.
            track = effect_track(make(random.Random(serial * 7919)), spread)
            wav = os.path.join(tmp, name + ".wav")
            write_wav(wav, track.left, track.right)
            encode(wav, os.path.join(out_dir, name), 4, serial)
            print("made", name)
        music = make_music(random.Random(4242))
        wav = os.path.join(tmp, "music.wav")
        write_wav(wav, music.left, music.right)
        encode(wav, os.path.join(out_dir, "music.ogg"), 3, 100)
        print("made music.ogg")


if __name__ == "__main__":
    main()
