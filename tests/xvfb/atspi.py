#!/usr/bin/python3
"""Reads the running Glimmerdeck window the way a screen reader does, over AT-SPI.

Run it on the session bus the program was started on (DBUS_SESSION_BUS_ADDRESS), with the
accessibility bus up and the program started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.

  atspi.py dump
      the whole tree, one object a line: role, name, and [hidden] / [disabled]
  atspi.py find [--prefix | --regex] [--showing] [--role ROLE] TEXT
      the names of the matching objects, one a line (line breaks written as \\n);
      exit status 1 when nothing matches
  atspi.py state NAME
      "showing" or "hidden", then "enabled" or "disabled", of the first object named NAME
  atspi.py panel HEADING
      the panel that holds the label HEADING: "showing" or "hidden", then one line per text box
      in it, "listing <length> <first line>", the length counted with CR LF line breaks as the
      program stores its listings
  atspi.py watch --regex RE --since EPOCH --until NAME [--timeout S]
      follows the name of the first object whose name matches RE and prints
      "<seconds since EPOCH> <name>" each time it changes, until it reads NAME (exit 0) or the
      timeout passes (exit 1)

Exit status 3: the program is not (yet) on the accessibility bus.
"""

import argparse
import re
import sys
import time

import pyatspi

APP_NAME = "Glimmerdeck"


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == APP_NAME:
            return app
    return None


def walk(obj, depth=0):
    yield obj, depth
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def showing(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def enabled(obj):
    return obj.getState().contains(pyatspi.STATE_SENSITIVE)


def flat(text):
    return text.replace("\n", "\\n")


def text_of(obj):
    text = obj.queryText()
    return text.getText(0, -1)


def first_named(app, name):
    for obj, _ in walk(app):
        if obj.name == name:
            return obj
    return None


def cmd_dump(app, _args):
    for obj, depth in walk(app):
        marks = ("" if showing(obj) else " [hidden]") + ("" if enabled(obj) else " [disabled]")
        print("%s%s %r%s" % ("  " * depth, obj.getRoleName(), obj.name, marks))
    return 0


def matcher(args):
    if args.regex:
        pattern = re.compile(args.text)
        return lambda name: pattern.search(name) is not None
    if args.prefix:
        return lambda name: name.startswith(args.text)
    return lambda name: name == args.text


def cmd_find(app, args):
    matches = matcher(args)
    found = 0
    for obj, _ in walk(app):
        name = obj.name or ""
        if not matches(name):
            continue
        if args.showing and not showing(obj):
            continue
        if args.role and obj.getRoleName() != args.role:
            continue
        print(flat(name))
        found += 1
    return 0 if found else 1


def cmd_state(app, args):
    obj = first_named(app, args.name)
    if obj is None:
        print("no object named %r" % args.name, file=sys.stderr)
        return 1
    print(("showing" if showing(obj) else "hidden") + " " + ("enabled" if enabled(obj) else "disabled"))
    return 0


def cmd_panel(app, args):
    heading = None
    for obj, _ in walk(app):
        if obj.name == args.heading and obj.getRoleName() == "label":
            heading = obj
            break
    if heading is None:
        print("no label named %r" % args.heading, file=sys.stderr)
        return 1
    # The heading sits in the panel's client area; the listings are its siblings there.
    area = heading.parent
    print("showing" if showing(heading) else "hidden")
    for i in range(area.childCount):
        child = area.getChildAtIndex(i)
        if child is None or child.getRoleName() != "text":
            continue
        text = text_of(child)
        length = len(text) + text.count("\n")
        print("listing %d %s" % (length, text.split("\n", 1)[0]))
    return 0


def cmd_watch(app, args):
    pattern = re.compile(args.regex)
    deadline = time.time() + args.timeout
    target = None
    last = None
    while time.time() < deadline:
        if target is None:
            for obj, _ in walk(app):
                if pattern.search(obj.name or ""):
                    target = obj
                    break
        if target is not None:
            name = target.name
            if name != last:
                print("%.3f %s" % (time.time() - args.since, flat(name)), flush=True)
                last = name
            if name == args.until:
                return 0
        time.sleep(0.05)
    return 1


def main():
    parser = argparse.ArgumentParser(description="Reads Glimmerdeck's accessibility tree.")
    sub = parser.add_subparsers(dest="command", required=True)
    sub.add_parser("dump")
    find = sub.add_parser("find")
    how = find.add_mutually_exclusive_group()
    how.add_argument("--prefix", action="store_true")
    how.add_argument("--regex", action="store_true")
    find.add_argument("--showing", action="store_true")
    find.add_argument("--role")
    find.add_argument("text")
    state = sub.add_parser("state")
    state.add_argument("name")
    panel = sub.add_parser("panel")
    panel.add_argument("heading")
    watch = sub.add_parser("watch")
    watch.add_argument("--regex", required=True)
    watch.add_argument("--since", type=float, required=True)
    watch.add_argument("--until", required=True)
    watch.add_argument("--timeout", type=float, default=20)
    args = parser.parse_args()

    app = application()
    if args.command == "watch":
        # The watch may start with the program: give it time to come onto the bus.
        deadline = time.time() + args.timeout
        while app is None and time.time() < deadline:
            time.sleep(0.05)
            app = application()
    if app is None:
        print("%s is not on the accessibility bus" % APP_NAME, file=sys.stderr)
        return 3
    commands = {"dump": cmd_dump, "find": cmd_find, "state": cmd_state, "panel": cmd_panel,
                "watch": cmd_watch}
    return commands[args.command](app, args)


if __name__ == "__main__":
    sys.exit(main())
