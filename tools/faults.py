#!/usr/bin/env python3
"""Puts the test suite to the proof: applies each single fault of a list to the
sources, rebuilds incrementally, runs the tests and prints, per layer, how many
faults the tests caught. Every file is restored after each fault, also when the
run is interrupted.

    tools/faults.py [--build build] [--list tools/faults.txt] [--layer musica] [--only 3,7] [--check]

Not part of CI: a run takes long. To keep it affordable each fault is built and
run only against the tests of the layers that can see it (LAYERS below), and
its run stops at the first failing test. A fault that does not build is shown
apart and left out of the score. The music tests that use a real sound server
need one of their own (a shared one's other streams fail them): a private one
is started here, playing into a null sink, and stopped at the end.

The list (tools/faults.txt): a block per fault, its header `== layer path |
what it breaks`, then `- old` and `+ new`, text that must occur exactly once
in the file and what replaces it (`\\n` for a line break).
"""

import argparse
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent

WINDOW_UNITS = ["finestra", "disegno", "tastiera", "pausa"]
GAME_UNITS = ["regole", "mescola", "mossa", "partita", "nuova_partita", "modello"]
MUSIC_UNITS = ["smf", "mmc1", "playing", "musica", "canzoni", "audiooutput"]


def programs(folder, units):
    """The test programs of those units: tests/<folder>/<unit>_test.cpp builds <folder>_<unit>_test."""
    return [f"{folder}_{unit}_test" for unit in units]


def tests(*groups):
    """A ctest regex for the tests of those units, with the runs of them on other screens."""
    names = [f"{folder}\\.{unit}" for folder, units in groups for unit in units]
    return f"^({'|'.join(names)})(_.*)?$"


WINDOW = ("table", WINDOW_UNITS)
# layer: (build targets, ctest regex of the tests that can see its faults)
LAYERS = {
    "game": (programs("game", GAME_UNITS) + ["trelva-replay"] + programs(*WINDOW),
             tests(("game", GAME_UNITS), ("replay", [".*"]), WINDOW)),
    "velocita": (programs("extras", ["velocita"]) + programs("table", ["finestra"]),
                 tests(("extras", ["velocita"]), ("table", ["finestra"]))),
    "table": (programs(*WINDOW), tests(WINDOW)),
    "pannelli": (programs("extras", ["pannelli"]) + programs(*WINDOW), tests(("extras", ["pannelli"]), WINDOW)),
    "musica": (programs("music", MUSIC_UNITS), tests(("music", MUSIC_UNITS))),
}


class Fault:
    def __init__(self, number, layer, path, what):
        self.number, self.layer, self.path, self.what = number, layer, path, what
        self.old = self.new = None


def read_list(path):
    faults = []
    for line in pathlib.Path(path).read_text().splitlines():
        if line.startswith("== "):
            head, _, what = line[3:].partition("|")
            layer, rel = head.split()
            faults.append(Fault(len(faults) + 1, layer, rel, what.strip()))
        elif line.startswith("- "):
            faults[-1].old = line[2:].replace("\\n", "\n")
        elif line.startswith("+ "):
            faults[-1].new = line[2:].replace("\\n", "\n")
    for f in faults:
        if f.layer not in LAYERS or f.old is None or f.new is None:
            sys.exit(f"fault {f.number}: needs a known layer, a - line and a + line")
    return faults


