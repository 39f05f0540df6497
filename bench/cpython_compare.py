#!/usr/bin/env python3
"""Times `trevalon-cli run` on the flowcharts in bench/ beside the same algorithms in CPython.

    bench/cpython_compare.py [--cli build/src/cli/trevalon-cli] [--python python3]
                             [--runs 5] [--cases loop,array,...] [--max-seconds 60] [--cpu]

Cases (the flowchart, its Python twin in bench/python/, the sizes N):
    loop       bench/loop.skb        n rounds of s := s + 2            10^5, 10^6, 10^7
    array      bench/array.skb       t[i] := i*i, then the sum of t    10^3, 10^4, 10^5
    bubble     bench/bubble.skb      bubble sort of n numbers reversed 300, 1 000, 3 000
    text       bench/text.skb        s := s || "x" n times             10^4, 10^5, 10^6
    procedure  bench/procedure.skb   a procedure board called n times 10^5, 10^6
    formulas   bench/formulas.skb    Sqrt, Copy and mod in a loop      10^4, 10^5, 10^6

Each flowchart holds its size as one stored constant (the smallest size); the script writes N
over it in a temporary copy. Every size is timed as whole processes, `trevalon-cli run COPY`
and `python3 FILE.py N`, RUNS times each, in turn; the table gives the median wall seconds
(with --cpu: user + system seconds, steadier on a busy machine), their
ratio and the growth exponent log(t2/t1) / log(n2/n1) against the size before. The first run
of each size compares the two printed lines; a difference is reported in the last column and
in a list after the table, never hidden. A size whose first Trevalon run takes longer than
--max-seconds is stopped there and reported as "skipped (over S s)", and so are the larger
sizes of that case. Peak resident memory is each child's own ru_maxrss, read with os.wait4
(the kernel's getrusage figures for that one process).
"""

import argparse
import math
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

BENCH = Path(__file__).resolve().parent
ROOT = BENCH.parent

# name: (flowchart, the constant stored in it, sizes)
CASES = {
    "loop": ("loop.skb", "1000000", [10**5, 10**6, 10**7]),
    "array": ("array.skb", "1000", [10**3, 10**4, 10**5]),
    "bubble": ("bubble.skb", "300", [300, 1000, 3000]),
    "text": ("text.skb", "10000", [10**4, 10**5, 10**6]),
    "procedure": ("procedure.skb", "100000", [10**5, 10**6]),
    "formulas": ("formulas.skb", "10000", [10**4, 10**5, 10**6]),
}
RSS_CASE = ("array", 10**5)


class Run:
    """One finished child: wall seconds, exit code, first output line, peak RSS in KiB."""

    def __init__(self, seconds, cpu, code, line, rss_kib, timed_out):
        self.seconds = seconds
        self.cpu = cpu
        self.code = code
        self.line = line
        self.rss_kib = rss_kib
        self.timed_out = timed_out


def run_child(argv, timeout):
    """Runs argv with stdin closed, killed after `timeout` seconds (None: no limit)."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        start = time.perf_counter()
        child = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=out, stderr=err)
        killed = threading.Event()

        def kill():
            killed.set()
            child.kill()

        timer = threading.Timer(timeout, kill) if timeout else None
        if timer:
            timer.start()
        _, status, usage = os.wait4(child.pid, 0)
        seconds = time.perf_counter() - start
        if timer:
            timer.cancel()
        child.returncode = os.waitstatus_to_exitcode(status)
        out.seek(0)
        text = out.read().decode("utf-8", "replace").replace("\r\n", "\n").strip("\n")
        line = text.split("\n")[-1] if text else ""
        if child.returncode != 0 and not killed.is_set():
            err.seek(0)
            line += "  [exit %d: %s]" % (child.returncode,
                                         err.read().decode("utf-8", "replace").strip())
        return Run(seconds, usage.ru_utime + usage.ru_stime, child.returncode, line,
                   usage.ru_maxrss, killed.is_set())


def sized_copy(case, size, folder):
    """A copy of the case's flowchart with N written over its stored constant."""
    file, stored, _ = CASES[case]
    data = (BENCH / file).read_bytes()
    marker = b"<t4>" + stored.encode() + b"</t4>"
    if data.count(marker) != 1:
        sys.exit("%s: expected the constant %s exactly once" % (file, stored))
    path = Path(folder) / ("%s-%d.skb" % (case, size))
    path.write_bytes(data.replace(marker, b"<t4>%d</t4>" % size))
    return path


