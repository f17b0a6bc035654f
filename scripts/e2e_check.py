#!/usr/bin/python3
"""End-to-end check of the installed desktop program, through its windows.

Run by scripts/e2e-check.sh inside a D-Bus session.  Starts a virtual
display (Xvfb), the openbox window manager, the accessibility bus and the
installed `tralva` with a project file on its command line, then works as a
user does: a project typed into a data-entry dialog and written, merged with
another on "Utilità", viewed in the viewer (and its drawing saved as SVG), a
base grid created on "Interpolazione" and a result converted on "Utilità".
Controls are found by their accessible names and driven over AT-SPI; tabs
and list items are clicked on the display (XTEST), and the drawing's menu is
opened and used from the keyboard (Tab, the Menu key, Shift+F10, arrows).
Every message box must say the expected text and is closed with its OK
button.  The fixed-size windows (main window, data-entry dialog, viewer,
fascia, geometria) must tell the window manager they are fixed and cannot be
maximised, and the main window that it can be minimised.

Each file the program writes is compared byte for byte with what the
installed `tralva-util` writes for the same inputs (the project with the one
e2e_project_reference writes through the core).  A PNG of each window goes
to the output folder.

    e2e_check.py BIN_FOLDER PROJECT_REFERENCE OUT_FOLDER

Waits on conditions, each bounded; exits 1 with the reason on the first
difference, unexpected message or timeout.
"""
import os
import shutil
import struct
import subprocess
import sys
import time
import zlib

import dbus
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib
from Xlib import X, XK, Xatom, display
from Xlib.ext import xtest

STEP_TIMEOUT = 40.0  # seconds for any one condition, on a busy 2-core machine
POLL = 0.05
CALL_TIMEOUT = 15.0  # seconds for one call over the accessibility bus
SCREEN = (1366, 768)

ACCESSIBLE = "org.a11y.atspi.Accessible"
PROPERTIES = "org.freedesktop.DBus.Properties"
STATE_FOCUSED = 12
STATE_SHOWING = 25
RELATION_LABELLED_BY = 2

MAIN_TITLE = None  # "Tralva " and the installed version, read in main()
DATA_ENTRY_TITLE = "Tralva - Inserimento e modifica dati"
VIEWER_TITLE = "Visualizzazione della configurazione"
BAND_TITLE = "Calcolo della fascia di rispetto secondo la Norma CEI 106-11"
GEOMETRY_TITLE = "Tralva - Calcolo dei parametri geometrici"
INFORMATION = "Tralva - Informazione"
DRAWING_MENU = ["Copia immagine", "Salva immagine…"]

# _MOTIF_WM_HINTS: flags, functions, decorations.
MWM_HINTS_FUNCTIONS, MWM_HINTS_DECORATIONS = 1, 2
MWM_FUNC_ALL, MWM_FUNC_RESIZE, MWM_FUNC_MINIMIZE, MWM_FUNC_MAXIMIZE = 1, 2, 8, 16
MWM_DECOR_ALL, MWM_DECOR_MINIMIZE, MWM_DECOR_MAXIMIZE = 1, 32, 64

# The overhead line typed into ins_3_2_a: 3 conductors, 3 pylons.  The
# coordinates give every pylon an arm angle other than 0, so the angles
# computed by "Calcola gli angoli" show.
OVERHEAD = {
    "current": "870.5",
    "segment": "5",
    "supports": [("0", "0", "100"), ("180.25", "35.5", "103.5"), ("350", "10", "101.25")],
    "conductors": [("R", "0"), ("S", "2.5"), ("T", "0")],
    # [conductor][support]: height, arm length
    "heights": [[("22", "-3.2"), ("23.5", "-3.2"), ("22", "-3.2")],
                [("22", "3.2"), ("23.5", "3.2"), ("22", "3.2")],
                [("28", "0"), ("29.5", "0"), ("28", "0")]],
    # [conductor][span]
    "sags": [["1200", "1150.5"], ["1200", "1150.5"], ["1300", "1250"]],
}

# The cable run merged into it: 3 conductors through 3 vertices with a corner.
CABLE = {
    "current": "400",
    "supports": [("0", "-20", "100"), ("150", "-20", "100"), ("200", "30", "101")],
    "conductors": [("R", "0"), ("S", "0"), ("T", "0")],
    "heights": [[("-1.5", "-0.3")] * 3, [("-1.5", "0")] * 3, [("-1.5", "0.3")] * 3],
}

VIEW = {"projection": "XZ",
        "bounds": [("X min", "-10"), ("X max", "360"), ("Y min", "-40"), ("Y max", "60"),
                   ("Z min", "95"), ("Z max", "135")]}
GRID = {"origin": ("1000.5", "2000"), "steps": ("12", "8"), "step": "2.5", "precision": "dm"}
RESULT = {"steps": (3, 2), "fi": "90", "psi": "0", "precision": "cm"}


class CheckFailed(Exception):
    pass


class TimedOut(CheckFailed):
    pass


STARTED = time.monotonic()


def log(text):
    print(f"[{time.monotonic() - STARTED:6.1f} s] {text}", flush=True)


# ---------------------------------------------------------------- inputs


