#!/usr/bin/env python3
"""Dovecot (POP3 and IMAP) as a test peer: a configuration of its own in a
temporary folder, listening on 127.0.0.1 only, run in the foreground as the
current user (never as a system service), with one user whose password is
kept in plain text in a passwd-file there, and SASL mechanisms PLAIN and
LOGIN. Dovecot 2.3 and 2.4 read different configuration syntaxes; the one
that the installed dovecot reads is written.

From Python:

    import sys; sys.path.insert(0, "<repo>/tests/peers")
    import dovecot
    port, port2 = dovecot.free_port(), dovecot.free_port()
    with dovecot.Dovecot(folder, pop3=port, imap=port2, cert=c, key=k) as server:
        if server.problem: ...        # why it did not start (None when it did);
                                      # another process may have taken a port: retry
        # server.user / server.password: "tester" / "secret"
        server.add_message("Subject: hi\\r\\n\\r\\nbody\\r\\n")

From a shell (the C++ tests use this): write the configuration only, print
its path, and start it with `dovecot -F -c PATH`:

    dovecot.py config FOLDER [--pop3 PORT] [--pop3s PORT] [--imap PORT]
                             [--imaps PORT] [--cert FILE --key FILE]
                             [--tls-only-auth]
"""
import argparse
import grp
import os
import pwd
import re
import shutil
import socket
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import processes  # noqa: E402
from ports import free_port, listens  # noqa: E402,F401  (free_port: for callers)

USER = "tester"
PASSWORD = "secret"


def executable():
    """The dovecot program, or None when it is not installed."""
    found = shutil.which("dovecot") or "/usr/sbin/dovecot"
    return found if os.access(found, os.X_OK) else None


def version():
    """The installed dovecot's (major, minor), such as (2, 3); None without one."""
    program = executable()
    if program is None:
        return None
    text = subprocess.run([program, "--version"], capture_output=True, text=True).stdout
    found = re.match(r"(\d+)\.(\d+)", text)
    return (int(found[1]), int(found[2])) if found else None


def has_protocol(name):
    """Whether the server of protocol `name` ("pop3", "imap") is installed."""
    return os.path.exists(f"/usr/lib/dovecot/{name}")


def _accounts():
    """(login account, mail account): as root, dovecot's login processes run
    as dovenull and the mail user is nobody (dovecot refuses uid 0 for mail);
    otherwise everything runs as the current user."""
    if os.getuid() == 0:
        return pwd.getpwnam("dovenull"), pwd.getpwnam("nobody")
    me = pwd.getpwuid(os.getuid())
    return me, me


def write_config(folder, pop3=None, pop3s=None, imap=None, imaps=None, cert=None, key=None,
                 user=USER, password=PASSWORD, cleartext_auth=True):
    """Writes FOLDER/dovecot.conf and FOLDER/users and returns the
    configuration's path. pop3/pop3s/imap/imaps are 127.0.0.1 ports (None: that
    listener is off); a protocol is served when one of its ports is given.
    With cert and key (PEM files), TLS is offered: STLS/STARTTLS on the plain
    ports and implicit TLS on the pop3s/imaps ports. Plain-text logins are
    allowed without TLS unless cleartext_auth is False (then logins and the
    SASL mechanisms are offered only over TLS, dovecot's own default). The user's mail is the maildir FOLDER/home/USER/Maildir."""
    major_minor = version() or (2, 3)
    login, mail = _accounts()
    group = grp.getgrgid(login.pw_gid).gr_name
    home = os.path.join(folder, "home", user)
    for sub in ("cur", "new", "tmp"):
        os.makedirs(os.path.join(home, "Maildir", sub), exist_ok=True)
    if os.getuid() == 0:
        for top, folders, files in os.walk(os.path.join(folder, "home")):
            for name in [top] + [os.path.join(top, entry) for entry in folders + files]:
                os.chown(name, mail.pw_uid, mail.pw_gid)
    # The login processes, running as another user, go through the folder.
    os.chmod(folder, 0o755)
    users = os.path.join(folder, "users")
    with open(users, "w") as out:
        out.write(f"{user}:{{PLAIN}}{password}:{mail.pw_uid}:{mail.pw_gid}::{home}::\n")
    os.chmod(users, 0o644)

    protocols = [name for name, ports in (("pop3", (pop3, pop3s)), ("imap", (imap, imaps)))
                 if any(port is not None for port in ports)]
    if not protocols:
        raise ValueError("no port given")
    new = major_minor >= (2, 4)
    lines = []
    if new:
        # 2.4 wants these first; they name the syntax and the storage format.
        lines += ["dovecot_config_version = 2.4.0", "dovecot_storage_version = 2.4.0"]
    anchor = pop3 or pop3s or imap or imaps
    lines += [
        f"base_dir = {folder}/run",
        f"state_dir = {folder}/state",
        f"log_path = {folder}/dovecot.log",
        f"instance_name = tessera-test-{anchor}",
        f"protocols = {' '.join(protocols)}",
        "listen = 127.0.0.1",
        f"default_internal_user = {login.pw_name}",
        f"default_internal_group = {group}",
        f"default_login_user = {login.pw_name}",
        "first_valid_uid = 1",
        "first_valid_gid = 1",
        "auth_mechanisms = plain login",
    ]
    tls = cert is not None and key is not None
    if new:
        lines += [f"auth_allow_cleartext = {'yes' if cleartext_auth else 'no'}",
                  "mail_driver = maildir",
                  "mail_path = ~/Maildir",
                  f"passdb passwd-file {{\n  passwd_file_path = {users}\n}}",
                  f"userdb passwd-file {{\n  passwd_file_path = {users}\n}}"]
        if tls:
            lines += ["ssl = yes", f"ssl_server_cert_file = {cert}",
                      f"ssl_server_key_file = {key}"]
    else:
        lines += [f"disable_plaintext_auth = {'no' if cleartext_auth else 'yes'}",
                  "mail_location = maildir:~/Maildir",
                  f"passdb {{\n  driver = passwd-file\n  args = {users}\n}}",
                  f"userdb {{\n  driver = passwd-file\n  args = {users}\n}}"]
        if tls:
            lines += ["ssl = yes", f"ssl_cert = <{cert}", f"ssl_key = <{key}"]
    if tls:
        lines.append("ssl_min_protocol = TLSv1.2")
    else:
        lines.append("ssl = no")

    def service(name, plain_name, plain, secure_name, secure):
        return (f"service {name}-login {{\n"
                f"  inet_listener {plain_name} {{\n    port = {plain or 0}\n  }}\n"
                f"  inet_listener {secure_name} {{\n    port = {secure or 0}\n"
                f"    ssl = yes\n  }}\n}}")

    if "pop3" in protocols:
        lines.append(service("pop3", "pop3", pop3, "pop3s", pop3s if tls else None))
    if "imap" in protocols:
        lines.append(service("imap", "imap", imap, "imaps", imaps if tls else None))
    # No chroot: it needs root, and the folder is a temporary one.
    lines += ["service anvil {\n  chroot =\n}", "service stats {\n  chroot =\n}"]
    path = os.path.join(folder, "dovecot.conf")
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")
    os.chmod(path, 0o644)
    return path


