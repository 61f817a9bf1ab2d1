"""Starts or stops the Xvfb display and Wine prefix that CTest's end-to-end tests share.

    e2e_session.py start STATE   (the fixture's setup test)
    e2e_session.py stop STATE    (its cleanup test; CTest runs it whatever the tests did)
    e2e_session.py run STATE COMMAND...
                                 (runs a command on the session's display and Wine prefix,
                                  such as "wine some_tests.exe"; its exit code is ours)

A watchdog ends the session if the CTest run that started it goes away without running the
cleanup (interrupted, killed), so that no Xvfb or Wine server of ours outlives the run.
"""

import json
import os
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, str(Path(__file__).resolve().parent))

import kvharness  # noqa: E402


def _start_watchdog(state_file, run_pid):
    if os.fork() != 0:
        return
    # Detached grandchild: CTest must not wait for it, and it must not hold the test's output.
    os.setsid()
    if os.fork() != 0:
        os._exit(0)
    devnull = os.open(os.devnull, os.O_RDWR)
    for fd in (0, 1, 2):
        os.dup2(devnull, fd)
    try:
        while Path(state_file).exists():
            try:
                os.kill(run_pid, 0)
            except ProcessLookupError:
                kvharness.Session.load(state_file).stop()
                Path(state_file).unlink(missing_ok=True)
                break
            time.sleep(2)
    finally:
        os._exit(0)


def start(state_file):
    if Path(state_file).exists():
        stop(state_file)  # left over from an interrupted run
    session = kvharness.Session.start(tied_to_this_process=False)
    session.save(state_file)
    state = json.loads(Path(state_file).read_text())
    _start_watchdog(state_file, os.getppid())
    print(f"Xvfb :{state['display']}, WINEPREFIX={session.prefix}")


def stop(state_file):
    try:
        session = kvharness.Session.load(state_file)
    except (OSError, ValueError, kvharness.HarnessError) as error:
        print(f"no session to stop: {error}")
    else:
        session.stop()
        print(f"stopped Xvfb :{session.display} and the Wine prefix")
    Path(state_file).unlink(missing_ok=True)


def run(state_file, command, timeout=150):
    session = kvharness.Session.load(state_file)
    if not session.alive():
        print(f"the session of {state_file} is gone")
        return 1
    # Output through a file, as the harness does with its driver calls.
    with tempfile.TemporaryFile() as out:
        process = subprocess.Popen(command, env=session.env, stdin=subprocess.DEVNULL,
                                   stdout=out, stderr=subprocess.STDOUT)
        try:
            code = process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            code = None
        out.seek(0)
        sys.stdout.buffer.write(out.read())
    if code is None:
        print(f"no end after {timeout} s: {' '.join(command)}")
        return 1
    return code


def main():
    if len(sys.argv) >= 4 and sys.argv[1] == "run":
        return run(sys.argv[2], sys.argv[3:])
    if len(sys.argv) != 3 or sys.argv[1] not in ("start", "stop"):
        print(__doc__)
        return 2
    (start if sys.argv[1] == "start" else stop)(sys.argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main())
