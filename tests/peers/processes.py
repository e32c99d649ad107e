"""Ends a test peer started in a process group of its own."""
import os
import signal
import subprocess


def stop(process):
    """Ends the whole group (a server's children go with it): politely, then
    by force when it has not ended within ten seconds."""
    try:
        os.killpg(process.pid, signal.SIGTERM)
        process.wait(timeout=10)
    except (ProcessLookupError, subprocess.TimeoutExpired):
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait()
