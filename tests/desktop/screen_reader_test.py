#!/usr/bin/python3
"""A whole game of Vorpanta played with keys alone, and what a screen reader
is told at each step, read with an AT-SPI event listener.

Run by screen_reader_test.sh inside a D-Bus session with the accessibility
bus, an X server and a window manager:  screen_reader_test.py PROGRAM WORKDIR

Orca (43) speaks, whatever holds the focus, a notification the moment it is
shown (object:state-changed:showing of a "notification"), and an object that
takes the focus (object:state-changed:focused) with its name, role and
description; a window's activation (window:activate) with its name and, for
a dialog, its labels. A changed name or description Orca cannot speak for a
Qt 6.4 program: the bridge sends the event without the text. So every step is
checked on the events of those kinds, with the texts a player must hear.

The word list knows every pair of tile letters and nothing longer, so any two
neighbouring tiles spell a known word and any three an unknown one. The
top-ten table holds nine better scores, so the first game takes the tenth
row and the second game, worth nothing, stays out of the table.

Prints what was said at each step; exits 1 at the first thing missing.
"""
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

PROGRAM, WORK = sys.argv[1], sys.argv[2]
LETTERS = "ABCDEFGHIJKLMNOPRSTUVYZÁÉÖÜ"
TIMEOUT = 20  # seconds for any one thing to be said


class Failure(Exception):
    pass


def make_data_folder():
    data = os.path.join(WORK, "data", "Vorpanta")
    os.makedirs(data)
    with open(os.path.join(data, "SzavakLista.txt"), "wb") as f:
        for a in LETTERS:
            for b in LETTERS:
                f.write(('"%s%s"\r\n' % (a, b)).encode("cp1250"))
    with open(os.path.join(data, "Top10.txt"), "wb") as f:
        for n in range(1, 10):
            score = 90000 - 1000 * n
            f.write(("%d\t%10s\tBea%d\r\n" % (99999 - score, "%d %03d" % divmod(score, 1000), n)).encode("cp1250"))
    return data


class Listener:
    """Every object:, focus: and window: event of the game, as it comes."""

    def __init__(self):
        self.events = []
        pyatspi.Registry.registerEventListener(self.seen, "object:", "focus:", "window:")

    def seen(self, e):
        try:
            app = e.host_application.name if e.host_application else ""
            if app != "Vorpanta":
                return
            src = e.source
            self.events.append({
                "type": e.type, "detail1": e.detail1, "any": e.any_data,
                "role": src.getRoleName(), "name": src.name or "", "description": src.description or "",
            })
        except Exception:  # an object already gone
            pass


def said(ev):
    """What Orca makes of an event, or None for one it does not speak."""
    if ev["type"] == "object:state-changed:showing" and ev["detail1"] and ev["role"] == "notification":
        return ev["name"]
    if ev["type"] == "object:state-changed:focused" and ev["detail1"]:
        return ", ".join(t for t in (ev["name"], ev["role"], ev["description"]) if t)
    if ev["type"] == "window:activate":
        return "(ablak: %s)" % ev["any"]
    if ev["type"].startswith("object:text-changed:insert"):
        return "(beírva: %s)" % ev["any"]
    return None


