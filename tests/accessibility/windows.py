#!/usr/bin/python3
"""Both windows as a screen reader meets them.

Starts an X server (Xvfb), a private D-Bus session and the AT-SPI bus with
its registry, then each window program in turn, and reads the window through
AT-SPI (pyatspi), as a screen reader does:

- every control that takes the focus has a usable name: not empty, not the
  title of the group around it, not the value it shows;
- a control that a label names (the label's buddy) bears the label's text as
  its name (text after a colon may be its description instead);
- each window works from the keyboard alone: in quillon an amount typed
  brings a new result, read from the tree; in tamsel a connection to a peer
  of this test (a line server on 127.0.0.1), made with Alt+letter, Tab and
  Return, gives a reply to a command typed, read from the list of replies.

Usage: windows.py QUILLON_WINDOW TAMSEL
Exit status 0 passed, 1 failed, 77 skipped (a tool missing or not starting,
unless TESSERA_REQUIRE_PEERS=1, which makes that a failure).
"""
import os
import random
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

SKIP = 77
REQUIRE = os.environ.get("TESSERA_REQUIRE_PEERS") == "1"
failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message, flush=True)


def cannot_run(reason):
    print(("FAIL: " if REQUIRE else "SKIP: ") + reason, flush=True)
    sys.exit(1 if REQUIRE else SKIP)


