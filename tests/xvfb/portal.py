#!/usr/bin/python3
"""A stand-in for the desktop portal's settings, on the session bus the test started.

    portal.py [--read-only] [GROUP KEY TYPE VALUE]...

serves org.freedesktop.portal.Settings at /org/freedesktop/portal/desktop under the name
org.freedesktop.portal.Desktop with the settings given (TYPE is uint32, boolean, double or
string). It answers ReadOne, or with --read-only only the older Read (the value wrapped in one
more variant), as Debian 12's portal does; a setting it does not hold is NotFound. One line per
call goes to standard output: the time, the method and the setting asked for. "ready" is printed
once the name is taken.

A test changes a setting while the program runs through the stand-in's own Set method, which
stores the value and sends SettingChanged as a portal does:

    dbus-send --session --dest=org.freedesktop.portal.Desktop /org/freedesktop/portal/desktop \\
        local.PortalStandIn.Set string:GROUP string:KEY variant:TYPE:VALUE
"""

import sys
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
SETTINGS = "org.freedesktop.portal.Settings"
TYPES = {
    "uint32": dbus.UInt32,
    "boolean": lambda v: dbus.Boolean(v == "true"),
    "double": dbus.Double,
    "string": dbus.String,
}


class NotFound(dbus.DBusException):
    _dbus_error_name = "org.freedesktop.portal.Error.NotFound"


def log(*words):
    print("%.6f" % time.time(), *words, flush=True)


class Portal(dbus.service.Object):
    """Version 1 of the interface: Read alone."""

    def __init__(self, bus, settings):
        super().__init__(bus, PATH)
        self.settings = settings

    def value(self, group, key):
        if (group, key) not in self.settings:
            raise NotFound("Requested setting not found")
        return self.settings[(group, key)]

    @dbus.service.method(SETTINGS, in_signature="ss", out_signature="v")
    def Read(self, group, key):
        log("Read", group, key)
        # The value inside a variant inside the variant the method returns.
        v = self.value(group, key)
        return type(v)(v, variant_level=2)

    @dbus.service.signal(SETTINGS, signature="ssv")
    def SettingChanged(self, group, key, value):
        log("SettingChanged", group, key, value)

    @dbus.service.method("local.PortalStandIn", in_signature="ssv")
    def Set(self, group, key, value):
        self.settings[(group, key)] = value
        self.SettingChanged(group, key, value)


class PortalV2(Portal):
    """Version 2 and later: ReadOne too."""

    @dbus.service.method(SETTINGS, in_signature="ss", out_signature="v")
    def ReadOne(self, group, key):
        log("ReadOne", group, key)
        return self.value(group, key)


def main():
    args = sys.argv[1:]
    read_only = args[:1] == ["--read-only"]
    if read_only:
        args = args[1:]
    settings = {}
    for group, key, kind, value in zip(*[iter(args)] * 4):
        settings[(group, key)] = TYPES[kind](value)
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = (Portal if read_only else PortalV2)(bus, settings)
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)
    log("ready")
    try:
        GLib.MainLoop().run()
    finally:
        del name, portal


if __name__ == "__main__":
    main()
