#!/usr/bin/env python3
"""Zetcomp.exe end to end: the real program under Wine on a display, on real
sources in a scratch folder. Each run's log is read from its log window through
winctl, compared byte for byte, the window is closed as a user would close it,
and the program must end with status 0.

Usage: zetcomp_end_to_end_test.py WINE_RUN ZETCOMP_EXE WINCTL_EXE EXAMPLES_DIR WORK_DIR
(run it under xvfb-run). Leaves zetcomp_window.png, a screenshot of the log
window, in WORK_DIR.
"""
import os
import re
import shutil
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..",
                                "tests", "support"))
from winctl import Winctl, unescape  # noqa: E402

WINE_RUN, ZETCOMP, WINCTL, EXAMPLES, WORK = sys.argv[1:6]
del sys.argv[1:6]

CAPTION = "Zetrova コンパイラ"
INSTALLED = "Zetrovaコンパイラをインストールしました。\r\n"
UNINSTALLED = "Zetrovaコンパイラをアンインストールしました。\r\nファイルが不要なら削除してください。\r\n"
UNINSTALL_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zetcomp"
BAD_VERSION = "[basis]中の version が指定されていないか、対応できない値です。\r\n"


def sjis(text):
    return text.encode("cp932")


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class ZetcompTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.winctl = Winctl(WINE_RUN, WINCTL)
        shutil.rmtree(WORK, ignore_errors=True)
        os.makedirs(WORK)
        shutil.copytree(os.path.join(EXAMPLES, "bmp"), os.path.join(WORK, "bmp"))
        with open(os.path.join(EXAMPLES, "demo.zts"), "rb") as f:
            demo = f.read()
        cls.write("demo.zts", demo)
        cls.write("third.zts", demo.replace(b"output=demo.ztr", b"output=third.ztr"))
        cls.write("broken.zts", demo.replace(b"version=11", b"version=10"))
        # A copy of the program in a folder whose name has blanks and 表, which
        # ends in the byte 0x5C.
        cls.folder = os.path.join(WORK, "Zet 表示 dir")
        os.makedirs(cls.folder)
        cls.program = os.path.join(cls.folder, "Zetcomp.exe")
        shutil.copy(ZETCOMP, cls.program)

    @classmethod
    def tearDownClass(cls):
        cls.winctl.close()

    @staticmethod
    def write(name, data):
        with open(os.path.join(WORK, name), "wb") as f:
            f.write(data)

    def setUp(self):
        for name in ("demo.ztr", "third.ztr"):
            if os.path.exists(os.path.join(WORK, name)):
                os.remove(os.path.join(WORK, name))

    def run_zetcomp(self, args, close="escape", program=None, screenshot=None, while_open=None):
        """Runs the program, returns the text of its log window; closes the
        window with Escape, the Close button or the close box. `while_open` is
        called with the window before it is closed."""
        process = subprocess.Popen([WINE_RUN, program or ZETCOMP] + args, cwd=WORK)
        try:
            found = self.winctl("wait", 15000, "class=#32770", b"title=" + sjis(CAPTION), "visible")
            dialog = found[0].split(b"\t")[0]
            view = self.winctl("item", dialog, 1000)[0]
            text = unescape(self.winctl("text", view)[0])
            if while_open:
                while_open(dialog)
            if screenshot:
                subprocess.run(["import", "-window", "root", os.path.join(WORK, screenshot)],
                               check=False)
            if close == "escape":
                self.winctl("key", view, "ESCAPE")
            elif close == "button":
                self.winctl("click", self.winctl("item", dialog, 1)[0])
            else:
                self.winctl("syscommand", dialog, "close")
            self.winctl("gone", 5000, dialog)
            self.assertEqual(process.wait(timeout=10), 0)
        finally:
            if process.poll() is None:
                process.kill()
        return text

    def test_compiles_and_logs(self):
        cases = [
            # (arguments, expected log, how to close, files written)
            (["demo.zts"], "demo.zts 処理中...\r\n完了。\r\n", "escape", ["demo.ztr"]),
            ([], "", "button", []),
            (["demo.zts", "third.zts"],
             "demo.zts 処理中...\r\n完了。\r\nthird.zts 処理中...\r\n完了。\r\n", "box",
             ["demo.ztr", "third.ztr"]),
            # The second of three fails: one failure line, the third is not compiled.
            (["demo.zts", "broken.zts", "third.zts"],
             "demo.zts 処理中...\r\n完了。\r\nbroken.zts 処理中...\r\n" + BAD_VERSION + "\r\n",
             "escape", ["demo.ztr"]),
            # Options that are no option word leave no trace and are never files.
            (["/Install", "--install", "-installx", "/demo.zts", "demo.zts"],
             "demo.zts 処理中...\r\n完了。\r\n", "escape", ["demo.ztr"]),
        ]
        for args, log, close, written in cases:
            with self.subTest(args=args):
                self.setUp()
                shot = "zetcomp_window.png" if args == ["demo.zts"] else None
                self.assertEqual(self.run_zetcomp(args, close, screenshot=shot), sjis(log))
                for name in ("demo.ztr", "third.ztr"):
                    self.assertEqual(os.path.exists(os.path.join(WORK, name)), name in written,
                                     name)

    def reg_value(self, key, value=None):
        """A registry value's data as the reg tool prints it, or None."""
        args = [WINE_RUN, "reg", "query", key] + (["/v", value] if value else ["/ve"])
        result = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        for line in result.stdout.split(b"\r\n"):
            match = re.match(rb"\s+.*?\s+REG_SZ\s+(.*)$", line)
            if result.returncode == 0 and match:
                return match.group(1)
        return None

    def test_installs_from_a_folder_with_blanks_and_uninstalls_by_its_entry(self):
        for key in ("HKCR\\ZetrovaSource", "HKCR\\.zts", UNINSTALL_KEY):
            subprocess.run([WINE_RUN, "reg", "delete", key, "/f"], stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
        program = self.program
        win_program = sjis(windows_path(program))
        win_folder = sjis(windows_path(self.folder) + "\\")

        self.assertEqual(self.run_zetcomp(["-install", "demo.zts"], program=program),
                         sjis(INSTALLED))
        self.assertFalse(os.path.exists(os.path.join(WORK, "demo.ztr")))
        classes = "HKCR\\ZetrovaSource\\Shell\\"
        self.assertEqual(self.reg_value(classes + "compile\\command"),
                         b'"' + win_program + b'" "%1"')
        self.assertEqual(self.reg_value(classes + "help\\command"),
                         b"winhlp32.exe " + win_folder + b"Zetcomp.hlp")
        self.assertEqual(self.reg_value("HKCR\\.zts\\ShellNew", "FileName"),
                         win_folder + b"sample.zts")
        command = self.reg_value(UNINSTALL_KEY, "UninstallString")
        self.assertEqual(command, b'"' + win_program + b'" -uninstall')

        # The uninstall entry's command line, as the system would run it.
        quoted, option = re.match(rb'"(.*)" (.*)$', command).groups()
        self.assertEqual(self.run_zetcomp([option.decode()], close="box",
                                          program=quoted.decode("cp932")),
                         sjis(UNINSTALLED))
        self.assertIsNone(self.reg_value(UNINSTALL_KEY, "UninstallString"))
        self.assertIsNone(self.reg_value("HKCR\\ZetrovaSource"))
        self.assertIsNone(self.reg_value("HKCR\\.zts"))

    def test_help_opens_the_help_file_beside_the_program_until_the_window_closes(self):
        viewer = {}

        def ask_for_help(dialog):
            self.winctl("click", self.winctl("item", dialog, 1002)[0])
            # The file is not there: the viewer says so, naming the path it was given.
            box = self.winctl("wait", 10000, "class=#32770", "not=" + dialog.decode(),
                              "visible")[0].split(b"\t")[0]
            viewer["message"] = b"\n".join(unescape(l) for l in self.winctl("msgbox", box))
            self.winctl("click", self.winctl("item", box, 7)[0])  # No
            viewer["window"] = self.winctl("wait", 10000, "class=MS_WINHELP")[0].split(b"\t")[0]

        self.run_zetcomp([], program=self.program, while_open=ask_for_help)
        self.assertIn(b"'" + sjis(windows_path(self.folder)) + b"\\Zetcomp.hlp'",
                      viewer["message"])
        # Destroying the log window closes the viewer.
        self.winctl("gone", 5000, viewer["window"])

if __name__ == "__main__":
    # Status 77 (skipped) where this build's programs cannot run on this machine.
    if subprocess.run([WINE_RUN, "--check"]).returncode == 77:
        sys.exit(77)
    unittest.main(verbosity=2)
