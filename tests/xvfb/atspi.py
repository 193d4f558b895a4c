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
  atspi.py showing
      every showing object, one a line: "<role>:<name>"
  atspi.py audit
      what a screen reader could not use among the showing objects that take the focus or have
      an action: no name, a role that does not fit its actions, a listing without the label
      that names it or without text; one problem a line, exit status 1 when there is any
  atspi.py press [--role ROLE] NAME
      does the "Press" action of the first showing object named NAME, as a screen reader would
  atspi.py grab [--role ROLE] NAME
      gives the first showing object named NAME the keyboard focus and waits until it has it
  atspi.py tabwalk COUNT
      presses Tab COUNT times (through xdotool, to the window that has the X focus) and prints
      "<role>:<name>" of the object that has the focus after each press
  atspi.py hear --until LINE [--timeout S] (KEY | --press NAME)
      presses KEY (through xdotool), or does the "Press" action of the showing push button NAME,
      and prints what a screen reader is told, one a line, until
      it prints LINE (and half a second more; exit 0) or the timeout passes (exit 1):
      "focus <role>:<name>" when an object other than the one that had it takes the focus (a
      screen reader reads that one out; the same object taking it again is not read, so it is
      not printed), "notification <name>" when a notification shows

Exit status 3: the program is not (yet) on the accessibility bus; 4: reading the tree failed
(a traceback follows), which is never an answer such as "nothing matches".
"""

import argparse
import re
import subprocess
import sys
import time
import traceback

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


def walk_showing(obj):
    """The showing objects only: what lies under a hidden one is not looked at."""
    yield obj
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None and showing(child):
            yield from walk_showing(child)


def label_of(obj):
    return "%s:%s" % (obj.getRoleName(), flat(obj.name or ""))


def actions_of(obj):
    try:
        action = obj.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def focused(app):
    for obj in walk_showing(app):
        if obj.getState().contains(pyatspi.STATE_FOCUSED):
            return obj
    return None


def showing_named(app, name, role):
    for obj in walk_showing(app):
        if obj.name == name and (role is None or obj.getRoleName() == role):
            return obj
    return None


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


def cmd_showing(app, _args):
    for obj in walk_showing(app):
        print(label_of(obj))
    return 0


def audit_problems(obj):
    actions = actions_of(obj)
    focusable = obj.getState().contains(pyatspi.STATE_FOCUSABLE)
    if not actions and not focusable:
        return []
    problems = []
    role = obj.getRoleName()
    if not obj.name:
        problems.append("no name")
    kinds = set(actions) - {"SetFocus"}
    if "Press" in kinds:
        if role != "push button":
            problems.append("pressed, but not a push button")
    elif kinds == {"Increase", "Decrease"}:
        if role != "scroll bar":
            problems.append("increases and decreases, but not a scroll bar")
    elif kinds:
        problems.append("unexpected actions %s" % sorted(kinds))
    elif role != "text":
        problems.append("takes the focus, does nothing else, and is not a listing")
    if role == "text":
        try:
            if not text_of(obj):
                problems.append("a listing without text")
        except NotImplementedError:
            problems.append("a listing without a text interface")
        labels = [rel.getTarget(i) for rel in obj.getRelationSet()
                  if rel.getRelationType() == pyatspi.RELATION_LABELLED_BY
                  for i in range(rel.getNTargets())]
        if not any(label.getRoleName() == "label" and label.name == obj.name for label in labels):
            problems.append("not labelled by a label of its name")
    return problems


def cmd_audit(app, _args):
    found = 0
    for obj in walk_showing(app):
        for problem in audit_problems(obj):
            print("%s: %s" % (label_of(obj), problem))
            found += 1
    return 1 if found else 0


def cmd_press(app, args):
    obj = showing_named(app, args.name, args.role)
    if obj is None:
        print("no showing object named %r" % args.name, file=sys.stderr)
        return 1
    actions = actions_of(obj)
    if "Press" not in actions:
        print("%s has no Press action (%s)" % (label_of(obj), actions), file=sys.stderr)
        return 1
    return 0 if obj.queryAction().doAction(actions.index("Press")) else 1


def wait_focus(app, test, timeout=5):
    deadline = time.time() + timeout
    while True:
        obj = focused(app)
        if obj is not None and test(obj):
            return obj
        if time.time() > deadline:
            return None
        time.sleep(0.05)


def cmd_grab(app, args):
    obj = showing_named(app, args.name, args.role)
    if obj is None:
        print("no showing object named %r" % args.name, file=sys.stderr)
        return 1
    obj.queryComponent().grabFocus()
    if wait_focus(app, lambda now: now == obj) is None:
        print("%s did not take the focus" % label_of(obj), file=sys.stderr)
        return 1
    return 0


def cmd_hear(app, args):
    from gi.repository import GLib

    button = showing_named(app, args.press, "push button") if args.press else None
    if args.press and button is None:
        print("no showing push button named %r" % args.press, file=sys.stderr)
        return 1
    state = {"focus": focused(app), "heard": False}

    def told(line):
        print(line, flush=True)
        if line == args.until and not state["heard"]:
            state["heard"] = True
            GLib.timeout_add(500, pyatspi.Registry.stop)

    def listener(event):
        source = event.source
        try:
            if source.getApplication() != app or not event.detail1:
                return
            # Names as they are now: this process hears no name changes to keep its copy fresh.
            source.clear_cache()
            if event.type.startswith("object:state-changed:focused"):
                if source != state["focus"]:
                    state["focus"] = source
                    told("focus " + label_of(source))
            elif source.getRole() == pyatspi.ROLE_NOTIFICATION:
                told("notification " + flat(source.name or ""))
        except GLib.Error:
            pass  # gone meanwhile

    def press():
        if button is not None:
            button.queryAction().doAction(actions_of(button).index("Press"))
        else:
            subprocess.run(["xdotool", "key", args.key], check=True)
        return False  # once

    types = ["object:state-changed:focused", "object:state-changed:showing"]
    pyatspi.Registry.registerEventListener(listener, *types)
    # The program sends only the events someone listens for, and learns of a new listener from the
    # registry a moment later: the press waits for that.
    GLib.timeout_add(500, press)
    GLib.timeout_add(int(args.timeout * 1000), pyatspi.Registry.stop)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(listener, *types)
    return 0 if state["heard"] else 1


def cmd_tabwalk(app, args):
    before = focused(app)
    for _ in range(args.count):
        subprocess.run(["xdotool", "key", "Tab"], check=True)
        now = wait_focus(app, lambda obj, was=before: obj != was)
        if now is None:
            print("(the focus stayed on %s)" % (label_of(before) if before else "nothing"))
            return 1
        print(label_of(now), flush=True)
        before = now
    return 0


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
    sub.add_parser("showing")
    sub.add_parser("audit")
    for name in ("press", "grab"):
        named = sub.add_parser(name)
        named.add_argument("--role")
        named.add_argument("name")
    hear = sub.add_parser("hear")
    hear.add_argument("--until", required=True)
    hear.add_argument("--timeout", type=float, default=15)
    what = hear.add_mutually_exclusive_group(required=True)
    what.add_argument("key", nargs="?")
    what.add_argument("--press")
    tabwalk = sub.add_parser("tabwalk")
    tabwalk.add_argument("count", type=int)
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
                "watch": cmd_watch, "showing": cmd_showing, "audit": cmd_audit, "press": cmd_press,
                "grab": cmd_grab, "hear": cmd_hear, "tabwalk": cmd_tabwalk}
    return commands[args.command](app, args)


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Exception:
        traceback.print_exc()
        sys.exit(4)
