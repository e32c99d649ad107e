#!/usr/bin/env python3
"""Runs tamsel's log-in, IMAP and large values against real servers from
Debian, each started here on a free 127.0.0.1 port with a configuration of
its own in a temporary folder and stopped at the end: dovecot's IMAP and
POP3 servers (plain and STARTTLS), an aiosmtpd SMTP server with an
authenticator over STARTTLS, redis-server with requirepass and a 1 MB
value, memcached with a 1.5 MB value.

Usage: login_servers.py PATH_TO_TAMSEL [SERVER...]   (default: all of them)
A server that cannot start is skipped (exit status 77 when none ran), or
fails the run when TESSERA_REQUIRE_PEERS=1."""
import os
import signal
import socket
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "peers"))
import dovecot  # noqa: E402
from ports import free_port, listens  # noqa: E402
from processes import stop  # noqa: E402
from required import SKIP, peers_required  # noqa: E402

PYTHON = "/usr/bin/python3"
PASSWORD = dovecot.PASSWORD
failures = []


def check(what, actual, expected):
    if actual != expected:
        shown = repr(actual)
        failures.append(f"{what}: expected {expected!r}, got {shown[:300]}")


def check_in(what, part, whole):
    if part not in whole:
        failures.append(f"{what}: {part!r} not in {whole[:600]!r}")


def run(tamsel, port, *arguments, commands="", password=PASSWORD, binary=False):
    environment = dict(os.environ)
    environment.pop("TAMSEL_PASSWORD", None)
    if password is not None:
        environment["TAMSEL_PASSWORD"] = password
    result = subprocess.run([tamsel, "127.0.0.1", str(port), "--timeout", "5000", *arguments],
                            input=commands.encode(), capture_output=True, timeout=60,
                            env=environment)
    if not binary:
        result.stdout = result.stdout.decode("latin-1")
    result.stderr = result.stderr.decode("latin-1")
    return result


def no_password(what, *results):
    for result in results:
        for name, text in (("output", result.stdout), ("errors", result.stderr)):
            if isinstance(text, bytes):
                text = text.decode("latin-1")
            if PASSWORD in text:
                failures.append(f"{what}: the password shows in the {name}")


def certificate(folder):
    cert, key = os.path.join(folder, "cert.pem"), os.path.join(folder, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key,
                    "-out", cert, "-days", "2", "-subj", "/CN=localhost", "-addext",
                    "subjectAltName=IP:127.0.0.1,DNS:localhost"],
                   check=True, capture_output=True)
    os.chmod(key, 0o644)
    return cert, key


def start(command, port, folder, limit=15.0):
    log = open(os.path.join(folder, "server.log"), "ab")
    server = subprocess.Popen(command, cwd=folder, stdout=log, stderr=subprocess.STDOUT,
                              stdin=subprocess.DEVNULL, start_new_session=True)
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline and server.poll() is None:
        if listens(server.pid, port):
            return server
        time.sleep(0.05)
    stop(server)
    return None


def started(make, tries=3):
    """Calls make(port) on fresh ports until it gives a server."""
    for _ in range(tries):
        server = make(free_port())
        if server is not None:
            return server
    return None


def resp(*words):
    out = b"*%d\r\n" % len(words)
    for word in words:
        out += b"$%d\r\n%s\r\n" % (len(word), word)
    return out


def talk(port, data, until):
    with socket.create_connection(("127.0.0.1", port), timeout=10) as connection:
        connection.sendall(data)
        received = b""
        while until not in received:
            chunk = connection.recv(65536)
            if not chunk:
                break
            received += chunk
        return received


# ---------------------------------------------------------------------------

def more_mechanisms():
    """dovecot.write_config with CRAM-MD5 and SCRAM besides PLAIN and LOGIN
    (the passwd-file keeps the password in plain text, which they need)."""
    original = dovecot.write_config

    def write(*arguments, **options):
        path = original(*arguments, **options)
        with open(path) as config:
            text = config.read()
        text = text.replace("auth_mechanisms = plain login",
                            "auth_mechanisms = plain login cram-md5 scram-sha-1 scram-sha-256")
        with open(path, "w") as config:
            config.write(text)
        return path
    return write


