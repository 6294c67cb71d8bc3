#!/usr/bin/python3
"""What a screen reader hears of the game over AT-SPI, as a player on the keys meets it.

On Xvfb with a private session bus and accessibility bus: a hand card is a check box; Space picks
it and sends one checked-state change and no name change; the commands are push buttons; 摸牌 on
the keys tells the card drawn with a notification that appears (the toolkit sends an object, not
a text, with a name or description change, which a reader cannot speak). Usage: dbus-run-session -- reader_events.py GAME_EXECUTABLE
(exit status 77: a tool is missing, skipped)."""
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_keys import Desktop, wait_for  # noqa: E402

LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def main():
    try:
        import pyatspi
        from gi.repository import GLib
    except ImportError:
        print("skipped: no pyatspi")
        return 77
    if not (shutil.which("Xvfb") and shutil.which("xdotool") and os.path.exists(LAUNCHER)
            and os.environ.get("DBUS_SESSION_BUS_ADDRESS")):
        print("skipped: no Xvfb, xdotool, accessibility bus or session bus")
        return 77
    desktop = Desktop(sys.argv[1])
    try:
        desktop.start([LAUNCHER, "--launch-immediately"])
        time.sleep(1)
        desktop.env.update(QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        game = desktop.start([desktop.game], "game.log")
        window = wait_for("the board", lambda: desktop.run(
            "xdotool", "search", "--onlyvisible", "--name", "Special Edition").split())[0]
        desktop.run("xdotool", "windowfocus", "--sync", window)

        heard = []

        def listen(event):
            if event.host_application and event.host_application.name == "tessaro":
                heard.append((event.type, event.source.name, event.source.getRoleName(),
                              event.detail1, event.source.description))

        kinds = ["object:state-changed:checked", "object:property-change:accessible-name",
                 "object:state-changed:showing"]
        pyatspi.Registry.registerEventListener(listen, *kinds)
        loop = GLib.MainLoop()

        def pump(seconds):
            GLib.timeout_add(int(seconds * 1000), loop.quit)
            loop.run()

        def focused():
            app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "tessaro")
            found = pyatspi.findDescendant(
                app, lambda n: n.getState().contains(pyatspi.STATE_FOCUSED))
            return found.getRoleName(), found.name, found.getState()

        desktop.key("ctrl+n", "Tab")  # from the chosen operator to the first hand card
        pump(1)
        role, name, state = focused()
        assert role == "check box" and not state.contains(pyatspi.STATE_CHECKED), (role, name)
        heard.clear()
        desktop.key("space")
        pump(1)
        assert focused()[2].contains(pyatspi.STATE_CHECKED)
        desktop.key("space")  # put back, whatever the deal
        pump(1)
        on_card = [h[:4] for h in heard if h[1] == name or h[2] == "check box"]
        assert on_card == [("object:state-changed:checked", name, "check box", 1),
                           ("object:state-changed:checked", name, "check box", 0)], heard

        desktop.key(*["Tab"] * 5)  # the other four cards, then 摸牌
        pump(1)
        role, name, _ = focused()
        assert role == "push button", (role, name)
        heard.clear()
        desktop.key("Return")
        pump(1)
        told = [h[1] for h in heard if h[0].endswith("showing") and h[2] == "notification"]
        assert len(told) == 1 and told[0].startswith("You drew "), heard
        assert game.poll() is None
    finally:
        desktop.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
