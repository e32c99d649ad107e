#!/usr/bin/env python3
"""Runs tamsel against real servers from Debian, each started here on a free
127.0.0.1 port with a configuration of its own in a temporary folder and
stopped at the end (never a system service): redis-server, memcached, the
SMTP server of python3-aiosmtpd and dovecot's POP3 server.

Usage: real_servers.py PATH_TO_TAMSEL [SERVER...]   (default: all of them)
A server that cannot start is reported and skipped (exit status 77 when none
could be run), or a failure when TESSERA_REQUIRE_PEERS=1 is set."""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "peers"))
import dovecot  # noqa: E402
import ports  # noqa: E402
import required  # noqa: E402
from processes import stop  # noqa: E402

PYTHON = "/usr/bin/python3"
failures = []


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: expected {expected!r}, got {actual!r}")


def start(make_command, folder, limit=15.0, **options):
    """Starts make_command(port) on a free port, in its own process group,
    and waits until it listens there; another port when some other process
    took that one first. (server, port), or (None, 0) when it does not
    listen in time."""
    for _ in range(5):
        port = ports.free_port()
        log = open(os.path.join(folder, "server.log"), "wb")
        server = subprocess.Popen(make_command(port), cwd=folder, stdout=log,
                                  stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                                  start_new_session=True, **options)
        log.close()
        deadline = time.monotonic() + limit
        while time.monotonic() < deadline and server.poll() is None:
            if ports.listens(server.pid, port):
                return server, port
            time.sleep(0.05)
        stop(server)
    return None, 0


def run(tamsel, port, *arguments, commands=""):
    return subprocess.run([tamsel, "127.0.0.1", str(port), "--timeout", "5000", *arguments],
                          input=commands, capture_output=True, text=True, timeout=60)


def test_redis(tamsel, folder):
    server, port = start(lambda port: [
        "redis-server", "--port", str(port), "--bind", "127.0.0.1", "--save", "",
        "--appendonly", "no", "--dir", folder, "--daemonize", "no"], folder)
    if server is None:
        return "redis-server did not start"
    try:
        session = run(tamsel, port, "--protocol", "redis", commands=(
            "SET greeting hello\nGET greeting\nGET missing\nRPUSH list a b\n"
            "MULTI\nLRANGE list 0 -1\nINCR counter\nEXEC\nPING\n"))
        check("redis exit status", session.returncode, 0)
        check("redis replies", session.stdout.splitlines(), [
            "+OK", "$5", "hello", "$-1", ":2",
            "+OK", "+QUEUED", "+QUEUED", "*2", "*2", "$1", "a", "$1", "b", ":1", "+PONG"])
        wrong = run(tamsel, port, "--protocol", "redis", commands="NOSUCHCOMMAND\nPING\n")
        check("redis error exit status", wrong.returncode, 3)
        check("redis error then PING", wrong.stdout.splitlines()[-1:], ["+PONG"])
    finally:
        stop(server)
    return None


def test_memcached(tamsel, folder):
    user = ["-u", "root"] if os.getuid() == 0 else []
    server, port = start(lambda port: [
        "memcached", "-l", "127.0.0.1", "-p", str(port), "-U", "0", *user], folder)
    if server is None:
        return "memcached did not start"
    try:
        session = run(tamsel, port, "--protocol", "memcached", commands=(
            "set word 0 0 11\nhello world\nget word\nset n 0 0 5\n32767\nincr n 1\n"
            "stats\nversion\n"))
        check("memcached exit status", session.returncode, 0)
        lines = session.stdout.splitlines()
        check("memcached first replies", lines[:6],
              ["STORED", "VALUE word 0 11", "hello world", "END", "STORED", "32768"])
        check("memcached stats end", "END" in lines[6:], True)
        check("memcached version after stats", lines[-1].startswith("VERSION "), True)
        wrong = run(tamsel, port, "--protocol", "memcached", "--expect", "STORED,END",
                    commands="bogus\nget word\n")
        check("memcached unexpected exit status", wrong.returncode, 3)
        check("memcached stops at ERROR", wrong.stdout, "ERROR\n")
    finally:
        stop(server)
    return None


