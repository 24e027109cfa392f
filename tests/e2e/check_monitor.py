#!/usr/bin/env python3
"""Checks what lvmon saw on row 0 against what a program says it sent.

  check_monitor.py link --monitor LVMON.txt --trace PROBE.trace --width W --height H
      The link probe's messages: each one decoded with the values sent, its
      frames on the screen as long as the probe held them and for the link's
      times, the desktop back after it; prints the figures (Send to first
      sight, time on screen, time held by the program, paint time).
  check_monitor.py offs --monitor LVMON.txt --expect N
      Exactly N off frames, nothing else, each for its time and erased.
  check_monitor.py region --got "region L T R B" --rect L T R B --width W
      One message lvmon read is the region a program sent for that rectangle.

Prints "FAIL: ..." lines and exits 1 on any failure.
"""

import argparse
import re
import sys

# The link's times, and how the real screen may differ from them. A frame
# shows from its paint until the program's next paint or erase: on the
# framebuffer it must appear while the program paints it or within
# FIDELITY_MS after, and go when the program paints the next frame or asks
# the desktop to repaint the row, or within FIDELITY_MS after (not a frame
# late, not erased early). The program's own waits are Sleeps, which a busy machine
# stretches: every frame must last at least its time less EARLY_MS, the
# median of each kind at most LATE_MS more, and a frame whose end the program
# does not trace (the exit-time one) at most SLOW_MS more.
FRAME_MS = {"rows": 50.0, "columns": 100.0, "off": 100.0}
EARLY_MS = 5.0
LATE_MS = 30.0
SLOW_MS = 150.0
FIDELITY_MS = 10.0
CLOCK_MS = 2.0  # a sample's time is read just before the row it reads
RESTORE_MS = 100.0  # the desktop's repaint after the erase
SEND_TO_PAINT_MS = 100.0  # the link waits twice 50 ms before the first frame

TRACE_RE = re.compile(r'OutputDebugStringA "([A-Za-z0-9_]+): (.*)\\n"$')


def trace_lines(path, prefix):
    """The text of a program's OutputDebugStringA lines with that prefix."""
    out = []
    with open(path, errors="replace") as f:
        for line in f:
            m = TRACE_RE.search(line.rstrip("\n"))
            if m and m.group(1) == prefix:
                out.append(m.group(2))
    return out


class Message:
    def __init__(self, t, kind, fields):
        self.t = t
        self.kind = kind
        self.fields = fields
        self.frames = []  # (kind, first seen s, shown ms, values)
        self.restore = None  # ms after the frames left, or False

    def text(self):
        return " ".join([self.kind] + self.fields)


class MonitorLog:
    """lvmon's output: messages with their frames and the desktop's return."""

    def __init__(self, path):
        self.start_raw = None
        self.rate = None
        self.max_gap = None  # the longest time between two reads, when lvmon tells
        self.gaps = []  # (ms of the read after a long gap, the gap's ms), when lvmon tells
        self.messages = []
        self.unpaired_restores = 0
        with open(path) as f:
            for line in f:
                self._read(line.split())

    def _read(self, w):
        if not w:
            return
        if w[0] == "#":
            if len(w) == 4 and w[1] == "gap":
                self.gaps.append((float(w[2]) * 1000.0, float(w[3])))
                return
            for item in w[1:]:
                # lvmon's CLOCK_MONOTONIC_RAW, lvmon.exe's QueryPerformanceCounter:
                # the same clock under Wine, the one the probe's times use.
                if item.startswith("start_raw=") or item.startswith("start_qpc="):
                    self.start_raw = float(item.split("=", 1)[1])
                elif item.startswith("rate="):
                    self.rate = float(item.split("=", 1)[1])
                elif item.startswith("max_gap_ms="):
                    self.max_gap = float(item.split("=", 1)[1])
            return
        t, word = float(w[0]), w[1]
        if word == "frame":
            self.messages[-1].frames.append((w[2], t, float(w[3]), w[4:]))
        elif word in ("restored", "unrestored"):
            pending = [m for m in self.messages if m.restore is None]
            if not pending:
                self.unpaired_restores += 1
                return
            pending[0].restore = float(w[2]) if word == "restored" else False
        else:
            self.messages.append(Message(t, word, w[2:]))


    def gap_before(self, ms):
        """How late a change first seen by the read at `ms` may have been
        seen: the gap before that read when lvmon reported it as long."""
        for end, gap in self.gaps:
            if abs(end - ms) < 0.6:
                return gap
        return 0.0


    def stalled_between(self, a_ms, b_ms):
        """How long lvmon did not read between two times: the overlap of its
        long gaps with [a_ms, b_ms]. Such a stall holds up the whole test
        bed (seen: the desktop's repaint late by as much as lvmon's gap)."""
        total = 0.0
        for end, gap in self.gaps:
            total += max(0.0, min(end, b_ms) - max(end - gap, a_ms))
        return total