def test_imap(tamsel, folder):
    if not dovecot.has_protocol("imap") or dovecot.executable() is None:
        return "dovecot's IMAP server is missing (dovecot-imapd)"
    cert, key = certificate(folder)
    dovecot.write_config = more_mechanisms()
    server = None
    for _ in range(3):
        imap = free_port()
        server = dovecot.Dovecot(folder, imap=imap, cert=cert, key=key)
        if server.problem is None:
            break
    if server.problem is not None:
        return server.problem
    try:
        server.add_message("Subject: first\r\nFrom: a@example\r\n\r\nline one\r\nline two\r\n")
        user = ["--protocol", "imap", "--user", dovecot.USER]

        # LOGIN over plain text needs the explicit option; its warning shows.
        refused = run(tamsel, imap, *user, "--auth", "NATIVE", "--send", "NOOP")
        check("imap plain text refused status", refused.returncode, 4)
        check_in("imap plain text refused message", "without TLS", refused.stderr)
        login = run(tamsel, imap, *user, "--auth", "NATIVE", "--allow-plaintext",
                    "--transcript", "--level", "8", "--send", "SELECT INBOX",
                    "--send", "FETCH 1 BODY[]", "--send", "LOGOUT")
        check("imap LOGIN status", login.returncode, 0)
        check_in("imap LOGIN warning", "warning: --allow-plaintext", login.stderr)
        check_in("imap LOGIN shown without the password",
                 '-> a001 LOGIN "tester" ****\n', login.stdout)
        check_in("imap tags added and shown", "-> a002 SELECT INBOX\n", login.stdout)
        check_in("imap literal by its count",
                 "BODY[] {55}\n<- Subject: first\r\nFrom: a@example\r\n\r\n"
                 "line one\r\nline two\r\n\n<- )\n", login.stdout)
        check_in("imap FETCH completes", "<- a003 OK", login.stdout)

        for mechanism in ("PLAIN", "LOGIN", "CRAM-MD5", "SCRAM-SHA-1", "SCRAM-SHA-256"):
            allow = ["--allow-plaintext"] if mechanism in ("PLAIN", "LOGIN") else []
            result = run(tamsel, imap, *user, "--auth", mechanism, *allow, "--transcript",
                         "--send", "NOOP")
            check(f"imap AUTHENTICATE {mechanism} status", result.returncode, 0)
            check_in(f"imap AUTHENTICATE {mechanism}",
                     f"-> a001 AUTHENTICATE {mechanism}\n", result.stdout)
            no_password(f"imap {mechanism}", result)
        best = run(tamsel, imap, *user, "--transcript", "--send", "NOOP")
        check("imap best mechanism status", best.returncode, 0)
        check_in("imap best mechanism is SCRAM-SHA-256", "AUTHENTICATE SCRAM-SHA-256",
                 best.stdout)

        # APPEND waits for the server's "+" before it sends the message.
        message = "Subject: appended\r\n\r\nhello\r\n"
        append = run(tamsel, imap, *user, "--transcript", "--send",
                     f"APPEND INBOX {{{len(message)}}}\r\n{message}",
                     "--send", "STATUS INBOX (MESSAGES)")
        check("imap APPEND status", append.returncode, 0)
        # Dovecot offers LITERAL+: the message goes at once, no "+" awaited.
        check_in("imap APPEND with LITERAL+", f"APPEND INBOX {{{len(message)}+}}\n",
                 append.stdout)
        check_in("imap APPEND stored", "(MESSAGES 2)", append.stdout)

        wrong = run(tamsel, imap, *user, "--auth", "PLAIN", "--allow-plaintext",
                    "--transcript", "--level", "8", "--send", "NOOP", password="not it")
        check("imap refused log-in status", wrong.returncode, 4)
        check_in("imap refused log-in message",
                 f"tamsel: 127.0.0.1:{imap} refused the log-in: a001 NO", wrong.stderr)
        no_password("imap", login, refused, wrong, best)

        bad = run(tamsel, imap, "--protocol", "imap", "--send", "SELECT nowhere")
        check("imap NO is an error reply", bad.returncode, 3)

        # STARTTLS, then AUTHENTICATE PLAIN: no option needed over TLS.
        secure = run(tamsel, imap, *user, "--starttls", "imap", "--cafile", cert, "--auth",
                     "PLAIN", "--transcript", "--send", "SELECT INBOX")
        check("imap STARTTLS PLAIN status", secure.returncode, 0)
        check_in("imap STARTTLS negotiated", "-> a001 STARTTLS\n", secure.stdout)
        check_in("imap STARTTLS then AUTHENTICATE", "AUTHENTICATE PLAIN\n", secure.stdout)
        check_in("imap STARTTLS TLS summary", "tamsel: TLS: TLSv1.", secure.stderr)
        no_password("imap STARTTLS", secure)
    finally:
        server.stop()
    return None


