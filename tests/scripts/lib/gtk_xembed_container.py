#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
"""A container written apart from the project: GTK 3's own XEmbed embedder (Gtk.Socket) as the
site of an object edited in place, doing what the README asks of a container. It creates an
object, gives it a site the size of the object's rectangle, asks for verb 0, waits for the
frame's map, types into it through its own window, ends editing with Esc and saves the object.

Usage: gtk_xembed_container.py OUTPUT.ltf
Prints one line for each step; exits 1 with the reason when a step does not hold."""

import subprocess
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
gi.require_version("GdkX11", "3.0")
from gi.repository import Gdk, GdkX11, Gio, GLib, Gtk  # noqa: E402

OBJECT_INTERFACE = "Lutaris.EmbeddedObject"
SITE = (40, 30, 300, 150)  # the object's rectangle in the container's window
TIMEOUT_MS = 30000


def fail(reason):
    print("FAIL " + reason, flush=True)
    sys.exit(1)


class Container:
    def __init__(self, output):
        self.output = output
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        self.window = Gtk.Window(title="gtk-container")
        self.window.set_default_size(400, 240)
        fixed = Gtk.Fixed()
        self.window.add(fixed)
        # The site is the object's rectangle: the embedder places and sizes its client itself.
        self.socket = Gtk.Socket()
        self.socket.set_size_request(SITE[2], SITE[3])
        self.socket.set_can_focus(True)
        fixed.put(self.socket, SITE[0], SITE[1])
        self.plugged = False
        self.socket.connect("plug-added", self.on_plug_added)
        self.signals = []
        self.window.show_all()

    def call(self, method, args=None, reply=None, interface=OBJECT_INTERFACE):
        return self.bus.call_sync(self.name, self.path, interface, method, args,
                                  GLib.VariantType(reply) if reply else None,
                                  Gio.DBusCallFlags.NONE, 20000, None)

    def wait(self, condition, what):
        deadline = GLib.get_monotonic_time() + TIMEOUT_MS * 1000
        while not condition():
            if GLib.get_monotonic_time() > deadline:
                fail("no " + what)
            Gtk.main_iteration_do(False)
            GLib.usleep(5000)

    def on_plug_added(self, _socket):
        self.plugged = True

    def on_signal(self, _connection, _sender, _path, _interface, name, _parameters):
        self.signals.append(name)

    def frame_viewable(self):
        plug = self.socket.get_plug_window()
        return plug is not None and plug.is_viewable()

    def run(self):
        self.wait(lambda: self.socket.get_realized() and self.window.get_window().is_viewable(),
                  "container window")
        factory = self.bus.call_sync("Lutaris.Document", "/Lutaris/ClassFactory",
                                     "Lutaris.ClassFactory", "CreateInstance", None,
                                     GLib.VariantType("(so)"), Gio.DBusCallFlags.NONE, 20000, None)
        self.name, self.path = factory.unpack()
        self.bus.signal_subscribe(self.name, OBJECT_INTERFACE, None, self.path, None,
                                  Gio.DBusSignalFlags.NONE, self.on_signal)
        self.call("InitNew")
        self.call("SetHostNames", GLib.Variant("(ss)", ("gtk-container", "Object 1")))

        site = self.socket.get_id()
        self.call("DoVerb", GLib.Variant("(it(iiii))", (0, site, (0, 0, SITE[2], SITE[3]))))
        # GTK maps its clients in its own loop, after the reply: wait for the frame's map.
        print("verb 0 replied, frame mapped: %s" % self.frame_viewable(), flush=True)
        self.wait(lambda: self.plugged and self.frame_viewable(), "map of the frame")
        frame = self.call("GetInPlaceWindow", reply="(t)").unpack()[0]
        plug = self.socket.get_plug_window()
        if frame != GdkX11.X11Window.get_xid(plug):
            fail("GetInPlaceWindow %d is not the socket's client %d" %
                 (frame, GdkX11.X11Window.get_xid(plug)))
        # The embedder gives its client the site's place and size once it has taken it.
        expected = (0, 0, SITE[2], SITE[3])
        deadline = GLib.get_monotonic_time() + 5 * 1000000
        while plug.get_geometry() != expected and GLib.get_monotonic_time() < deadline:
            Gtk.main_iteration_do(False)
            GLib.usleep(5000)
        allocation = self.socket.get_allocation()
        print("frame at %d,%d %dx%d in a site of %dx%d" %
              (plug.get_geometry() + (allocation.width, allocation.height)), flush=True)
        if plug.get_geometry() != expected:
            fail("the frame does not fill the site")

        # Keys reach the object through the container's window, as the embedder forwards them.
        self.window.present()
        self.socket.grab_focus()
        toplevel = GdkX11.X11Window.get_xid(self.window.get_window())
        self.type_keys(toplevel, ["4", "Down", "6"])
        self.wait(lambda: self.signals.count("DataChanged") >= 2, "DataChanged after two frets")
        self.type_keys(toplevel, ["Escape"])
        self.wait(lambda: "Deactivated" in self.signals, "Deactivated after Esc")
        if self.call("GetInPlaceWindow", reply="(t)").unpack()[0] != 0:
            fail("a frame is still in place after Esc")
        self.wait(lambda: self.socket.get_plug_window() is None, "frame leaving the site")
        storage = self.call("Save", reply="(ay)").unpack()[0]
        with open(self.output, "wb") as out:
            out.write(bytes(storage))
        print("saved %d bytes" % len(storage), flush=True)
        self.call("Close")

    def run_tool(self, arguments, quiet=False):
        done = subprocess.Popen(arguments, stderr=subprocess.DEVNULL if quiet else None)
        self.wait(lambda: done.poll() is not None, " ".join(arguments))
        return done.returncode

    def type_keys(self, window, keys):
        # The container's window has the focus (a window manager activates it, without one it
        # is given the focus); the pointer stays outside it, so that X hands the keys to the
        # container and not to the frame under the pointer.
        if self.run_tool(["xdotool", "windowactivate", "--sync", str(window)], quiet=True) != 0:
            self.run_tool(["xdotool", "windowfocus", "--sync", str(window)])
        self.run_tool(["xdotool", "mousemove", "1010", "750"])
        for key in keys:
            self.run_tool(["xdotool", "key", key])
            # Let GTK forward the key before the next one.
            for _ in range(20):
                Gtk.main_iteration_do(False)
                GLib.usleep(5000)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        fail("usage: gtk_xembed_container.py OUTPUT.ltf")
    if Gdk.Display.get_default() is None:
        fail("no display")
    Container(sys.argv[1]).run()
