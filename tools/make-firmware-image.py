#!/usr/bin/env python3
"""Makes a firmware image (*.img) for the simulated device (dsp-device-sim).

The application and the simulator look only at the image's last 10 bytes: a 16-bit
little-endian image identifier, one unexamined byte, the version floor (a signed byte that
must be at least the device's ARM minor version) and six unexamined bytes. The body is
filler.

  tools/make-firmware-image.py good.img                  # accepted by the default simulator
  tools/make-firmware-image.py bad-id.img --invalid id   # wrong identifier
  tools/make-firmware-image.py low.img --invalid floor   # version floor 0x80 (negative)
  tools/make-firmware-image.py big.img --size 5000 --id 0x1234 --floor 3
"""
import argparse
import struct
import sys


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("output")
    p.add_argument("--size", type=int, default=3000, help="total size in bytes, trailer included (default 3000)")
    p.add_argument("--id", type=lambda v: int(v, 0), default=0x5A31,
                   help="image identifier (default 0x5A31, the simulator's)")
    p.add_argument("--floor", type=lambda v: int(v, 0), default=1,
                   help="version floor byte 0..255 (default 1, the simulator's ARM minor version)")
    p.add_argument("--invalid", choices=["id", "floor", "short"],
                   help="make an image the device refuses: another identifier, a negative floor, or 10 bytes")
    a = p.parse_args()

    image_id, floor, size = a.id, a.floor, a.size
    if a.invalid == "id":
        image_id ^= 0xFFFF
    elif a.invalid == "floor":
        floor = 0x80
    elif a.invalid == "short":
        size = 10
    if size < 10 or not 0 <= image_id <= 0xFFFF or not 0 <= floor <= 0xFF:
        sys.exit("size must be at least 10, id 0..0xFFFF and floor 0..255")

    body = bytes((i * 7 + 3) & 0xFF for i in range(max(0, size - 10)))
    trailer = struct.pack("<HBB6s", image_id, 0, floor, b"\0" * 6)
    data = body + trailer
    with open(a.output, "wb") as f:
        f.write(data)
    print(f"{a.output}: {len(data)} bytes, identifier 0x{image_id:04X}, floor 0x{floor:02X}")


if __name__ == "__main__":
    main()