def test_smtp(tamsel, folder):
    # Unbuffered (-u): the message the server prints must be in its log even
    # though it is ended by a signal, which leaves no time to flush a buffer.
    server, port = start(lambda port: [
        PYTHON, "-u", "-m", "aiosmtpd", "-n", "-l", f"127.0.0.1:{port}"], folder)
    if server is None:
        return "the aiosmtpd server did not start"
    try:
        session = run(tamsel, port, "--protocol", "smtp", "--transcript", "--expect", "2xx,3xx",
                      commands=("EHLO tamsel.test\nMAIL FROM:<a@tamsel.test>\n"
                                "RCPT TO:<b@tamsel.test>\nDATA\nSubject: test\n\n"
                                "first line\n.hidden\n.\nQUIT\n"))
        check("smtp exit status", session.returncode, 0)
        received = [line for line in session.stdout.splitlines() if line.startswith("<- ")]
        check("smtp reply numbers", [line[3:7] for line in received],
              ["220 "] + ["250-"] * (len(received) - 7) + ["250 ", "250 ", "250 ", "354 ",
                                                             "250 ", "221 "])
        bad = run(tamsel, port, "--protocol", "smtp", commands="RCPT TO:<x@y>\nQUIT\n")
        check("smtp error exit status", bad.returncode, 3)
    finally:
        stop(server)
    with open(os.path.join(folder, "server.log"), "rb") as log:
        printed = log.read().decode("latin-1")
    # The server prints the message it got (with a header of its own added).
    printed = printed.replace("\r\n", "\n")
    check("smtp message subject", "Subject: test\n" in printed, True)
    check("smtp message body after a blank line, dot unstuffed",
          "\n\nfirst line\n.hidden\n" in printed, True)
    return None


def test_pop3(tamsel, folder):
    # Another process may take the free port before dovecot binds it: retry.
    for _ in range(5):
        port = ports.free_port()
        server = dovecot.Dovecot(folder, pop3=port)
        if server.problem is None or not dovecot.has_protocol("pop3"):
            break
    if server.problem is not None:
        return server.problem
    with server:
        server.add_message("Subject: hello\r\n\r\nbody\r\n.dotted\r\n")
        session = run(tamsel, port, "--protocol", "pop3", commands=(
            f"CAPA\nUSER {server.user}\nPASS {server.password}\nLIST\nRETR 1\nUIDL 1\nQUIT\n"))
        check("pop3 exit status", session.returncode, 0)
        lines = session.stdout.splitlines()
        check("pop3 greeting", lines[:1] and lines[0].startswith("+OK"), True)
        retr = lines.index("Subject: hello") if "Subject: hello" in lines else -1
        check("pop3 message unstuffed", lines[retr:retr + 5] if retr >= 0 else [],
              ["Subject: hello", "", "body", ".dotted", "."])
        check("pop3 UIDL 1 one line then QUIT", [line[:3] for line in lines[-2:]],
              ["+OK", "+OK"])
        wrong = run(tamsel, port, "--protocol", "pop3", commands="RETR 1\nQUIT\n")
        check("pop3 error exit status", wrong.returncode, 3)
    return None


TESTS = {"redis": test_redis, "memcached": test_memcached, "smtp": test_smtp,
         "pop3": test_pop3}


def main():
    tamsel = sys.argv[1]
    names = sys.argv[2:] or list(TESTS)
    ran = 0
    for name in names:
        with tempfile.TemporaryDirectory(prefix=f"tamsel-{name}-") as folder:
            before = len(failures)
            problem = TESTS[name](tamsel, folder)
            if problem is not None:
                if required.peers_required():
                    failures.append(f"{name}: a required peer is not available: {problem}")
                    continue
                print(f"{name}: skipped: {problem}")
                continue
            ran += 1
            print(f"{name}: {'ok' if len(failures) == before else 'failed'}")
    for failure in failures:
        print(failure)
    if ran == 0 and not failures:
        return required.SKIP
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