def wait_for(what, test, seconds=20.0):
    """Polls test() until it gives a true value; None after `seconds`."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            value = test()
        except Exception:  # the tree changes under a reader: try again
            value = None
        if value:
            return value
        time.sleep(0.1)
    fail("timed out waiting for " + what)
    return None


def free_display():
    """An X display number that no server holds. Xvfb's own choice
    (-displayfd alone) looks only at the lock files in /tmp, but clients
    reach a display first by its abstract socket, which every root on the
    machine's network namespace shares: a chroot or container beside another
    X server :0 would start its own :0 and its clients would knock at the
    other one's door. So the socket is probed too, from a random start so
    that runs side by side rarely pick the same number."""
    start = random.randrange(100, 900)
    for number in range(start, start + 100):
        if os.path.exists("/tmp/.X%d-lock" % number) or \
                os.path.exists("/tmp/.X11-unix/X%d" % number):
            continue
        with socket.socket(socket.AF_UNIX) as probe:
            try:
                probe.bind("\0/tmp/.X11-unix/X%d" % number)
            except OSError:
                continue
        return number
    return start


class Environment:
    """Xvfb, a private D-Bus session and the AT-SPI bus, ended by stop()."""

    def __init__(self, folder):
        self.processes = []
        self.dbus_pid = None
        self.env = dict(os.environ)
        for tool in ("Xvfb", "dbus-daemon", "xwininfo"):
            if shutil.which(tool) is None:
                cannot_run(tool + " is not installed (scripts/install-deps)")
        launcher = "/usr/libexec/at-spi-bus-launcher"
        if not os.access(launcher, os.X_OK):
            cannot_run("at-spi-bus-launcher is not installed (at-spi2-core)")
        display = None
        for _ in range(5):  # another server may take the number first
            display = self.start_x_server(free_display())
            if display is not None:
                break
        if display is None:
            self.stop()
            cannot_run("Xvfb did not start")
        self.env["DISPLAY"] = ":%d" % display
        try:
            out = subprocess.run(
                ["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"],
                env=self.env, capture_output=True, text=True, timeout=20, check=True).stdout.split()
        except (subprocess.SubprocessError, OSError) as error:
            self.stop()
            cannot_run("dbus-daemon did not start: %s" % error)
        self.env["DBUS_SESSION_BUS_ADDRESS"], self.dbus_pid = out[0], int(out[1])
        self.env.pop("AT_SPI_BUS_ADDRESS", None)
        self.env["XDG_RUNTIME_DIR"] = folder
        self.processes.append(subprocess.Popen(
            [launcher, "--launch-immediately"], env=self.env, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True))
        os.environ.update(self.env)

    def start_x_server(self, number):
        """Xvfb on display `number`; the number once it accepts clients, else None.
        -noreset: by default the server resets when its last client leaves (the
        AT-SPI launcher, xwininfo), and a window program that connects during
        that reset is refused."""
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", ":%d" % number, "-displayfd", str(write_end),
             "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        os.close(write_end)
        self.processes.append(xvfb)
        with os.fdopen(read_end, "rb") as pipe:
            ready = pipe.readline().strip()
        return number if ready else None

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, signal.SIGKILL)
        if self.dbus_pid:
            try:
                os.kill(self.dbus_pid, signal.SIGTERM)
            except ProcessLookupError:
                pass


# ---------------------------------------------------------------------------
# Reading the tree

def children(node):
    try:
        return [child for child in node if child is not None]
    except Exception:
        return []


def role(node):
    return node.getRoleName()


def states(node):
    return node.getState()


def walk(node, pyatspi, into_lists=False, ancestors=()):
    """Yields (node, ancestors); the items of lists and tables only on request."""
    yield node, ancestors
    if not into_lists and node.getRole() in (pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE,
                                             pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE,
                                             pyatspi.ROLE_MENU_BAR, pyatspi.ROLE_COMBO_BOX):
        return
    for child in children(node):
        yield from walk(child, pyatspi, into_lists, ancestors + (node,))


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, -1)
    except NotImplementedError:
        return ""


def without_colon(text):
    return text.strip().rstrip(":").strip()


def labels_of(node, pyatspi):
    """The texts of the labels that name `node` (a group box counts not)."""
    texts = []
    for relation in node.getRelationSet():
        if relation.getRelationType() != pyatspi.RELATION_LABELLED_BY:
            continue
        for i in range(relation.getNTargets()):
            target = relation.getTarget(i)
            if target is not None and target.getRole() == pyatspi.ROLE_LABEL:
                texts.append(target.name or "")
    return texts


def focusable_count(group, pyatspi):
    return sum(1 for node, _ in walk(group, pyatspi)
               if node is not group and node.getRole() != pyatspi.ROLE_LABEL
               and states(node).contains(pyatspi.STATE_FOCUSABLE))


def check_names(frame, pyatspi, program):
    """Every focusable control is usably named; labelled ones by their label.

    Qt names a combo box after its value on Linux and ties its label to it by
    the labelled-by relation, which screen readers read as its name: a combo
    box needs that relation.
    """
    controls = 0
    labelled = 0
    for node, ancestors in walk(frame, pyatspi):
        if node.getRole() in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL,
                              pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU, pyatspi.ROLE_FRAME,
                              pyatspi.ROLE_LABEL):
            continue  # items are named by their text; labels are no controls
        if not states(node).contains(pyatspi.STATE_FOCUSABLE):
            continue
        controls += 1
        name = node.name or ""
        where = "%s: %s %r" % (program, role(node), name)
        labels = labels_of(node, pyatspi)
        if node.getRole() == pyatspi.ROLE_COMBO_BOX and labels:
            name = without_colon(labels[0]).replace("&", "")
        # The list of controls as a screen reader announces them, for the record.
        print("  %s %r%s" % (role(node), name,
                             " (%s)" % node.description if node.description else ""), flush=True)
        if not name.strip():
            fail(where + " has no name")
            continue
        # Qt falls back on the title of the group around an unnamed control;
        # a group's only control may well bear its title.
        groups = [a.name for a in ancestors if a.getRole() == pyatspi.ROLE_PANEL and a.name
                  and focusable_count(a, pyatspi) > 1]
        if not labels and name in groups:
            fail(where + " is named only after its group")
        if node.getRole() == pyatspi.ROLE_COMBO_BOX and not labels:
            fail(where + " is named after the value it shows: no label names it")
        for label in labels:
            labelled += 1
            head, _, rest = label.partition(":")
            if name == without_colon(label):
                continue
            if rest and name == head.strip() and node.description == rest.strip():
                continue
            fail("%s is not named after its label %r" % (where, label))
    print("%s: %d focusable controls, %d named by a label" % (program, controls, labelled),
          flush=True)
    return controls


def find(frame, pyatspi, test, into_lists=False):
    for node, _ in walk(frame, pyatspi, into_lists):
        try:
            if test(node):
                return node
        except Exception:
            pass
    return None


def focused(frame, pyatspi):
    return find(frame, pyatspi, lambda n: states(n).contains(pyatspi.STATE_FOCUSED))


# ---------------------------------------------------------------------------
# The keyboard

ALT_KEYCODE = 64  # Alt_L in the X server's default key map
CONTROL_KEYCODE = 37  # Control_L
KEYSYMS = {"Return": 0xFF0D, "Tab": 0xFF09, "BackSpace": 0xFF08, "End": 0xFF57,
           "Escape": 0xFF1B}


def type_text(pyatspi, text):
    for character in text:
        pyatspi.Registry.generateKeyboardEvent(ord(character), None, pyatspi.KEY_SYM)
        time.sleep(0.03)


def press(pyatspi, key):
    pyatspi.Registry.generateKeyboardEvent(KEYSYMS[key], None, pyatspi.KEY_SYM)
    time.sleep(0.05)


def chord(pyatspi, keycode, letter):
    pyatspi.Registry.generateKeyboardEvent(keycode, None, pyatspi.KEY_PRESS)
    pyatspi.Registry.generateKeyboardEvent(ord(letter), None, pyatspi.KEY_SYM)
    pyatspi.Registry.generateKeyboardEvent(keycode, None, pyatspi.KEY_RELEASE)
    time.sleep(0.1)


def alt(pyatspi, letter):
    chord(pyatspi, ALT_KEYCODE, letter)


def ctrl(pyatspi, letter):
    chord(pyatspi, CONTROL_KEYCODE, letter)


# ---------------------------------------------------------------------------
# The windows

def start(env, program, folder):
    program_env = dict(env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="C.UTF-8",
                       LC_ALL="C.UTF-8", XDG_CONFIG_HOME=folder + "/config",
                       XDG_STATE_HOME=folder + "/state")
    program_env.pop("QT_QPA_PLATFORM", None)
    program_env.pop("LANGUAGE", None)
    return subprocess.Popen([program], env=program_env, start_new_session=True)


def frame_of(pyatspi, name, process):
    def found():
        if process.poll() is not None:
            return "ended"
        desktop = pyatspi.Registry.getDesktop(0)
        for application in children(desktop):
            if application.name == name:
                for frame in children(application):
                    if frame.getRole() == pyatspi.ROLE_FRAME:
                        return frame
        return None
    frame = wait_for("the %s window in the accessibility tree" % name, found, 30)
    if frame == "ended":
        fail("%s ended at start-up (status %s)" % (name, process.returncode))
        return None
    if frame is not None and not wait_for("the %s window to take the focus" % name,
                                          lambda: activate(frame.name)):
        return None
    return frame


_ignore_x_errors = None


def activate(title):
    """Gives the window of `title` the X input focus, as a window manager
    would when it opens (the X server here has none)."""
    import ctypes
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True,
                          timeout=20).stdout
    window = None
    for line in tree.splitlines():
        parts = line.split(None, 1)
        if len(parts) != 2 or not parts[1].startswith('"%s":' % title):
            continue
        # Qt has a hidden window of the application's name too: the one
        # that is mapped is the frame.
        state = subprocess.run(["xwininfo", "-id", parts[0]], capture_output=True, text=True,
                               timeout=20).stdout
        if "IsViewable" in state:
            window = int(parts[0], 16)
            break
    if window is None:
        return False  # not mapped yet: the X server would refuse the focus
    xlib = ctypes.CDLL("libX11.so.6")
    # An X error (the window gone in between) must not end this process.
    global _ignore_x_errors
    _ignore_x_errors = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(
        lambda display, event: 0)
    xlib.XSetErrorHandler(_ignore_x_errors)
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    display = xlib.XOpenDisplay(None)
    if not display:
        return False
    xlib.XSetInputFocus(ctypes.c_void_p(display), ctypes.c_ulong(window), 2, 0)
    xlib.XSync(ctypes.c_void_p(display), 0)
    xlib.XCloseDisplay(ctypes.c_void_p(display))
    return True


def number(text):
    return float(text.replace(",", "."))


def quillon(pyatspi, env, program, folder):
    process = start(env, program, folder)
    try:
        frame = frame_of(pyatspi, "quillon", process)
        if frame is None:
            return
        check_names(frame, pyatspi, "quillon")
        # The amount has the focus at start, its text selected.
        amount = wait_for("the amount field to have the focus",
                          lambda: focused(frame, pyatspi))
        if amount is None or not amount.name.startswith("Amount"):
            fail("quillon: the focus is not on the amount field at start (%r)"
                 % (amount.name if amount else None))
            return
        result = find(frame, pyatspi, lambda n: n.getRole() == pyatspi.ROLE_TEXT
                      and n.name.startswith("Result in"))
        if result is None:
            fail("quillon: no field is named after its label \"Result in ...\"")
            return
        type_text(pyatspi, "6")
        first = wait_for("a result for 6", lambda: text_of(result))
        press(pyatspi, "BackSpace")
        type_text(pyatspi, "12")
        second = wait_for("the result for 12",
                          lambda: text_of(result) if text_of(result) != first else None)
        if first and second and abs(number(second) - 2 * number(first)) > 1e-9 * abs(
                number(second)):
            fail("quillon: 12 gives %s after 6 gave %s" % (second, first))
        # The conversion in words reaches the focused field's description.
        if wait_for("the conversion in the amount's description",
                    lambda: "12 " in amount.description and "=" in amount.description) is None:
            fail("quillon: the amount's description says %r" % amount.description)
        # Tab goes on in reading order; Alt+letter reaches a list.
        press(pyatspi, "Tab")
        swap = wait_for("the focus on Swap", lambda: focused(frame, pyatspi))
        if swap is None or not swap.name.startswith("Swap"):
            fail("quillon: Tab after the amount reaches %r, not Swap" % (swap and swap.name))
        alt(pyatspi, "c")
        wait_for("Alt+C to reach the category list",
                 lambda: (focused(frame, pyatspi) or frame).name == "Category")
        print("quillon: typed 6 and 12 and read %s and %s" % (first, second), flush=True)
    finally:
        process.terminate()
        process.wait(timeout=10)


class LineServer:
    """A peer on 127.0.0.1: a greeting, then "250 got LINE" for each line."""

    def __init__(self):
        self.listener = socket.create_server(("127.0.0.1", 0))
        self.port = self.listener.getsockname()[1]
        self.listener.settimeout(60)
        self.thread = threading.Thread(target=self.serve, daemon=True)
        self.thread.start()

    def serve(self):
        try:
            connection, _ = self.listener.accept()
        except OSError:
            return
        with connection:
            connection.settimeout(60)
            connection.sendall(b"220 test peer ready\r\n")
            pending = b""
            while True:
                try:
                    data = connection.recv(4096)
                except OSError:
                    return
                if not data:
                    return
                pending += data
                while b"\n" in pending:
                    line, pending = pending.split(b"\n", 1)
                    connection.sendall(b"250 got " + line.strip() + b"\r\n")

    def close(self):
        self.listener.close()


def tamsel(pyatspi, env, program, folder):
    server = LineServer()
    process = start(env, program, folder)
    try:
        frame = frame_of(pyatspi, "tamsel", process)
        if frame is None:
            return
        check_names(frame, pyatspi, "tamsel")
        padlock = find(frame, pyatspi, lambda n: n.name.startswith("Padlock:"))
        if padlock is None or "Not encrypted" not in padlock.name:
            fail("tamsel: the padlock does not say what it shows (%r)"
                 % (padlock and padlock.name))
        # Host (Alt+H), then the port (Alt+P): Return there connects.
        alt(pyatspi, "h")
        host = wait_for("Alt+H to reach the host field",
                        lambda: (focused(frame, pyatspi) or frame).name == "Host")
        if host is None:
            return
        ctrl(pyatspi, "a")
        type_text(pyatspi, "127.0.0.1")
        alt(pyatspi, "p")
        port = wait_for("Alt+P to reach the port",
                        lambda: (lambda n: n if n is not None and n.name == "Port" else None)(
                            focused(frame, pyatspi)))
        if port is None:
            return
        ctrl(pyatspi, "a")
        type_text(pyatspi, str(server.port))
        if wait_for("the port typed", lambda: text_of(port) == str(server.port)) is None:
            fail("tamsel: the port field shows %r" % text_of(port))
            return
        press(pyatspi, "Return")
        command = wait_for(
            "the command field to take the focus once connected",
            lambda: (lambda n: n if n is not None and n.name == "Command" else None)(
                focused(frame, pyatspi)))
        if command is None:
            return
        type_text(pyatspi, "HELLO")
        press(pyatspi, "Return")
        replies = find(frame, pyatspi, lambda n: n.name == "Commands and replies")
        if replies is None:
            fail("tamsel: no list of replies named \"Commands and replies\"")
            return
        cell = wait_for("the reply in the list",
                        lambda: find(replies, pyatspi, lambda n: n.name == "250 got HELLO",
                                     into_lists=True))
        if cell is not None:
            print("tamsel: sent HELLO and read %r" % cell.name, flush=True)
        if wait_for("the reply in the command field's description",
                    lambda: "250 got HELLO" in command.description) is None:
            fail("tamsel: the command field's description says %r" % command.description)
        status = find(frame, pyatspi, lambda n: n.name.startswith("Connected to 127.0.0.1:"))
        if status is None:
            fail("tamsel: the status line does not say that it is connected")
    finally:
        process.terminate()
        process.wait(timeout=10)
        server.close()


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    quillon_program, tamsel_program = sys.argv[1:]
    # CTest ends a test that runs too long with SIGTERM: the peers end too.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    with tempfile.TemporaryDirectory() as folder:
        environment = Environment(folder)
        try:
            try:
                import pyatspi  # reads the bus address of the environment above
            except ImportError:
                cannot_run("python3-pyatspi is not installed")
            quillon(pyatspi, environment.env, quillon_program, folder)
            tamsel(pyatspi, environment.env, tamsel_program, folder)
        finally:
            environment.stop()
    if failures:
        print("%d failure(s)" % len(failures))
        return 1
    print("both windows passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