def reference_texts(line, overhead):
    """The texts of a line in the order e2e_project_reference reads them."""
    texts = [line["current"]] + ([line["segment"]] if overhead else [])
    for support in line["supports"]:
        texts += support
    for conductor in line["conductors"]:
        texts += conductor
    for conductor in line["heights"]:
        for pair in conductor:
            texts += pair
    if overhead:
        for conductor in line["sags"]:
            texts += conductor
    return texts


def write_reference_project(helper, line, overhead, path):
    kind = "aerea" if overhead else "interrata"
    conductors, supports = len(line["conductors"]), len(line["supports"])
    subprocess.run([helper, kind, str(conductors), str(supports), path],
                   input=" ".join(reference_texts(line, overhead)), text=True,
                   check=True, timeout=STEP_TIMEOUT)


def data_entry_texts(line):
    """(accessible name, text) for every field of the line's data-entry form."""
    fields = [("Corrente [A]", line["current"]), ("Segmento [m]", line["segment"])]
    for s, (x, y, level) in enumerate(line["supports"], 1):
        fields += [(f"X [m] traliccio {s}", x), (f"Y [m] traliccio {s}", y),
                   (f"Quota [m] traliccio {s}", level)]
    for j, (_, offset) in enumerate(line["conductors"], 1):
        fields.append((f"Offset [°] conduttore {j}", offset))
    for j, conductor in enumerate(line["heights"], 1):
        for s, (height, arm) in enumerate(conductor, 1):
            fields += [(f"Altezza [m] conduttore {j} traliccio {s}", height),
                       (f"Sbraccio [m] conduttore {j} traliccio {s}", arm)]
    for j, conductor in enumerate(line["sags"], 1):
        for k, sag in enumerate(conductor, 1):
            fields.append((f"a [m] conduttore {j} campata {k}", sag))
    return fields


