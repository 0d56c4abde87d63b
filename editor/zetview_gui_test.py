#!/usr/bin/env python3
"""Drives the real Zetview dialog under Wine and checks what the user sees.

Runs under a display (xvfb-run). Windows are read and driven with winctl; the
message box that appears is read from its own window. The exact type bits are
visible only inside the process, so those cases run the test build, whose
message box call first writes its arguments to stdout.

  zetview_gui_test.py --wine-run RUN --winctl EXE --zetview EXE --recording EXE
                      --artifacts DIR [unittest arguments]
"""

import argparse
import os
import queue
import re
import subprocess
import sys
import threading
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "support"))
from winctl import Winctl, WinctlError  # noqa: E402

DIALOG_TITLE = "Zetrova メッセージボックスエディタ"
TEMPLATE_ID = 101
# Control ids; the Close button is IDCANCEL.
BUTTON_SET, ICON_KIND, CAPTION, BODY, SHOW, HELP_CHECK = 1000, 1001, 1002, 1003, 1004, 1005
CLOSE = 2
STATIC = 65535  # the template's -1 as a 16-bit id

# The combo boxes' entries in list order: caption and stored type bits.
BUTTON_SETS = [
    ("OK", 0x0),
    ("OK / ｷｬﾝｾﾙ", 0x1),
    ("再試行 / ｷｬﾝｾﾙ", 0x5),
    ("はい / いいえ", 0x4),
    ("はい / いいえ / ｷｬﾝｾﾙ", 0x3),
    ("中止 / 再試行 / 無視", 0x2),
]
ICONS = [
    ("なし", 0x0),
    ("ｉアイコン", 0x40),
    ("！アイコン", 0x30),
    ("×アイコン", 0x10),
]

# Controls in tab order: id, class, text, dialog-unit rectangle (x, y, width, height)
# and the style bits that survive creation (WS_CHILD, WS_VISIBLE, WS_GROUP, WS_TABSTOP
# and the control's own low word; the system moves an edit's WS_BORDER elsewhere).
CONTROLS = [
    (STATIC, "Static", "タイトル(&T)", (7, 13, 45, 8), 0x50020000),
    (CAPTION, "Edit", "", (55, 9, 173, 14), 0x50010080),
    (STATIC, "Static", "アイコン(&I)", (10, 31, 42, 8), 0x50020000),
    (ICON_KIND, "ComboBox", "なし", (55, 28, 173, 138), 0x50010003),
    (STATIC, "Static", "ボタン(&B)", (8, 49, 43, 8), 0x50020000),
    (BUTTON_SET, "ComboBox", "OK", (55, 46, 173, 141), 0x50010003),
    (HELP_CHECK, "Button", "ヘルプボタンを追加(&H)", (55, 63, 93, 10), 0x50010003),
    (STATIC, "Static", "本文(&M)", (7, 76, 35, 8), 0x50020000),
    (BODY, "Edit", "", (7, 87, 229, 94), 0x500100C4),
    (SHOW, "Button", "メッセージボックスの表示(&S)", (7, 192, 148, 14), 0x50010001),
    (CLOSE, "Button", "閉じる(&C)", (186, 192, 50, 14), 0x50010000),
]
SURVIVING_STYLE = 0x5003FFFF

# Message-box button ids.
IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDHELP = 1, 2, 3, 4, 5, 6, 7, 9
WM_NEXTDLGCTL, DM_GETDEFID, DC_HASDEFID = 0x28, 0x400, 0x534B

TEXT_LIMIT = 32766
WAIT_MS = "10000"


def long_text(head, size):
    """`head`, then letters that make a wrong cut position show, `size` bytes in all.

    Letters rather than digits: Wine measures long runs of digits very slowly.
    """
    filler = "".join(chr(ord("a") + i % 26) for i in range(size))
    text = head + filler
    while len(text.encode("cp932")) > size:
        text = text[:-1]
    return text