def exponent(t1, t2, n1, n2):
    if t1 is None or t2 is None or t1 <= 0 or t2 <= 0:
        return None
    return math.log(t2 / t1) / math.log(n2 / n1)


def fmt(value, pattern="%.3f"):
    return "-" if value is None else pattern % value


def time_size(args, case, size, folder):
    """Times one size; returns (trevalon median, python median, same output, RSS) or None
    when the first Trevalon run went over --max-seconds."""
    flowchart = sized_copy(case, size, folder)
    script = BENCH / "python" / (case + ".py")
    first = run_child([args.cli, "run", str(flowchart)], args.max_seconds)
    if first.timed_out:
        return None
    ours = [first]
    theirs = [run_child([args.python, str(script), str(size)], None)]
    for _ in range(args.runs - 1):
        ours.append(run_child([args.cli, "run", str(flowchart)], None))
        theirs.append(run_child([args.python, str(script), str(size)], None))
    same = first.line == theirs[0].line and first.code == 0 and theirs[0].code == 0
    figure = (lambda r: r.cpu) if args.cpu else (lambda r: r.seconds)
    return (statistics.median(figure(r) for r in ours),
            statistics.median(figure(r) for r in theirs), same, first.line, theirs[0].line,
            max(r.rss_kib for r in ours))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--cli", default=str(ROOT / "build" / "src" / "cli" / "trevalon-cli"))
    parser.add_argument("--python", default="python3")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--cases", default=",".join(CASES))
    parser.add_argument("--max-seconds", type=float, default=60.0)
    parser.add_argument("--cpu", action="store_true",
                        help="compare user + system seconds instead of wall seconds")
    args = parser.parse_args()
    cases = [c for c in args.cases.split(",") if c]
    unknown = [c for c in cases if c not in CASES]
    if unknown or args.runs < 1:
        parser.error("unknown case %s (known: %s)" % (",".join(unknown), ",".join(CASES))
                     if unknown else "--runs must be at least 1")
    if not shutil.which(args.cli):
        parser.error("no trevalon-cli at %s (build it or pass --cli)" % args.cli)

    print("%-10s %9s %12s %12s %9s %8s %8s %9s  %s" % (
        "case", "N", "Trevalon s", "CPython s", "ratio", "exp T", "exp Py", "T RSS MB",
        "same output"))
    mismatches = []
    rss_note = None
    with tempfile.TemporaryDirectory() as folder:
        for case in cases:
            before = None  # (size, trevalon, python) of the size before
            skipping = False
            for size in CASES[case][2]:
                result = None if skipping else time_size(args, case, size, folder)
                if result is None:
                    skipping = True
                    print("%-10s %9d  skipped (over %g s)" % (case, size, args.max_seconds),
                          flush=True)
                    continue
                ours, theirs, same, our_line, their_line, rss = result
                exp_t = exp_p = None
                if before:
                    exp_t = exponent(before[1], ours, before[0], size)
                    exp_p = exponent(before[2], theirs, before[0], size)
                print("%-10s %9d %12.3f %12.3f %9.1f %8s %8s %9.1f  %s" % (
                    case, size, ours, theirs, ours / theirs, fmt(exp_t, "%.2f"),
                    fmt(exp_p, "%.2f"), rss / 1024.0, "yes" if same else "NO"), flush=True)
                if not same:
                    mismatches.append((case, size, our_line, their_line))
                if (case, size) == RSS_CASE:
                    rss_note = rss
                before = (size, ours, theirs)
    print()
    print("runs per side and size: %d (median %s seconds of whole processes)"
          % (args.runs, "user + system" if args.cpu else "wall"))
    if RSS_CASE[0] in cases:
        print("peak RSS of trevalon-cli, array case at N = %d: %s (ru_maxrss via os.wait4)"
              % (RSS_CASE[1], "not measured, the size was skipped" if rss_note is None
                 else "%.1f MB" % (rss_note / 1024.0)))
    for case, size, our_line, their_line in mismatches:
        print("DIFFERENT OUTPUT %s N=%d: trevalon %r, python %r" % (case, size, our_line,
                                                                   their_line))
    return 1 if mismatches else 0


if __name__ == "__main__":
    signal.signal(signal.SIGINT, signal.SIG_DFL)
    sys.exit(main())
