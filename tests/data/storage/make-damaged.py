#!/usr/bin/env python3
"""Derives the damaged and unusual project files of this folder from sample-plain.skb,
sample-encoded.skb and sample-plain-utf16.skb (written by storage_fixture_writer)."""
import random
from pathlib import Path

here = Path(__file__).resolve().parent
plain = (here / "sample-plain.skb").read_bytes()
encoded = (here / "sample-encoded.skb").read_bytes()
utf16 = (here / "sample-plain-utf16.skb").read_bytes()


def cell(data: bytes, board: int, number: int) -> tuple[int, int]:
    """Start and end offsets of kl<number> inside Pl<board>."""
    start = data.index(b"<Pl%d>" % board)
    begin = data.index(b"<kl%d>" % number, start)
    return begin, data.index(b"</kl%d>" % number, begin)


def in_cell(data: bytes, board: int, number: int, old: bytes, new: bytes) -> bytes:
    begin, end = cell(data, board, number)
    part = data[begin:end]
    assert old in part, (board, number, old)
    return data[:begin] + part.replace(old, new, 1) + data[end:]


def replaced(data: bytes, old: bytes, new: bytes) -> bytes:
    assert old in data, old
    return data.replace(old, new)


files = {
    "tolerant-mixed-case-names.skb": replaced(replaced(replaced(replaced(replaced(
        plain, b"<Trevalon>", b"<TREVALON>"), b"</Trevalon>", b"</trevalon>"),
        b"<Pl1>", b"<PL1>"), b"<nam>", b"<NAM>"), b"</t4>", b"</T4>"),
    "tolerant-mismatched-end-tag.skb": replaced(plain, b"</Trevalon>", b"</Trewalon>"),
    "tolerant-utf16-odd-length.skb": utf16[:-1],
    "damaged-empty.skb": b"",
    "damaged-random-bytes.skb": bytes(random.Random(2012).randrange(256) for _ in range(600)),
    "damaged-missing-ilp.skb": replaced(plain, b"\t<ilp>2</ilp>\r\n", b""),
    "damaged-ilp-not-a-number.skb": replaced(plain, b"<ilp>2</ilp>", b"<ilp>dwa</ilp>"),
    "damaged-ilp-four.skb": replaced(plain, b"<ilp>2</ilp>", b"<ilp>4</ilp>"),
    "damaged-truncated.skb": plain[:plain.index(b"<k>1</k>\r\n", cell(plain, 1, 3)[0]) + 10],
    "damaged-cell-outside-grid.skb": in_cell(plain, 1, 2, b"<k>1</k>", b"<k>16</k>"),
    "damaged-encoded-not-base64.skb": in_cell(encoded, 2, 1, b"<t1>", b"<t1>!!!"),
    "damaged-unknown-kind.skb": in_cell(plain, 1, 4, b"<nrw>12</nrw>", b"<nrw>99</nrw>"),
    "damaged-board-general-data.skb": replaced(plain, b"<ilw>5</ilw>", "<ilw>pięć</ilw>".encode("cp1250")),
}
for name, data in files.items():
    (here / name).write_bytes(data)
