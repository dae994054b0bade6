#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The program as a user meets it.

Each case starts the program as a user starts it, on the xcb platform under Xvfb, against the fake
marketplace of the test catalogue (a process of its own). Input goes only through the X server
(XTest, as from a mouse and a keyboard); what the program shows is read only through the
accessibility bus (AT-SPI) and the clipboard (xclip). Every case ends by closing the main window as
a window manager does, and the program must then end with status 0.

Run by ctest under dbus-run-session: tst_user.py PROGRAM MARKETPLACE [CASE...]
"""
import os
import subprocess
import sys
import threading
import time
import traceback

try:
    import gi
    gi.require_version("Gio", "2.0")
    from gi.repository import Gio, GLib
    import pyatspi
    import Xlib.error
    from Xlib import X, XK, display as xdisplay
    from Xlib.ext import xtest
    from Xlib.protocol import event as xevent
except ImportError as missing:
    sys.exit(f"user-level tests need python3-pyatspi and python3-xlib: {missing}")

TIMEOUT = 20  # seconds; a query's own timeout is 21 ticks, the catalogue answers at once

FOUND_SUMMARY = (
    "测试旗舰店-DRS查询\n"
    "宝贝与描述相符：4.77分 低于行业平均 2.00% 飘红需要5分人数：762\n"
    "卖家的服务态度：4.80分 与行业平均持平 0.00% 飘红需要5分人数：0\n"
    "物流服务的质量：4.90分 高于行业平均 3.00% 飘红需要5分人数：0\n"
    "https://rate.taobao.com/user-rate-1001.htm\n"
)


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(0.1)


def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp", "-noreset"], pass_fds=[write_end])
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        number += os.read(read_end, 16)
    os.close(read_end)
    return server, ":" + number.decode().strip()


class Program:
    """One run of the program, seen and driven as a person sees and drives it."""

    def __init__(self, path, engine_flags):
        environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                           QTWEBENGINE_CHROMIUM_FLAGS=engine_flags,
                           LARKSPIRE_WATCH_MINUTE_MS="40")  # 定时刷新 every 30 minutes: some 1.2 s
        if os.geteuid() == 0:
            environment["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
        self.process = subprocess.Popen([path], env=environment, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.x = xdisplay.Display()
        self.app = None
        self.app = wait_for("the program on the accessibility bus", self._application)
        self.main = wait_for("the main window", lambda: self.window("Quillfen-Larkspire"))

    def _application(self):
        for app in children(pyatspi.Registry.getDesktop(0)):
            if app.name == "Larkspire" and app.get_process_id() == self.process.pid:
                return app
        return None

    # What the program shows, through the accessibility bus.

    def window(self, title):
        for window in children(self.app):
            if showing(window) and window.name == title:
                return window
        return None

    def find(self, root, role, name=None, description=None):
        return find(root, lambda a: a.getRole() == role and (name is None or a.name == name)
                    and (description is None or a.description == description))

    def figure(self, description):
        """The text of the figure a screen reader reads with this description."""
        label = self.find(self.main, pyatspi.ROLE_LABEL, description=description)
        if label is None:
            raise Failure(f"no figure described as {description}")
        return label.name

    def wait_figure(self, description, expected):
        wait_for(f"{description} to read {expected} (it reads {self.figure(description)!r})",
                 lambda: self.figure(description) == expected)

    def message(self):
        """The text of the open message box, if one is open."""
        box = self.window("Larkspire")
        if box is None:
            return None
        texts = [a.name for a in all_of(box, lambda a: a.getRole() == pyatspi.ROLE_LABEL)]
        return "\n".join(texts)

    # A person's input, through the X server.

    def click(self, accessible, button=1, at=None):
        x, y, width, height = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        px, py = at if at else (width // 2, height // 2)
        xtest.fake_input(self.x, X.MotionNotify, x=x + px, y=y + py)
        xtest.fake_input(self.x, X.ButtonPress, button)
        xtest.fake_input(self.x, X.ButtonRelease, button)
        self.x.sync()
        time.sleep(0.2)

    def key(self, *names):
        codes = [self.x.keysym_to_keycode(XK.string_to_keysym(name)) for name in names]
        for code in codes:
            xtest.fake_input(self.x, X.KeyPress, code)
        for code in reversed(codes):
            xtest.fake_input(self.x, X.KeyRelease, code)
        self.x.sync()
        time.sleep(0.05)

    def type(self, text):
        for character in text:
            self.key({".": "period", " ": "space", "-": "minus"}.get(character, character))

    def type_into(self, field_name, text):
        field = wait_for(f"the box {field_name}", lambda: self.find(self.main, pyatspi.ROLE_TEXT, name=field_name))
        self.click(field)
        self.key("Control_L", "a")
        self.key("BackSpace")
        self.type(text)

    def button(self):
        return wait_for("the query button", lambda: self.find(self.main, pyatspi.ROLE_PUSH_BUTTON))

    def query(self, name, by="click"):
        self.type_into("旺旺号", name)
        if by == "click":
            self.click(self.button())
        else:
            self.key("Return")

    def paste_into(self, field_name, text):
        """The text put on the clipboard, as another program copies it, and pasted with Ctrl+V."""
        subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=text, text=True, timeout=10, check=True)
        field = wait_for(f"the box {field_name}", lambda: self.find(self.main, pyatspi.ROLE_TEXT, name=field_name))
        self.click(field)
        self.key("Control_L", "a")
        self.key("BackSpace")
        self.key("Control_L", "v")

    def answer_message(self, expected):
        text = wait_for(f"the message {expected}", self.message)
        if text != expected:
            raise Failure(f"message {text!r}, expected {expected!r}")
        self.click(self.find(self.window("Larkspire"), pyatspi.ROLE_PUSH_BUTTON, name="OK"))
        wait_for("the message box to close", lambda: self.message() is None)

    def popups(self):
        """The popups on the screen: windows that no window manager frames, such as menus and lists
        under a text box. Qt leaves popups out of what it tells the accessibility bus."""
        shown = []
        for window in self.x.screen().root.query_tree().children:
            try:
                attributes = window.get_attributes()
            except Xlib.error.XError:  # gone since the tree was read
                continue
            if attributes.map_state == X.IsViewable and attributes.override_redirect:
                shown.append(window)
        return shown

    def clipboard(self, form="UTF8_STRING"):
        return subprocess.run(["xclip", "-o", "-selection", "clipboard", "-target", form], capture_output=True,
                              text=True, timeout=10).stdout

    def x_window(self, title):
        """The X window of one of the program's windows, by its title."""
        name = self.x.intern_atom("_NET_WM_NAME")
        utf8 = self.x.intern_atom("UTF8_STRING")
        for window in self.x.screen().root.query_tree().children:
            try:
                value = window.get_full_property(name, utf8)
            except Xlib.error.XError:
                continue
            if value is not None and value.value.decode() == title:
                return window
        raise Failure(f"no window titled {title} on the screen")

    def move(self, title, x, y):
        """Moves a window as a person drags it by its title bar."""
        self.x_window(title).configure(x=x, y=y)
        self.x.sync()
        time.sleep(0.3)

    def close_window(self, title):
        """Closes a window as a window manager does when its close button is pressed."""
        window = self.x_window(title)
        protocols = self.x.intern_atom("WM_PROTOCOLS")
        delete = self.x.intern_atom("WM_DELETE_WINDOW")
        window.send_event(xevent.ClientMessage(window=window, client_type=protocols,
                                               data=(32, [delete, X.CurrentTime, 0, 0, 0])))
        self.x.sync()

    def close(self):
        """Closes the main window as a window manager does when its close button is pressed."""
        window = self.x_window("Quillfen-Larkspire")
        protocols = self.x.intern_atom("WM_PROTOCOLS")
        delete = self.x.intern_atom("WM_DELETE_WINDOW")
        window.send_event(xevent.ClientMessage(window=window, client_type=protocols,
                                               data=(32, [delete, X.CurrentTime, 0, 0, 0])))
        self.x.sync()
        try:
            status = self.process.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end when its main window was closed")
        if status != 0:
            raise Failure(f"the program ended with status {status}")

    def end(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.x.close()


class TrayHost:
    """A desktop's system tray as the StatusNotifier protocol has it on the session bus: the watcher
    a program's tray icon registers with, and the host that shows the icons and passes a click on
    one of their menu's items (com.canonical.dbusmenu) to the program."""

    WATCHER = """<node><interface name="org.kde.StatusNotifierWatcher">
      <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
      <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    </interface></node>"""

    def __init__(self):
        self.items = []  # (bus name, object path) of each icon registered
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        interface = Gio.DBusNodeInfo.new_for_xml(self.WATCHER).interfaces[0]
        self.bus.register_object("/StatusNotifierWatcher", interface, self._call,
                                 lambda *_: GLib.Variant("b", True), None)
        owned = threading.Event()
        Gio.bus_own_name_on_connection(self.bus, "org.kde.StatusNotifierWatcher", Gio.BusNameOwnerFlags.NONE,
                                       lambda *_: owned.set(), None)
        threading.Thread(target=GLib.MainLoop().run, daemon=True).start()
        if not owned.wait(TIMEOUT):
            raise Failure("the tray could not take its name on the session bus")

    def _call(self, connection, sender, path, interface, method, parameters, invocation):
        item = parameters.unpack()[0]  # an object path of the sender's, or a bus name
        self.items.append((sender, item) if item.startswith("/") else (item, "/StatusNotifierItem"))
        invocation.return_value(None)

    def _dbus(self, service, path, interface, method, signature, arguments):
        return self.bus.call_sync(service, path, interface, method, GLib.Variant(signature, arguments), None,
                                  Gio.DBusCallFlags.NONE, -1, None).unpack()

    def icon(self):
        """The icon last registered, while its program holds its name on the bus."""
        shown = [item for item in self.items if self._dbus("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                           "org.freedesktop.DBus", "NameHasOwner", "(s)",
                                                           (item[0],))[0]]
        return shown[-1] if shown else None

    def click_menu_item(self, item, label):
        service, path = item
        menu = self._dbus(service, path, "org.freedesktop.DBus.Properties", "Get", "(ss)",
                          ("org.kde.StatusNotifierItem", "Menu"))[0]
        entries = self._dbus(service, menu, "com.canonical.dbusmenu", "GetLayout", "(iias)", (0, -1, []))[1][2]
        for entry in entries:
            if entry[1].get("label") == label:
                self._dbus(service, menu, "com.canonical.dbusmenu", "Event", "(isvu)",
                           (entry[0], "clicked", GLib.Variant("i", 0), 0))
                return
        raise Failure(f"the tray menu has no {label}: {[entry[1].get('label') for entry in entries]}")


TRAY = None


def children(accessible):
    """The children still there: a window may close, or a part be made anew, while it is read."""
    try:
        return [child for child in accessible if child is not None]
    except Exception:
        return []


def showing(accessible):
    try:
        return accessible.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def all_of(root, matches):
    found = []
    for child in children(root):
        try:
            # A page's own content is not the program's: it is not searched.
            if not showing(child) or child.getRole() == pyatspi.ROLE_DOCUMENT_WEB:
                continue
            if matches(child):
                found.append(child)
        except Exception:
            continue
        found.extend(all_of(child, matches))
    return found


def print_tree(accessible, depth=0):
    """What the program shows, for a failure's report."""
    try:
        print("    " + "  " * depth + f"{accessible.getRoleName()} {accessible.name!r} {accessible.description!r}"
              + ("" if showing(accessible) else " (not showing)"))
        for child in accessible:
            if child is not None and depth < 12:
                print_tree(child, depth + 1)
    except Exception as error:
        print("    " + "  " * depth + f"unreadable: {error}")


def find(root, matches):
    found = all_of(root, matches)
    return found[0] if found else None


# The cases: each takes a freshly started program and leaves it for closing.

def query_by_click(ui):
    if ui.main.getRole() != pyatspi.ROLE_FRAME:  # a screen reader says what it is: a window, not a "filler"
        raise Failure(f"the main window reads as {ui.main.getRoleName()}")
    ui.query("found")
    ui.wait_figure("宝贝与描述相符 评分", "4.77分")
    ui.wait_figure("宝贝与描述相符 飘红需要5分人数", "762")
    if ui.find(ui.main, pyatspi.ROLE_PANEL, name="测试旗舰店-DRS查询") is None:
        raise Failure("the results frame is not captioned with the shop")


def query_by_enter(ui):
    ui.query("found", by="enter")
    ui.wait_figure("物流服务的质量 评分", "4.90分")


def remembered_name_then_one_click(ui):
    ui.query("found")
    ui.wait_figure("宝贝与描述相符 评分", "4.77分")
    before = len(ui.popups())
    ui.type_into("旺旺号", "fo")
    wait_for("the remembered name offered under the name box", lambda: len(ui.popups()) > before)
    ui.click(ui.button())  # once: the search for "fo" finds no shop
    ui.answer_message("没有找到对应的店铺")


def empty_name(ui):
    ui.click(ui.button())
    ui.answer_message("请输入旺旺名")
    if ui.button().name != "查询":
        raise Failure("the button did not stay idle")


def no_shop(ui):
    ui.query("nobody")
    ui.answer_message("没有找到对应的店铺")


def pasted_share_text(ui):
    ui.paste_into("旺旺号", "【测试旗舰店】 https://m.tb.cn/h.ItemShare?tk=HiJkLmN1234 复制这条信息，打开手机淘宝")
    ui.click(ui.button())
    ui.wait_figure("宝贝与描述相符 飘红需要5分人数", "762")
    if ui.find(ui.main, pyatspi.ROLE_PANEL, name="测试旗舰店-DRS查询") is None:
        raise Failure("the results frame is not captioned with the shared item's shop")


def pasted_share_code(ui):
    ui.paste_into("旺旺号", "￥AbCdEfGhIjK￥")
    ui.click(ui.button())
    ui.answer_message("淘口令需要在手机淘宝中打开，请粘贴店铺或宝贝的链接")


def passed_in_the_login_window(name, title, then_title):
    """A query the marketplace stops with a page that a person fills in (its login page, or a
    verification page) in the login window; after that, the same query shows the figures."""
    def case(ui):
        ui.query(name)
        login = wait_for("the login window", lambda: ui.window("任意登陆一个旺旺账号"))
        ui.move("任意登陆一个旺旺账号", 480, 0)  # with no window manager here, it opens over the main window
        for attempt in range(3):  # the page may be loaded anew under a person's hands
            page = wait_for(f"the page {title}", lambda: page_titled(login, title))
            ui.click(page, at=(430, 168))  # the field, where the login window shows the page
            ui.type("u")
            ui.key("Return")
            try:
                wait_for("the page after it", lambda: page_titled(login, then_title), timeout=5)
                break
            except Failure:
                if attempt == 2:
                    raise
        ui.click(ui.button())
        ui.wait_figure("宝贝与描述相符 评分", "4.77分")
        wait_for("the login window to be hidden", lambda: ui.window("任意登陆一个旺旺账号") is None)
    return case


def page_titled(window, title):
    """The page a browser of the window shows, if it is titled so: screen readers read it by its title.
    A page being replaced may be gone while it is read: then none is there yet."""
    for child in children(window):
        try:
            if child.getRole() == pyatspi.ROLE_DOCUMENT_WEB:
                return child if child.name == title else None
        except Exception:
            return None
        page = page_titled(child, title)
        if page is not None:
            return page
    return None


def target_gives_its_count(ui):
    ui.query("found")
    ui.wait_figure("宝贝与描述相符 评分", "4.77分")
    ui.type_into("宝贝与描述相符提升到：", "4.9")
    ui.wait_figure("宝贝与描述相符 提升后需要5分人数", "1300")


def copy_results(ui):
    ui.query("found")
    ui.wait_figure("宝贝与描述相符 飘红需要5分人数", "762")
    before = len(ui.popups())
    ui.click(ui.find(ui.main, pyatspi.ROLE_PANEL, name="测试旗舰店-DRS查询"), button=3, at=(20, 8))
    wait_for("the results menu", lambda: len(ui.popups()) > before)
    ui.key("Down")  # its first entry, 复制结果
    ui.key("Return")
    copied = wait_for("the figures on the clipboard", lambda: ui.clipboard() or None)
    if copied != FOUND_SUMMARY:
        raise Failure(f"clipboard holds {copied!r}")


def board_side_by_side(ui):
    """The shown shop added to the comparison board from the results menu, a second typed into the
    board's list, both queried there, and the table copied in both forms a spreadsheet pastes."""
    ui.query("found")
    ui.wait_figure("宝贝与描述相符 飘红需要5分人数", "762")
    before = len(ui.popups())
    ui.click(ui.find(ui.main, pyatspi.ROLE_PANEL, name="测试旗舰店-DRS查询"), button=3, at=(20, 8))
    wait_for("the results menu", lambda: len(ui.popups()) > before)
    for _ in range(3):  # 复制结果, 在浏览器中打开评分页, 加入对比
        ui.key("Down")
    ui.key("Return")
    board = wait_for("the board", lambda: ui.window("店铺对比"))
    ui.move("店铺对比", 200, 420)  # with no window manager here, it opens over the main window
    ui.click(ui.find(board, pyatspi.ROLE_TEXT, name="店铺列表"))
    ui.type("twodims")
    ui.click(ui.find(board, pyatspi.ROLE_PUSH_BUTTON, name="全部查询"))
    wait_for("both shops queried", lambda: ui.find(board, pyatspi.ROLE_LABEL, name="2 / 2"), timeout=2 * TIMEOUT)
    if ui.find(board, pyatspi.ROLE_TABLE_CELL, name="第二家店") is None:  # as a screen reader reads the table
        raise Failure("the second shop's row is not on the accessibility bus")
    ui.click(ui.find(board, pyatspi.ROLE_PUSH_BUTTON, name="复制表格"))
    rows = wait_for("the table on the clipboard", lambda: ui.clipboard().splitlines()[1:] or None)
    expected = ["found\t测试旗舰店\t已读取\t4.77\t-2.00%\t762\t—\t1000\t",
                "twodims\t第二家店\t已读取\t4.77\t+1.00%\t0\t"]
    if len(rows) != 2 or not all(row.startswith(start) for row, start in zip(rows, expected)):
        raise Failure(f"clipboard rows {rows!r}")
    html = ui.clipboard("text/html")
    if "<td>found</td><td>测试旗舰店</td>" not in html or html.count("<tr>") != 3:
        raise Failure(f"clipboard table {html!r}")


def watch_on_board(ui, shop):
    """Ctrl+B, the shop typed into the board's list and read, then 定时刷新 every 30 minutes (some
    1.2 s here); the board, as a screen reader sees it."""
    ui.click(wait_for("the box 旺旺号", lambda: ui.find(ui.main, pyatspi.ROLE_TEXT, name="旺旺号")))
    ui.key("Control_L", "b")
    board = wait_for("the board", lambda: ui.window("店铺对比"))
    if board.getRole() != pyatspi.ROLE_FRAME:
        raise Failure(f"the board reads as {board.getRoleName()}")
    ui.move("店铺对比", 200, 420)  # with no window manager here, it opens over the main window
    ui.click(ui.find(board, pyatspi.ROLE_TEXT, name="店铺列表"))
    ui.type(shop)
    ui.click(ui.find(board, pyatspi.ROLE_PUSH_BUTTON, name="全部查询"))
    wait_for("the shop read", lambda: ui.find(board, pyatspi.ROLE_TABLE_CELL, name="4.77"), timeout=2 * TIMEOUT)
    ui.click(ui.find(board, pyatspi.ROLE_COMBO_BOX, name="关闭"))  # 定时刷新: on Linux a list reads as its choice
    ui.key("Down")
    ui.key("Return")
    return board


def watched_shop_shows_its_change(ui):
    """定时刷新 chosen on the board: the shop read again shows what moved, as a screen reader reads it."""
    board = watch_on_board(ui, "rising2")
    wait_for("the change after the next round", lambda: ui.find(board, pyatspi.ROLE_TABLE_CELL, name="4.80 ↑0.03"),
             timeout=2 * TIMEOUT)
    if ui.find(board, pyatspi.ROLE_TABLE_CELL, name="+0.50% ↑2.50% 转红") is None:
        raise Failure("the crossing of the industry is not read on the accessibility bus")


def own_query_between_watch_rounds(ui):
    """The board watches a shop (定时刷新, a round every second or so here); between two rounds the
    person queries a shop of their own by Enter. The rounds go on, and the person's figures stay."""
    board = watch_on_board(ui, "rising")
    wait_for("the first round", lambda: ui.find(board, pyatspi.ROLE_TABLE_CELL, name="4.80 ↑0.03"),
             timeout=2 * TIMEOUT)
    ui.query("twodims", by="enter")
    wait_for("the person's shop", lambda: ui.find(ui.main, pyatspi.ROLE_PANEL, name="第二家店-DRS查询"))
    time.sleep(6)  # some five rounds of the board's
    if ui.find(ui.main, pyatspi.ROLE_PANEL, name="第二家店-DRS查询") is None:
        raise Failure("the person's figures gave way to the board's rounds")
    # The rounds went on: the row shows its reading again between two of them.
    wait_for("the watched row's reading", lambda: ui.find(board, pyatspi.ROLE_TABLE_CELL, name="4.80 ↑0.03"))
    if ui.message() is not None:
        raise Failure("the board opened a message box")


def watch_goes_on_from_the_tray(ui):
    """The board closed while it watches: its icon in the tray, the rounds going on, the board back
    from the tray's menu with what moved meanwhile, and 停止观察 there ending the watch."""
    watch_on_board(ui, "rising3")
    ui.close_window("店铺对比")
    wait_for("the board to close", lambda: ui.window("店铺对比") is None)
    icon = wait_for("the watch's icon in the tray", TRAY.icon)
    time.sleep(3)  # some rounds of the watch, the board closed
    TRAY.click_menu_item(icon, "店铺对比")
    board = wait_for("the board from the tray", lambda: ui.window("店铺对比"))
    wait_for("what moved while it was closed", lambda: ui.find(board, pyatspi.ROLE_TABLE_CELL, name="4.80 ↑0.03"))
    wait_for("the icon gone while the board is open", lambda: TRAY.icon() is None)
    ui.close_window("店铺对比")
    icon = wait_for("the icon again", TRAY.icon)
    TRAY.click_menu_item(icon, "停止观察")
    wait_for("the icon gone once the watch stopped", lambda: TRAY.icon() is None)
    ui.click(ui.find(ui.main, pyatspi.ROLE_TEXT, name="旺旺号"))
    ui.key("Control_L", "b")
    board = wait_for("the board again", lambda: ui.window("店铺对比"))
    if ui.find(board, pyatspi.ROLE_COMBO_BOX, name="关闭") is None:
        raise Failure("停止观察 left 定时刷新 on")


CASES = [
    ("query by click", query_by_click),
    ("query by Enter", query_by_enter),
    ("a remembered name, its popup open, then one click", remembered_name_then_one_click),
    ("the empty-name message and its OK", empty_name),
    ("the no-shop message", no_shop),
    ("the app's share text pasted: the shared item's shop", pasted_share_text),
    ("the app's share code pasted alone: told to paste its link", pasted_share_code),
    ("the login window, a login, then the figures", passed_in_the_login_window("login", "login", "search")),
    ("a slider at the rating page, passed in the login window, then the figures",
     passed_in_the_login_window("slider-rating", "verify", "验证店 - 信用评价")),
    ("a target typed gives its count", target_gives_its_count),
    ("复制结果 puts the figures on the clipboard", copy_results),
    ("加入对比, a second shop typed into the board, both queried, the table copied", board_side_by_side),
    ("the person's own query between two rounds of the watch keeps its figures", own_query_between_watch_rounds),
    ("定时刷新 on the board: the shop read again shows what moved", watched_shop_shows_its_change),
    ("the board closed while it watches goes on from the tray", watch_goes_on_from_the_tray),
]


def main():
    program_path, marketplace_path = sys.argv[1:3]
    chosen = sys.argv[3:]
    xvfb, display = start_xvfb()
    os.environ["DISPLAY"] = display
    marketplace = subprocess.Popen([marketplace_path], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                   text=True)
    engine_flags = marketplace.stdout.readline().strip()
    pyatspi.Registry.getDesktop(0)  # the accessibility bus runs before the program looks for it
    global TRAY
    TRAY = TrayHost()  # a desktop with a tray, before any program looks for one
    passed = failed = 0
    try:
        for title, case in CASES:
            if chosen and title not in chosen:
                continue
            started = time.monotonic()
            ui = None
            try:
                ui = Program(program_path, engine_flags)
                case(ui)
                ui.close()
                passed += 1
                print(f"PASS   : {title} ({time.monotonic() - started:.1f} s)", flush=True)
            except Exception as error:
                failed += 1
                print(f"FAIL!  : {title}: {error}", flush=True)
                if not isinstance(error, Failure):
                    traceback.print_exc()
                elif ui and ui.app:
                    print_tree(ui.app)
            finally:
                if ui:
                    ui.end()
    finally:
        marketplace.kill()
        xvfb.kill()
    print(f"user: {passed} passed, {failed} failed")
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main())
