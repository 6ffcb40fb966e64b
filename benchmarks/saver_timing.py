#!/usr/bin/env python3
"""How smoothly the saver runs, measured on the real programs, each on a
virtual display of its own, and printed on one screen:

- the longest gap between two ticks and the ticks lost per scene change, with
  24 MP and 2 MP JPEGs, read from the tick log (ALMANIX_TICK_LOG);
- how soon a key ends the saver, sent at the end of each of those runs: until
  its window is gone, and (from the tick log) until it stopped ticking. Wine
  keeps a full-screen window up to 2 s after it is destroyed when no window
  manager confirms its withdrawal, as on these displays;
- the steady CPU of program and X server (and wineserver) next to
  XScreenSaver's blitspin in the same run, as a ratio;
- the time from exec to the first frame, with a 24 MP JPEG first and with none,
  and for Wine the time of a start that opens nothing (/x), Wine's own share;
- the peak resident memory with a 1 MB due line and with 20,000 due events;
- the ticks with five calendar sources against none: a 20,000-event calendar
  (1,000 of them weekly series), a folder of three, a link to a local server
  that serves the large one, a link to a port where nothing listens, and a
  missing file; the longest and the median tick, and the longest gap;
- with a 200 MB event file (one event due, 4.6 million later, 1,000 expired):
  the time to the first frame, the peak resident memory once its check has
  rewritten it, and the longest tick while the hourly check reads and
  rewrites it (the clock starts 20 s before an hour, through faketime; Wine
  does not run under faketime, so there the run holds the start's check alone).

Run by hand from the top of the tree, after building both presets:

  benchmarks/saver_timing.py [--runs 3] [--seconds 60] [--only gaps,cpu,start,memory,events]
      [--linux build/linux/src/qt/almanix] [--windows build/windows/src/win32/Almanix.scr]

Needs Xvfb, xdotool, ImageMagick, Wine, faketime and blitspin (Debian's
xscreensaver-data-extra). A scene change is counted where the program opens
the other of two copies of the picture (inotify on the pictures folder).
"""

import argparse
import ctypes
import datetime
import os
import shutil
import signal
import statistics
import struct
import subprocess
import sys
import tempfile
import time

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WORK = os.path.join(os.environ.get("TMPDIR", "/tmp"), "almanix-saver-timing")
PICTURES = os.path.join(WORK, "pictures")
PREFIX = os.path.join(WORK, "wineprefix")
WINE_RUN = os.path.join(TOP, "scripts", "wine-run")
VIRTUAL_DISPLAY = os.path.join(TOP, "scripts", "virtual-display")
BLITSPIN = "/usr/libexec/xscreensaver/blitspin"
TICK_MS = 100.0


def median(values):
    return statistics.median(values) if values else float("nan")


class Display:
    """An Xvfb of its own, white at the root so that a probe sees what covers it."""

    def __init__(self, width, height):
        started = subprocess.run([VIRTUAL_DISPLAY, "--own", f"{width}x{height}", "-wr"],
                                 capture_output=True, text=True, check=True)
        self.name, pid = started.stdout.split()
        self.pid = int(pid)

    def stop(self):
        os.kill(self.pid, signal.SIGTERM)
        # The server takes its lock file with it as it ends.
        for _ in range(100):
            if not os.path.exists(f"/tmp/.X{self.name[1:]}-lock"):
                return
            time.sleep(0.05)