def _greets(port):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=0.5) as probe:
            probe.settimeout(2)
            return probe.recv(64).startswith((b"+OK", b"* OK"))
    except OSError:
        return False


class Dovecot:
    """Starts dovecot with write_config()'s configuration and waits (at most
    `limit` seconds) until every given port greets; stops the whole process
    group at exit. `problem` says why it did not start (None when it did).
    Use as a context manager, or call stop()."""

    def __init__(self, folder, pop3=None, pop3s=None, imap=None, imaps=None, cert=None,
                 key=None, user=USER, password=PASSWORD, cleartext_auth=True, limit=20.0):
        self.folder, self.user, self.password = folder, user, password
        self.process = None
        self.problem = None
        program = executable()
        wanted = {"pop3": (pop3, pop3s), "imap": (imap, imaps)}
        missing = [name for name, ports in wanted.items()
                   if any(port is not None for port in ports) and not has_protocol(name)]
        if program is None or missing:
            self.problem = "dovecot is not installed" if program is None else \
                f"dovecot has no {' or '.join(missing)} server (dovecot-{missing[0]}d)"
            return
        config = write_config(folder, pop3, pop3s, imap, imaps, cert, key, user, password,
                              cleartext_auth)
        output = open(os.path.join(folder, "dovecot.out"), "wb")
        self.process = subprocess.Popen([program, "-F", "-c", config], cwd=folder,
                                        stdin=subprocess.DEVNULL, stdout=output,
                                        stderr=subprocess.STDOUT, start_new_session=True)
        output.close()
        ports = [port for port in (pop3, pop3s, imap, imaps) if port is not None]
        plain = [port for port in (pop3, imap) if port is not None]
        deadline = time.monotonic() + limit
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                break
            # The master holds every listening socket; the plain ones greet.
            if all(listens(self.process.pid, port) for port in ports) and all(
                    _greets(port) for port in plain):
                return
            time.sleep(0.05)
        self.problem = "dovecot did not start: " + self.log()[-2000:]
        self.stop()

    def log(self):
        """What dovecot wrote (its log file and its output)."""
        text = ""
        for name in ("dovecot.out", "dovecot.log"):
            try:
                with open(os.path.join(self.folder, name), "rb") as log:
                    text += log.read().decode("utf-8", "replace")
            except OSError:
                pass
        return text

    def add_message(self, text, name=None):
        """Puts one message (bytes or text, lines ending in CRLF) into the
        user's inbox as a new message."""
        new = os.path.join(self.folder, "home", self.user, "Maildir", "new")
        name = name or f"{time.time_ns()}.tessera"
        path = os.path.join(new, name)
        with open(path, "wb") as out:
            out.write(text.encode() if isinstance(text, str) else text)
        if os.getuid() == 0:
            mail = _accounts()[1]
            os.chown(path, mail.pw_uid, mail.pw_gid)
        return path

    def stop(self):
        # The whole group: dovecot's children go with their master.
        if self.process is None:
            return
        processes.stop(self.process)
        self.process = None

    def __enter__(self):
        return self

    def __exit__(self, *details):
        self.stop()


def main(arguments):
    parser = argparse.ArgumentParser(description="Writes a dovecot configuration for tests.")
    parser.add_argument("command", choices=["config"])
    parser.add_argument("folder")
    for name in ("pop3", "pop3s", "imap", "imaps"):
        parser.add_argument(f"--{name}", type=int)
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--tls-only-auth", action="store_true",
                        help="offer logins only over TLS")
    options = parser.parse_args(arguments)
    print(write_config(os.path.abspath(options.folder), options.pop3, options.pop3s,
                       options.imap, options.imaps, options.cert, options.key,
                       cleartext_auth=not options.tls_only_auth))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
