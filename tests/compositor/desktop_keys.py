#!/usr/bin/python3
"""The game's windows as a player meets them on a desktop, with the desktop's own keys.

On weston 10 (its x11 backend on Xvfb, the game a Wayland program): weston's maximise
(Super+Shift+M) on the board and on the quit box, and its full screen (Super+Shift+F), leave the
game running and its windows at their own size and place; the name box asks for one size. On
Xvfb without a window manager: the name box's size hints are fixed, and after the boxes that end
a game the keyboard reaches the board again. Both games end by entering a record, which must be
saved. Usage: desktop_keys.py GAME_EXECUTABLE (exit status 77: a tool is missing, skipped)."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

NEEDED = ["Xvfb", "weston", "weston-debug", "xdotool", "xprop"]
# weston's maximise and full screen, each twice: each must leave the board normal.
BOARD_KEYS = ["super+shift+m", "super+shift+f"] * 2


def wait_for(what, check, seconds=15.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = check()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError("timed out waiting for " + what)


class Desktop:
    screen = (1024, 768)

    def __init__(self, game):
        self.dir = tempfile.mkdtemp(prefix="tessaro-desktop-")
        self.env = dict(os.environ, LANGUAGE="en", XDG_RUNTIME_DIR=os.path.join(self.dir, "run"))
        for key in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY", "LC_ALL", "LC_MESSAGES"):
            self.env.pop(key, None)
        os.mkdir(self.env["XDG_RUNTIME_DIR"], 0o700)
        self.env["XDG_DATA_HOME"] = os.path.join(self.dir, "data")
        # A copy of its own, so that its Data.dat is new and private.
        self.game = os.path.join(self.dir, "tessaro")
        shutil.copy(game, self.game)
        self.processes = []
        read, write = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx24" % self.screen,
                    "-nolisten", "tcp"], pass_fds=(write,))
        os.close(write)
        with os.fdopen(read) as displays:
            self.env["DISPLAY"] = ":" + displays.readline().strip()

    def start(self, command, log=None, **options):
        out = open(os.path.join(self.dir, log), "w") if log else subprocess.DEVNULL
        p = subprocess.Popen(command, env=self.env, stdout=out, stderr=subprocess.STDOUT, **options)
        self.processes.append(p)
        return p

    def run(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, text=True).stdout

    def key(self, *keys):
        self.run("xdotool", "key", "--delay", "80", *keys)
        time.sleep(0.4)

    def close(self):
        for p in reversed(self.processes):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
        shutil.rmtree(self.dir, ignore_errors=True)

    def records(self):
        with open(os.path.join(self.dir, "Data.dat"), "rb") as f:
            return f.read().decode("gbk")


VIEW = re.compile(r"top-level window '([^']*)' of tessaro.*\n\s*position: \((-?\d+), (-?\d+)\) "
                  r"-> \((-?\d+), (-?\d+)\)")


class Weston(Desktop):
    def __init__(self, game, screen):
        self.screen = screen
        super().__init__(game)
        with open(os.path.join(self.dir, "weston.ini"), "w") as f:
            f.write("[core]\nidle-time=0\n")
        self.env["WAYLAND_DISPLAY"] = "tessaro-test"
        self.start(["weston", "--backend=x11-backend.so", "--use-pixman", "--debug",
                    "--width=%d" % self.screen[0], "--height=%d" % self.screen[1],
                    "--socket=tessaro-test",
                    "--config=" + os.path.join(self.dir, "weston.ini")], "weston.log")
        socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "tessaro-test")
        wait_for("weston", lambda: os.path.exists(socket) and "screen0" in self.scene())

    def scene(self):
        try:
            return subprocess.run(["weston-debug", "scene-graph"], env=self.env,
                                  capture_output=True, text=True, timeout=5).stdout
        except subprocess.TimeoutExpired:
            return ""

    def views(self):
        """The game's windows by their titles: (left, top, right, bottom) and their backdrop."""
        scene = self.scene()
        return {m[1]: (tuple(int(v) for v in m.groups()[1:]), "black background surface for "
                       "top-level window '%s'" % m[1] in scene) for m in VIEW.finditer(scene)}


def expect_normal(desktop, game, title, place):
    """The window `title` is back at `place`, not full screen, and the game still runs."""
    def settled():
        view = desktop.views().get(title)
        return view == (place, False)
    try:
        wait_for(title + " back at " + str(place), settled, 8)
    finally:
        if game.poll() is not None:
            with open(os.path.join(desktop.dir, "game.log"), errors="replace") as f:
                sys.stderr.write("".join(f.readlines()[-12:]))
            raise AssertionError("the game ended (status %s)" % game.returncode)