class Editor:
    """A running editor with its dialog; `records` holds the test build's call lines."""

    def __init__(self, test, exe):
        self.test = test
        ctl = test.ctl
        self.process = subprocess.Popen([ARGS.wine_run, exe], stdin=subprocess.DEVNULL,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.records = queue.Queue()
        self.reader = threading.Thread(target=self._read_records, daemon=True)
        self.reader.start()
        try:
            self.dialog = ctl("wait", WAIT_MS, "class=#32770", "title=" + DIALOG_TITLE,
                              "visible")[0]
            ids = (BUTTON_SET, ICON_KIND, CAPTION, BODY, SHOW, HELP_CHECK, CLOSE)
            self.items = {cid: ctl("item", self.dialog, cid)[0] for cid in ids}
        except WinctlError:
            self.kill()
            raise

    def _read_records(self):
        for line in self.process.stdout:
            match = re.match(rb"MessageBoxA owner=(\w+) type=(\w+) caption=(\w*) text=(\w*)", line)
            if match:
                self.records.put({"owner": int(match.group(1), 16), "type": int(match.group(2), 16),
                                  "caption": bytes.fromhex(match.group(3).decode()),
                                  "text": bytes.fromhex(match.group(4).decode())})

    def compose(self, button_set=0, icon=0, help_check=False, caption="", body=""):
        ctl = self.test.ctl
        ctl("select", self.items[BUTTON_SET], button_set)
        ctl("select", self.items[ICON_KIND], icon)
        ctl("check", self.items[HELP_CHECK], 1 if help_check else 0)
        ctl("set-text", self.items[CAPTION], caption)
        ctl("set-text", self.items[BODY], body)

    def wait_box(self):
        return self.test.ctl("wait", WAIT_MS, "class=#32770", "owner=" + self.dialog, "visible")[0]

    def show(self):
        self.test.ctl("click", self.items[SHOW])
        return self.wait_box()

    def read_box(self, box):
        """Caption, texts, button ids and icon of a message box, read from its window.

        The icon is its name, with " (N pixels off)" when the picture differs from
        that standard icon anywhere.
        """
        seen = {"texts": [], "buttons": []}
        for fields in self.test.ctl.fields("msgbox", box):
            if fields[0] == "caption":
                seen["caption"] = fields[1]
            elif fields[0] == "text":
                seen["texts"].append(fields[1])
            elif fields[0] == "button":
                seen["buttons"].append(int(fields[1]))
            elif fields[0] == "icon":
                exact = fields[1] == "none" or fields[2] == "0"
                seen["icon"] = fields[1] + ("" if exact else " (%s pixels off)" % fields[2])
        return seen

    def read_and_dismiss(self, box):
        """Reads the box, then ends it with its first button other than Help."""
        seen = self.read_box(box)
        answers = [b for b in seen["buttons"] if b != IDHELP] or [IDOK]
        self.dismiss(box, answers[0])
        return seen

    def dismiss(self, box, button_id):
        self.test.ctl("click", self.test.ctl("item", box, button_id)[0])
        self.test.ctl("gone", WAIT_MS, box)

    def focus_id(self):
        return int(self.test.ctl.fields("focus", self.dialog)[0][1])

    def exit_code(self):
        return self.process.wait(timeout=10)

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.reader.join(timeout=10)
        self.process.stdout.close()


def window_info(ctl, window):
    return dict(line.split("\t", 1) for line in ctl("info", window))


def screenshot(ctl, windows, name):
    """The screen around some top-level windows, kept as a test artefact."""
    rects = [[int(v) for v in window_info(ctl, w)["rect"].split("\t")] for w in windows]
    left, top = max(min(r[0] for r in rects) - 20, 0), max(min(r[1] for r in rects) - 20, 0)
    right, bottom = max(r[2] for r in rects) + 20, max(r[3] for r in rects) + 20
    os.makedirs(ARGS.artifacts, exist_ok=True)
    subprocess.run(["import", "-window", "root", "-crop",
                    "%dx%d+%d+%d" % (right - left, bottom - top, left, top), "+repage",
                    os.path.join(ARGS.artifacts, name)], check=True)


class EditorTestCase(unittest.TestCase):
    ctl = None

    @classmethod
    def setUpClass(cls):
        cls.ctl = Winctl(ARGS.wine_run, ARGS.winctl, text=True)

    @classmethod
    def tearDownClass(cls):
        cls.ctl.close()

    def start(self, exe=None):
        editor = Editor(self, exe or ARGS.zetview)
        self.addCleanup(editor.kill)
        return editor

    def close_editor(self, editor):
        editor.test.ctl("click", editor.items[CLOSE])
        self.assertEqual(editor.exit_code(), 0)


class DialogTest(EditorTestCase):
    def test_starts_with_both_lists_in_table_order_and_focus_in_the_caption(self):
        editor = self.start()
        for combo, table in ((BUTTON_SET, BUTTON_SETS), (ICON_KIND, ICONS)):
            lines = self.ctl.fields("combo", editor.items[combo])
            self.assertEqual(lines[0], ["selection", "0"])
            self.assertEqual([(f[3], int(f[2], 16)) for f in lines[1:]], table)
        self.assertEqual(editor.focus_id(), CAPTION)
        self.assertEqual(self.ctl("checked", editor.items[HELP_CHECK]), ["0"])
        screenshot(self.ctl, [editor.dialog], "zetview-dialog.png")
        self.close_editor(editor)

    def test_controls_follow_the_template_in_tab_order_and_place(self):
        editor = self.start()
        module = "Z:" + os.path.abspath(ARGS.zetview).replace("/", "\\")
        children = self.ctl.fields("children", editor.dialog)
        self.assertEqual(len(children), len(CONTROLS))
        for child, (cid, cls, text, units, style) in zip(children, CONTROLS):
            with self.subTest(id=cid, text=text):
                self.assertEqual((int(child[1]), child[2], child[5]), (cid, cls, text))
                self.assertEqual(int(child[3], 16) & SURVIVING_STYLE, style)
                mapped = self.ctl("dialog-rect", module, TEMPLATE_ID, *units)[0]
                expected = [int(v) for v in mapped.split("\t")]
                rect = [int(v) for v in window_info(self.ctl, child[0])["rect"].split("\t")]
                # A drop-down list is as high as its closed field; the template's
                # height includes the list.
                compared = 3 if cls == "ComboBox" else 4
                self.assertEqual(rect[:compared], expected[:compared])
        client = window_info(self.ctl, editor.dialog)["client"]
        size = self.ctl("dialog-rect", module, TEMPLATE_ID, 0, 0, 243, 213)[0]
        self.assertEqual(client, size)
        self.close_editor(editor)

    def test_left_messages_are_processed_once(self):
        # WM_NEXTDLGCTL is left to DefDlgProcA: processed twice, the focus would skip a control.
        editor = self.start()
        steps = [(0, 0, ICON_KIND), (0, 0, BUTTON_SET), (0, 0, HELP_CHECK), (1, 0, BUTTON_SET)]
        for wparam, lparam, expected in steps:
            self.ctl("send", editor.dialog, WM_NEXTDLGCTL, wparam, lparam)
            self.assertEqual(editor.focus_id(), expected)
        # The result of a left message comes back through DWLP_MSGRESULT.
        self.assertEqual(self.ctl("send", editor.dialog, DM_GETDEFID, 0, 0),
                         [str(DC_HASDEFID << 16 | SHOW)])
        self.close_editor(editor)

    def click_close_box(self, editor):
        """A real mouse click, through the X server, on the close box Wine draws."""
        box = self.ctl("close-box", editor.dialog)[0]
        left, top, right, bottom = (int(v) for v in box.split("\t"))
        subprocess.run(["xdotool", "mousemove", "--sync", str((left + right) // 2),
                        str((top + bottom) // 2), "click", "1"], check=True)

    def test_close_button_escape_and_close_box_end_the_program_with_0(self):
        ways = {
            "close button": lambda e: self.ctl("click", e.items[CLOSE]),
            "escape": lambda e: self.ctl("key", e.items[CAPTION], "ESCAPE"),
            "close box": self.click_close_box,
        }
        for way, act in ways.items():
            with self.subTest(way=way):
                editor = self.start()
                act(editor)
                self.assertEqual(editor.exit_code(), 0)
                self.ctl("gone", WAIT_MS, editor.dialog)


class MessageBoxTest(EditorTestCase):
    def test_showing_right_after_start_gives_a_bare_ok_box(self):
        editor = self.start()
        seen = editor.read_and_dismiss(editor.show())
        self.assertEqual(seen, {"caption": "", "texts": [""], "buttons": [IDOK], "icon": "none"})
        self.close_editor(editor)

    def test_each_choice_shows_its_buttons_and_icon(self):
        cases = [
            # button set, icon, help, buttons seen, icon seen
            (3, 2, True, [IDYES, IDNO, IDHELP], "exclamation"),
            (5, 3, False, [IDABORT, IDRETRY, IDIGNORE], "hand"),
            (1, 1, False, [IDOK, IDCANCEL], "information"),
            (2, 0, False, [IDRETRY, IDCANCEL], "none"),
            (4, 1, True, [IDYES, IDNO, IDCANCEL, IDHELP], "information"),
        ]
        editor = self.start()
        for button_set, icon, help_check, buttons, icon_seen in cases:
            with self.subTest(button_set=BUTTON_SETS[button_set][0], icon=ICONS[icon][0]):
                caption = "確認 " + ICONS[icon][0]
                body = "本文です。\r\n" + BUTTON_SETS[button_set][0]
                editor.compose(button_set, icon, help_check, caption, body)
                box = editor.show()
                if button_set == 3:
                    editor.read_box(box)  # painted by now
                    screenshot(self.ctl, [editor.dialog, box], "zetview-message-box.png")
                expected = {"caption": caption, "texts": [body], "buttons": buttons,
                            "icon": icon_seen}
                self.assertEqual(editor.read_and_dismiss(box), expected)
        self.close_editor(editor)

    def test_help_button_leaves_the_box_open(self):
        editor = self.start()
        editor.compose(0, 0, True, "ヘルプ", "help")
        box = editor.show()
        self.ctl("click", self.ctl("item", box, IDHELP)[0])
        self.ctl("sleep", 300)
        still_open = self.ctl("list", "class=#32770", "owner=" + editor.dialog)
        editor.read_and_dismiss(box)
        self.assertEqual([line.split("\t")[0] for line in still_open], [box])
        self.close_editor(editor)

    def test_show_command_with_another_notification_shows_nothing(self):
        editor = self.start()
        for code in (1, 5, 0x0300):  # BN_PAINT, BN_DOUBLECLICKED, EN_CHANGE
            self.ctl("command", editor.dialog, SHOW, code)
        # Posted after them: once the focus has moved, the commands are done.
        self.ctl("post", editor.dialog, WM_NEXTDLGCTL, 0, 0)
        deadline = time.monotonic() + 10
        while editor.focus_id() != ICON_KIND and time.monotonic() < deadline:
            self.ctl("sleep", 20)
        self.assertEqual(editor.focus_id(), ICON_KIND)
        self.assertEqual(self.ctl("list", "class=#32770", "owner=" + editor.dialog), [])
        self.ctl("command", editor.dialog, SHOW, 0)
        editor.read_and_dismiss(editor.wait_box())
        self.close_editor(editor)

    def test_enter_in_the_body_shows_the_box(self):
        editor = self.start()
        editor.compose(body="一行目")
        self.ctl("send", editor.dialog, WM_NEXTDLGCTL, int(editor.items[BODY], 16), 1)
        self.assertEqual(editor.focus_id(), BODY)
        self.ctl("key", editor.items[BODY], "RETURN")
        self.assertEqual(editor.read_and_dismiss(editor.wait_box())["texts"], ["一行目"])
        self.assertEqual(self.ctl.fields("text", editor.items[BODY]), [["一行目"]])
        self.close_editor(editor)

    def test_long_caption_and_body_arrive_cut(self):
        editor = self.start()
        caption = long_text("見出し", 40000)
        body = long_text("本文", 33000)
        editor.compose(caption=caption, body=body)
        seen = editor.read_and_dismiss(editor.show())
        self.assertEqual(seen["caption"].encode("cp932"), caption.encode("cp932")[:TEXT_LIMIT])
        self.assertEqual(seen["texts"][0].encode("cp932"), body.encode("cp932")[:TEXT_LIMIT])
        self.close_editor(editor)


class TypeBitsTest(EditorTestCase):
    """The test build: the same dialog, with each message box call's arguments recorded."""

    def record(self, editor):
        return editor.records.get(timeout=10)

    def test_each_choice_passes_its_exact_type(self):
        cases = [
            # button set, icon, help, type
            (0, 0, False, 0x0),
            (3, 2, True, 0x4034),
            (5, 3, False, 0x12),
            (1, 1, False, 0x41),
            (4, 0, True, 0x4003),
            (2, 3, False, 0x15),
        ]
        editor = self.start(ARGS.recording)
        for i, (button_set, icon, help_check, expected) in enumerate(cases):
            with self.subTest(type=hex(expected)):
                if i > 0:  # the first case is the state right after start
                    editor.compose(button_set, icon, help_check, "題", "本文")
                editor.read_and_dismiss(editor.show())
                call = self.record(editor)
                self.assertEqual(call["type"], expected)
                self.assertEqual(call["owner"], int(editor.dialog, 16))
                texts = (b"", b"") if i == 0 else ("題".encode("cp932"), "本文".encode("cp932"))
                self.assertEqual((call["caption"], call["text"]), texts)
        self.close_editor(editor)
        editor.reader.join(timeout=10)
        self.assertTrue(editor.records.empty(), "a call the test did not make")

    def test_texts_are_cut_at_32766_bytes(self):
        editor = self.start(ARGS.recording)
        cases = [
            ("", ""),
            ("a" * TEXT_LIMIT, "b" * TEXT_LIMIT),
            (long_text("題", TEXT_LIMIT + 1), long_text("本文", 50000)),
        ]
        for caption, body in cases:
            with self.subTest(caption=len(caption), body=len(body)):
                editor.compose(caption=caption, body=body)
                editor.read_and_dismiss(editor.show())
                call = self.record(editor)
                self.assertEqual(call["caption"], caption.encode("cp932")[:TEXT_LIMIT])
                self.assertEqual(call["text"], body.encode("cp932")[:TEXT_LIMIT])
        self.close_editor(editor)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    for option in ("--wine-run", "--winctl", "--zetview", "--recording", "--artifacts"):
        parser.add_argument(option, required=True)
    ARGS, rest = parser.parse_known_args()
    # Status 77 (skipped) where this build's programs cannot run on this machine.
    if subprocess.run([ARGS.wine_run, "--check"]).returncode == 77:
        sys.exit(77)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


ARGS = None

if __name__ == "__main__":
    main()
