"""Answers questions about the accessibility tree, one JSON line per request.

Runs under /usr/bin/python3 (the one with pyatspi) on the session's D-Bus.
Request: {"pid": N}. Reply: the top-level accessibles of the application with
that process id, each as {"role", "name", "states", "extents", "text",
"children"}; [] while the application is not registered.
"""

import json
import sys

import pyatspi


def describe(acc):
    try:
        states = sorted(pyatspi.stateToString(s) for s in acc.getState().getStates())
    except Exception:
        states = []
    try:
        ext = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        extents = [ext.x, ext.y, ext.width, ext.height]
    except NotImplementedError:
        extents = None
    try:
        text = acc.queryText().getText(0, -1)
    except NotImplementedError:
        text = None
    children = [describe(c) for c in acc if c is not None]
    return {"role": acc.getRoleName(), "name": acc.name, "states": states,
            "extents": extents, "text": text, "children": children}


def windows(pid):
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and app.get_process_id() == pid:
                return [describe(w) for w in app if w is not None]
        except Exception:
            continue  # an application that went away while we looked
    return []


for line in sys.stdin:
    request = json.loads(line)
    try:
        reply = windows(request["pid"])
    except Exception as error:  # the tree changed under us; the caller polls again
        sys.stderr.write(f"atspi_agent: {error!r}\n")
        reply = []
    sys.stdout.write(json.dumps(reply, ensure_ascii=False) + "\n")
    sys.stdout.flush()
