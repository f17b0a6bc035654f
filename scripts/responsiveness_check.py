#!/usr/bin/python3
"""Is Tralva alive while it writes a base grid of 10^7 points?

Run by scripts/responsiveness-check.sh on a virtual display, with Tralva
running and an AT-SPI bus.  Fills "Creazione del file di base" on the
"Interpolazione" page over the accessibility bus, presses "Crea il file di
base", and meanwhile pings the main window every 200 ms with the window
manager's _NET_WM_PING, which only the program's own event loop answers (a
desktop that gets no answer declares the program "not responding").  When
the file is there, it is compared with the one tralva-util griglia writes.

    responsiveness_check.py FOLDER TRALVA_UTIL STEPS_X STEPS_Y

Prints the figures and exits 1 when an answer took 1 s or more, a ping got
no answer, or the file is not the batch command's.
"""
import filecmp
import os
import select
import subprocess
import sys
import time

import dbus
from Xlib import X, display
from Xlib.protocol import event

ACCESSIBLE = "org.a11y.atspi.Accessible"
PING_EVERY = 0.2
ANSWER_WITHIN = 1.0
GIVE_UP = 10.0


def atspi_bus():
    session = dbus.SessionBus()
    address = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(
        dbus_interface="org.a11y.Bus")
    return dbus.bus.BusConnection(address)


class Accessible:
    def __init__(self, connection, name, path):
        self.connection = connection
        self.obj = connection.get_object(name, path, introspect=False)

    def name(self):
        return str(self.obj.Get(ACCESSIBLE, "Name",
                                dbus_interface="org.freedesktop.DBus.Properties"))

    def children(self):
        return [Accessible(self.connection, n, p)
                for n, p in self.obj.GetChildren(dbus_interface=ACCESSIBLE)]

    def find(self, name):
        if self.name() == name:
            return self
        for child in self.children():
            found = child.find(name)
            if found is not None:
                return found
        return None

    def parent(self):
        name, path = self.obj.Get(ACCESSIBLE, "Parent",
                                  dbus_interface="org.freedesktop.DBus.Properties")
        return Accessible(self.connection, name, path)

    def press(self):
        # The button clicks a moment later, from the program's event loop.
        self.obj.DoAction(0, dbus_interface="org.a11y.atspi.Action", ignore_reply=True)

    def type(self, text):
        self.obj.SetTextContents(text, dbus_interface="org.a11y.atspi.EditableText")


def application():
    connection = atspi_bus()
    registry = Accessible(connection, "org.a11y.atspi.Registry",
                          "/org/a11y/atspi/accessible/root")
    for app in registry.children():
        if app.find("Crea il file di base") is not None:
            return app
    sys.exit("Tralva is not on the accessibility bus")


def fill_page_and_start(target, steps_x, steps_y):
    app = application()
    app.find("Interpolazione").press()
    time.sleep(0.5)
    create = app.find("Crea il file di base")
    page = create.parent()  # every control is a direct child of its page
    for name, text in (("Passi lungo X", steps_x), ("Passi lungo Y", steps_y),
                       ("Passo [m]", "1"), ("Salva il file di base (percorso)", target)):
        page.find(name).type(text)
    create.press()


def main_window(d, tralva_util):
    answer = subprocess.run([tralva_util, "--version"], capture_output=True, text=True,
                            check=True).stdout
    title = "Tralva " + answer.split()[-1]
    for window in d.screen().root.query_tree().children:
        if window.get_wm_name() == title:
            return window
    sys.exit(f"no window \"{title}\" on the display")


class Pinger:
    """Sends _NET_WM_PING to the window as a window manager does.

    The answer goes to the root window with the substructure-redirect mask,
    which the X server delivers to the window manager alone: so the pinger
    plays that part on the bare virtual display, and maps and places the
    windows the program asks for (the message box at the end).
    """

    def __init__(self, d, window):
        self.d = d
        self.window = window
        self.root = d.screen().root
        self.root.change_attributes(
            event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
        d.sync()
        self.protocols = d.intern_atom("WM_PROTOCOLS")
        self.ping_atom = d.intern_atom("_NET_WM_PING")
        self.serial = 0

    def ping(self):
        """Seconds until the answer, or None after GIVE_UP seconds."""
        self.serial += 1
        message = event.ClientMessage(
            window=self.window, client_type=self.protocols,
            data=(32, [self.ping_atom, self.serial, self.window.id, 0, 0]))
        sent = time.monotonic()
        self.window.send_event(message, event_mask=0)
        self.d.flush()
        while time.monotonic() - sent < GIVE_UP:
            while self.d.pending_events():
                answer = self.d.next_event()
                if (answer.type == X.ClientMessage and answer.window == self.root
                        and answer.data[1][0] == self.ping_atom
                        and answer.data[1][1] == self.serial):
                    return time.monotonic() - sent
                self.manage(answer)
            select.select([self.d.fileno()], [], [], 0.01)
        return None

    def manage(self, request):
        if request.type == X.MapRequest:
            request.window.map()
        elif request.type == X.ConfigureRequest:
            wanted = {"x": X.CWX, "y": X.CWY, "width": X.CWWidth, "height": X.CWHeight,
                      "border_width": X.CWBorderWidth}
            request.window.configure(**{key: getattr(request, key)
                                        for key, bit in wanted.items()
                                        if request.value_mask & bit})


def main():
    folder, tralva_util, steps_x, steps_y = sys.argv[1:5]
    target = os.path.join(folder, "griglia-pagina.txt")
    d = display.Display()
    pinger = Pinger(d, main_window(d, tralva_util))
    assert pinger.ping() is not None, "no answer before the run"

    fill_page_and_start(target, steps_x, steps_y)
    started = time.monotonic()
    answers = []
    missing = 0
    while not os.path.exists(target) and time.monotonic() - started < 600:
        tick = time.monotonic()
        answer = pinger.ping()
        if answer is None:
            missing += 1
        else:
            answers.append(answer)
        time.sleep(max(0.0, PING_EVERY - (time.monotonic() - tick)))
    run_seconds = time.monotonic() - started

    batch = os.path.join(folder, "griglia-batch.txt")
    subprocess.run([tralva_util, "griglia", "--origine", "0", "0", "--passi", steps_x, steps_y,
                    "--passo", "1", batch], check=True, stdout=subprocess.DEVNULL)
    lines = 0
    with open(target, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            lines += block.count(b"\n")
    points = (int(steps_x) + 1) * (int(steps_y) + 1)
    same = filecmp.cmp(target, batch, shallow=False)

    print(f"grid {steps_x} x {steps_y} steps: {points} points, run {run_seconds:.1f} s")
    print(f"answers to _NET_WM_PING during the run: {len(answers)}, without answer: {missing}")
    if answers:
        print(f"answer time: max {max(answers):.3f} s, mean {sum(answers) / len(answers):.3f} s")
    print(f"file: {os.path.getsize(target)} bytes, {lines} lines "
          f"({'identical to' if same else 'DIFFERENT from'} tralva-util griglia's)")
    failed = (missing > 0 or not answers or max(answers) >= ANSWER_WITHIN or not same
              or lines != points + 1)
    print("FAILED" if failed else "OK")
    return 1 if failed else 0


sys.exit(main())
