#!/usr/bin/env python3
"""Writes the seed corpus: one valid reply frame for every key the device answers, read
from the catalogue table, plus a few streams of several frames and the two unsolicited
frames. Run from anywhere; writes into corpus/ beside this script."""
import os
import re
import struct

here = os.path.dirname(os.path.abspath(__file__))
catalogue = os.path.join(here, '..', '..', 'link', 'protocol', 'catalogue.h')
out = os.path.join(here, 'corpus')

row = re.compile(r'X\((\w+),\s*(\d+),\s*(\d+),\s*(\d+),\s*([\w|]+),\s*Reply::(\w+),\s*(\d+),\s*(\d+)')


def frame(t, s, f, payload, flag=0x80):
    return (b'\x82\x7d' + struct.pack('<HBBBBH', 1, t, s, f, flag, len(payload)) + payload + b'\x7d\x82')


def payload_for(name, reply, length, max_length):
    n = max(length, max_length) if reply in ('Exact', 'AtLeast') else length + 1 if reply == 'MoreThan' else 8
    body = bytes((i * 7 + 1) & 0x7F for i in range(n))
    if name.endswith(('HPF', 'LPF', 'PEQ', 'Limiter', 'Params')) or name in ('MatrixEnable', 'MatrixGain'):
        body = b'\x03\x02' + body[2:]  # channel 3, band 2
    if name in ('GpioConfig',):
        body = b'\x01\x01' + body[2:]
    if name in ('UsbPlayListEntry', 'UsbRecordListEntry'):
        body = b'\x00\x00\x00\x00' + body[4:]
    if name == 'DanteRxSubscription':
        body = b'\x01' + body[1:]
    if name == 'DataSyncConfig':
        body = b'\x02' + body[1:]
    return body


def main():
    os.makedirs(out, exist_ok=True)
    frames = {}
    with open(catalogue) as fh:
        for m in row.finditer(fh.read()):
            name, t, s, f, dirs, reply, length, max_length = m.groups()
            if 'A' not in dirs.split('|') or reply == 'None':
                continue
            frames[name] = frame(int(t), int(s), int(f), payload_for(name, reply, int(length), int(max_length)))
    for name, data in frames.items():
        with open(os.path.join(out, name), 'wb') as fh:
            fh.write(data)
    # A poll round's worth of replies in one read, a split frame and the unsolicited pair.
    with open(os.path.join(out, 'stream-poll'), 'wb') as fh:
        fh.write(b''.join(frames[k] for k in ('InputMeter', 'PreLevelMeter', 'DeviceFault', 'PowerStatus',
                                              'DeviceId', 'InFilterPEQ', 'UsbPlayListCount', 'UsbPlayListEntry')))
    with open(os.path.join(out, 'stream-split'), 'wb') as fh:
        fh.write(b'\x00\x17' + frames['InputGain'] + frames['MatrixGain'][:9])
    # AncConfig is handled before the catalogue (its row says the device never answers).
    with open(os.path.join(out, 'AncConfig'), 'wb') as fh:
        fh.write(frame(3, 17, 1, b'\x80\x05\x02'))
    with open(os.path.join(out, 'unsolicited'), 'wb') as fh:
        fh.write(frame(2, 2, 34, b'', 1) + frame(2, 2, 161, b'\x05', 0))


if __name__ == '__main__':
    main()
