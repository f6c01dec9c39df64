#!/usr/bin/env python3
"""Writes the seed corpus: for every key the application writes, a few payloads of the usual
write shapes (channel and element, the whole value, channel and record), addressed by the
key's row in the catalogue table, plus two network parameter triples. Writes into corpus/."""
import os
import re

here = os.path.dirname(os.path.abspath(__file__))
catalogue = os.path.join(here, '..', '..', 'link', 'protocol', 'catalogue.h')
out = os.path.join(here, 'corpus')

row = re.compile(r'X\((\w+),\s*\d+,\s*\d+,\s*\d+,\s*([\w|]+),\s*Reply::\w+,\s*(\d+),\s*\d+,\s*\d+,'
                 r'\s*Shape::\w+,\s*Elem::(\w+),\s*(\d+)')
sizes = {'None': 0, 'Bool': 1, 'U8': 1, 'I8': 1, 'U16': 2, 'U32': 4, 'F32': 4}


def main():
    os.makedirs(out, exist_ok=True)
    with open(catalogue) as fh:
        rows = row.findall(fh.read())
    for index, (name, dirs, length, elem, count) in enumerate(rows):
        if not set(dirs.split('|')) & {'W', 'Q', 'E'}:
            continue
        es = sizes[elem]
        whole = max(int(count) * es, int(length))
        shapes = {'value': b'\x01' + b'\x3f' * es, 'whole': bytes(i % 250 + 1 for i in range(whole)),
                  'record': b'\x02\x01' + bytes(i % 250 + 3 for i in range(whole))}
        for shape, payload in shapes.items():
            with open(os.path.join(out, f'{name}-{shape}'), 'wb') as fh:
                fh.write(bytes([0, index]) + payload)
    with open(os.path.join(out, 'network'), 'wb') as fh:
        fh.write(b'\x01192.168.1.20\x00255.255.255.0\x00192.168.1.1')
    with open(os.path.join(out, 'network-nogateway'), 'wb') as fh:
        fh.write(b'\x0110.0.0.5\x00255.0.0.0\x00')


if __name__ == '__main__':
    main()