def write_gis_result(path):
    """A GIS result of the plane calculation on a grid turned by fi 90: a
    header, then X Y Z value per point, the points of a row along Y."""
    steps_x, steps_y = RESULT["steps"]
    lines = ["X\tY\tZ\tB [uT]"]
    for j in range(steps_y + 1):
        for i in range(steps_x + 1):
            lines.append(f"{100 - 5 * j}\t{200 + 10 * i}\t1.5\t{0.137 * (i + 1) * (j + 2):.4f}")
    with open(path, "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


# ---------------------------------------------------------------- waiting


class Session:
    """What every wait looks at: the program must still run, and no message
    box may stand open unless one is expected."""

    def __init__(self):
        self.program = None
        self.app = None
        self.screen = None
        self.out = None

    def check(self, allow_message):
        if self.program is not None and self.program.poll() is not None:
            raise CheckFailed(f"the program ended with status {self.program.returncode}")
        if not allow_message and self.app is not None:
            box = self.app.child_with_role("alert message")
            if box is not None:
                raise CheckFailed(f"unexpected message box {box.name()!r}: {box.message()!r}")

    def wait(self, what, condition, allow_message=False, timeout=STEP_TIMEOUT):
        deadline = time.monotonic() + timeout
        while True:
            try:
                self.check(allow_message)
                value = condition()
            except dbus.exceptions.DBusException:
                value = None  # a window on its way in or out
            if value:
                return value
            if time.monotonic() > deadline:
                raise TimedOut(f"timed out after {timeout:.0f} s waiting for {what}")
            time.sleep(POLL)
            deliver_events()

    def attempt(self, what, act, done, retry_after=5.0):
        """Acts until `done` holds: a click the display lost is made again."""
        deadline = time.monotonic() + STEP_TIMEOUT
        while True:
            act()
            left = deadline - time.monotonic()
            try:
                return self.wait(what, done, timeout=max(POLL, min(retry_after, left)))
            except TimedOut:
                if time.monotonic() >= deadline:
                    raise TimedOut(f"timed out after {STEP_TIMEOUT:.0f} s waiting for {what}")


SESSION = Session()


# ---------------------------------------------------------------- AT-SPI


class Accessible:
    def __init__(self, connection, name, path):
        self.connection = connection
        self.obj = connection.get_object(name, path, introspect=False)

    def _get(self, interface, key):
        return self.obj.Get(interface, key, dbus_interface=PROPERTIES, timeout=CALL_TIMEOUT)

    def _call(self, interface, method, *args):
        return getattr(self.obj, method)(*args, dbus_interface=interface, timeout=CALL_TIMEOUT)

    def name(self):
        return str(self._get(ACCESSIBLE, "Name"))

    def role(self):
        return str(self._call(ACCESSIBLE, "GetRoleName"))

    def children(self):
        return [Accessible(self.connection, n, p)
                for n, p in self._call(ACCESSIBLE, "GetChildren")]

    def parent(self):
        name, path = self._get(ACCESSIBLE, "Parent")
        return Accessible(self.connection, name, path)

    def _state(self, bit):
        low = int(self._call(ACCESSIBLE, "GetState")[0])
        return bool(low & (1 << bit))

    def showing(self):
        return self._state(STATE_SHOWING)

    def focused(self):
        return self._state(STATE_FOCUSED)

    def grab_focus(self):
        self._call("org.a11y.atspi.Component", "GrabFocus")

    def label(self):
        """The name of the label that labels this control, if any."""
        for kind, targets in self._call(ACCESSIBLE, "GetRelationSet"):
            if int(kind) == RELATION_LABELLED_BY and targets:
                return Accessible(self.connection, *targets[0]).name()
        return None

    def find_all(self, name, role=None, skip=("list", "tree", "table")):
        """Depth-first, in the order of the window; lists are not entered."""
        found = []
        stack = [self]
        while stack:
            node = stack.pop()
            node_role = node.role()
            if (name is None or node.name() == name) and (role is None or node_role == role):
                found.append(node)
            if node_role not in skip or node is self:
                stack.extend(reversed(node.children()))
        return found

    def find(self, name, role=None):
        found = self.find_all(name, role)
        if not found:
            raise CheckFailed(f"no control {name!r} ({role or 'any role'}) in {self.name()!r}")
        return found[0]

    def child_with_role(self, role, name=None):
        for child in self.children():
            if child.role() == role and (name is None or child.name() == name):
                return child
        return None

    def text(self):
        return str(self._call("org.a11y.atspi.Text", "GetText", 0, -1))

    def type(self, text):
        self._call("org.a11y.atspi.EditableText", "SetTextContents", text)
        if self.text() != text:
            raise CheckFailed(f"{self.name()!r} did not take the text {text!r}")

    def press(self):
        """A button's click; a drop-down list's opening.  It happens in the
        program's event loop a moment later and may open a modal window, so
        no answer is awaited."""
        self.obj.DoAction(0, dbus_interface="org.a11y.atspi.Action", ignore_reply=True)

    def extents(self):
        x, y, w, h = self._call("org.a11y.atspi.Component", "GetExtents", dbus.UInt32(0))
        return int(x), int(y), int(w), int(h)

    def centre(self):
        x, y, w, h = self.extents()
        return x + w // 2, y + h // 2

    def message(self):
        """The text of a message box."""
        return "\n".join(label.name() for label in self.find_all(None, "label"))


def accessibility_bus():
    session = dbus.SessionBus()
    bus = session.get_object("org.a11y.Bus", "/org/a11y/bus")
    address = SESSION.wait("the accessibility bus", lambda: str(
        bus.GetAddress(dbus_interface="org.a11y.Bus", timeout=CALL_TIMEOUT)))
    return dbus.bus.BusConnection(address)


def deliver_events():
    """Hands the accessibility events that have arrived to their watchers."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


class FocusWatch:
    """The object that last took the keyboard focus, as screen readers learn
    it: from the focus events of the accessibility bus.  A pop-up menu is
    in no window's tree; its entries announce themselves this way."""

    def __init__(self, connection):
        self.connection = connection
        self.focused = None
        registry = connection.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/registry")
        # The event, then (in newer registries) the properties to send with it
        # and the one application to hear from.
        event = ["object:state-changed:focused", dbus.Array([], signature="s"), ""]
        for count in (1, 2, 3):
            try:
                registry.RegisterEvent(*event[:count], dbus_interface="org.a11y.atspi.Registry",
                                       timeout=CALL_TIMEOUT)
                break
            except TypeError:  # the registry wants more arguments
                continue
        connection.add_signal_receiver(self._changed, signal_name="StateChanged",
                                       dbus_interface="org.a11y.atspi.Event.Object",
                                       sender_keyword="sender", path_keyword="path")

    def _changed(self, detail, gained, *_, sender=None, path=None):
        if str(detail) == "focused" and int(gained) == 1:
            self.focused = Accessible(self.connection, sender, path)

    def menu_entry(self):
        """The menu entry that has the focus, with the entries of its menu."""
        if self.focused is None or self.focused.role() != "menu item":
            return None
        menu = self.focused.parent()
        return self.focused.name(), [entry.name() for entry in menu.children()]


# ---------------------------------------------------------------- display


def write_png(path, width, height, rgb):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    stride = width * 3
    raw = b"".join(b"\0" + rgb[r * stride:(r + 1) * stride] for r in range(height))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 6)))
        f.write(chunk(b"IEND", b""))


