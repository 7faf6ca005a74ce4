#!/usr/bin/python3
"""Reads the running program's accessibility tree over AT-SPI, as a screen reader does, and
checks what it finds: every control named by what it is, the time display a plain label that
is read when visited and never announced, Start pressed through the tree.

Usage: accessibility_check.py PID main|focus|options|about
Prints one line per check, "ok NAME" or "FAIL NAME: what was seen"; exits 1 on a failure."""
import re
import sys
import time

import pyatspi
from gi.repository import Atspi

failed = 0


def check(name, condition, seen=""):
    global failed
    if condition:
        print(f"ok   {name}")
    else:
        failed += 1
        print(f"FAIL {name}: {seen}")


def fresh(acc):
    # libatspi caches names until its event loop runs, which this script has none of.
    Atspi.Accessible.clear_cache(acc)
    return acc


def first(accs, wanted, seconds):
    # The first of accs() that is wanted, asked again as the tree fills, for some seconds.
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = next((a for a in accs() if a is not None and wanted(a)), None)
        if found is not None:
            return found
        time.sleep(0.2)
    return None


def application(pid):
    return first(lambda: pyatspi.Registry.getDesktop(0), lambda a: a.get_process_id() == pid, 20)


def descendants(acc):
    for child in acc:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def of_role(root, role):
    return [fresh(a) for a in descendants(root) if a.getRole() == role and showing(a)]


def by_name(accs, name):
    return next((a for a in accs if a.name == name), None)


def press(acc):
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def window_titled(app, title):
    return first(lambda: fresh(app), lambda a: fresh(a).name == title and showing(a), 10)


def names(accs):
    return [a.name for a in accs]


def main_window(app):
    window = window_titled(app, "Rondelay")
    check("main window found over AT-SPI", window is not None, [a.name for a in app])
    if window is None:
        return
    buttons = of_role(window, pyatspi.ROLE_PUSH_BUTTON)
    check("push buttons are Start and Clear, by what they do",
          sorted(names(buttons)) == sorted(["スタート", "クリアー"]), names(buttons))
    labels = of_role(window, pyatspi.ROLE_LABEL)
    display = next((a for a in labels if re.fullmatch(r"\d\d:\d\d:\d\d", a.name)), None)
    check("time display reads as a label with the time", display is not None, names(labels))
    round_counter = next((a for a in labels if a.name == "0"), None)
    check("round counter reads as a label with its number", round_counter is not None,
          names(labels))
    if round_counter is not None:
        titled = [t.name for r in round_counter.getRelationSet()
                  if r.getRelationType() == pyatspi.RELATION_LABELLED_BY
                  for t in (r.getTarget(i) for i in range(r.getNTargets()))]
        check("round counter is labelled by its title", titled == ["Round："], titled)
    if display is None:
        return
    # A screen reader announces live regions and alerts on every change, and the display
    # changes every second: it is a plain label (found above), and no live region.
    attributes = display.getAttributes() or []
    live = [a for a in attributes if a.split(":")[0] in ("live", "container-live")]
    check("time display is no live region", not live, attributes)

    start = by_name(buttons, "スタート")
    if start is None:
        return
    press(start)
    time.sleep(2.6)
    shown = fresh(display).name
    check("Start pressed over AT-SPI counts the display", shown in ("00:00:02", "00:00:03"),
          shown)


def focus_after_click(app):
    # With a screen reader on, a pressed button keeps the focus and reads its new name: the
    # running timer's button, pressed, reads スタート again.
    window = window_titled(app, "Rondelay")
    # By role, not by the role's name: AT-SPI 2.56 (Debian 13) names a push button "button".
    wanted = [(pyatspi.ROLE_PUSH_BUTTON, "スタート")]
    deadline = time.monotonic() + 3
    while True:
        focused = [(a.getRole(), fresh(a).name) for a in descendants(window)
                   if a.getState().contains(pyatspi.STATE_FOCUSED)]
        if focused == wanted or time.monotonic() > deadline:
            break
        time.sleep(0.2)
    check("the pressed button keeps the focus", focused == wanted, focused)


