#!/usr/bin/env python3
"""The run-time library as a user gets it: the tree's runtime component
installed into a prefix, the guide's C program (examples/runtime) built with
CMake against it through find_package(Zetrova), run under Wine on a display
with the example's compiled file; its box is answered through winctl and the
printed answer checked. Also a program of Microsoft's kind (clang for the MSVC
target, lld-link, zetrt.lib) calls the DLL, where clang and lld-link are here.

Usage: runtime_package_test.py WINE_RUN WINCTL_EXE BUILD_TREE TOOLCHAIN BITS
       EXAMPLE_ZTR WORK_DIR   (run it under xvfb-run)"""
import os
import shutil
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from winctl import Winctl  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
WINE_RUN, WINCTL, TREE, TOOLCHAIN, BITS, EXAMPLE, WORK = sys.argv[1:8]
del sys.argv[1:8]
PREFIX = os.path.join(WORK, "prefix")
ARCH = "x86" if BITS == "32" else "x64"


def run(*command, **kwargs):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, **kwargs)


class RuntimePackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(WORK, ignore_errors=True)
        run("cmake", "--install", TREE, "--prefix", PREFIX, "--component", "runtime")

    def test_hello_shows_the_box_and_prints_the_answer(self):
        build = os.path.join(WORK, "hello")
        run("cmake", "-S", os.path.join(PREFIX, "examples", "runtime"), "-B", build,
            "-G", "Ninja", "-DCMAKE_TOOLCHAIN_FILE=" + TOOLCHAIN, "-DCMAKE_PREFIX_PATH=" + PREFIX)
        run("cmake", "--build", build)
        shutil.copy(EXAMPLE, os.path.join(build, "demo.ztr"))
        winctl = Winctl(WINE_RUN, WINCTL)
        # Into a file: Wine's background processes would hold a pipe open.
        output = open(os.path.join(WORK, "hello.out"), "w+b")
        hello = subprocess.Popen([WINE_RUN, "hello.exe", "demo.ztr"], cwd=build, stdout=output,
                                 stderr=subprocess.STDOUT)
        try:
            found = winctl("wait", 20000, "class=#32770", "title=Zetrova hello", "visible")
            box = found[0].split(b"\t")[0]
            shown = winctl.fields("msgbox", box)
            # The file's question with its suffix and captions: the library's box.
            text = b"".join(f[1] for f in shown if f[0] == b"text").decode("cp932")
            self.assertIn("変更を保存しますか？", text)
            self.assertIn("（確認）", text)
            buttons = {f[1]: f[2].decode("cp932") for f in shown if f[0] == b"button"}
            self.assertEqual(buttons, {b"6": "はい", b"7": "いいえ"})
            winctl("command", box, 6, 0)
            status = hello.wait(timeout=20)
            output.seek(0)
            self.assertEqual((status, output.read().replace(b"\r\n", b"\n")),
                             (0, b"answer: yes\n"))
        finally:
            if hello.poll() is None:
                hello.kill()
            winctl.close()
            output.close()
        # The example's build put the DLL beside the program.
        self.assertTrue(os.path.exists(os.path.join(build, "zetrt.dll")))

    @unittest.skipUnless(shutil.which("clang") and shutil.which("lld-link"),
                         "clang and lld-link make the program of Microsoft's kind")
    def test_a_program_linked_with_zetrt_lib_calls_the_dll(self):
        folder = os.path.join(WORK, "msvc")
        os.makedirs(folder)
        runtime = os.path.join(PREFIX, "runtime", ARCH)
        target = "i686-pc-windows-msvc" if BITS == "32" else "x86_64-pc-windows-msvc"
        run("clang", "-target", target, "-c", os.path.join(HERE, "msvc_call.c"), "-o",
            "msvc_call.obj", cwd=folder)
        run("lld-link", "/nologo", "/entry:entry", "/subsystem:console", "/nodefaultlib",
            "msvc_call.obj", os.path.join(runtime, "zetrt.lib"), "/out:msvc_call.exe",
            cwd=folder)
        shutil.copy(os.path.join(runtime, "zetrt.dll"), folder)
        shutil.copy(EXAMPLE, os.path.join(folder, "demo.ztr"))
        status = subprocess.run([WINE_RUN, "msvc_call.exe"], cwd=folder).returncode
        self.assertEqual(status, 0)


if __name__ == "__main__":
    # Status 77 (skipped) where this build's programs cannot run on this machine.
    if subprocess.run([WINE_RUN, "--check"]).returncode == 77:
        sys.exit(77)
    unittest.main()
