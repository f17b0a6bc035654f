#!/usr/bin/python3
"""Walks Tralva's accessibility tree over AT-SPI and drives one form.

Run by scripts/accessibility-check.sh, inside a session with an AT-SPI bus.
Prints every named control with its role, types a value into "Origine X"
on the "Calcolo piano" page through the editable-text interface and reads
it back.
"""
import sys
import time

import dbus

ACCESSIBLE = "org.a11y.atspi.Accessible"


def bus():
    session = dbus.SessionBus()
    address = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(
        dbus_interface="org.a11y.Bus")
    return dbus.bus.BusConnection(address)


def node(connection, name, path):
    return connection.get_object(name, path, introspect=False)


def prop(obj, interface, key):
    return obj.Get(interface, key, dbus_interface="org.freedesktop.DBus.Properties")


def walk(connection, name, path, depth, found):
    obj = node(connection, name, path)
    label = str(prop(obj, ACCESSIBLE, "Name"))
    role = str(obj.GetRoleName(dbus_interface=ACCESSIBLE))
    if label and role in ("text", "combo box", "check box", "push button", "page tab"):
        print(f"{'  ' * depth}{role}: {label}")
        found.setdefault(label, (name, path, role))
    for child_name, child_path in obj.GetChildren(dbus_interface=ACCESSIBLE):
        walk(connection, child_name, child_path, depth + 1, found)


def main():
    connection = bus()
    registry = node(connection, "org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")
    apps = registry.GetChildren(dbus_interface=ACCESSIBLE)
    if not apps:
        sys.exit("no application on the accessibility bus")
    found = {}
    for app_name, app_path in apps:
        walk(connection, app_name, app_path, 0, found)

    tab = node(connection, *found["Calcolo piano"][:2])
    tab.DoAction(0, dbus_interface="org.a11y.atspi.Action")
    time.sleep(0.3)
    edit = node(connection, *found["Origine X"][:2])
    edit.SetTextContents("12.5", dbus_interface="org.a11y.atspi.EditableText")
    text = edit.GetText(0, -1, dbus_interface="org.a11y.atspi.Text")
    print(f"'Origine X' now reads {text!r}")
    if text != "12.5":
        sys.exit("the edit did not take the text")


main()
