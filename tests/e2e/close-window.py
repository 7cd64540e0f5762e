#!/usr/bin/python3
"""Asks an X window to close, as a window manager's close button does: sends
it WM_DELETE_WINDOW through the WM_PROTOCOLS client message."""
import sys

from Xlib import X, display, protocol


def main():
    window_id = int(sys.argv[1])
    connection = display.Display()
    window = connection.create_resource_object("window", window_id)
    protocols = connection.intern_atom("WM_PROTOCOLS")
    delete = connection.intern_atom("WM_DELETE_WINDOW")
    if delete not in (window.get_wm_protocols() or []):
        sys.exit("close-window.py: the window does not take WM_DELETE_WINDOW")
    event = protocol.event.ClientMessage(window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(event, event_mask=X.NoEventMask)
    connection.flush()


if __name__ == "__main__":
    main()
