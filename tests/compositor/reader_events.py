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
        context = GLib.MainContext.default()

        def pump(until, seconds=10):
            """Takes the reader's events until `until()` holds, for at most `seconds`."""
            end = time.monotonic() + seconds
            while not until() and time.monotonic() < end:
                while context.iteration(False):
                    pass
                time.sleep(0.05)
            while context.iteration(False):  # and whatever came with them
                pass

        def focused():
            app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "tessaro")
            found = pyatspi.findDescendant(
                app, lambda n: n.getState().contains(pyatspi.STATE_FOCUSED))
            return found.getRoleName(), found.name, found.getState()

        # The game learns of a reader's listeners a moment later: deal until it tells of the deal.
        for _ in range(10):
            desktop.key("ctrl+n")
            pump(lambda: any(h[0].endswith("accessible-name") for h in heard), 2)
            if heard:
                break
        desktop.key("Tab")  # from the chosen operator to the first hand card
        pump(lambda: focused()[0] == "check box")
        role, name, state = focused()
        assert role == "check box" and not state.contains(pyatspi.STATE_CHECKED), (role, name)
        heard.clear()
        desktop.key("space")
        desktop.key("space")  # put back, whatever the deal
        on_card = lambda: [h[:4] for h in heard if h[1] == name or h[2] == "check box"]
        pump(lambda: len(on_card()) >= 2)
        assert on_card() == [("object:state-changed:checked", name, "check box", 1),
                             ("object:state-changed:checked", name, "check box", 0)], heard

        desktop.key(*["Tab"] * 5)  # the other four cards, then 摸牌
        pump(lambda: focused()[0] == "push button")
        role, name, _ = focused()
        assert role == "push button", (role, name)
        heard.clear()
        desktop.key("Return")
        told = lambda: [h[1] for h in heard if h[0].endswith("showing") and h[2] == "notification"]
        pump(told)
        assert len(told()) == 1 and told()[0].startswith("You drew "), heard
        assert game.poll() is None
    finally:
        desktop.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
