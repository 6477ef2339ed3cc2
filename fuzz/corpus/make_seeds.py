#!/usr/bin/env python3
"""Makes the seed inputs of the fuzz targets from the frames and files of the
tests: every frame written as hexBytes("AA 01 11 ...") in tests/ gives its data
part to the reply target of its family. Run from the project root; the result
is committed (fuzz/corpus/<target>/)."""
import hashlib, os, re, glob

root = os.getcwd()
frames = []
for path in glob.glob('tests/**/*.cpp', recursive=True):
    text = open(path, encoding='utf-8').read()
    # a hexBytes call whose argument may be several string literals
    for m in re.finditer(r'hexBytes\(((?:\s*"[0-9A-Fa-f ]*"\s*)+)', text):
        hexes = ''.join(re.findall(r'"([0-9A-Fa-f ]*)"', m.group(1))).replace(' ', '')
        if len(hexes) % 2:
            continue
        b = bytes.fromhex(hexes)
        if len(b) >= 12 and b[0] == 0xAA and b[8] + 12 == len(b):
            frames.append(b)

targets = {  # target: the request codes whose data parts it is given
    'fuzz_headerlines_replies': (101, 102),
    'fuzz_taxrates_replies': (107, 108),
    'fuzz_departments_replies': (111, 112),
    'fuzz_groups_replies': (113, 114),
    'fuzz_articles_replies': (115, 116),
    'fuzz_operators_replies': (117, 118),
    'fuzz_logorows_replies': (119, 120, 103, 104),
    'fuzz_logorecord_replies': (103, 104),
}

def put(target, data):
    d = os.path.join('fuzz', 'corpus', target)
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, hashlib.sha1(data).hexdigest()[:16]), 'wb') as f:
        f.write(data)

for target, codes in targets.items():
    parts = [f[9:9 + f[8]] for f in frames if f[7] in codes]
    parts = list(dict.fromkeys(parts))[:12]
    for regional in (0, 1):
        # a reply of the first code for each part, its record number taken
        # from the request (op bit 3), and a restart between them
        seed = bytes([regional])
        for k, p in enumerate(parts):
            op = 0x08 | (0x20 if k == len(parts) // 2 else 0)
            seed += bytes([op, len(p)]) + p
        put(target, seed)
    for p in parts[:4]:
        put(target, bytes([0, 0x00, len(p)]) + p)

put('fuzz_exchange', b''.join(bytes([(len(f) << 2) & 0xFC]) + f for f in frames[:6] if len(f) < 64))
for f in frames[:3]:
    put('fuzz_exchange', bytes([3]) + bytes([(len(f) << 2) & 0xFC]) + f if len(f) < 64 else bytes([3]))

put('fuzz_tablefile', '1;"Хлеб";"860";1;45,5;"Ђ";0;0;0;0;\r\n2;"Млеко";"861";2;1,5;"3";0;0;0;0;\r\n'.encode('cp1251'))
put('fuzz_tablefile', '1;"Пиће; ""хладно""";0;0;"Ђ";150\r\n2;"Храна";0;0;"5";0\r\n'.encode('cp1251'))
put('fuzz_terminalfiles', b'4<D>' + bytes.fromhex('0000123FFFFFFFFFFF02E2040000D5EBE5E11B') + b'</D>')
put('fuzz_terminalfiles', b'<D>' + bytes.fromhex('0005123FFFFFFFFFFF' + 'E8030000' + '1027000000' + '1B') + b'</D>')
for t in ('12,50', '0,001', '42949672,95', '-1.5', '1e3'):
    put('fuzz_decimaltext', t.encode())
for scan in (b'\x0d8600000000017\x0d', b'\x05860\x0d\x0a\x03123\x0a', b'\x01\x0d'):
    put('fuzz_scancollector', scan)

# Small pictures for the logo loader: a 24-bit BMP and a grey PNG, 16 x 8,
# with a black diagonal (as the logo tests draw).
import struct, zlib
w, h = 16, 8
rows = []
for y in range(h):
    row = b''.join(b'\x00\x00\x00' if x == 2 * y else b'\xff\xff\xff' for x in range(w))
    rows.append(row + b'\x00' * ((4 - len(row) % 4) % 4))
pixels = b''.join(reversed(rows))
bmp = b'BM' + struct.pack('<IHHI', 54 + len(pixels), 0, 0, 54) + struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0) + pixels
put('fuzz_logopicture', bmp)
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
raw = b''.join(b'\x00' + bytes(0 if x == 2 * y else 255 for x in range(w)) for y in range(h))
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 0, 0, 0, 0)) + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b'')
put('fuzz_logopicture', png)