class Screen:
    def __init__(self, name):
        self.d = display.Display(name)
        self.root = self.d.screen().root
        self.net_wm_name = self.d.intern_atom("_NET_WM_NAME")
        self.utf8 = self.d.intern_atom("UTF8_STRING")

    def window_manager_ready(self):
        check = self.d.intern_atom("_NET_SUPPORTING_WM_CHECK")
        return self.root.get_full_property(check, Xatom.WINDOW) is not None

    def move_away(self):
        """The pointer off every window, so no tooltip shows."""
        xtest.fake_input(self.d, X.MotionNotify, x=SCREEN[0] - 1, y=SCREEN[1] - 1)
        self.d.sync()

    def keys(self, *names, held=None):
        """Presses each key in turn (a keysym name: "Tab", "Menu", "F10"),
        with `held` ("Shift_L") down meanwhile."""
        def code(name):
            return self.d.keysym_to_keycode(XK.string_to_keysym(name))
        if held:
            xtest.fake_input(self.d, X.KeyPress, code(held))
        for name in names:
            xtest.fake_input(self.d, X.KeyPress, code(name))
            self.d.sync()
            time.sleep(0.05)
            xtest.fake_input(self.d, X.KeyRelease, code(name))
            self.d.sync()
            time.sleep(0.05)
        if held:
            xtest.fake_input(self.d, X.KeyRelease, code(held))
        self.d.sync()

    def client_of(self, title):
        """The program's own window `title`, inside the window manager's frame."""
        for frame in self.root.query_tree().children:
            for client in [frame] + frame.query_tree().children:
                if self._title(client) == title:
                    return client
        return None

    def hints(self, title):
        """What the window tells the window manager of its size and buttons,
        and what the window manager allows it: (min size, max size, size,
        MWM functions or None, MWM decorations or None, allowed actions)."""
        client = SESSION.wait(f"the window {title!r} on the display",
                              lambda: self.client_of(title), allow_message=True)
        normal = client.get_wm_normal_hints()
        size = client.get_geometry()
        mwm_atom = self.d.intern_atom("_MOTIF_WM_HINTS")
        mwm = client.get_full_property(mwm_atom, mwm_atom)
        flags, functions, decorations = (list(mwm.value) + [0, 0, 0])[:3] if mwm else (0, 0, 0)
        allowed = SESSION.wait(
            f"the actions the window manager allows {title!r}",
            lambda: client.get_full_property(self.d.intern_atom("_NET_WM_ALLOWED_ACTIONS"),
                                             Xatom.ATOM), allow_message=True)
        actions = {self.d.get_atom_name(a).replace("_NET_WM_ACTION_", "") for a in allowed.value}
        return ((normal.min_width, normal.min_height), (normal.max_width, normal.max_height),
                (size.width, size.height),
                functions if flags & MWM_HINTS_FUNCTIONS else None,
                decorations if flags & MWM_HINTS_DECORATIONS else None, actions)

    def click(self, x, y, button=1):
        xtest.fake_input(self.d, X.MotionNotify, x=x, y=y)
        self.d.sync()
        time.sleep(0.05)
        xtest.fake_input(self.d, X.ButtonPress, button)
        self.d.sync()
        time.sleep(0.05)
        xtest.fake_input(self.d, X.ButtonRelease, button)
        self.d.sync()

    def _title(self, window):
        try:
            value = window.get_full_property(self.net_wm_name, self.utf8)
            if value is not None:
                return value.value.decode("utf-8", "replace")
            return window.get_wm_name()
        except Exception:  # a window that went away while we looked
            return None

    def frame_of(self, title):
        """The geometry of the window manager's frame around the window `title`."""
        for frame in self.root.query_tree().children:
            if frame.get_attributes().map_state != X.IsViewable:
                continue
            for client in [frame] + frame.query_tree().children:
                if self._title(client) == title:
                    g = frame.get_geometry()
                    return g.x, g.y, g.width, g.height
        return None

    def popup(self):
        """The topmost mapped pop-up of the program (a menu), or None."""
        for window in reversed(self.root.query_tree().children):
            attributes = window.get_attributes()
            if (attributes.override_redirect and attributes.map_state == X.IsViewable
                    and (window.get_wm_class() or ("",))[0] == "tralva"):
                g = window.get_geometry()
                return g.x, g.y, g.width, g.height
        return None

    def grab(self, x, y, w, h):
        x0, y0 = max(0, x), max(0, y)
        w, h = min(w, SCREEN[0] - x0), min(h, SCREEN[1] - y0)
        pixels = self.root.get_image(x0, y0, w, h, X.ZPixmap, 0xFFFFFFFF).data
        rgb = bytearray(w * h * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = pixels[2::4], pixels[1::4], pixels[0::4]
        return w, h, bytes(rgb)

    def shoot(self, title, path):
        """A PNG of the window, once two pictures in a row are the same."""
        frame = SESSION.wait(f"the window {title!r} on the display",
                             lambda: self.frame_of(title), allow_message=True)
        previous = None
        deadline = time.monotonic() + 10
        while True:
            picture = self.grab(*frame)
            if picture == previous or time.monotonic() > deadline:
                break
            previous = picture
            time.sleep(0.15)
        write_png(path, *picture)


# ---------------------------------------------------------------- the program


class Program:
    def __init__(self, connection, screen, out):
        self.screen = screen
        self.out = out
        self.shots = 0
        self.focus = FocusWatch(connection)
        registry = Accessible(connection, "org.a11y.atspi.Registry",
                              "/org/a11y/atspi/accessible/root")
        self.app = SESSION.wait("Tralva on the accessibility bus", lambda: next(
            (a for a in registry.children() if a.name() == "Tralva"), None))
        SESSION.app = self.app
        self.main = self.window(MAIN_TITLE)

    def window(self, title):
        return SESSION.wait(f"the window {title!r}", lambda: self.showing_window(title))

    def showing_window(self, title):
        window = self.app.child_with_role("dialog", title)
        return window if window is not None and window.showing() else None

    def closed(self, title):
        SESSION.wait(f"the window {title!r} to close",
                     lambda: self.app.child_with_role("dialog", title) is None)

    def shoot(self, title, name):
        self.shots += 1
        path = os.path.join(self.out, f"{self.shots:02d}-{name}.png")
        self.screen.shoot(title, path)
        log(f"screenshot {os.path.basename(path)}")

    def check_fixed(self, title, minimisable=False):
        """The window says it has one size and no maximise button, and the
        window manager allows neither resizing nor maximising it; only the
        main window asks for a minimise button."""
        least, most, size, functions, decorations, actions = self.screen.hints(title)
        problems = []
        if not least == most == size:
            problems.append(f"sizes: min {least}, max {most}, window {size}")
        if actions & {"RESIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT"}:
            problems.append(f"allowed actions {sorted(actions)}")
        if minimisable and "MINIMIZE" not in actions:
            problems.append(f"no MINIMIZE among the allowed actions {sorted(actions)}")
        if functions is not None and functions & (MWM_FUNC_ALL | MWM_FUNC_MAXIMIZE):
            problems.append(f"Motif functions {functions:#x} allow maximising")
        if decorations is not None and decorations & (MWM_DECOR_ALL | MWM_DECOR_MAXIMIZE):
            problems.append(f"Motif decorations {decorations:#x} ask for a maximise button")
        wants_minimise = decorations is not None and bool(decorations & MWM_DECOR_MINIMIZE)
        if decorations is not None and wants_minimise != minimisable:
            problems.append(f"Motif decorations {decorations:#x}: minimise button "
                            f"{'asked for' if wants_minimise else 'missing'}")
        if problems:
            raise CheckFailed(f"the window {title!r} does not look fixed: " + "; ".join(problems))
        log(f"{title!r}: fixed at {size[0]} x {size[1]}, allowed {' '.join(sorted(actions))}")

    def message(self, expected, name):
        """Waits for the message box, checks its text, photographs it and
        closes it with OK."""
        box = SESSION.wait(f"the message {expected!r}",
                           lambda: self.app.child_with_role("alert message"), allow_message=True)
        text = SESSION.wait("the text of the message box", box.message, allow_message=True)
        if text != expected:
            raise CheckFailed(f"message box {box.name()!r} says {text!r}, expected {expected!r}")
        if box.name() != INFORMATION:
            raise CheckFailed(f"message {expected!r} has the caption {box.name()!r}")
        self.shoot(INFORMATION, name)
        box.find("OK", "push button").press()
        SESSION.wait("the message box to close",
                     lambda: self.app.child_with_role("alert message") is None,
                     allow_message=True)

    def click(self, control):
        self.screen.click(*control.centre())
        self.screen.move_away()

    def select_tab(self, label, control_on_page):
        """Clicks the tab and returns its page (the parent of one of its controls)."""
        tab = self.main.find(label, "page tab")
        control = self.main.find(control_on_page)
        SESSION.attempt(f"the page {label!r}", lambda: self.click(tab), control.showing)
        return control.parent()

    def choose(self, combo, item):
        """Opens the drop-down list and clicks the item."""
        entries = combo.children()[0]

        def open_and_click():
            # The list is open when its pop-up is on the display.
            if self.screen.popup() is None:
                combo.press()
                SESSION.wait(f"the list {combo.label()!r} to open", self.screen.popup)
            entry = next((e for e in entries.children() if e.name() == item), None)
            if entry is None:
                raise CheckFailed(f"no item {item!r} in the list {combo.label()!r}")
            self.click(entry)

        if combo.name() != item:
            SESSION.attempt(f"{item!r} chosen in {combo.label()!r}", open_and_click,
                            lambda: combo.name() == item)

    def combo(self, window, label, index=0):
        combos = [c for c in window.find_all(None, "combo box") if c.label() == label]
        if len(combos) <= index:
            raise CheckFailed(f"no drop-down list {label!r} in {window.name()!r}")
        return combos[index]

    @staticmethod
    def fields(window):
        """The window's edits by accessible name (the first of a name)."""
        edits = {}
        for edit in window.find_all(None, "text"):
            edits.setdefault(edit.name(), edit)
        return edits

    def fill(self, window, texts):
        edits = self.fields(window)
        for name, text in texts:
            if name not in edits:
                raise CheckFailed(f"no field {name!r} in {window.name()!r}")
            edits[name].type(text)


# ---------------------------------------------------------------- comparing


def compare(produced, reference, what):
    for path in (produced, reference):
        if not os.path.isfile(path):
            raise CheckFailed(f"{what}: {path} was not written")
    with open(produced, "rb") as f:
        ours = f.read()
    with open(reference, "rb") as f:
        theirs = f.read()
    if ours == theirs:
        log(f"{what}: identical ({len(ours)} bytes)")
        return
    a, b = ours.split(b"\n"), theirs.split(b"\n")
    line = next((i for i in range(min(len(a), len(b))) if a[i] != b[i]), min(len(a), len(b)))
    first = a[line] if line < len(a) else b"(end of file)"
    second = b[line] if line < len(b) else b"(end of file)"
    raise CheckFailed(f"{what}: {produced} ({len(ours)} bytes) differs from {reference} "
                      f"({len(theirs)} bytes) at line {line + 1}:\n  program: {first!r}\n"
                      f"  batch:   {second!r}")


def tralva_util(run, *arguments):
    result = subprocess.run([os.path.join(run.bin_folder, "tralva-util"), *arguments],
                            capture_output=True, text=True, timeout=STEP_TIMEOUT)
    if result.returncode != 0:
        raise CheckFailed(f"tralva-util {' '.join(arguments)} failed ({result.returncode}): "
                          f"{result.stderr.strip()}")


# ---------------------------------------------------------------- the steps


def data_entry(program, run):
    """Start: 2 spans, 3 conductors, "Aerea"; the line typed into ins_3_2_a,
    its arm angles computed, written with "Scrivi il file"."""
    main = program.main
    for label, item in (("Numero di campate", "2"), ("Numero di conduttori", "3"),
                        ("Tipologia della linea", "Aerea")):
        program.choose(program.combo(main, label), item)
    program.shoot(MAIN_TITLE, "start")
    main.find("Inserisci / Modifica", "push button").press()
    dialog = program.window(DATA_ENTRY_TITLE)
    dialog.find("Parametri linea aerea - 3 conduttori e 2 campate")
    program.check_fixed(DATA_ENTRY_TITLE)

    # The file named on the command line is ready to load; nothing to save yet.
    fields = program.fields(dialog)
    load_path = fields["Seleziona il file di dati (percorso)"].text()
    if load_path != run.cable:
        raise CheckFailed(f"the load path reads {load_path!r}, expected {run.cable!r}")
    if fields["Salva il file di dati (percorso)"].text() != "":
        raise CheckFailed("the save path is not empty at start")

    program.fill(dialog, data_entry_texts(OVERHEAD))
    dialog.find("Calcola gli angoli", "push button").press()
    angles = [fields[f"Angolo [°] traliccio {s}"] for s in (1, 2, 3)]
    SESSION.wait("the arm angles", lambda: all(a.text() not in ("", "0") for a in angles))

    written = os.path.join(run.files, "progetto.tlva")
    fields["Salva il file di dati (percorso)"].type(written)
    dialog.find("Scrivi il file", "push button").press()
    SESSION.wait("the project file", lambda: os.path.isfile(written))
    program.shoot(DATA_ENTRY_TITLE, "ins_3_2_a")
    dialog.find("Esci", "push button").press()
    program.closed(DATA_ENTRY_TITLE)

    expected = os.path.join(run.reference, "progetto.tlva")
    write_reference_project(run.helper, OVERHEAD, True, expected)
    compare(written, expected, "project written by ins_3_2_a")
    return written


def merge(program, run, project):
    """Utilità: the cable run merged into a copy of the project."""
    parent = os.path.join(run.files, "unione.tlva")
    shutil.copyfile(project, parent)
    page = program.select_tab("Utilità", "Unisci")
    program.fill(page, [('Apri il file "Padre" (percorso)', parent),
                        ('Apri il file "Figlio" (percorso)', run.cable)])
    page.find("Unisci", "push button").press()
    program.message("Unione eseguita con successo.", "unione-messaggio")
    program.shoot(MAIN_TITLE, "utilita-unione")

    expected = os.path.join(run.reference, "unione.tlva")
    shutil.copyfile(project, expected)
    tralva_util(run, "unisci", expected, run.cable)
    compare(parent, expected, "merged project")
    return parent


def view(program, run, merged):
    """The viewer: the merged project in XZ, then its drawing saved as SVG."""
    page = program.select_tab("Start", "Inserisci / Modifica")
    page.find("Visualizza", "push button").press()
    viewer = program.window(VIEWER_TITLE)
    path = viewer.find("Apri il file di dati (percorso)", "text")
    if path.text() != run.cable:
        raise CheckFailed(f"the viewer's path reads {path.text()!r}, expected {run.cable!r}")
    program.fill(viewer, [("Apri il file di dati (percorso)", merged)] + VIEW["bounds"])
    program.choose(program.combo(viewer, "Proiezione di visualizzazione"), VIEW["projection"])
    canvas = viewer.find("Disegno della configurazione")
    viewer.find("Visualizza", "push button").press()
    # The axis letters follow the projection drawn: vertical first.
    SESSION.wait("the drawing in XZ",
                 lambda: [c.name() for c in canvas.children()] == ["Z", "X"])
    program.shoot(VIEWER_TITLE, "paletta")

    program.check_fixed(VIEWER_TITLE)

    # The drawing's own menu from the keyboard: Tab from "Esci" reaches the
    # drawing, the Menu key opens the menu there and Escape closes it;
    # Shift+F10 opens it again, and the arrows and Enter choose its second
    # entry, "Salva immagine…".  Each entry tells the accessibility bus when
    # the arrows reach it.
    exit_button = viewer.find("Esci", "push button")
    SESSION.attempt("the drawing to take the focus with Tab",
                    lambda: (exit_button.grab_focus(), program.screen.keys("Tab")),
                    canvas.focused, retry_after=2.0)

    def menu_entry_reached(expected):
        def reached():
            entry = program.focus.menu_entry()
            if entry is not None and entry[1] != DRAWING_MENU:
                raise CheckFailed(f"the drawing's menu holds {entry[1]}, expected {DRAWING_MENU}")
            return entry is not None and entry[0] == expected
        return reached

    for opening, held in (("Menu", None), ("F10", "Shift_L")):
        program.focus.focused = None
        program.screen.keys(opening, held=held)
        SESSION.attempt(f"the drawing's menu opened with {held or ''}{'+' if held else ''}"
                        f"{opening}, its first entry reached with the arrow",
                        lambda: program.screen.keys("Down"), menu_entry_reached(DRAWING_MENU[0]),
                        retry_after=2.0)
        if opening == "Menu":
            program.screen.keys("Escape")
            SESSION.wait("the focus back on the drawing", canvas.focused)
    program.screen.keys("Down")
    SESSION.wait(f"{DRAWING_MENU[1]!r} reached with the arrow",
                 menu_entry_reached(DRAWING_MENU[1]))
    program.shoot(VIEWER_TITLE, "paletta-menu")
    program.screen.keys("Return")
    picker = program.window("Salva come")

    # A bare name with "Disegno SVG" chosen is saved as an SVG drawing.
    kinds = next((c for c in picker.find_all(None, "combo box")
                  if c.name() == "Immagine PNG (*.png)"), None)
    if kinds is None:
        raise CheckFailed("no list of image kinds in the file dialog")
    program.choose(kinds, "Disegno SVG (*.svg)")
    picker.find("Nome del file:", "text").type(os.path.join(run.files, "vista"))
    picker.find("Salva", "push button").press()
    program.closed("Salva come")
    drawing = os.path.join(run.files, "vista.svg")
    SESSION.wait("the saved drawing", lambda: os.path.isfile(drawing))
    viewer.find("Esci", "push button").press()
    program.closed(VIEWER_TITLE)

    expected = os.path.join(run.reference, "vista.svg")
    bounds = dict(VIEW["bounds"])
    tralva_util(run, "disegna", merged, "--proiezione", VIEW["projection"],
                "--x", bounds["X min"], bounds["X max"], "--y", bounds["Y min"], bounds["Y max"],
                "--z", bounds["Z min"], bounds["Z max"], "-o", expected)
    compare(drawing, expected, "viewer's drawing (SVG)")


def engineering_dialogs(program):
    """Start: "Calcola la fascia" and "Lancia le utilità" open fixed windows."""
    page = program.select_tab("Start", "Inserisci / Modifica")
    for button, title in (("Calcola la fascia", BAND_TITLE), ("Lancia le utilità", GEOMETRY_TITLE)):
        page.find(button, "push button").press()
        dialog = program.window(title)
        program.check_fixed(title)
        # The dialog's own "Esci", the last of its buttons.
        dialog.find_all("Esci", "push button")[-1].press()
        program.closed(title)


def base_grid(program, run):
    page = program.select_tab("Interpolazione", "Crea il file di base")
    written = os.path.join(run.files, "griglia.txt")
    program.fill(page, [("Origine X", GRID["origin"][0]), ("Origine Y", GRID["origin"][1]),
                        ("Passi lungo X", GRID["steps"][0]), ("Passi lungo Y", GRID["steps"][1]),
                        ("Passo [m]", GRID["step"]), ("Salva il file di base (percorso)", written)])
    # The first of the two lists is the base file's.
    program.choose(program.combo(page, "Precisione X e Y", 0), GRID["precision"])
    page.find("Crea il file di base", "push button").press()
    program.message("File di base creato con successo.", "griglia-messaggio")
    program.shoot(MAIN_TITLE, "interpolazione")

    expected = os.path.join(run.reference, "griglia.txt")
    tralva_util(run, "griglia", "--origine", *GRID["origin"], "--passi", *GRID["steps"],
                "--passo", GRID["step"], "--precisione", GRID["precision"], expected)
    compare(written, expected, "base grid")


def result_conversion(program, run):
    group = "Converti il risultato in formato compatibile con un foglio di calcolo"
    source = os.path.join(run.files, "risultato-gis.txt")
    written = os.path.join(run.files, "risultato-foglio.txt")
    page = program.select_tab("Utilità", f"Converti ({group})")
    steps_x, steps_y = (str(n) for n in RESULT["steps"])
    program.fill(page, [("Passi lungo X", steps_x), ("Passi lungo Y", steps_y),
                        ("Apri il file per GIS (percorso)", source),
                        (f"Salva la conversione (percorso) ({group})", written)])
    program.choose(program.combo(page, "fi [°]"), RESULT["fi"])
    program.choose(program.combo(page, "psi [°]"), RESULT["psi"])
    # The first of the two lists is the result conversion's.
    program.choose(program.combo(page, "Precisione per X e Y", 0), RESULT["precision"])
    page.find(f"Converti ({group})", "push button").press()
    program.message("Conversione eseguita con successo.", "conversione-messaggio")
    program.shoot(MAIN_TITLE, "utilita-conversione")

    expected = os.path.join(run.reference, "risultato-foglio.txt")
    tralva_util(run, "risultato", "--passi", steps_x, steps_y, "--fi", RESULT["fi"],
                "--psi", RESULT["psi"], "--precisione", RESULT["precision"], source, expected)
    compare(written, expected, "converted result")


# ---------------------------------------------------------------- set-up


def start(command, log_path, env, **options):
    with open(log_path, "ab") as output:
        return subprocess.Popen(command, stdout=output, stderr=subprocess.STDOUT, env=env,
                                **options)


def stop(process):
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(timeout=10)


def start_display(out, env):
    """Xvfb on the first free display number, which it reports itself."""
    read_end, write_end = os.pipe()
    server = start(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                    f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
                   os.path.join(out, "xvfb.log"), env, pass_fds=(write_end,))
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + STEP_TIMEOUT
    os.set_blocking(read_end, False)
    while not number.endswith(b"\n"):
        if server.poll() is not None or time.monotonic() > deadline:
            os.close(read_end)
            raise CheckFailed("Xvfb did not start (see xvfb.log)")
        try:
            number += os.read(read_end, 16)
        except BlockingIOError:
            time.sleep(POLL)
    os.close(read_end)
    return server, f":{number.decode().strip()}"


def program_title(bin_folder):
    """The main window's title: "Tralva " and the version the installed
    tralva-util answers with, so the check follows the project's version."""
    answer = subprocess.run([os.path.join(bin_folder, "tralva-util"), "--version"],
                            capture_output=True, text=True, check=True).stdout
    return "Tralva " + answer.split()[-1]


class Run:
    """Where things are: the installed programs, the reference writer and the
    folders of this run."""

    def __init__(self, bin_folder, helper, out):
        self.bin_folder = bin_folder
        self.helper = helper
        self.out = out
        self.files = os.path.join(out, "files")  # what the program reads and writes
        self.reference = os.path.join(out, "reference")  # what tralva-util writes
        self.home = os.path.join(out, "home")
        self.runtime = os.path.join(out, "runtime")
        for folder in (self.files, self.reference, self.home):
            os.makedirs(folder, exist_ok=True)
        os.makedirs(self.runtime, mode=0o700, exist_ok=True)
        # The file on the command line, later merged into the project.
        self.cable = os.path.join(self.files, "cavo.tlva")

    def environment(self):
        """A home of its own, nothing of the caller's desktop."""
        env = {key: value for key, value in os.environ.items()
               if key not in ("QT_QPA_PLATFORM", "SESSION_MANAGER", "WAYLAND_DISPLAY", "DISPLAY")}
        env.update(HOME=self.home, XDG_RUNTIME_DIR=self.runtime,
                   XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                   XDG_CACHE_HOME=os.path.join(self.home, ".cache"),
                   XDG_DATA_HOME=os.path.join(self.home, ".local", "share"))
        return env


def save_failure_screen():
    if SESSION.screen is None:
        return
    path = os.path.join(SESSION.out, "failure.png")
    try:
        write_png(path, *SESSION.screen.grab(0, 0, *SCREEN))
        print(f"the screen at that moment: {path}", file=sys.stderr)
    except Exception:  # the display itself may be gone
        pass


def main():
    global MAIN_TITLE
    run = Run(*sys.argv[1:4])
    MAIN_TITLE = program_title(run.bin_folder)
    SESSION.out = run.out
    DBusGMainLoop(set_as_default=True)
    write_reference_project(run.helper, CABLE, False, run.cable)
    write_gis_result(os.path.join(run.files, "risultato-gis.txt"))
    env = run.environment()
    processes = []
    try:
        server, name = start_display(run.out, env)
        processes.append(server)
        env["DISPLAY"] = name
        SESSION.screen = Screen(name)
        processes.append(start(["openbox", "--sm-disable"],
                               os.path.join(run.out, "openbox.log"), env))
        SESSION.wait("the window manager", SESSION.screen.window_manager_ready)
        processes.append(start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                               os.path.join(run.out, "at-spi.log"), env))
        connection = accessibility_bus()

        # Started from the files' folder with a relative name, as from a shell.
        program_env = dict(env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        SESSION.program = start([os.path.join(run.bin_folder, "tralva"), "cavo.tlva"],
                                os.path.join(run.out, "tralva.log"), program_env, cwd=run.files)
        processes.append(SESSION.program)
        program = Program(connection, SESSION.screen, run.out)
        log("the program is up")
        program.check_fixed(MAIN_TITLE, minimisable=True)

        project = data_entry(program, run)
        merged = merge(program, run, project)
        view(program, run, merged)
        engineering_dialogs(program)
        base_grid(program, run)
        result_conversion(program, run)

        program.main.find("Esci da Tralva", "push button").press()
        status = SESSION.program.wait(timeout=STEP_TIMEOUT)
        SESSION.program = None
        if status != 0:
            raise CheckFailed(f"\"Esci da Tralva\": the program ended with status {status}")
        log(f"passed; the windows are in {run.out}")
        return 0
    except (CheckFailed, dbus.exceptions.DBusException, subprocess.SubprocessError,
            OSError) as failure:
        print(f"END-TO-END CHECK FAILED: {failure}", file=sys.stderr, flush=True)
        save_failure_screen()
        return 1
    finally:
        for process in reversed(processes):
            stop(process)


if __name__ == "__main__":
    sys.exit(main())
