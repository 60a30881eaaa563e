#!/usr/bin/env python3
# SPDX-License-Identifier: LGPL-2.1-or-later
"""zentrix-player against mpv alone, on a private Xvfb, several runs each:

  1. start to first frame, with the same kind of output on both sides
     (OpenGL: the player's native video window and mpv --vo=gpu; software: libmpv's
     software renderer and mpv --vo=x11); the goal is at most 1.5 times mpv;
  2. 12 s of the 1080p30 clip, with each kind of output: frames dropped and
     CPU seconds used to the end of the file; the goals, with OpenGL: no frame
     dropped, at most 1.3 times mpv's CPU time;
  3. the media library's scan of 1,000 files, with the longest time the GUI
     thread went without its event loop (goal: at most 50 ms).

Both programs are timed the same way: from the start of the process to the
line that says the first frame is on the screen (or the end of the file is
reached), read as it is written; mpv's exit is not counted. mpv's window is
given the size of the player's video area. The player says when it shows its
first frame, when the file ends (with the frames dropped) and what a scan took
in the "zentrix.player" category at info level, which this script turns on.
No sound device is used. Xvfb has only Mesa's software OpenGL, which mpv
accepts with --gpu-sw=yes.

Usage: bench/player/bench_player.py [BUILD_DIR] [RUNS]
"""
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 3
PLAYER = os.path.join(BUILD, "player/bin/zentrix-player")
CLIPS = os.path.join(BUILD, "player/share/zentrix-player/clips")
BENCH_CLIP = os.path.join(BUILD, "bench/clips/bench-1080p30.mkv")


def start_xvfb():
    for number in range(90, 120):
        if os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
            continue
        server = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "1920x1200x24",
                                   "-nolisten", "tcp"], stderr=subprocess.DEVNULL)
        for _ in range(100):
            if os.path.exists(f"/tmp/.X11-unix/X{number}"):
                return server, f":{number}"
            time.sleep(0.05)
        server.kill()
    sys.exit("bench_player: no Xvfb display")


def environment(home, display, renderer):
    env = dict(os.environ)
    for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY"):
        env.pop(name, None)
    env.update({
        "DISPLAY": display, "HOME": home,
        "XDG_CONFIG_HOME": f"{home}/.config", "XDG_DATA_HOME": f"{home}/.local/share",
        "XDG_CACHE_HOME": f"{home}/.cache", "XDG_STATE_HOME": f"{home}/.local/state",
        "XDG_RUNTIME_DIR": f"{home}/runtime", "XDG_CONFIG_DIRS": f"{home}/etc/xdg",
        "ZENTRIX_USER_HIVE": f"{home}/user-hive.db",
        "ZENTRIX_MACHINE_HIVE": f"{home}/machine-hive.db",
        "ZENTRIX_PLAYER_AUDIO": "null", "ZENTRIX_PLAYER_VIDEO": renderer,
        "QT_LOGGING_RULES": "zentrix.player.info=true",
    })
    os.makedirs(f"{home}/runtime", mode=0o700, exist_ok=True)
    return env


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def run_until(command, env, pattern, timeout=60):
    """Starts command, reads its output until a line matches pattern; returns
    (seconds since the start, the match, CPU seconds used so far, the output
    up to there). The same for both programs: each says when it has shown its
    first frame or reached the end of the file, and is stopped there, so its
    exit is not counted."""
    started = time.monotonic()
    child = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                             text=True)
    # A program that falls silent is stopped at the time limit.
    watchdog = threading.Timer(timeout, child.kill)
    watchdog.start()
    try:
        output = ""
        for line in child.stdout:
            output += line
            match = re.search(pattern, line)
            if match:
                return time.monotonic() - started, match, cpu_seconds(child.pid), output
        sys.exit(f"bench_player: {command[0]} never said /{pattern}/:\n{output[-2000:]}")
    finally:
        watchdog.cancel()
        child.kill()
        child.wait()


# The player's line once a frame is on the screen, with the size it was drawn at.
PLAYER_FIRST_FRAME = r"first frame shown in a (\d+)x(\d+) area"
# mpv's, once its output thread has presented the first frame.
MPV_FIRST_FRAME = r"first video frame after restart shown"


def mpv(options):
    # Verbose for the player core only, where the first-frame line is; the
    # script's own lines are at info level.
    return ["mpv", "--no-config", "--ao=null", "--msg-level=all=warn,cplayer=v,drops=info"] + options


def summary(values, unit="ms", scale=1000, digits=0):
    values = sorted(values)
    return (f"{statistics.median(values) * scale:.{digits}f} {unit} "
            f"[{values[0] * scale:.{digits}f}-{values[-1] * scale:.{digits}f}]")


RENDERERS = (("opengl", ["--vo=gpu", "--gpu-sw=yes"]), ("software", ["--vo=x11"]))