class Checker:
    def __init__(self):
        self.failures = 0

    def fail(self, text):
        print("    FAIL: " + text)
        self.failures += 1

    def check_frame(self, kind, shown, where, held_known):
        want = FRAME_MS[kind]
        top = float("inf") if held_known else want + SLOW_MS
        if not want - EARLY_MS <= shown <= top:
            self.fail("%s: %s frame on the screen %.1f ms, not %.0f ms (-%.0f%s)"
                      % (where, kind, shown, want, EARLY_MS, "" if held_known else "/+%.0f" % SLOW_MS))

    def check_restore(self, m, where):
        if m.restore is None or m.restore is False:
            self.fail("%s: row 0 did not become the desktop's again" % where)
        elif m.restore > RESTORE_MS:
            self.fail("%s: the desktop took %.1f ms to come back" % (where, m.restore))

    def check_median(self, name, values, want):
        if not values:
            return
        v = sorted(values)[(len(values) - 1) // 2]
        if not want - EARLY_MS <= v <= want + LATE_MS:
            self.fail("%s: median %.1f ms, not %.0f ms (-%.0f/+%.0f)" % (name, v, want, EARLY_MS, LATE_MS))


def u32(v):
    return v & 0xFFFFFFFF


def in_span(value, text):
    """Whether a column lies in lvmon's span text: N, A-B or A+."""
    if text.endswith("+"):
        return value >= int(text[:-1])
    if "-" in text:
        a, b = text.split("-")
        return int(a) <= value <= int(b)
    return value == int(text)


def expected_region(rect, width):
    """What the monitor must read for a region the program sends: the edges
    ordered as unsigned 32-bit numbers, the rows as the frame's two 12-bit
    fields, no columns when the left edge lies past the frame."""
    left, top, right, bottom = (u32(v) for v in rect)
    if top > bottom:
        top, bottom = bottom, top
    if left > right:
        left, right = right, left
    top_field = (top & 0xFFF) | ((bottom >> 12) & 0xFFF)
    bottom_field = bottom & 0xFFF
    no_columns = left == right or left >= width - 3
    return left, top_field, right, bottom_field, no_columns


def check_region(c, m, rect, width, where):
    if m.kind != "region" or len(m.fields) != 4:
        c.fail("%s: expected a region, lvmon read '%s'" % (where, m.text()))
        return
    left, top, right, bottom, no_columns = expected_region(rect, width)
    got_left, got_top, got_right, got_bottom = m.fields
    if (int(got_top), int(got_bottom)) != (top, bottom):
        c.fail("%s: rows %s %s, expected %d %d" % (where, got_top, got_bottom, top, bottom))
    if no_columns:
        if (got_left, got_right) != ("none", "none"):
            c.fail("%s: columns %s %s, expected none" % (where, got_left, got_right))
    elif "none" in (got_left, got_right) or not in_span(left, got_left) or not in_span(right, got_right):
        c.fail("%s: columns %s %s do not hold %d and %d" % (where, got_left, got_right, left, right))


def parse_probe(path):
    """The probe's sends with their frames' paint times, and the exit-time frame."""
    sends, frames_after_done, screen = [], [], None
    current = None
    done = False
    for text in trace_lines(path, "lvprobe"):
        w = text.split()
        if w[0] == "screen":
            screen = (int(w[1]), int(w[2]))
        elif w[0] == "send":
            at = float(w[-1].split("=")[1])
            rect = [int(v) for v in w[3:7]] if w[2] == "region" else None
            current = {"index": int(w[1]), "mode": w[2], "rect": rect, "at": at, "paints": [], "erased": None}
            sends.append(current)
        elif w[0] == "frame":
            paint = float(w[1].split("=")[1])
            closed = float(w[2].split("=")[1])
            (frames_after_done if done else current["paints"]).append((paint, closed))
        elif w[0] == "erase" and current is not None and not done:
            # The link asks the desktop to repaint the row: the last frame's end.
            current["erased"] = float(w[1].split("=")[1])
        elif w[0] == "sent" and current["erased"] is None:
            current["erased"] = float(w[-1].split("=")[1])
        elif w[0] == "done":
            done = True
    return screen, sends, frames_after_done


def spread(values, decimals):
    """Median (smallest-largest)."""
    v = sorted(values)
    f = "%%.%df" % decimals
    return (f + " (" + f + "-" + f + ")") % (v[len(v) // 2], v[0], v[-1])


def check_link(args):
    c = Checker()
    mon = MonitorLog(args.monitor)
    screen, sends, exit_frames = parse_probe(args.trace)
    if screen != (args.width, args.height):
        c.fail("the probe saw a %s screen, not %dx%d" % (screen, args.width, args.height))
    if mon.start_raw is None:
        c.fail("no lvmon header")
        return c.failures
    expected = [s["mode"] for s in sends] + ["off"]
    got = [m.kind for m in mon.messages]
    if got != expected:
        c.fail("lvmon read %s, the probe sent %s and the exit-time off" % (got, expected))
    if mon.unpaired_restores:
        c.fail("%d returns of the desktop without a message" % mon.unpaired_restores)

    # An edge between two reads is seen at the second: a monitor that reads
    # the row with long gaps (lvmon.exe, under Wine's scheduling) times an
    # edge only to within the gap before the read that saw it.
    widened = []

    def fidelity_at(ms, asked_ms):
        """The allowance for an edge seen at `ms` that the program made at
        `asked_ms`: the gap before the read that saw it, or the time lvmon
        stood still between the two, whichever is longer."""
        gap = max(mon.gap_before(ms), mon.stalled_between(asked_ms, ms))
        if gap > 0:
            widened.append(gap)
        return FIDELITY_MS + gap
    print("    %-4s %-30s %-8s %10s %8s %8s %8s" % ("send", "lvmon read", "frame", "send>seen", "shown", "held", "paint"))
    figures = {"first": [], "rows": [], "columns": [], "off": [], "paint": [], "repaint": []}
    for s, m in zip(sends, mon.messages):
        where = "send %d" % s["index"]
        if s["mode"] == "off":
            if m.kind != "off":
                c.fail("%s: expected off, lvmon read '%s'" % (where, m.text()))
        else:
            check_region(c, m, s["rect"], args.width, where)
        c.check_restore(m, where)
        if len(s["paints"]) != len(m.frames):
            c.fail("%s: %d frames painted, %d seen" % (where, len(s["paints"]), len(m.frames)))
            continue
        # A frame may change the screen while the program paints it (from
        # opening the DC to closing it) and goes when the next one is painted
        # or the program asks the desktop to repaint the row.
        paints = [(closed - paint / 1000.0, closed) for paint, closed in s["paints"]]
        ends = paints[1:] + [(s["erased"], s["erased"])]
        for i, (kind, seen, shown, _) in enumerate(m.frames):
            paint, closed = s["paints"][i]
            opened = paints[i][0]
            end_from, end_to = ends[i]
            held = (end_to - closed) * 1000.0 if end_to is not None else None
            after = (mon.start_raw + seen - s["at"]) * 1000.0
            came = (mon.start_raw + seen - closed) * 1000.0
            if i == 0:
                figures["first"].append(after)
                if after < SEND_TO_PAINT_MS - EARLY_MS:
                    c.fail("%s: first seen %.1f ms after Send, not %.0f ms" % (where, after, SEND_TO_PAINT_MS))
            if not (opened - mon.start_raw) * 1000.0 - CLOCK_MS <= seen * 1000.0 <= \
                    (closed - mon.start_raw) * 1000.0 + fidelity_at(seen * 1000.0, (closed - mon.start_raw) * 1000.0):
                c.fail("%s: %s frame seen %.1f ms after the program painted it (%.1f ms painting)"
                       % (where, kind, came, paint))
            # The program's hold is the link's time; the screen's is checked
            # against it through the frame's start and end above and below.
            c.check_frame(kind, held if held is not None else shown, where, held is not None)
            if held is None:
                c.fail("%s: %s frame on the screen %.1f ms, the program held it ? ms" % (where, kind, shown))
            else:
                gone = seen * 1000.0 + shown
                if i == len(m.frames) - 1:
                    figures["repaint"].append(gone - (end_to - mon.start_raw) * 1000.0)
                if not (end_from - mon.start_raw) * 1000.0 - CLOCK_MS <= gone <= \
                        (end_to - mon.start_raw) * 1000.0 + fidelity_at(gone, (end_to - mon.start_raw) * 1000.0):
                    c.fail("%s: %s frame on the screen %.1f ms, the program held it %.1f ms"
                           % (where, kind, shown, held))
            figures[kind].append(shown)
            figures["paint"].append(paint)
            print("    %-4s %-30s %-8s %7.1f ms %8.1f %8s %8.3f" % (
                s["index"] if i == 0 else "", m.text() if i == 0 else "", kind, after, shown,
                "%.1f" % held if held is not None else "-", paint))
    if len(mon.messages) == len(sends) + 1:
        last = mon.messages[-1]
        c.check_restore(last, "exit")
        for kind, seen, shown, _ in last.frames:
            c.check_frame(kind, shown, "exit", False)
            figures[kind].append(shown)
            paint = exit_frames[0][0] if exit_frames else None
            if paint is not None:
                figures["paint"].append(paint)
            print("    %-4s %-30s %-8s %10s %8.1f %8s %8s" % ("exit", last.text(), kind, "", shown, "-",
                                                         "%.3f" % paint if paint is not None else "-"))
        if len(exit_frames) != 1:
            c.fail("the probe painted %d frames at exit, not 1" % len(exit_frames))
    c.check_median("Send to first frame seen", figures["first"], SEND_TO_PAINT_MS)
    for kind in FRAME_MS:
        c.check_median("%s frames on the screen" % kind, figures[kind], FRAME_MS[kind])
    if mon.max_gap is not None:
        print("    lvmon's longest gap between reads %.1f ms; %d frame edges seen after or across a gap of more than 4 ms%s"
              % (mon.max_gap, len(widened), " (up to %.1f ms, allowed for)" % max(widened) if widened else ""))
    print("    figures, median (min-max) ms: " + "; ".join(
        "%s %s" % (name, spread(figures[key], 2 if key == "paint" else 1)) for name, key in (
            ("Send to first frame seen", "first"), ("rows shown", "rows"), ("columns shown", "columns"),
            ("off shown", "off"), ("paint", "paint"), ("erase to row 0 repainted", "repaint")) if figures[key]))
    restores = [m.restore for m in mon.messages if isinstance(m.restore, float)]
    if restores:
        print("    desktop back after the frames: at most %.1f ms; lvmon sampled %s times a second"
              % (max(restores), "%.0f" % mon.rate if mon.rate else "?"))
    return c.failures


def check_offs(args):
    c = Checker()
    mon = MonitorLog(args.monitor)
    got = [m.kind for m in mon.messages]
    if got != ["off"] * args.expect:
        c.fail("lvmon read %s, expected %d off frame(s)" % (got, args.expect))
    for i, m in enumerate(mon.messages):
        for kind, _, shown, _ in m.frames:
            c.check_frame(kind, shown, "message %d" % i, False)
        c.check_restore(m, "message %d" % i)
        shown = " ".join("%.1f ms" % f[2] for f in m.frames)
        print("    %.3f %s, on the screen %s, desktop back %s" % (
            m.t, m.text(), shown, "after %.1f ms" % m.restore if isinstance(m.restore, float) else "never"))
    return c.failures


def check_region_of(args):
    """One message lvmon read (its fields after the time) against a rectangle."""
    c = Checker()
    words = args.got.split()
    m = Message(0.0, words[0] if words else "", words[1:])
    check_region(c, m, args.rect, args.width, "lvmon read '%s'" % args.got)
    return c.failures


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    link = sub.add_parser("link")
    link.add_argument("--monitor", required=True)
    link.add_argument("--trace", required=True)
    link.add_argument("--width", type=int, required=True)
    link.add_argument("--height", type=int, required=True)
    offs = sub.add_parser("offs")
    offs.add_argument("--monitor", required=True)
    offs.add_argument("--expect", type=int, required=True)
    region = sub.add_parser("region")
    region.add_argument("--got", required=True)
    region.add_argument("--rect", type=int, nargs=4, required=True)
    region.add_argument("--width", type=int, required=True)
    args = parser.parse_args()
    run = {"link": check_link, "offs": check_offs, "region": check_region_of}[args.command]
    failures = run(args)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