def name_box_hints(log):
    """The last size hints the game gave its window titled "Tessaro" (the name box)."""
    titles, hints = {}, {}
    with open(log, errors="replace") as f:
        for line in f:
            m = re.search(r"-> xdg_toplevel@(\d+)\.(set_title|set_min_size|set_max_size)\((.*)\)",
                          line)
            if m and m[2] == "set_title":
                titles[m[1]] = m[3]
            elif m:
                hints.setdefault(m[1], {})[m[2]] = m[3]
    named = [hints.get(i, {}) for i, t in titles.items() if t == '"Tessaro"']
    return named[-1] if named else {}


def on_weston(executable, screen=(1024, 768), scale="1"):
    """At `scale`, on a screen of `screen` (weston's output as large)."""
    desktop = Weston(executable, screen)
    try:
        env = dict(desktop.env, QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="client",
                   QT_SCALE_FACTOR=scale)
        log = os.path.join(desktop.dir, "game.log")
        with open(log, "w") as out:
            game = subprocess.Popen([desktop.game], env=env, stdout=out, stderr=out)
        desktop.processes.append(game)
        board = "Tessaro 1.07 (Special Edition)"
        place = wait_for("the board", lambda: desktop.views().get(board, (None,))[0])
        # A click on the board's parchment, below its title strip and menu bar.
        desktop.run("xdotool", "mousemove", str(place[0] + 60), str(place[1] + 120), "click", "1")
        for keys in BOARD_KEYS:
            desktop.key(keys)
            desktop.key("ctrl+n")  # and the game goes on: a new deal is painted
            expect_normal(desktop, game, board, place)
        desktop.key("ctrl+q")
        box = wait_for("the quit box", lambda: desktop.views().get("Quit", (None,))[0])
        desktop.key("super+shift+m")
        desktop.key("Tab", "shift+Tab")  # the focus painted on No, then on Yes again
        expect_normal(desktop, game, "Quit", box)
        desktop.key("Return")  # Yes: a score of 100 enters the new table
        name_box = wait_for("the name box", lambda: desktop.views().get("Tessaro", (None,))[0])
        hints = name_box_hints(log)
        assert hints.get("set_min_size") == hints.get("set_max_size") != "0, 0", hints
        desktop.key("super+shift+f")
        desktop.key("w", "l")
        expect_normal(desktop, game, "Tessaro", name_box)
        desktop.key("Return")
        assert game.wait(10) == 0
        assert '"wl    ",100' in desktop.records()
    finally:
        desktop.close()


def on_bare_x11(executable):
    desktop = Desktop(executable)
    try:
        desktop.env["QT_QPA_PLATFORM"] = "xcb"
        game = desktop.start([desktop.game], "game.log")
        window = wait_for("the board", lambda: desktop.run(
            "xdotool", "search", "--onlyvisible", "--name", "Special Edition").split())[0]
        desktop.run("xdotool", "windowfocus", "--sync", window)
        desktop.key("ctrl+n")
        desktop.key(*["Tab"] * 6)  # the chosen operator, five hand cards, then 摸牌
        desktop.key(*["Return"] * 6)  # five cards drawn, then the question whether to give up
        wait_for("the question", lambda: desktop.run("xdotool", "search", "--onlyvisible", "--name",
                                                     "^Question$"))
        desktop.key("Return")  # Yes: given up, which a box tells
        desktop.key("Return")
        wait_for("the keyboard back on the board",
                 lambda: desktop.run("xdotool", "getwindowfocus").strip() == window)
        desktop.key("ctrl+q")
        desktop.key("Return")  # Yes: 90 enters the new table
        name_box = wait_for("the name box", lambda: desktop.run(
            "xdotool", "search", "--onlyvisible", "--name", "^Tessaro$").split())[0]
        hints = desktop.run("xprop", "-id", name_box, "WM_NORMAL_HINTS")
        sizes = re.findall(r"(minimum|maximum) size: (\d+) by (\d+)", hints)
        assert len(sizes) == 2 and sizes[0][1:] == sizes[1][1:], hints
        desktop.key("x", "Return")
        assert game.wait(10) == 0
        assert '"x     ",90' in desktop.records()
    finally:
        desktop.close()


def main():
    missing = [tool for tool in NEEDED if not shutil.which(tool)]
    if missing:
        print("skipped: missing " + ", ".join(missing))
        return 77
    on_bare_x11(sys.argv[1])
    on_weston(sys.argv[1])
    # Twice the size: the board is larger than the room weston gives a maximised window.
    on_weston(sys.argv[1], (800, 600), "2")
    return 0


if __name__ == "__main__":
    sys.exit(main())