class Game:
    def __init__(self, listener, data):
        self.listener = listener
        self.data = data
        self.transcript = []
        self.step_start = 0
        self.step_name = ""
        env = dict(os.environ, XDG_DATA_HOME=os.path.dirname(data), QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.output = open(os.path.join(WORK, "game-output.txt"), "w")
        self.process = subprocess.Popen([PROGRAM], env=env, stdout=self.output, stderr=subprocess.STDOUT)

    # --- steps ---
    def step(self, name, *keys, text=None):
        """Starts a step: records where its events begin, then presses keys."""
        self.finish_step()
        self.step_name = name
        self.step_start = len(self.listener.events)
        if keys:
            subprocess.run(["xdotool", "key", "--delay", "60", *keys], check=True)
        if text:
            subprocess.run(["xdotool", "type", "--delay", "120", text], check=True)

    def finish_step(self):
        if self.step_name:
            spoken = [s for s in map(said, self.listener.events[self.step_start:]) if s]
            self.transcript.append((self.step_name, spoken))
        self.step_name = ""

    def wait(self, what, test):
        """Waits for an event of this step that passes `test`; returns it."""
        end = time.monotonic() + TIMEOUT
        while True:
            for ev in self.listener.events[self.step_start:]:
                if test(ev):
                    return ev
            if self.process.poll() is not None:
                raise Failure("the game ended while waiting for %s" % what)
            if time.monotonic() > end:
                raise Failure("timed out waiting for %s" % what)
            yield

    def notification(self, text):
        pattern = text if isinstance(text, re.Pattern) else re.compile(re.escape(text) + "$")
        ev = yield from self.wait("the notification %r" % getattr(text, "pattern", text), lambda e: (
            e["type"] == "object:state-changed:showing" and e["detail1"] and e["role"] == "notification"
            and pattern.match(e["name"])))
        return ev["name"]

    def focus(self, what, role, name, description=None):
        name_ok = name.match if isinstance(name, re.Pattern) else (lambda n: n == name)
        ev = yield from self.wait("the focus on %s" % what, lambda e: (
            e["type"] == "object:state-changed:focused" and e["detail1"] and e["role"] == role
            and name_ok(e["name"]) and (description is None or e["description"] == description)))
        return ev

    def activated(self, role, name):
        yield from self.wait("the %s %r to be activated" % (role, name), lambda e: (
            e["type"] == "window:activate" and e["role"] == role and e["name"] == name))

    # --- the tree ---
    def app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Vorpanta":
                return app
        return None

    def window(self, role, name):
        app = self.app()
        for w in app or []:
            if w is not None and w.getRoleName() == role and w.name == name:
                return w
        raise Failure("no %s named %r in the tree" % (role, name))

    @staticmethod
    def controls(window):
        return [c for c in window if c is not None]

    @staticmethod
    def place(control, window):
        """A control's left, top, width and height inside its window."""
        w = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        c = control.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return (c.x - w.x, c.y - w.y, c.width, c.height)

    def main_control(self, left, top):
        main = self.window("frame", "Vorpanta")
        for c in self.controls(main):
            if self.place(c, main)[:2] == (left, top):
                return c
        raise Failure("no control at %d,%d of the main window" % (left, top))

    def word_line(self):
        return self.main_control(40, 72).name

    def score_line(self):
        return self.main_control(40, 112).name

    def tile(self, column, row):
        pattern = re.compile(r"^(.), %d\. oszlop, %d\. sor" % (column, row))
        for c in self.controls(self.window("frame", "Vorpanta")):
            m = pattern.match(c.name or "")
            if m and c.getRoleName() == "push button":
                return m.group(1)
        raise Failure("no tile in column %d, row %d" % (column, row))

    def check_clean_tree(self, window, focusable, editable=()):
        """Only the named controls take the focus or are editable, and every
        control that may take the focus (or says it has it) has a name."""
        def visit(control, depth):
            for c in self.controls(control):
                state = c.getState()
                if (state.contains(pyatspi.STATE_FOCUSABLE) or state.contains(pyatspi.STATE_FOCUSED)) and not c.name:
                    raise Failure("a nameless %s in %r takes the focus" % (c.getRoleName(), window.name))
                if state.contains(pyatspi.STATE_EDITABLE) and c.name not in editable:
                    raise Failure("%r in %r reports editable" % (c.name, window.name))
                if state.contains(pyatspi.STATE_FOCUSABLE) and not focusable(c):
                    raise Failure("%s %r in %r reports focusable" % (c.getRoleName(), c.name, window.name))
                if depth < 4:
                    visit(c, depth + 1)
        visit(window, 0)


def scenario(g):
    # --- the main window as a screen reader finds it ---
    g.step("start")
    end = time.monotonic() + TIMEOUT
    while g.app() is None:
        if time.monotonic() > end:
            raise Failure("the game never appeared on the accessibility bus")
        yield
    yield from g.activated("frame", "Vorpanta")
    main = g.window("frame", "Vorpanta")
    controls = g.controls(main)
    tiles = [c for c in controls if re.match(r"^., \d+\. oszlop, \d\. sor", c.name or "")]
    buttons = [c.name for c in controls if c.getRoleName() == "push button" and c not in tiles]
    if len(tiles) != 90:
        raise Failure("%d tiles instead of 90" % len(tiles))
    if buttons != ["Új játék", "Befejeztem", "Top10", "Névjegy", "Újdonságok honlapomon", "Gurdala honlapja",
                   "Tálcára vele...", "Bezár"]:
        raise Failure("the buttons read %r" % buttons)
    if len(controls) != 90 + 8 + 5:  # the picture, the two lines, the rules, the announcer
        raise Failure("%d controls in the main window: %r" % (len(controls), [c.name for c in controls]))
    if g.word_line() != "":
        raise Failure("the empty word line reads %r" % g.word_line())
    rules = g.main_control(10, 150)
    if rules.getRoleName() != "label" or not rules.name.startswith("Játékszabály. Kattints a bal egérgombbal"):
        raise Failure("the rules read %r" % rules.name)
    g.check_clean_tree(main, lambda c: c in tiles)

    # --- game 1: spell and take a word ---
    g.step("← (a kurzor megjelenik)", "Left")
    first = g.tile(1, 9)
    yield from g.focus("the bottom-left tile", "push button", "%s, 1. oszlop, 9. sor" % first)
    g.step("szóköz", "space")
    said_word = yield from g.notification(re.compile(re.escape(first) + r", (\d+) pont$"))
    points = int(said_word.rsplit(", ", 1)[1].split()[0])
    if g.word_line() != "%s (%d)" % (first, points):
        raise Failure("the word line reads %r after %r" % (g.word_line(), said_word))
    g.step("↑", "Up")
    second = g.tile(1, 8)
    yield from g.focus("the tile above", "push button", "%s, 1. oszlop, 8. sor" % second)
    g.step("szóköz", "space")
    word = first + second
    said_word = yield from g.notification(re.compile(re.escape(word) + r", (\d+) pont$"))
    points = int(said_word.rsplit(", ", 1)[1].split()[0])
    g.step("Enter (ismert szó)", "Return")
    yield from g.notification("%s, %d pont. Eredmény: %d pont." % (word, points, points))
    total = points
    if g.score_line() != "Eredmény: %d pont" % total or g.word_line() != "":
        raise Failure("after the word: score line %r, word line %r" % (g.score_line(), g.word_line()))

    # --- a word the list does not know, taught and taken ---
    letters = ""
    for n, keys in enumerate(((), ("Up",), ("Up",))):
        row = 8 - n
        g.step("↑, szóköz" if keys else "szóköz", *keys, "space")
        letters += g.tile(1, row)
        said_word = yield from g.notification(re.compile(re.escape(letters) + r", (\d+) pont$"))
    points = int(said_word.rsplit(", ", 1)[1].split()[0])
    g.step("Enter (ismeretlen szó)", "Return")
    yield from g.notification("Ezt a szót nem ismerem: %s." % letters)
    g.step("Ctrl+F7", "ctrl+F7")
    yield from g.notification("Megtanultam ezt a szót: %s." % letters)
    g.step("Ctrl+F7 még egyszer", "ctrl+F7")
    yield from g.notification("Ezt a szót már ismerem: %s." % letters)
    g.step("Enter", "Return")
    total += points
    yield from g.notification("%s, %d pont. Eredmény: %d pont." % (letters, points, total))

    # --- the end: the tenth row opens for the name ---
    g.step("F8", "F8")
    yield from g.activated("dialog", "Top10")
    yield from g.focus("the opened name", "text", "10. hely, %d pont" % total,
                       "Vége a játéknak: %d pont, 10. hely. Írd be a neved, majd nyomj Entert." % total)
    table = g.window("dialog", "Top10")
    g.check_clean_tree(table, lambda c: c.name == "Bezár" or c.name == "10. hely, %d pont" % total,
                       editable=("10. hely, %d pont" % total,))
    rows = [c.name for c in g.controls(table) if re.match(r"^\d+\. hely, .* pont, ", c.name or "")]
    if rows[:9] != ["%d. hely, %d %03d pont, Bea%d" % ((n,) + divmod(90000 - 1000 * n, 1000) + (n,))
                    for n in range(1, 10)]:
        raise Failure("the rows read %r" % rows)
    g.step("Anna", text="Anna")
    yield from g.wait("the typed name", lambda e: e["type"].startswith("object:text-changed:insert")
                      and e["any"] == "a" and e["name"] == "10. hely, %d pont" % total)
    g.step("Enter (a név marad, az ablak bezárul)", "Return")
    yield from g.activated("frame", "Vorpanta")
    yield from g.focus("the tile under the cursor again", "push button", re.compile(r"^., 1\. oszlop, 6\. sor"))
    with open(os.path.join(g.data, "Top10.txt"), "rb") as f:
        if ("\t%10s\tAnna\r\n" % ("%d" % total)).encode("cp1250") not in f.read():
            raise Failure("the name was not kept with %d points" % total)

    # --- game 2 ---
    g.step("Ctrl+N", "ctrl+n")
    yield from g.notification("Új játék.")
    if g.score_line() != "Eredmény: 0 pont":
        raise Failure("after Ctrl+N the score line reads %r" % g.score_line())
    letters = ""
    for n, keys in enumerate(((), ("Up",), ("Up",))):
        g.step("↑, szóköz" if keys else "szóköz", *keys, "space")
        letters += g.tile(1, 6 - n)
        yield from g.notification(re.compile(re.escape(letters) + r", \d+ pont$"))
    g.step("Backspace", "BackSpace")
    yield from g.notification(re.compile(re.escape(letters[:2]) + r", \d+ pont$"))
    g.step("szóköz", "space")
    yield from g.notification(re.compile(re.escape(letters) + r", \d+ pont$"))
    g.step("Enter (ismeretlen szó)", "Return")
    yield from g.notification("Ezt a szót nem ismerem: %s." % letters)
    g.step("F8 (nem fér be a tízbe)", "F8")
    yield from g.activated("dialog", "Top10")
    yield from g.focus("the close button", "push button", "Bezár",
                       "Vége a játéknak: 0 pont. Ez most nem fért be a legjobb tíz közé.")
    g.check_clean_tree(g.window("dialog", "Top10"), lambda c: c.name == "Bezár")
    g.step("Esc", "Escape")
    yield from g.activated("frame", "Vorpanta")
    g.step("Enter a játék vége után", "Return")
    yield from g.notification("Ennek a játéknak vége. Új játék: Ctrl+N.")
    g.step("F10", "F10")
    yield from g.activated("dialog", "Top10")
    yield from g.focus("the close button", "push button", "Bezár")
    g.step("Enter", "Return")
    yield from g.activated("frame", "Vorpanta")
    g.step("F2", "F2")
    yield from g.activated("dialog", "Szavak")
    yield from g.focus("this game's words", "filler", "Ebben a játékban")
    g.check_clean_tree(g.window("dialog", "Szavak"), lambda c: c.name in ("Bezár", "Ebben a játékban"))
    g.step("Esc", "Escape")
    yield from g.activated("frame", "Vorpanta")

    # --- the about window, through the button's action, as Orca presses it ---
    g.step("Névjegy (a gomb művelete)")
    about_button = [c for c in g.controls(g.window("frame", "Vorpanta")) if c.name == "Névjegy"][0]
    about_button.queryAction().doAction(0)
    yield from g.activated("dialog", "Névjegy")
    yield from g.focus("the close button", "push button", "Bezár")
    about = g.window("dialog", "Névjegy")
    texts = [c.name for c in g.controls(about) if c.getRoleName() == "label"]
    if not any(t.startswith("Készítői nyilatkozat. Ez a program szabad szoftver") for t in texts) or \
       not any("github.com/vorpanta/vorpanta" in t for t in texts):
        raise Failure("the about window reads %r" % texts)
    g.check_clean_tree(about, lambda c: c.name == "Bezár")
    g.step("Esc (nem zár)", "Escape")
    time.sleep(1)
    g.window("dialog", "Névjegy")
    g.step("Enter", "Return")
    yield from g.activated("frame", "Vorpanta")
    g.finish_step()


def main():
    data = make_data_folder()
    listener = Listener()
    game = Game(listener, data)
    run = scenario(game)
    outcome = {"failure": None}

    def tick():
        try:
            next(run)
            return True
        except StopIteration:
            pass
        except Failure as failure:
            outcome["failure"] = str(failure)
        except Exception as error:  # noqa: BLE001 - reported as the failure it is
            outcome["failure"] = "%s: %s" % (type(error).__name__, error)
        pyatspi.Registry.stop()
        return False

    GLib.timeout_add(20, tick)
    pyatspi.Registry.start()
    game.finish_step()
    game.process.terminate()
    game.process.wait(timeout=30)

    print("What a screen reader is told, step by step:")
    for name, spoken in game.transcript:
        print("  %-40s %s" % (name, " | ".join(spoken) if spoken else "-"))
    if outcome["failure"]:
        print("FAIL in step %r: %s" % (game.transcript[-1][0] if game.transcript else "", outcome["failure"]))
        print("the step's events:")
        for ev in listener.events[game.step_start:][-40:]:
            print("   ", ev["type"], ev["role"], repr(ev["name"]), repr(ev["description"]), ev["any"])
        game.output.flush()
        with open(os.path.join(WORK, "game-output.txt")) as f:
            print("the game's output:", f.read())
        return 1
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