def about_box(app):
    about = window_titled(app, "ﾊﾞｰｼﾞｮﾝ情報")
    check("About box found over AT-SPI", about is not None, [a.name for a in app])
    if about is None:
        return
    buttons = names(of_role(about, pyatspi.ROLE_PUSH_BUTTON))
    check("About box's button reads its caption", buttons == ["OK"], buttons)
    images = names(of_role(about, pyatspi.ROLE_IMAGE))
    check("About box's icon is named", images == ["Rondelay"], images)
    ok = by_name(of_role(about, pyatspi.ROLE_PUSH_BUTTON), "OK")
    if ok is not None:
        press(ok)
        time.sleep(0.5)


def from_menu(item, dialog):
    # Opens the dialog through its menu command in the tree, then reads it. The command runs
    # the modal dialog before it answers, so the call times out while the dialog is open; that
    # is expected.
    def open_and_read(app):
        window = window_titled(app, "Rondelay")
        items = [a for a in descendants(window) if a.getRole() == pyatspi.ROLE_MENU_ITEM]
        found = [a for a in items if fresh(a).name == item]
        check(f"the menu command {item} is in the tree", bool(found), names(items))
        if found:
            Atspi.set_timeout(1000, -1)
            try:
                press(found[0])
            except Exception:  # the timeout of a call still running
                pass
            Atspi.set_timeout(-1, -1)
            dialog(app)
    return open_and_read


def options_dialog(app):
    dialog = window_titled(app, "ｵﾌﾟｼｮﾝ")
    check("Options dialog found over AT-SPI", dialog is not None, [a.name for a in app])
    if dialog is None:
        return
    fields = {
        "text field": (pyatspi.ROLE_TEXT, ["分おきにベルを鳴らす", "秒間休む", "時間", "分後", "ラウンド"]),
        "check box": (pyatspi.ROLE_CHECK_BOX, ["分おきにベルを鳴らす", "秒間休む", "１ラウンド毎にタイマーをクリアする",
                                 "一定時間後にタイマーを停止する"]),
        "button": (pyatspi.ROLE_PUSH_BUTTON, ["OK", "ｷｬﾝｾﾙ", "色選択...", "色選択...",
                                   "ベル：分おきにベルを鳴らす 変更...", "ベル：秒間休む 変更...",
                                   "ベル：一定時間後にタイマーを停止する 変更..."]),
    }
    for kind, (role, expected) in fields.items():
        found = names(of_role(dialog, role))
        check(f"every Options {kind} named by its label or caption",
              sorted(found) == sorted(expected), f"{found}, expected {expected}")

    # The bell chooser, opened from the first bell row that can be used: a button pressed over
    # AT-SPI clicks a moment later, so the modal chooser does not hold up the reply.
    rows = [b for b in of_role(dialog, pyatspi.ROLE_PUSH_BUTTON)
            if b.name.startswith("ベル：") and b.getState().contains(pyatspi.STATE_ENABLED)]
    check("a bell row can be pressed over AT-SPI", bool(rows),
          names(of_role(dialog, pyatspi.ROLE_PUSH_BUTTON)))
    if not rows:
        return
    press(rows[0])
    chooser = window_titled(app, "ベル選択")
    check("the bell chooser opens from its row", chooser is not None, [a.name for a in app])
    if chooser is None:
        return
    radios = names(of_role(chooser, pyatspi.ROLE_RADIO_BUTTON))
    check("bell chooser's choices read their captions",
          sorted(radios) == sorted(["内蔵ビープ", "WAVファイル"]), radios)
    buttons = names(of_role(chooser, pyatspi.ROLE_PUSH_BUTTON))
    check("bell chooser's buttons read their captions",
          sorted(buttons) == sorted(["参照", "実行", "中止"]), buttons)
    cancel = by_name(of_role(chooser, pyatspi.ROLE_PUSH_BUTTON), "中止")
    if cancel is not None:
        press(cancel)
        time.sleep(0.5)


if __name__ == "__main__":
    pid, part = int(sys.argv[1]), sys.argv[2]
    app = application(pid)
    check("program found on the accessibility bus", app is not None, "not registered")
    if app is not None:
        {"main": main_window, "focus": focus_after_click,
         "options": from_menu("ｵﾌﾟｼｮﾝ(O)...", options_dialog),
         "about": from_menu("ﾊﾞｰｼﾞｮﾝ情報(A)...", about_box)}[part](app)
    sys.exit(1 if failed else 0)
