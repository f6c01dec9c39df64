#!/usr/bin/env python3
"""Adds real frames and files to the fuzz corpora, as the simulated device and the
application make them (the other make_corpus.py scripts write shapes from the catalogue):

  dispatch   every reply the simulated device gives to a read of each key it answers, in
             a Dante and a plain variant, singly and as the streams they came in; the
             login, preset transfer and firmware replies; a firmware status report
  transfer   a one-slot and an all-slot preset export of the simulated device; firmware
             images from tools/make-firmware-image.py, good and refused
  discovery  the simulated devices' discovery records, as they arrive and change
  configscan cfg.ini as the application writes it
  layout     with --device-log: the writes of an application session, from the simulator's
             frame log (build/bin/soak_mainwindow --seconds 120 --device-log FILE); its
             frames also go to dispatch as one stream (reads and writes: not replies)

Files are named real-*; running it again replaces them.
  fuzz/make_real_corpus.py [--build build] [--device-log FILE]
"""
import argparse
import os
import re
import select
import socket
import struct
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.normpath(os.path.join(here, '..'))
MAX_LEN = {'transfer': 16384}  # tools/run-fuzz.sh -max_len; 4096 for the others
STREAM = 1024  # bytes of a stream seed
IP = '127.0.29.77'

row = re.compile(r'X\((\w+),\s*(\d+),\s*(\d+),\s*(\d+),\s*([\w|]+),\s*Reply::(\w+),\s*(\d+),\s*(\d+),\s*\d+,'
                 r'\s*Shape::(\w+)')


def catalogue():
    with open(os.path.join(root, 'link', 'protocol', 'catalogue.h')) as fh:
        return [(m[0], int(m[1]), int(m[2]), int(m[3]), m[4].split('|'), m[8]) for m in row.findall(fh.read())]


def frame(t, s, f, flag, payload=b''):
    return b'\x82\x7d' + struct.pack('<HBBBBH', 1, t, s, f, flag, len(payload)) + payload + b'\x7d\x82'


def cut(stream):
    """Whole frames of a byte stream, as (key, flag, payload, raw)."""
    out, i = [], 0
    while len(stream) - i >= 12:
        if stream[i:i + 2] != b'\x82\x7d':
            i += 1
            continue
        n = struct.unpack_from('<H', stream, i + 8)[0]
        if len(stream) - i < n + 12:
            break
        raw = stream[i:i + n + 12]
        out.append((tuple(raw[4:7]), raw[7], raw[10:10 + n], raw))
        i += n + 12
    return out


written = set()


def write(target, name, data):
    data = data[:MAX_LEN.get(target, 4096)]
    if (target, data) in written:
        return  # the same bytes under another name
    written.add((target, data))
    with open(os.path.join(here, target, 'corpus', 'real-' + name), 'wb') as fh:
        fh.write(data)


class Sim:
    def __init__(self, build, *args):
        exe = os.path.join(build, 'bin', 'dsp-device-sim')
        self.proc = subprocess.Popen([exe, '--bind', IP] + list(args), stdout=subprocess.PIPE,
                                     stderr=subprocess.STDOUT)
        deadline = time.time() + 10
        while time.time() < deadline:
            line = self.proc.stdout.readline()
            if b'dsp-device-sim: DeviceID' in line:
                break
        else:
            sys.exit('the simulator did not start')

    def close(self):
        self.proc.terminate()
        self.proc.wait(5)


class Client:
    def __init__(self):
        self.sock = socket.create_connection((IP, 2698), 5)
        self.pending = b''

    def send(self, t, s, f, flag, payload=b''):
        self.sock.sendall(frame(t, s, f, flag, payload))

    def replies(self, quiet=0.3):
        """Everything the device sends until it has been quiet for a while."""
        data = b''
        while select.select([self.sock], [], [], quiet)[0]:
            chunk = self.sock.recv(65536)
            if not chunk:
                break
            data += chunk
        return data

    def ask(self, t, s, f, flag, payload=b''):
        self.send(t, s, f, flag, payload)
        return cut(self.replies())


def reads(build, variant, keys):
    """The raw reply stream of one read of every readable key, and the replies themselves."""
    sim = Sim(build, '--no-announce', '--variant', str(variant), '--data-sync', 'slave:10.0.0.5', '--seed', '7')
    try:
        c = Client()
        stream = c.replies()  # the login result the device sends on its own
        for name, t, s, f, dirs, shape in keys:
            if 'R' not in dirs:
                continue
            # Per-channel and per-band keys take a selector; the device ignores what does not fit.
            for selector in (b'', b'\x02', b'\x0d\x01'):
                c.send(t, s, f, 0, selector)
            stream += c.replies(0.15)
        return stream
    finally:
        sim.close()


