#!/usr/bin/env python3
"""Runs tamsel against Python's own SMTP server (smtpd, in the standard
library up to Python 3.11) on a free loopback port and checks the greeting,
the replies and their numbers. Usage: smtp_session.py PATH_TO_TAMSEL"""
import socket
import subprocess
import sys
import time

PYTHON = "/usr/bin/python3"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def wait_for_listener(port, server, limit=10.0):
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        if server.poll() is not None:
            return False
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=0.5) as probe:
                probe.recv(1024)  # the greeting; then the server drops us
                return True
        except OSError:
            time.sleep(0.05)
    return False


def start_server():
    # A port can be taken between free_port() and the server's bind: retry.
    for _ in range(5):
        port = free_port()
        server = subprocess.Popen(
            [PYTHON, "-W", "ignore", "-m", "smtpd", "-n", "-c", "DebuggingServer",
             f"127.0.0.1:{port}"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if wait_for_listener(port, server):
            return server, port
        server.kill()
        server.wait()
    return None, 0


def run(tamsel, port, *arguments, commands=""):
    return subprocess.run([tamsel, "127.0.0.1", str(port), "--timeout", "5000", *arguments],
                          input=commands, capture_output=True, text=True, timeout=60)


SKIP = 77  # CTest's SKIP_RETURN_CODE for this test


def main():
    tamsel = sys.argv[1]
    probe = subprocess.run([PYTHON, "-W", "ignore", "-c", "import smtpd"], capture_output=True)
    if probe.returncode != 0:
        print("this Python has no smtpd module (removed in 3.12): skipped")
        return SKIP
    failures = []

    def check(what, actual, expected):
        if actual != expected:
            failures.append(f"{what}: expected {expected!r}, got {actual!r}")

    server, port = start_server()
    if server is None:
        print("could not start the SMTP server")
        return 1
    try:
        session = run(tamsel, port, "--greeting",
                      commands="EHLO tamsel.test\nRSET\nHELO tamsel.test\n\nNOOP\nQUIT\n")
        # The refused second greeting command (503) is an error reply.
        check("exit status", session.returncode, 3)
        lines = session.stdout.splitlines()
        numbers = [line[:4] for line in lines]
        # Greeting, the three lines of the EHLO reply, then RSET, HELO (a
        # second greeting command is refused), NOOP and QUIT.
        check("reply numbers", numbers,
              ["220 ", "250-", "250-", "250 ", "250 ", "503 ", "250 ", "221 "])
        check("greeting", lines[0].split(" ")[0] if lines else "", "220")
        if lines:
            check("greeting text", "SMTP" in lines[0], True)
        check("quit reply", lines[-1] if lines else "", "221 Bye")

        traced = run(tamsel, port, "--greeting", "--send", "HELO x", "--send", "QUIT",
                     "--level", "8")
        check("traced exit status", traced.returncode, 0)
        replies = traced.stdout.splitlines()
        check("traced reply numbers", [line[:4] for line in replies], ["220 ", "250 ", "221 "])
        statuses = traced.stderr.splitlines()
        check("connect statuses", statuses[:5],
              ["Connecting", "Resolve Host", "Timer On", "Timer Off", "ReadLn"])
        first = statuses.index("Transaction") if "Transaction" in statuses else len(statuses)
        check("transaction statuses", statuses[first:first + 10],
              ["Transaction", "Writeln", "Write", "Sending Buffer", "Timer On", "Timer Off",
               "ReadLn", "Timer On", "Timer Off", replies[1] if len(replies) > 1 else ""])
    finally:
        server.kill()
        server.wait()

    refused = run(tamsel, port, "--send", "NOOP")
    check("refused exit status", refused.returncode, 1)
    check("refused message", refused.stderr, f"tamsel: 127.0.0.1:{port} refused the connection\n")

    usage = subprocess.run([tamsel, "--help"], capture_output=True, text=True, timeout=30)
    check("help exit status", usage.returncode, 0)
    check("help text", "Usage: tamsel" in usage.stdout, True)
    wrong = subprocess.run([tamsel, "127.0.0.1", "nope"], capture_output=True, text=True,
                           timeout=30)
    check("wrong port exit status", wrong.returncode, 2)

    for failure in failures:
        print(failure)
    print("ok" if not failures else f"{len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