def test_pop3(tamsel, folder):
    if not dovecot.has_protocol("pop3") or dovecot.executable() is None:
        return "dovecot's POP3 server is missing (dovecot-pop3d)"
    cert, key = certificate(folder)
    server = None
    for _ in range(3):
        pop3 = free_port()
        server = dovecot.Dovecot(folder, pop3=pop3, cert=cert, key=key)
        if server.problem is None:
            break
    if server.problem is not None:
        return server.problem
    try:
        server.add_message("Subject: pop\r\n\r\nbody\r\n")
        result = run(tamsel, pop3, "--protocol", "pop3", "--starttls", "pop3", "--cafile", cert,
                     "--user", dovecot.USER, "--auth", "PLAIN", "--transcript", "--send", "STAT")
        check("pop3 AUTH PLAIN status", result.returncode, 0)
        check_in("pop3 AUTH PLAIN", "-> AUTH PLAIN\n", result.stdout)
        check_in("pop3 STAT after the log-in", "<- +OK 1 ", result.stdout)
        native = run(tamsel, pop3, "--protocol", "pop3", "--user", dovecot.USER, "--auth",
                     "NATIVE", "--allow-plaintext", "--transcript", "--send", "STAT")
        check("pop3 USER/PASS status", native.returncode, 0)
        check_in("pop3 PASS hidden", "-> PASS ****\n", native.stdout)
        wrong = run(tamsel, pop3, "--protocol", "pop3", "--starttls", "pop3", "--cafile", cert,
                    "--user", dovecot.USER, "--send", "STAT", password="not it")
        check("pop3 refused status", wrong.returncode, 4)
        no_password("pop3", result, native, wrong)
    finally:
        server.stop()
    return None


SMTP_SERVER = r'''
import signal, ssl, sys, threading
from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword
port, cert, key = int(sys.argv[1]), sys.argv[2], sys.argv[3]
def authenticator(server, session, envelope, mechanism, data):
    ok = isinstance(data, LoginPassword) and data.login == b"tester" and data.password == b"secret"
    return AuthResult(success=ok, handled=False)
class Handler:
    async def handle_DATA(self, server, session, envelope):
        return "250 OK"
context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
context.load_cert_chain(cert, key)
controller = Controller(Handler(), hostname="127.0.0.1", port=port, authenticator=authenticator,
                        tls_context=context, require_starttls=True, auth_require_tls=True)
controller.start()
done = threading.Event()
signal.signal(signal.SIGTERM, lambda *_: done.set())
done.wait()
controller.stop()
'''


def test_smtp(tamsel, folder):
    try:
        import aiosmtpd  # noqa: F401
    except ImportError:
        return "python3-aiosmtpd is missing"
    cert, key = certificate(folder)
    script = os.path.join(folder, "smtp_server.py")
    with open(script, "w") as out:
        out.write(SMTP_SERVER)
    chosen = {}

    def make(port):
        chosen["port"] = port
        return start([PYTHON, script, str(port), cert, key], port, folder)
    server = started(make)
    if server is None:
        return "the aiosmtpd server did not start"
    port = chosen["port"]
    try:
        for mechanism in ("PLAIN", "LOGIN"):
            result = run(tamsel, port, "--protocol", "smtp", "--starttls", "smtp", "--cafile",
                         cert, "--user", dovecot.USER, "--auth", mechanism, "--transcript",
                         "--send", "MAIL FROM:<a@example>", "--send", "QUIT")
            check(f"smtp AUTH {mechanism} status", result.returncode, 0)
            check_in(f"smtp own EHLO after STARTTLS ({mechanism})",
                     "-> STARTTLS\n<- 220", result.stdout)
            after = result.stdout.split("-> STARTTLS\n", 1)[-1]
            check_in(f"smtp EHLO again ({mechanism})", "-> EHLO tamsel.localdomain\n", after)
            check_in(f"smtp AUTH {mechanism} accepted", "<- 235", result.stdout)
            no_password(f"smtp {mechanism}", result)
        wrong = run(tamsel, port, "--protocol", "smtp", "--starttls", "smtp", "--cafile", cert,
                    "--user", dovecot.USER, "--auth", "PLAIN", "--send", "QUIT",
                    password="not it")
        check("smtp refused status", wrong.returncode, 4)
        check_in("smtp refused message", "refused the log-in: 535", wrong.stderr)
        no_password("smtp", wrong)
    finally:
        stop(server)
    return None