def sound_server():
    """The environment for the tests, and the private server to stop, if one was started."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    if not shutil.which("pulseaudio"):
        return env, None
    folder = tempfile.mkdtemp()
    env.update(XDG_RUNTIME_DIR=folder, PULSE_RUNTIME_PATH=f"{folder}/pulse", PULSE_STATE_PATH=f"{folder}/state")
    for sub in ("pulse", "state"):
        os.makedirs(f"{folder}/{sub}", mode=0o700)
    subprocess.run(["pulseaudio", "--system=no", "--daemonize=yes", "--exit-idle-time=-1", "--use-pid-file=yes",
                    "-n", "--load=module-null-sink sink_name=trelva_nulla",
                    "--load=module-native-protocol-unix auth-anonymous=1"], env=env, check=True,
                   stderr=subprocess.DEVNULL)
    for _ in range(50):
        if subprocess.run(["pactl", "info"], env=env, capture_output=True).returncode == 0:
            break
        time.sleep(0.1)
    return env, folder


def stop_server(folder):
    pid_file = pathlib.Path(folder, "pulse", "pid")
    if pid_file.exists():
        pid = int(pid_file.read_text())
        for sig in (signal.SIGCONT, signal.SIGTERM):
            try:
                os.kill(pid, sig)
            except ProcessLookupError:
                break
    shutil.rmtree(folder, ignore_errors=True)


def run(command, log, env=None):
    """The command's exit code. It runs in a process group of its own, which
    goes whole (test programs included) when this script is interrupted."""
    child = subprocess.Popen(command, env=env, stdout=log, stderr=log, start_new_session=True)
    try:
        return child.wait()
    except BaseException:
        os.killpg(child.pid, signal.SIGKILL)
        child.wait()
        raise


def run_fault(fault, build, env, log):
    """'caught', 'SURVIVED' or 'no build'. The file is as it was on return."""
    source = ROOT / fault.path
    original = source.read_bytes()
    text = original.decode()
    if text.count(fault.old) != 1:
        return f"no build: the old text occurs {text.count(fault.old)} times"
    try:
        source.write_text(text.replace(fault.old, fault.new))
        targets, tests = LAYERS[fault.layer]
        if run(["cmake", "--build", build, "-j2", "--target", *targets], log):
            return "no build"
        failed = run(["ctest", "--test-dir", build, "-R", tests, "-LE", "fuzz", "-j2", "--stop-on-failure",
                      "--output-on-failure"], log, env)
        return "caught" if failed else "SURVIVED"
    finally:
        source.write_bytes(original)


def interrupted(*_):
    # SIGTERM unwinds as Ctrl-C does, so that the fault in the tree is undone.
    raise KeyboardInterrupt


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default=str(ROOT / "build"))
    parser.add_argument("--list", default=str(ROOT / "tools" / "faults.txt"))
    parser.add_argument("--layer", action="append", help="only the faults of this layer (may be repeated)")
    parser.add_argument("--only", help="only these fault numbers, comma-separated")
    parser.add_argument("--log", default="faults.log", help="the builds' and tests' output")
    parser.add_argument("--check", action="store_true", help="only check that every fault applies to the sources")
    args = parser.parse_args()

    faults = read_list(args.list)
    if args.layer:
        faults = [f for f in faults if f.layer in args.layer]
    if args.only:
        wanted = {int(n) for n in args.only.split(",")}
        faults = [f for f in faults if f.number in wanted]

    if args.check:
        stale = [f for f in faults if (ROOT / f.path).read_text().count(f.old) != 1]
        for f in stale:
            print(f"fault {f.number} ({f.path}) does not apply: its old text must occur exactly once")
        sys.exit(1 if stale else 0)

    signal.signal(signal.SIGTERM, interrupted)
    env, server = sound_server()
    score = {}
    try:
        with open(args.log, "w") as log:
            for fault in faults:
                start = time.monotonic()
                log.write(f"\n==== fault {fault.number}: {fault.layer} {fault.path} | {fault.what}\n")
                log.flush()
                verdict = run_fault(fault, args.build, env, log)
                print(f"{fault.number:3} {fault.layer:9} {verdict:9} {time.monotonic() - start:5.0f} s  "
                      f"{fault.path} | {fault.what}", flush=True)
                caught, built = score.get(fault.layer, (0, 0))
                if not verdict.startswith("no build"):
                    score[fault.layer] = (caught + (verdict == "caught"), built + 1)
    except KeyboardInterrupt:
        print("interrupted: every file is restored", file=sys.stderr)
    finally:
        if server:
            stop_server(server)
    print("\nlayer      caught")
    for layer in LAYERS:
        if layer in score:
            caught, built = score[layer]
            print(f"{layer:9} {caught:3} of {built:3}  {100 * caught / built:5.1f} %")


if __name__ == "__main__":
    main()
