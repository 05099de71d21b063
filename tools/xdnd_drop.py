#!/usr/bin/python3
"""Drops files on the X window under a root point, as a file manager would:
an XDND source that offers the files as text/uri-list.

    xdnd_drop.py [--result FILE] X Y PATH...

Exits 0 once the target accepted the drop and said it finished, 2 when it
refused the drop (the source then leaves), 1 on a timeout or another failure.
With --result the exit code is also written to FILE, which appears whole once
the drop is over: a Windows program under Wine that starts this script gets
no handle of the Unix process to wait on.
"""
import os
import pathlib
import sys
import time

from Xlib import X, Xatom, display
from Xlib.protocol import event

XDND_VERSION = 5
TIMEOUT_S = 10.0
URI_LIST = "text/uri-list"


def window_at(d, x, y):
    """The topmost mapped XdndAware window that holds the root point (x, y)."""
    aware = d.intern_atom("XdndAware")

    def search(window, origin_x, origin_y):
        for child in reversed(window.query_tree().children):
            try:
                attributes = child.get_attributes()
                geometry = child.get_geometry()
            except Exception:
                continue
            if attributes.map_state != X.IsViewable:
                continue
            left, top = origin_x + geometry.x, origin_y + geometry.y
            if not (left <= x < left + geometry.width and top <= y < top + geometry.height):
                continue
            version = child.get_full_property(aware, Xatom.ATOM)
            if version is not None:
                return child, int(version.value[0])
            found = search(child, left, top)
            if found is not None:
                return found
            # A window holds the point and covers the windows below it.
            return None
        return None

    return search(d.screen().root, 0, 0)


def send_client_message(d, target, message_type, data):
    message = event.ClientMessage(
        window=target, client_type=d.intern_atom(message_type), data=(32, data))
    target.send_event(message, event_mask=X.NoEventMask)
    d.flush()


def drop(x, y, paths):
    d = display.Display()
    found = window_at(d, x, y)
    if found is None:
        print(f"no XdndAware window at {x},{y}", file=sys.stderr)
        return 1
    target, target_version = found
    version = min(XDND_VERSION, target_version)
    source = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    selection = d.intern_atom("XdndSelection")
    uri_list = d.intern_atom(URI_LIST)
    action_copy = d.intern_atom("XdndActionCopy")
    payload = "".join(pathlib.Path(p).resolve().as_uri() + "\r\n" for p in paths).encode()
    source.set_selection_owner(selection, X.CurrentTime)

    send_client_message(d, target, "XdndEnter", [source.id, version << 24, uri_list, 0, 0])
    send_client_message(d, target, "XdndPosition",
                        [source.id, 0, (x << 16) | y, X.CurrentTime, action_copy])

    status = d.intern_atom("XdndStatus")
    finished = d.intern_atom("XdndFinished")
    dropped = False
    deadline = time.monotonic() + TIMEOUT_S
    while time.monotonic() < deadline:
        if d.pending_events() == 0:
            time.sleep(0.005)
            continue
        e = d.next_event()
        if e.type == X.SelectionRequest and e.selection == selection:
            # The target reads the data as soon as it is entered, and again at the drop.
            reply_property = e.property if e.property != X.NONE else e.target
            if e.target == uri_list:
                e.requestor.change_property(reply_property, uri_list, 8, payload)
            else:
                reply_property = X.NONE
            notify = event.SelectionNotify(time=e.time, requestor=e.requestor,
                                           selection=e.selection, target=e.target,
                                           property=reply_property)
            e.requestor.send_event(notify)
            d.flush()
        elif e.type == X.ClientMessage and e.client_type == status and not dropped:
            if not e.data[1][1] & 1:
                send_client_message(d, target, "XdndLeave", [source.id, 0, 0, 0, 0])
                return 2
            send_client_message(d, target, "XdndDrop", [source.id, 0, X.CurrentTime, 0, 0])
            dropped = True
        elif e.type == X.ClientMessage and e.client_type == finished:
            return 0
    print("the drop timed out", file=sys.stderr)
    return 1


def main(arguments):
    result_file = None
    if arguments[:1] == ["--result"]:
        result_file, arguments = arguments[1], arguments[2:]
    if len(arguments) < 3:
        print(__doc__, file=sys.stderr)
        return 1
    try:
        code = drop(int(arguments[0]), int(arguments[1]), arguments[2:])
    except Exception as error:  # the caller waits for a result whatever happens
        print(f"the drop failed: {error}", file=sys.stderr)
        code = 1
    if result_file is not None:
        with open(result_file + ".part", "w") as f:
            f.write(f"{code}\n")
        os.replace(result_file + ".part", result_file)
    return code


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