def main():
    if not os.access(PLAYER, os.X_OK):
        sys.exit(f"bench_player: build the player first ({PLAYER})")
    subprocess.run(["cmake", "--build", BUILD, "--target", "player-bench-clips"], check=True,
                   stdout=subprocess.DEVNULL)
    server, display = start_xvfb()
    scratch = tempfile.mkdtemp(prefix="bench-player-")
    try:
        clip = os.path.join(CLIPS, "tour.mkv")
        print(f"bench_player: {RUNS} runs each, display {display}; medians [min-max]")
        # mpv gets a window of the size of the player's video area, so both
        # draw the same number of pixels.
        for renderer, vo in RENDERERS:
            ours, theirs = [], []
            for run in range(RUNS):
                # A home each: neither finds the other's shader caches.
                env = environment(os.path.join(scratch, f"first-{renderer}-{run}"), display,
                                  renderer)
                seconds, match, _, _ = run_until([PLAYER, clip], env, PLAYER_FIRST_FRAME)
                ours.append(seconds)
                size = f"{match.group(1)}x{match.group(2)}"
                env = environment(os.path.join(scratch, f"first-mpv-{renderer}-{run}"), display,
                                  renderer)
                theirs.append(run_until(mpv(vo + [f"--geometry={size}", clip]), env,
                                        MPV_FIRST_FRAME)[0])
            ratio = statistics.median(ours) / statistics.median(theirs)
            print(f"first frame, {renderer:8} ({size}): player {summary(ours)}, "
                  f"mpv {' '.join(vo)} {summary(theirs)}, ratio of medians {ratio:.2f} "
                  f"(goal <= 1.5)")

        watcher = os.path.join(scratch, "drops.lua")
        with open(watcher, "w") as script:
            script.write('mp.observe_property("eof-reached", "bool", function(_, eof)\n'
                         '  if eof then\n'
                         '    print("dropped " .. mp.get_property("frame-drop-count", "0")\n'
                         '          .. " " .. mp.get_property("decoder-frame-drop-count", "0"))\n'
                         '  end\n'
                         'end)\n')
        for renderer, vo in RENDERERS:
            ours_drops, ours_cpu, theirs_drops, theirs_cpu = [], [], [], []
            for run in range(RUNS):
                env = environment(os.path.join(scratch, f"play-{renderer}-{run}"), display,
                                  renderer)
                _, match, cpu, output = run_until(
                    [PLAYER, BENCH_CLIP], env,
                    r"end of file: (\d+) frames dropped by the output, (\d+) by the decoder",
                    timeout=120)
                ours_drops.append(int(match.group(1)) + int(match.group(2)))
                ours_cpu.append(cpu)
                shown = re.search(PLAYER_FIRST_FRAME, output)
                size = f"{shown.group(1)}x{shown.group(2)}"
                env = environment(os.path.join(scratch, f"play-mpv-{renderer}-{run}"), display,
                                  renderer)
                _, found, cpu, _ = run_until(
                    mpv(vo + [f"--geometry={size}", "--keep-open=yes", f"--script={watcher}",
                              BENCH_CLIP]), env, r"dropped (\d+) (\d+)", timeout=120)
                theirs_drops.append(int(found.group(1)) + int(found.group(2)))
                theirs_cpu.append(cpu)
            ratio = statistics.median(ours_cpu) / statistics.median(theirs_cpu)
            print(f"1080p30, 12 s, {renderer:8} ({size}): player dropped {ours_drops}, CPU "
                  f"{summary(ours_cpu, 's', 1, 2)}; mpv {' '.join(vo)} dropped {theirs_drops}, "
                  f"CPU {summary(theirs_cpu, 's', 1, 2)}; CPU ratio of medians {ratio:.2f}"
                  + (" (goal <= 1.3, no drops)" if renderer == "opengl" else ""))

        sources = [os.path.join(CLIPS, name) for name in ("tone.m4a", "short.mp4", "tour.mkv")]
        for renderer, _ in RENDERERS:
            gaps, times = [], []
            for run in range(RUNS):
                home = os.path.join(scratch, f"scan-{renderer}-{run}")
                env = environment(home, display, renderer)
                # The default media folder of a home without XDG user folders.
                movies = os.path.join(home, "Videos", "Zentrix Movies")
                os.makedirs(movies)
                for index in range(1000):
                    source = sources[index % len(sources)]
                    os.link(source, os.path.join(movies,
                                                 f"movie {index:04}{os.path.splitext(source)[1]}"))
                _, match, _, _ = run_until([PLAYER], env, r"scanned (\d+) movies in (\d+) ms; the "
                                        r"GUI thread waited at most (\d+) ms", timeout=300)
                if int(match.group(1)) != 1000:
                    sys.exit(f"bench_player: the scan found {match.group(1)} movies, not 1000")
                times.append(int(match.group(2)))
                gaps.append(int(match.group(3)))
            print(f"library scan, 1,000 files, {renderer:8}: {summary(times, 'ms', 1)} to the "
                  f"full list; the GUI thread waited at most {summary(gaps, 'ms', 1)}, worst "
                  f"{max(gaps)} ms (goal <= 50)")
    finally:
        # Terminated, not killed: the server removes its socket and lock file.
        server.terminate()
        server.wait()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