class Build:
    """One of the two programs, with its data folder, settings and environment."""

    def __init__(self, name, program):
        self.name, self.program = name, os.path.abspath(program)
        self.windows = program.endswith(".scr")
        self.sandbox = tempfile.mkdtemp(dir=WORK)
        if self.windows:
            self.data = os.path.join(PREFIX, "drive_c", "Almanix")
        else:
            self.data = os.path.join(self.sandbox, "home", "Almanix")

    def environment(self, display, tick_log=None):
        env = dict(os.environ, DISPLAY=display.name)
        env.pop("ALMANIX_TICK_LOG", None)
        if self.windows:
            env.update(ALMANIX_WINEPREFIX=PREFIX, LANG="en_US.UTF-8")
            env.pop("LC_ALL", None)
            if tick_log:
                env["ALMANIX_TICK_LOG"] = "Z:" + tick_log.replace("/", "\\")
        else:
            run = os.path.join(self.sandbox, "run")
            os.makedirs(run, mode=0o700, exist_ok=True)
            env.update(HOME=os.path.join(self.sandbox, "home"), XDG_CONFIG_HOME=os.path.join(self.sandbox, "config"),
                       XDG_RUNTIME_DIR=run, LC_ALL="C.UTF-8", QT_QPA_PLATFORM="xcb")
            if tick_log:
                env["ALMANIX_TICK_LOG"] = tick_log
        return env

    def command(self):
        return [WINE_RUN, self.program, "/s"] if self.windows else [self.program, "/s"]

    def path_of(self, path):
        """A file of this machine as the program names it."""
        return "Z:" + path.replace("/", "\\") if self.windows else path

    def prepare(self, display, pictures, events, speed, calendars=()):
        """A fresh data folder with these pictures (name: source) and event lines,
        and these calendar sources stored."""
        shutil.rmtree(self.data, ignore_errors=True)
        os.makedirs(os.path.join(self.data, "pics"))
        for name, source in pictures.items():
            shutil.copyfile(source, os.path.join(self.data, "pics", name))
        if events:
            with open(os.path.join(self.data, "events.dat"), "wb") as file:
                file.write(events)
        # A blank value after the list ends it, whatever an earlier run stored.
        values = [("MoveSpeed", str(speed))] + [(f"Calendar{i + 1}", source) for i, source in enumerate(calendars)]
        values.append((f"Calendar{len(calendars) + 1}", " "))
        if self.windows:
            for name, value in values:
                registry = [WINE_RUN, os.path.join(PREFIX, "drive_c", "windows", "system32", "reg.exe"), "add",
                            "HKLM\\SOFTWARE\\Screen saver\\Almanix", "/v", name, "/d", value, "/f"]
                subprocess.run(registry, env=self.environment(display), capture_output=True)
        else:
            config = os.path.join(self.sandbox, "config", "almanix")
            os.makedirs(config, exist_ok=True)
            with open(os.path.join(config, "registry.reg"), "wb") as file:
                file.write(b'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Screen saver\\Almanix]\r\n')
                for name, value in values:
                    escaped = value.replace("\\", "\\\\").replace('"', '\\"')
                    file.write(f'"{name}"="{escaped}"\r\n'.encode())

    def due_events(self, contents):
        """Event lines due today, in the short date each build reads."""
        today = datetime.date.today()
        date = f"{today.month}/{today.day}/{today.year}" if self.windows else today.strftime("%m/%d/%Y")
        prefix = f"#{date} {today.strftime('%A')} "
        return b"".join((prefix + content + "\r\n").encode() for content in contents)

    def start(self, display, tick_log=None, extra=None):
        return subprocess.Popen(self.command(), env=dict(self.environment(display, tick_log), **(extra or {})),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def write_big_event_file(self):
        """About 200 MB: one event due today, 4.6 million later, 1,000 expired."""
        def line(day, content):
            date = f"{day.month}/{day.day}/{day.year}" if self.windows else day.strftime("%m/%d/%Y")
            return f"#{date} {day.strftime('%A')} {content}\r\n"
        today = datetime.date.today()
        later = line(today + datetime.timedelta(days=200), "Later event number ")
        path = os.path.join(self.data, "events.dat")
        with open(path, "w", newline="") as file:
            file.write(line(today, "Dentist at ten"))
            for block in range(46):
                file.write("".join(f"{later[:-2]}{block * 100000 + i}\r\n" for i in range(100000)))
            file.write("".join(line(today - datetime.timedelta(days=1), f"Gone {i}") for i in range(1000)))
        return path

    def stop(self, process, display):
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        if self.windows:
            subprocess.run(["wineserver", "-k"], env=dict(self.environment(display), WINEPREFIX=PREFIX),
                           capture_output=True)


class Probe:
    """screen_probe, ready before what it times begins."""

    def __init__(self, tool, display, mode, seconds=30):
        self.process = subprocess.Popen([tool, mode, str(seconds)], env=dict(os.environ, DISPLAY=display.name),
                                        stdout=subprocess.PIPE, text=True)
        assert self.process.stdout.readline().strip() == "ready"

    def moment(self):
        line = self.process.stdout.readline().strip()
        self.process.wait()
        return float(line) if line and line != "timeout" else None


class OpenedNames:
    """The picture names a program opens, in order, through inotify."""

    def __init__(self, folder):
        self.libc = ctypes.CDLL(None, use_errno=True)
        self.fd = self.libc.inotify_init1(os.O_NONBLOCK)
        self.libc.inotify_add_watch(self.fd, folder.encode(), 0x20)  # IN_OPEN
        self.names = []

    def read(self):
        while True:
            try:
                data = os.read(self.fd, 65536)
            except BlockingIOError:
                return self.names
            offset = 0
            while offset < len(data):
                _, _, _, length = struct.unpack_from("iIII", data, offset)
                name = data[offset + 16:offset + 16 + length].rstrip(b"\0").decode()
                offset += 16 + length
                if name and (not self.names or self.names[-1] != name):
                    self.names.append(name)

    def close(self):
        os.close(self.fd)


def make_pictures():
    os.makedirs(PICTURES, exist_ok=True)
    sizes = {"24mp": "6000x4000", "2mp": "1728x1152", "640x480": "640x480"}
    for name, size in sizes.items():
        path = os.path.join(PICTURES, name + ".jpg")
        if not os.path.exists(path):
            print(f"making a {size} JPEG (once)", file=sys.stderr)
            subprocess.run(["/usr/bin/convert", "-size", size, "plasma:fractal", "-quality", "90", path + ".part.jpg"],
                           check=True)
            os.rename(path + ".part.jpg", path)
    return {name: os.path.join(PICTURES, name + ".jpg") for name in sizes}


def line_count(path):
    try:
        with open(path, "rb") as file:
            return file.read().count(b"\n")
    except OSError:
        return 0


def tick_gaps(build, probe_tool, picture, seconds):
    """One run with two copies of the picture, ended by a key. Gives the gaps
    between ticks in ms, the scene changes, the ms from the key until the
    window was gone, and until the saver stopped ticking (at most)."""
    display = Display(1024, 768)
    log = os.path.join(build.sandbox, "ticks.log")
    if os.path.exists(log):
        os.remove(log)
    try:
        build.prepare(display, {"a.jpg": picture, "b.jpg": picture}, None, 30)
        opened = OpenedNames(os.path.join(build.data, "pics"))
        process = build.start(display, log)
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and process.poll() is None:
            time.sleep(0.2)
            opened.read()
        probe = Probe(probe_tool, display, "uncovered", 10)
        sent = time.monotonic()
        subprocess.run(["xdotool", "key", "space"], env=dict(os.environ, DISPLAY=display.name))
        # When the last tick's line arrives, watched closely: no tick comes after the saver ends.
        last_tick, lines = sent, line_count(log)
        while time.monotonic() < sent + 1.5:
            if line_count(log) != lines:
                last_tick, lines = time.monotonic(), line_count(log)
            time.sleep(0.002)
        gone = probe.moment()
        changes = max(len(opened.read()) - 1, 0)
        opened.close()
        build.stop(process, display)
    finally:
        display.stop()
    if not os.path.exists(log):
        raise SystemExit(f"{build.program} wrote no tick log")
    with open(log) as file:
        moments = [float(line.split()[0]) for line in file if line.strip()]
    gaps = [later - earlier for earlier, later in zip(moments, moments[1:])]
    stopped = (last_tick - sent) * 1000 + TICK_MS
    return gaps, changes, (gone - sent) * 1000 if gone else None, stopped


def lost_ticks(gaps):
    return sum(max(0, int((gap + TICK_MS / 2) // TICK_MS) - 1) for gap in gaps)


def cpu_seconds(pid):
    """User and system time of a process, its ended threads included."""
    try:
        with open(f"/proc/{pid}/stat") as file:
            fields = file.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    except OSError:
        return 0.0


def our_wineserver():
    """The wineserver of the benchmark's prefix: its folder is named by the prefix's device and inode."""
    info = os.stat(PREFIX)
    server = f"server-{info.st_dev:x}-{info.st_ino:x}"
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if os.readlink(f"/proc/{pid}/cwd").endswith(server):
                return int(pid)
        except OSError:
            continue
    return None


def steady_cpu(display_size, start, seconds, windows=False):
    """Percent of one core used by what start() runs, its X server and any wineserver."""
    display = Display(*display_size)
    process, stop = start(display)
    try:
        time.sleep(5)
        pids = [process.pid, display.process.pid] + ([our_wineserver()] if windows else [])
        pids = [pid for pid in pids if pid]
        before, began = sum(map(cpu_seconds, pids)), time.monotonic()
        time.sleep(seconds)
        used, elapsed = sum(map(cpu_seconds, pids)) - before, time.monotonic() - began
    finally:
        stop(process, display)
        display.stop()
    return 100.0 * used / elapsed


def almanix_cpu(build, pictures, events, seconds):
    def start(display):
        build.prepare(display, pictures, events, 10)
        return build.start(display), build.stop
    return steady_cpu((1920, 1080), start, seconds, build.windows)


def blitspin_cpu(seconds):
    def start(display):
        process = subprocess.Popen([BLITSPIN, "-root"], env=dict(os.environ, DISPLAY=display.name),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return process, lambda p, d: (p.terminate(), p.wait())
    return steady_cpu((1920, 1080), start, seconds)


def start_time(build, probe_tool, pictures):
    display = Display(1024, 768)
    try:
        build.prepare(display, pictures, None, 10)
        probe = Probe(probe_tool, display, "covered")
        began = time.monotonic()
        process = build.start(display)
        covered = probe.moment()
        build.stop(process, display)
    finally:
        display.stop()
    return (covered - began) * 1000 if covered else None


def wine_alone(build):
    """Milliseconds from exec to exit of a start that opens nothing."""
    display = Display(1024, 768)
    try:
        build.prepare(display, {}, None, 10)
        began = time.monotonic()
        subprocess.run([WINE_RUN, build.program, "/x"], env=build.environment(display),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return (time.monotonic() - began) * 1000
    finally:
        display.stop()


def peak_memory(build, probe_tool, events):
    """Peak resident memory in MB once the first notice shows."""
    display = Display(1024, 768)
    try:
        build.prepare(display, {}, events, 10)
        probe = Probe(probe_tool, display, "covered", 120)
        process = build.start(display)
        probe.moment()
        time.sleep(3)
        peak = None
        with open(f"/proc/{process.pid}/status") as file:
            for line in file:
                if line.startswith("VmHWM:"):
                    peak = int(line.split()[1]) / 1024
        build.stop(process, display)
    finally:
        display.stop()
    return peak


def large_calendar(path):
    """20,000 events around today, 1,000 of them weekly series: about 5 MB."""
    today = datetime.date.today()
    with open(path, "w", newline="") as file:
        file.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n")
        for i in range(20000):
            day = today + datetime.timedelta(days=i % 400 - 200)
            rule = "RRULE:FREQ=WEEKLY;BYDAY=MO,WE\r\n" if i % 20 == 0 else ""
            file.write(f"BEGIN:VEVENT\r\nUID:event-{i}@timing\r\nDTSTART:{day:%Y%m%d}T{9 + i % 9:02d}3000\r\n"
                       f"DTEND:{day:%Y%m%d}T{10 + i % 9:02d}0000\r\n{rule}SUMMARY:Meeting number {i} about "
                       f"the quarterly figures and the plans\r\nLOCATION:Room {i % 40}\r\n"
                       f"DESCRIPTION:{'Notes ' * 20}\r\nEND:VEVENT\r\n")
        file.write("END:VCALENDAR\r\n")


def calendar_ticks(build, seconds):
    """Runs of the saver without calendars and with five; for each the longest
    and the median tick in ms and the longest gap between ticks."""
    site = os.path.join(WORK, "site")
    os.makedirs(os.path.join(site, "folder"), exist_ok=True)
    large = os.path.join(site, "large.ics")
    if not os.path.exists(large):
        large_calendar(large)
        for name in ("a", "b", "c"):
            shutil.copyfile(large, os.path.join(site, "folder", f"{name}.ics"))
    server = subprocess.Popen([sys.executable, "-m", "http.server", "--bind", "127.0.0.1", "--directory", site, "0"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    port = int(server.stdout.readline().split("port ")[1].split()[0])
    results = []
    try:
        for calendars in ([], [build.path_of(large), build.path_of(os.path.join(site, "folder")),
                               f"http://127.0.0.1:{port}/large.ics", "http://127.0.0.1:9/none.ics",
                               build.path_of(os.path.join(site, "missing.ics"))]):
            display = Display(1024, 768)
            log = os.path.join(build.sandbox, "calendar-ticks.log")
            if os.path.exists(log):
                os.remove(log)
            try:
                build.prepare(display, {}, build.due_events(["Dentist at ten"]), 30, calendars)
                process = build.start(display, log)
                time.sleep(seconds)
                build.stop(process, display)
            finally:
                display.stop()
            with open(log) as file:
                rows = [[float(value) for value in line.split()[:2]] for line in file if line.strip()]
            gaps = [later[0] - earlier[0] for earlier, later in zip(rows, rows[1:])]
            ticks = [row[1] for row in rows]
            results.append((len(calendars), max(ticks), median(ticks), max(gaps)))
    finally:
        server.terminate()
    return results


def big_event_file(build, probe_tool):
    """First frame (ms), peak memory (MB), the longest tick and gap (ms) of a
    run whose clock starts 20 s before an hour, and how often the file was
    rewritten: by the start's check and by the hourly one."""
    display = Display(1024, 768)
    log = os.path.join(build.sandbox, "ticks.log")
    try:
        build.prepare(display, {}, None, 10)
        path = build.write_big_event_file()
        if os.path.exists(log):
            os.remove(log)
        probe = Probe(probe_tool, display, "covered")
        hour = datetime.datetime.now().replace(minute=59, second=40, microsecond=0)
        # Wine does not start under faketime: there the run holds the start's check alone.
        clock = {} if build.windows else {
            "LD_PRELOAD": "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
            "FAKETIME": "@" + hour.strftime("%Y-%m-%d %H:%M:%S"), "FAKETIME_DONT_FAKE_MONOTONIC": "1"}
        began = time.monotonic()
        process = build.start(display, log, clock)
        covered = probe.moment()
        first_frame = (covered - began) * 1000 if covered else None
        # Each rewrite puts a new file in place.
        rewrites, inode, first_rewrite = 0, os.stat(path).st_ino, None
        # Under Wine the start's check alone takes a few minutes: wait for its rewrite.
        while time.monotonic() < began + 45 or (build.windows and rewrites == 0 and time.monotonic() < began + 400):
            time.sleep(0.05)
            try:
                now = os.stat(path).st_ino
            except FileNotFoundError:
                continue
            if now != inode and first_rewrite is None:
                first_rewrite = (time.monotonic() - began) * 1000
            rewrites, inode = rewrites + (now != inode), now
        pids = [process.pid]
        if build.windows:
            pids = subprocess.run(["pgrep", "-f", "Almanix.scr"], capture_output=True, text=True).stdout.split()
        peak = None
        for pid in pids:
            with open(f"/proc/{pid}/status") as file:
                for line in file:
                    if line.startswith("VmHWM:"):
                        peak = max(peak or 0, int(line.split()[1]) / 1024)
        build.stop(process, display)
    finally:
        display.stop()
    with open(log) as file:
        ticks = [tuple(map(float, line.split())) for line in file if line.strip()]
    moments = [moment for moment, _ in ticks]
    gaps = [later - earlier for earlier, later in zip(moments, moments[1:])]
    return first_frame, peak, max(d for _, d in ticks), max(gaps, default=float("nan")), rewrites, first_rewrite


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--linux", default=os.path.join(TOP, "build/linux/src/qt/almanix"))
    parser.add_argument("--windows", default=os.path.join(TOP, "build/windows/src/win32/Almanix.scr"))
    parser.add_argument("--probe", default=os.path.join(TOP, "build/linux/benchmarks/screen_probe"))
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--seconds", type=int, default=60, help="length of each tick-gap run")
    parser.add_argument("--only", default="gaps,cpu,start,memory,calendars,events")
    parser.add_argument("--builds", default="linux,windows")
    options = parser.parse_args()
    parts = options.only.split(",")
    os.makedirs(WORK, exist_ok=True)
    pictures = make_pictures()
    builds = [Build("Linux", options.linux)] if "linux" in options.builds else []
    builds += [Build("Windows (Wine)", options.windows)] if "windows" in options.builds else []
    report = []

    if "gaps" in parts:
        report.append("Tick gaps, MoveSpeed 30 on 1024x768, two copies of one picture "
                      f"({options.runs} runs of {options.seconds} s each):")
        report.append(f"  {'build':16} {'picture':8} {'longest gap ms':>15} {'scene changes':>14} "
                      f"{'lost/change':>12} {'key: window gone ms':>20} {'ticking stopped ms':>19}")
        report.append(f"  {'':16} {'':8} {'':>15} {'':>14} {'':>12} {'median (max)':>20} {'at most, max':>19}")
        for build in builds:
            for size in ("24mp", "2mp"):
                longest, changes, lost, keys, stops = [], 0, 0, [], []
                for _ in range(options.runs):
                    gaps, scene_changes, key, stopped = tick_gaps(build, options.probe, pictures[size],
                                                                  options.seconds)
                    longest.append(max(gaps))
                    changes += scene_changes
                    lost += lost_ticks(gaps)
                    keys += [key] if key is not None else []
                    stops.append(stopped)
                key_text = f"{median(keys):.0f} ({max(keys):.0f})" if keys else "-"
                report.append(f"  {build.name:16} {size:8} {max(longest):15.0f} {changes:14d} "
                              f"{lost / max(changes, 1):12.2f} {key_text:>20} {max(stops):19.0f}")

    if "cpu" in parts:
        rows = {"blitspin": []}
        for _ in range(options.runs):
            rows["blitspin"].append(blitspin_cpu(30))
            for build in builds:
                events = build.due_events(["Dentist at ten"])
                name = build.name.split()[0]
                rows.setdefault(f"{name}, 640x480 picture", []).append(
                    almanix_cpu(build, {"p.jpg": pictures["640x480"]}, None, 30))
                rows.setdefault(f"{name}, notice", []).append(almanix_cpu(build, {}, events, 30))
        reference = median(rows["blitspin"])
        report.append(f"Steady CPU on 1920x1080, program + X server (+ wineserver), {options.runs} rounds of 30 s, "
                      "medians:")
        for name, values in rows.items():
            report.append(f"  {name:26} {median(values):6.2f}% of a core   {median(values) / reference:5.2f} x blitspin")

    if "start" in parts:
        report.append(f"Exec to first frame, ms, median (max) of {options.runs}:")
        for build in builds:
            for label, chosen in (("a 24 MP JPEG first", {"a.jpg": pictures["24mp"]}), ("no pictures", {})):
                times = [start_time(build, options.probe, chosen) for _ in range(options.runs)]
                times = [t for t in times if t is not None]
                report.append(f"  {build.name:16} {label:20} {median(times):7.0f} ({max(times, default=0):.0f})")
            if build.windows:
                times = [wine_alone(build) for _ in range(options.runs)]
                report.append(f"  {build.name:16} {'/x, exec to exit':20} {median(times):7.0f} ({max(times):.0f})")

    if "memory" in parts:
        report.append("Peak resident memory with the notice, MB:")
        for build in builds:
            cases = (("one due line of 1 MB", [("x" * 1_000_000)]),
                     ("20,000 due events", [f"Event number {i}" for i in range(20000)]))
            for label, contents in cases:
                peak = peak_memory(build, options.probe, build.due_events(contents))
                report.append(f"  {build.name:16} {label:22} {peak if peak else float('nan'):8.0f}")

    if "calendars" in parts:
        report.append(f"Ticks without calendars and with five, {options.seconds} s each, MoveSpeed 30, a due event:")
        report.append(f"  {'build':16} {'sources':>8} {'longest tick ms':>16} {'median tick ms':>15} "
                      f"{'longest gap ms':>15}")
        for build in builds:
            for sources, longest, middle, gap in calendar_ticks(build, options.seconds):
                report.append(f"  {build.name:16} {sources:8d} {longest:16.2f} {middle:15.2f} {gap:15.1f}")

    if "events" in parts:
        report.append("A 200 MB event file, over 45 s that hold the start's check and the hourly one:")
        report.append(f"  {'build':16} {'first frame ms':>15} {'peak MB':>8} {'longest tick ms':>16} "
                      f"{'longest gap ms':>15} {'rewrites':>9} {'first rewrite ms':>17}")
        for build in builds:
            frame, peak, tick, gap, rewrites, first = big_event_file(build, options.probe)
            report.append(f"  {build.name:16} {frame or float('nan'):15.0f} {peak or float('nan'):8.0f} {tick:16.1f} "
                          f"{gap:15.1f} {rewrites:9d} {first or float('nan'):17.0f}")

    for build in builds:
        shutil.rmtree(build.sandbox, ignore_errors=True)
    print("\n".join(report))


if __name__ == "__main__":
    signal.signal(signal.SIGINT, signal.default_int_handler)
    main()
