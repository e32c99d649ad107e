"""Loopback ports for test peers. A port that free_port() returns may be
taken by another process before the peer binds it, so a peer is started on
one, and started again on another when listens() does not find the peer
itself listening there."""
import os
import socket


def free_port():
    """A 127.0.0.1 port that was free a moment ago."""
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def _listening_inodes(port):
    inodes = set()
    for table in ("/proc/net/tcp", "/proc/net/tcp6"):
        try:
            with open(table) as lines:
                next(lines)
                for line in lines:
                    fields = line.split()
                    # local address "HEXADDR:HEXPORT", state 0A is LISTEN
                    if int(fields[1].rsplit(":", 1)[1], 16) == port and fields[3] == "0A":
                        inodes.add(fields[9])
        except OSError:
            pass
    return inodes


def listens(pid, port):
    """True when process `pid` holds a socket listening on TCP port `port`
    (and not some other process)."""
    inodes = _listening_inodes(port)
    if not inodes:
        return False
    folder = f"/proc/{pid}/fd"
    try:
        entries = os.listdir(folder)
    except OSError:
        return False
    for entry in entries:
        try:
            target = os.readlink(os.path.join(folder, entry))
        except OSError:
            continue
        if target.startswith("socket:[") and target[8:-1] in inodes:
            return True
    return False