def transfers(build):
    """Preset exports (one slot, all slots) and the reply frames of every transfer kind."""
    sim = Sim(build, '--no-announce', '--variant', '3')
    frames = []
    try:
        c = Client()
        frames += cut(c.replies())
        for slot in (0, 3):
            c.ask(3, 32, 2, 1, bytes([slot]))  # save the current settings into the slot

        def export(funcId, opening):
            got = c.ask(3, 32, funcId, 0, opening)
            frames.extend(got)
            count = struct.unpack_from('<H', got[-1][2], 2)[0]
            data = b''
            for k in range(count):
                block = c.ask(3, 32, funcId, 0, b'\x00\x01' + struct.pack('<H', k))
                if k in (0, count - 1):
                    frames.extend(block[:1])  # the others look the same to the receiver
                data += block[-1][2][4:]
            return data

        one = export(18, b'\x00\x00\x03')
        every = export(16, b'\x00\x00')
        frames += c.ask(3, 32, 19, 1, b'\x00\x00\x03')  # import: the marker
        frames += c.ask(3, 32, 19, 1, b'\x00\x01\x00\x00' + one[:512])  # block 0 acknowledged
        frames += c.ask(3, 32, 9, 1, b'\x03')  # load: the percentages
        frames += cut(c.replies(1.0))
        frames += c.ask(1, 1, 1, 1, b'\x00\x00')  # firmware: the identifier
        frames += c.ask(1, 1, 1, 1, b'\x00\x01\x00\x00' + bytes(512))
    finally:
        sim.close()
    sim = Sim(build, '--no-announce', '--firmware-status', '254')
    try:
        c = Client()
        c.replies()
        c.ask(1, 1, 1, 1, b'\x00\x00')
        frames += c.ask(1, 1, 1, 1, b'\x00\x01\x00\x00' + bytes(512))  # the status instead
    finally:
        sim.close()
    return one, every, frames


def records(build):
    """Discovery records of three simulated devices, as they arrive."""
    rx = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    rx.bind(('127.0.0.1', 0))
    port = rx.getsockname()[1]
    got = []
    for variant, extra in ((0, []), (3, ['--location', 'Hall B', '--fault', '1']),
                           (4, ['--model', 'DSP-8D', '--serial', 'SN-000123', '--description', 'Stage left'])):
        sim = Sim(build, '--variant', str(variant), '--announce-to', '127.0.0.1:%d' % port, '--announce-ms', '50',
                  *extra)
        try:
            deadline = time.time() + 3
            while time.time() < deadline:
                if select.select([rx], [], [], 0.2)[0]:
                    data = rx.recv(2048)
                    if len(data) == 106:
                        got.append(data)
                        break
        finally:
            sim.close()
    rx.close()
    return got


def app_cfg(build):
    """cfg.ini as the application writes it on its first start."""
    probe = os.path.join(build, 'bin', 'settings_probe')
    with tempfile.TemporaryDirectory() as d:
        subprocess.run([probe], cwd=d, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True,
                       env=dict(os.environ, QT_QPA_PLATFORM='offscreen'))
        with open(os.path.join(d, 'cfg.ini'), 'rb') as fh:
            return fh.read()


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument('--build', default=os.path.join(root, 'build'))
    p.add_argument('--device-log', help="the simulator's frame log of an application session")
    a = p.parse_args()
    keys = catalogue()
    names = {(t, s, f): name for name, t, s, f, _, _ in keys}

    # dispatch: single replies (one per key and length), and the streams as they came.
    for variant in (3, 1):
        stream = reads(a.build, variant, keys)
        seen = set()
        for key, flag, payload, raw in cut(stream):
            name = names.get(key, 'unknown')
            if (key, len(payload)) in seen:
                continue
            seen.add((key, len(payload)))
            write('dispatch', 'v%d-%s-%d' % (variant, name, len(payload)), raw)
        # About a poll round each: longer inputs only make every run slower.
        for i in range(0, min(len(stream), 4 * STREAM), STREAM):
            write('dispatch', 'v%d-stream-%d' % (variant, i // STREAM), stream[i:i + STREAM])

    one, every, frames = transfers(a.build)
    for i, (key, flag, payload, raw) in enumerate(frames):
        write('dispatch', 'transfer-%02d-%s' % (i, names.get(key, 'unknown')), raw)

    # transfer: the target reads 4 marker bytes, 2 identifier bytes and an ARM minor version
    # before the file.
    ident = struct.pack('<H', 0x5A31) + b'\x01'
    write('transfer', 'preset-one', one[:4] + ident + one)
    write('transfer', 'preset-all', every[-4:] + ident + every)
    maker = os.path.join(root, 'tools', 'make-firmware-image.py')
    with tempfile.TemporaryDirectory() as d:
        for name, args in (('image', []), ('image-1024', ['--size', '1024']), ('image-bad-id', ['--invalid', 'id']),
                           ('image-bad-floor', ['--invalid', 'floor']), ('image-short', ['--invalid', 'short'])):
            path = os.path.join(d, name + '.img')
            subprocess.run([sys.executable, maker, path] + args, check=True, stdout=subprocess.DEVNULL)
            with open(path, 'rb') as fh:
                write('transfer', name, b'\x00' * 4 + ident + fh.read())

    # discovery: a selector byte below 128 takes a whole record; 7 ages the list by 2.5 s.
    recs = records(a.build)
    for i, r in enumerate(recs):
        write('discovery', 'record-%d' % i, b'\x01' + r)
    if len(recs) >= 2:
        write('discovery', 'records-arrive-and-age', b'\x01' + recs[0] + b'\x02' + recs[1] + b'\x07' + recs[0]
              + b'\x05' + b''.join(b'\x03' + r for r in recs))

    write('configscan', 'first-start.ini', app_cfg(a.build))

    # layout: an even first byte, the key's row in the catalogue, the payload written.
    if a.device_log:
        rows = {(t, s, f): i for i, (_, t, s, f, _, _) in enumerate(keys)}
        seen = set()
        session = b''
        with open(a.device_log) as fh:
            for line in fh:
                words = line.split()
                if len(words) < 13:
                    continue
                for key, flag, payload, raw in cut(bytes(int(w, 16) for w in words[1:])):
                    session += raw
                    if flag != 1 or key not in rows or (key, len(payload)) in seen:
                        continue
                    seen.add((key, len(payload)))
                    write('layout', 'write-%s-%d' % (names[key], len(payload)), bytes([0, rows[key]]) + payload)
        write('dispatch', 'application-stream', session[:STREAM])


if __name__ == '__main__':
    main()
