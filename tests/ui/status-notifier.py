"""A minimal StatusNotifierWatcher, and the checks of the item a program registers with it.

`status-notifier.py watch FILE` owns org.kde.StatusNotifierWatcher on the session bus, says a
host is registered, and writes the bus name of each item that registers to FILE.
`status-notifier.py check NAME` reads the item's properties and menu and works its Pause entry.
"""
import sys
import time

import dbus
import dbus.service

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"

# Qt reads IsStatusNotifierHostRegistered through introspection: without the properties listed
# here it decides there is no tray.
INTROSPECTION = """<!DOCTYPE node PUBLIC "-//freedesktop//DTD D-BUS Object Introspection 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd">
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
  <interface name="org.freedesktop.DBus.Properties">
    <method name="Get">
      <arg name="interface" type="s" direction="in"/><arg name="name" type="s" direction="in"/>
      <arg name="value" type="v" direction="out"/>
    </method>
    <method name="GetAll">
      <arg name="interface" type="s" direction="in"/>
      <arg name="values" type="a{sv}" direction="out"/>
    </method>
  </interface>
  <interface name="org.freedesktop.DBus.Introspectable">
    <method name="Introspect"><arg name="data" type="s" direction="out"/></method>
  </interface>
</node>
"""


class Watcher(dbus.service.Object):
    def __init__(self, bus, record):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.items = []
        self.record = record

    @dbus.service.method("org.freedesktop.DBus.Introspectable", out_signature="s")
    def Introspect(self):
        return INTROSPECTION

    def properties(self):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(True),
            "ProtocolVersion": dbus.Int32(0),
        }

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss",
                         out_signature="v")
    def Get(self, interface, name):
        return self.properties()[name]

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="s",
                         out_signature="a{sv}")
    def GetAll(self, interface):
        return self.properties()

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # An item may give its object path instead of a bus name.
        name = sender if service.startswith("/") else service
        self.items.append(name)
        with open(self.record, "a") as record:
            record.write(name + "\n")
        self.StatusNotifierItemRegistered(name)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass


def watch(record):
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus, record)
    name = dbus.service.BusName(WATCHER, bus)
    print("watcher up", flush=True)
    GLib.MainLoop().run()
    del watcher, name


def menu_entries(menu):
    """The labels of the top level of the menu, by id, after the host announced it opens."""
    menu.AboutToShow(dbus.Int32(0), dbus_interface=MENU)
    _, (_, _, children) = menu.GetLayout(0, -1, dbus.Array([], signature="s"),
                                         dbus_interface=MENU)
    entries = {}
    for child in children:
        child_id, props, _ = child
        if props.get("type") != "separator":
            # Mnemonics arrive as '_' (dbusmenu's marker) or '&'.
            label = str(props.get("label", "")).replace("_", "").replace("&", "")
            entries[label] = int(child_id)
    return entries


def check(name):
    failures = []
    bus = dbus.SessionBus()
    item = bus.get_object(name, "/StatusNotifierItem")

    def prop(key):
        return item.Get(ITEM, key, dbus_interface="org.freedesktop.DBus.Properties")

    def tip():
        return str(prop("ToolTip")[2])

    print(f"Id {prop('Id')!r}, Title {prop('Title')!r}, IconName {prop('IconName')!r}")
    print(f"ToolTip {tip()!r}")
    if prop("Title") != "Tinsori":
        failures.append(f"Title is {prop('Title')!r}")
    if prop("IconName") != "org.quillfen.Tinsori":
        failures.append(f"IconName is {prop('IconName')!r}")
    if not prop("IconPixmap"):
        failures.append("no pixmap for hosts without the icon installed")
    lines = tip().split("\n")
    if len(lines) != 2 or not lines[0].startswith("You are listening to Tinsori"):
        failures.append(f"the tip is not the program's line over its state: {lines}")
    elif not lines[1].startswith("No sound: the output is none"):
        failures.append(f"the tip's state is {lines[1]!r}, not the output in use")

    menu = bus.get_object(name, str(prop("Menu")))
    entries = menu_entries(menu)
    print(f"menu {list(entries)}")
    for wanted in ("Exit", "Output", "Sleep", "Pause"):
        if wanted not in entries:
            failures.append(f"the menu has no {wanted!r}")
    if "Pause" in entries:
        menu.Event(dbus.Int32(entries["Pause"]), "clicked", dbus.String("", variant_level=1),
                   dbus.UInt32(0), dbus_interface=MENU)
        end = time.time() + 5
        while time.time() < end and not tip().endswith("\nPaused"):
            time.sleep(0.1)
        print(f"ToolTip after Pause {tip()!r}")
        if not tip().endswith("\nPaused"):
            failures.append(f"after Pause the tip reads {tip()!r}")
    for failure in failures:
        print(f"FAIL: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    if sys.argv[1] == "watch":
        watch(sys.argv[2])
    else:
        sys.exit(check(sys.argv[2]))