def test_redis(tamsel, folder):
    chosen = {}

    def make(port):
        chosen["port"] = port
        return start(["redis-server", "--port", str(port), "--bind", "127.0.0.1", "--save", "",
                      "--appendonly", "no", "--dir", folder, "--daemonize", "no",
                      "--requirepass", PASSWORD], port, folder)
    server = started(make)
    if server is None:
        return "redis-server did not start"
    port = chosen["port"]
    try:
        value = bytes((i * 7 + i // 1000) % 256 for i in range(1 << 20))
        stored = talk(port, resp(b"AUTH", PASSWORD.encode()) + resp(b"SET", b"big", value),
                      b"+OK\r\n+OK\r\n")
        check("redis SET of 1 MB", stored, b"+OK\r\n+OK\r\n")
        result = run(tamsel, port, "--protocol", "redis", "--user", "default",
                     "--allow-plaintext", "--send", "GET big", "--send", "PING", binary=True)
        check("redis GET status", result.returncode, 0)
        check("redis 1 MB value byte for byte",
              result.stdout == b"+OK\n$1048576\n" + value + b"\n+PONG\n", True)
        refused = run(tamsel, port, "--protocol", "redis", "--user", "default",
                      "--allow-plaintext", "--send", "PING", password="not it")
        check("redis refused status", refused.returncode, 4)
        check_in("redis refused message", "refused the log-in: -WRONGPASS", refused.stderr)
        unasked = run(tamsel, port, "--protocol", "redis", "--send", "GET big")
        check("redis without log-in is an error reply", unasked.returncode, 3)
        no_password("redis", refused, unasked)
    finally:
        stop(server)
    return None


def test_memcached(tamsel, folder):
    chosen = {}
    user = ["-u", "root"] if os.getuid() == 0 else []

    def make(port):
        chosen["port"] = port
        return start(["memcached", "-l", "127.0.0.1", "-p", str(port), "-U", "0", "-I", "2m",
                      *user], port, folder)
    server = started(make)
    if server is None:
        return "memcached did not start"
    port = chosen["port"]
    try:
        value = bytes((i * 13) % 256 for i in range(1536 * 1024))
        stored = talk(port, b"set big 0 0 %d\r\n%s\r\n" % (len(value), value), b"\r\n")
        check("memcached set of 1.5 MB", stored, b"STORED\r\n")
        result = run(tamsel, port, "--protocol", "memcached", "--send", "get big",
                     "--send", "version", binary=True)
        check("memcached get status", result.returncode, 0)
        expected = b"VALUE big 0 %d\n%s\nEND\n" % (len(value), value)
        check("memcached 1.5 MB value byte for byte", result.stdout.startswith(expected), True)
        check("memcached version after the value", result.stdout[len(expected):][:8],
              b"VERSION ")
    finally:
        stop(server)
    return None


TESTS = {"imap": test_imap, "pop3": test_pop3, "smtp": test_smtp, "redis": test_redis,
         "memcached": test_memcached}


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    tamsel = sys.argv[1]
    names = sys.argv[2:] or list(TESTS)
    ran = 0
    skipped = []
    for name in names:
        with tempfile.TemporaryDirectory(prefix=f"tamsel-{name}-") as folder:
            before = len(failures)
            problem = TESTS[name](tamsel, folder)
        if problem is None:
            ran += 1
            print(f"{name}: {'ok' if len(failures) == before else 'FAILED'}")
        else:
            skipped.append(f"{name}: {problem}")
            print(f"{name}: not run: {problem}")
    for failure in failures:
        print("FAIL", failure)
    if failures:
        return 1
    if skipped and peers_required():
        print("peers required (TESSERA_REQUIRE_PEERS=1) but not available")
        return 1
    return 0 if ran else SKIP


if __name__ == "__main__":
    sys.exit(main())
