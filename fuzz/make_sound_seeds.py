#!/usr/bin/env python3
"""Makes the seed files of the sound fuzzers: small Ogg Vorbis files of the shapes the loaders
must cope with (stereo and one channel, 44100 and 22050 frames a second, chained, truncated, empty,
with a spoiled page, and no bytes at all), written to fuzz/corpus/effects and fuzz/corpus/music.
The "regression-" files there are inputs the fuzzers once crashed on, kept by hand.

    fuzz/make_sound_seeds.py

Fixed stream serials and a plain tone make a run reproduce the committed files byte for byte.
"""

import math
import os
import struct
import subprocess
import tempfile
import wave


def tone_wav(path, frames, rate, channels, pitch):
    with wave.open(path, "wb") as w:
        w.setnchannels(channels)
        w.setsampwidth(2)
        w.setframerate(rate)
        data = bytearray()
        for i in range(frames):
            for c in range(channels):
                value = 0.4 * math.sin(2.0 * math.pi * pitch * (1 + 0.5 * c) * i / rate)
                data += struct.pack("<h", round(value * 32767.0))
        w.writeframes(bytes(data))


def ogg(folder, name, frames, rate=44100, channels=2, pitch=440.0, serial=1):
    wav = os.path.join(folder, name + ".wav")
    out = os.path.join(folder, name)
    tone_wav(wav, frames, rate, channels, pitch)
    # The lowest quality keeps the seeds small; the codebooks in the headers are most of a file.
    subprocess.run(["oggenc", "--quiet", "-q", "-1", "--serial", str(serial), "-o", out, wav], check=True)
    with open(out, "rb") as f:
        return f.read()


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory() as scratch:
        stereo = ogg(scratch, "stereo.ogg", 1500)
        sound = stereo.rfind(b"OggS")  # the last page holds the sound, the ones before the headers
        middle = sound + (len(stereo) - sound) // 2
        seeds = {
            "stereo.ogg": stereo,
            "one-channel.ogg": ogg(scratch, "mono.ogg", 1500, channels=1, pitch=330.0, serial=2),
            "22050.ogg": ogg(scratch, "slow.ogg", 800, rate=22050, pitch=220.0, serial=3),
            "empty-stream.ogg": ogg(scratch, "empty.ogg", 0, serial=4),
            "chained.ogg": stereo + ogg(scratch, "second.ogg", 700, pitch=660.0, serial=5),
            "truncated.ogg": stereo[:middle],
            "headers-only.ogg": stereo[:sound],
            "empty": b"",
        }
        # A spoiled byte in the middle of the sound: the page's checksum fails.
        spoiled = bytearray(stereo)
        spoiled[middle] ^= 0xFF
        seeds["spoiled-page.ogg"] = bytes(spoiled)

        for corpus in ("effects", "music"):
            folder = os.path.join(here, "corpus", corpus)
            os.makedirs(folder, exist_ok=True)  # the crash inputs kept there as regressions stay
            for name, data in seeds.items():
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(data)


if __name__ == "__main__":
    main()
