#!/usr/bin/env python3
# SPDX-License-Identifier: LGPL-2.1-or-later
"""zentrix-player against mpv alone, on a private Xvfb, several runs each:

  1. start to first frame, with the same kind of output on both sides
     (OpenGL: the player's QOpenGLWidget and mpv --vo=gpu; software: libmpv's
     software renderer and mpv --vo=x11); the goal is at most 1.5 times mpv;
  2. 12 s of the 1080p30 clip: frames dropped and CPU seconds used;
  3. the media library's scan of 1,000 files, with the longest time the GUI
     thread went without its event loop (goal: at most 50 ms).

The player says when it shows its first frame, when the file ends (with the
frames dropped) and what a scan took in the "zentrix.player" category at info
level, which this script turns on. No sound device is used. Xvfb has only
Mesa's software OpenGL, which mpv accepts with --gpu-sw=yes.

Usage: bench/player/bench_player.py [BUILD_DIR] [RUNS]
"""
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
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


def run_player(args, env, pattern, timeout=60):
    """Starts the player, waits for a line matching pattern on its stderr;
    returns (seconds since the start, the match, CPU seconds used)."""
    started = time.monotonic()
    player = subprocess.Popen([PLAYER] + args, env=env, stderr=subprocess.PIPE, text=True)
    try:
        deadline = started + timeout
        for line in player.stderr:
            match = re.search(pattern, line)
            if match:
                return time.monotonic() - started, match, cpu_seconds(player.pid)
            if time.monotonic() > deadline:
                break
        sys.exit(f"bench_player: the player never said /{pattern}/")
    finally:
        player.kill()
        player.wait()


def run_mpv(args, env):
    """mpv alone; returns (seconds, its output, CPU seconds of it)."""
    started = time.monotonic()
    before = os.times()
    result = subprocess.run(["mpv", "--no-config", "--ao=null"] + args, env=env,
                            capture_output=True, text=True, timeout=120)
    after = os.times()
    if result.returncode != 0:
        sys.exit(f"bench_player: mpv failed:\n{result.stdout}{result.stderr}")
    cpu = (after.children_user - before.children_user) + (after.children_system
                                                          - before.children_system)
    return time.monotonic() - started, result.stdout + result.stderr, cpu


def main():
    if not os.access(PLAYER, os.X_OK):
        sys.exit(f"bench_player: build the player first ({PLAYER})")
    subprocess.run(["cmake", "--build", BUILD, "--target", "player-bench-clips"], check=True,
                   stdout=subprocess.DEVNULL)
    server, display = start_xvfb()
    scratch = tempfile.mkdtemp(prefix="bench-player-")
    try:
        clip = os.path.join(CLIPS, "tour.mkv")
        print(f"bench_player: {RUNS} runs each, display {display}")
        for renderer, vo in (("opengl", ["--vo=gpu", "--gpu-sw=yes"]),
                             ("software", ["--vo=x11"])):
            ours, theirs = [], []
            for run in range(RUNS):
                env = environment(os.path.join(scratch, f"first-{renderer}-{run}"), display,
                                  renderer)
                ours.append(run_player([clip], env, r"first frame shown")[0])
                theirs.append(run_mpv(vo + ["--frames=1", clip], env)[0])
            ratio = statistics.median(ours) / statistics.median(theirs)
            print(f"first frame, {renderer:8}: player {statistics.median(ours) * 1000:5.0f} ms, "
                  f"mpv {' '.join(vo)} {statistics.median(theirs) * 1000:5.0f} ms, "
                  f"ratio {ratio:.2f} (goal <= 1.5)")

        watcher = os.path.join(scratch, "drops.lua")
        with open(watcher, "w") as script:
            script.write('mp.observe_property("eof-reached", "bool", function(_, eof)\n'
                         '  if eof then\n'
                         '    print("dropped " .. mp.get_property("frame-drop-count", "0"))\n'
                         '    mp.command("quit")\n'
                         '  end\n'
                         'end)\n')
        ours_drops, ours_cpu, theirs_drops, theirs_cpu = [], [], [], []
        for run in range(RUNS):
            env = environment(os.path.join(scratch, f"play-{run}"), display, "opengl")
            _, match, cpu = run_player([BENCH_CLIP], env,
                                       r"end of file: (\d+) frames dropped by the output, "
                                       r"(\d+) by the decoder")
            ours_drops.append(int(match.group(1)) + int(match.group(2)))
            ours_cpu.append(cpu)
            _, output, cpu = run_mpv(["--vo=gpu", "--gpu-sw=yes", "--keep-open=yes",
                                      f"--script={watcher}", BENCH_CLIP], env)
            found = re.search(r"dropped (\d+)", output)
            if not found:
                sys.exit(f"bench_player: mpv did not play the clip:\n{output}")
            theirs_drops.append(int(found.group(1)))
            theirs_cpu.append(cpu)
        print(f"1080p30, 12 s: player {statistics.median(ours_drops)} frames dropped, "
              f"{statistics.median(ours_cpu):.1f} s CPU; mpv {statistics.median(theirs_drops)} "
              f"dropped, {statistics.median(theirs_cpu):.1f} s CPU")

        gaps, times = [], []
        sources = [os.path.join(CLIPS, name) for name in ("tone.m4a", "short.mp4", "tour.mkv")]
        for run in range(RUNS):
            home = os.path.join(scratch, f"scan-{run}")
            env = environment(home, display, "opengl")
            # The default media folder of a home without XDG user folders.
            movies = os.path.join(home, "Videos", "Zentrix Movies")
            os.makedirs(movies)
            for index in range(1000):
                source = sources[index % len(sources)]
                os.link(source,
                        os.path.join(movies, f"movie {index:04}{os.path.splitext(source)[1]}"))
            _, match, _ = run_player([], env, r"scanned (\d+) movies in (\d+) ms; the GUI "
                                     r"thread waited at most (\d+) ms", timeout=300)
            if int(match.group(1)) != 1000:
                sys.exit(f"bench_player: the scan found {match.group(1)} movies, not 1000")
            times.append(int(match.group(2)))
            gaps.append(int(match.group(3)))
        print(f"library scan, 1,000 files: {statistics.median(times)} ms; the GUI thread "
              f"waited at most {max(gaps)} ms (goal <= 50)")
    finally:
        # Terminated, not killed: the server removes its socket and lock file.
        server.terminate()
        server.wait()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
