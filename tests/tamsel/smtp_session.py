#!/usr/bin/env python3
"""Runs tamsel against the SMTP server of python3-aiosmtpd on a free loopback
port and checks the greeting, the replies and their numbers. Usage:
smtp_session.py PATH_TO_TAMSEL"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "peers"))
import ports  # noqa: E402
import required  # noqa: E402

PYTHON = "/usr/bin/python3"


def start_server():
    # Another process may take the port before the server binds it: retry.
    for _ in range(5):
        port = ports.free_port()
        server = subprocess.Popen([PYTHON, "-m", "aiosmtpd", "-n", "-l", f"127.0.0.1:{port}"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        deadline = time.monotonic() + 15
        while time.monotonic() < deadline and server.poll() is None:
            if ports.listens(server.pid, port):
                return server, port, ""
            time.sleep(0.05)
        server.kill()
        _, errors = server.communicate()
    return None, 0, errors.decode("utf-8", "replace")


def run(tamsel, port, *arguments, commands=""):
    return subprocess.run([tamsel, "127.0.0.1", str(port), "--timeout", "5000", *arguments],
                          input=commands, capture_output=True, text=True, timeout=60)


def main():
    tamsel = sys.argv[1]
    failures = []

    def check(what, actual, expected):
        if actual != expected:
            failures.append(f"{what}: expected {expected!r}, got {actual!r}")

    server, port, errors = start_server()
    if server is None:
        return required.unavailable("the aiosmtpd server did not start: " + errors)
    try:
        session = run(tamsel, port, "--greeting", commands=(
            "EHLO tamsel.test\nRSET\nHELO tamsel.test\n\nRCPT TO:<b@tamsel.test>\nNOOP\n"
            "QUIT\n"))
        # The refused RCPT before any MAIL (503) is an error reply.
        check("exit status", session.returncode, 3)
        lines = session.stdout.splitlines()
        numbers = [line[:4] for line in lines]
        # Greeting, the EHLO reply (its lines of extensions, as many as this
        # server's version offers, then the last), then RSET, HELO, the
        # refused RCPT, NOOP and QUIT.
        extensions = numbers[1:-6]
        check("EHLO reply continues", extensions and set(extensions) == {"250-"}, True)
        check("reply numbers", numbers[:1] + numbers[-6:],
              ["220 ", "250 ", "250 ", "250 ", "503 ", "250 ", "221 "])
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
