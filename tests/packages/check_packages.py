#!/usr/bin/python3
"""Unpacks each package of dist/ into a temporary folder and checks it as a
user would get it: exactly the files it should hold, the Linux programs
running from there on the example and giving the same compiled file as the
build tree's compiler, every .exe a 32-bit Windows program whose version block
reads back right, the kit's licence in each, the Windows README readable on a
Japanese Windows, the Debian package clean under lintian, and the run-time
library's DLLs of both kinds exporting the header's functions undecorated and
importing only system DLLs, with import libraries that give 32-bit callers the
names their compilers ask for.

Usage: check_packages.py DIST NATIVE_BUILD [VERSION]
(Debian's python3: it needs python3-pefile; and llvm-nm.)"""
import glob
import gzip
import os
import re
import shutil
import subprocess
import sys
import tarfile
import tempfile
import zipfile

import pefile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PROGRAMS = ["zetcomp", "zetdump", "zetlint", "zetplay"]
EXES = ["Zetcomp.exe", "Zetview.exe", "zetdump.exe", "zetlint.exe", "zetplay.exe", "zetshow.exe"]
MANUALS = ["man1/zetcomp.1.gz", "man1/zetdump.1.gz", "man1/zetlint.1.gz", "man1/zetplay.1.gz",
           "man5/zts.5.gz"]
STRIPS = ["ask.bmp", "info.bmp", "plain.bmp", "stop.bmp", "warn.bmp"]
GUIDES = ["en/guide.md", "en/guide.html", "ja/guide.md", "ja/guide.html", "zetrt-box.png"]
CMAKE_PACKAGE = ["lib/cmake/Zetrova/ZetrovaConfig.cmake", "lib/cmake/Zetrova/ZetrovaMessages.cmake"]
# The run-time library: its folder per kind of application, PE machine and
# optional header magic.
RUNTIMES = {"x86": (0x14C, 0x10B), "x64": (0x8664, 0x20B)}
RUNTIME_FILES = ["zetrt.dll", "libzetrt.dll.a", "zetrt.lib"]
HEADER = os.path.join(ROOT, "runtime", "zetrt.h")
# What a DLL of the kit may import: the system's own.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll",
               "advapi32.dll"}
# Version blocks: file name, description, version.
DESCRIPTIONS = {"Zetcomp.exe": "Zetrova コンパイラ",
                "Zetview.exe": "Zetrova メッセージボックス表示ツール"}


def project_version():
    with open(os.path.join(ROOT, "CMakeLists.txt")) as f:
        return re.search(r"project\(Zetrova VERSION ([0-9.]+)", f.read()).group(1)


def linux_files(share_doc="share/doc/zetrova"):
    files = ["bin/" + p for p in PROGRAMS]
    files += ["share/man/" + m for m in MANUALS]
    files += ["share/zetrova/examples/demo.zts"]
    files += ["share/zetrova/examples/bmp/" + s for s in STRIPS]
    files += [share_doc + "/" + g for g in GUIDES + ["copyright", "changelog.gz"]]
    files += CMAKE_PACKAGE
    return sorted(files)


def windows_files():
    files = EXES + ["LICENSE.txt", "README.txt", "sample.zts", "examples/demo.zts"]
    files += ["examples/bmp/" + s for s in STRIPS]
    files += ["docs/" + g for g in GUIDES]
    files += ["runtime/%s/%s" % (arch, f) for arch in RUNTIMES for f in RUNTIME_FILES]
    files += ["include/zetrt.h", "examples/runtime/CMakeLists.txt", "examples/runtime/hello.c"]
    return sorted(files + CMAKE_PACKAGE)


def header_functions():
    """The functions zetrt.h declares."""
    with open(HEADER) as f:
        return set(re.findall(r"ZETRT_API [^;]*?WINAPI (\w+)\(", f.read()))


def read(path):
    with open(path, "rb") as f:
        return f.read()


LICENSE = read(os.path.join(ROOT, "LICENSE"))


def tree(folder):
    return sorted(os.path.relpath(os.path.join(d, f), folder)
                  for d, _, names in os.walk(folder) for f in names)


class Checker:
    def __init__(self, native_build):
        self.native_build = native_build
        self.failures = []

    def expect(self, condition, what):
        if not condition:
            self.failures.append(what)
        return condition

    def same_files(self, package, folder, expected):
        found = tree(folder)
        missing = sorted(set(expected) - set(found))
        extra = sorted(set(found) - set(expected))
        self.expect(not missing, "%s lacks %s" % (package, missing))
        self.expect(not extra, "%s holds what it should not: %s" % (package, extra))

    def compile_example(self, package, zetcomp, root, work):
        """The example, copied from the package into `work`, compiled there."""
        shutil.copytree(os.path.join(root, "share", "zetrova", "examples"), work,
                        dirs_exist_ok=True)
        run = subprocess.run([zetcomp, "demo.zts"], cwd=work, capture_output=True)
        self.expect(run.returncode == 0, "%s: %s demo.zts: %s" % (package, zetcomp, run.stdout))
        with open(os.path.join(work, "demo.ztr"), "rb") as f:
            return f.read()

    def compiles_like_the_build_tree(self, package, root):
        """The packaged programs on the packaged example, and the build tree's
        zetcomp beside the packaged one."""
        with tempfile.TemporaryDirectory() as ours, tempfile.TemporaryDirectory() as tree:
            packaged = self.compile_example(package, os.path.join(root, "bin", "zetcomp"), root,
                                            ours)
            built = self.compile_example(
                package, os.path.join(self.native_build, "compiler", "shell", "zetcomp"), root,
                tree)
            self.expect(packaged == built,
                        "%s: its zetcomp compiles the example otherwise than the build tree" %
                        package)
            for command in (["zetdump", "--check", "demo.ztr"], ["zetplay", "demo.ztr"],
                            ["zetlint", "demo.zts"]):
                run = subprocess.run([os.path.join(root, "bin", command[0])] + command[1:],
                                     cwd=ours, capture_output=True)
                self.expect(run.returncode == 0, "%s: %s: %s" % (package, " ".join(command),
                                                                run.stdout + run.stderr))

    def manuals_read(self, package, root):
        for manual in MANUALS:
            run = subprocess.run(["man", "-l", os.path.join(root, "share", "man", manual)],
                                 capture_output=True, env=dict(os.environ, MANWIDTH="80",
                                                               LC_ALL="C.UTF-8"))
            self.expect(run.returncode == 0 and b"NAME" in run.stdout,
                        "%s: man -l %s fails" % (package, manual))

    def lintian(self, path):
        """Debian's own checks: no error and no warning. An override would
        stand in the package, with its reason beside it."""
        if not self.expect(shutil.which("lintian"), "lintian is missing: scripts/bootstrap.sh"):
            return
        run = subprocess.run(["lintian", "--fail-on", "error,warning", path],
                             capture_output=True, text=True)
        tags = [line for line in run.stdout.splitlines() if not line.startswith("N:")]
        self.expect(run.returncode == 0 and not any(t.startswith(("E:", "W:")) for t in tags),
                    "%s: lintian (status %d):\n%s%s" % (path, run.returncode, run.stdout,
                                                         run.stderr))

    def debian_documents(self, package, doc, version):
        """The copyright file carries the kit's licence; the changelog's
        latest entry is this version. (same_files reports them missing.)"""
        if not all(os.path.exists(os.path.join(doc, f)) for f in ("copyright", "changelog.gz")):
            return
        copyright_text = read(os.path.join(doc, "copyright")).decode()
        licence = LICENSE.decode().split("Permission is hereby granted", 1)[1]
        indented = "\n".join(" " + (line or ".") for line in licence.rstrip("\n").split("\n"))
        self.expect("License: Expat\n Permission is hereby granted" + indented[1:] in
                    copyright_text, "%s: the copyright file lacks the kit's licence" % package)
        with gzip.open(os.path.join(doc, "changelog.gz"), "rt") as f:
            first = f.readline()
        self.expect(first.startswith("zetrova (%s) " % version),
                    "%s: the changelog's latest entry is %r, not version %s: add one to "
                    "packaging/changelog.in" % (package, first.strip(), version))

    def deb(self, path, version):
        self.lintian(path)
        with tempfile.TemporaryDirectory() as work:
            subprocess.run(["dpkg-deb", "-x", path, work], check=True)
            self.same_files(path, work, ["usr/" + f for f in linux_files()])
            self.debian_documents(path, os.path.join(work, "usr/share/doc/zetrova"), version)
            fields = subprocess.run(["dpkg-deb", "-f", path, "Package", "Version",
                                     "Architecture", "Depends"], capture_output=True,
                                    text=True, check=True).stdout
            self.expect("Package: zetrova" in fields and "Version: %s" % version in fields and
                        "Architecture: amd64" in fields and "libc6" in fields,
                        "%s: control fields %r" % (path, fields))
            self.compiles_like_the_build_tree(path, os.path.join(work, "usr"))
            self.manuals_read(path, os.path.join(work, "usr"))

    def archive(self, path, opener, top, work):
        """Unpacks into `work`; the folder of the archive's one top entry."""
        with opener(path) as archive:
            archive.extractall(work)
        self.expect(os.listdir(work) == [top], "%s: top folder %s" % (path, os.listdir(work)))
        return os.path.join(work, top)

    def tgz(self, path, version):
        with tempfile.TemporaryDirectory() as work:
            root = self.archive(path, tarfile.open, "zetrova-%s-linux-x86_64" % version, work)
            self.same_files(path, root, linux_files() + ["LICENSE.txt"])
            self.expect(read(os.path.join(root, "LICENSE.txt")) == LICENSE,
                        "%s: LICENSE.txt is not the kit's LICENSE" % path)
            self.debian_documents(path, os.path.join(root, "share/doc/zetrova"), version)
            self.compiles_like_the_build_tree(path, root)

    def zip(self, path, version):
        with tempfile.TemporaryDirectory() as work:
            root = self.archive(path, zipfile.ZipFile, "zetrova-%s-win32" % version, work)
            self.same_files(path, root, windows_files())
            for exe in EXES:
                self.exe(path, os.path.join(root, exe), version)
            self.windows_texts(path, root, version)
            with open(os.path.join(root, "include", "zetrt.h"), "rb") as packaged, \
                    open(HEADER, "rb") as source:
                self.expect(packaged.read() == source.read(), "%s: zetrt.h differs" % path)
            for arch in RUNTIMES:
                self.runtime(path, os.path.join(root, "runtime", arch), arch)

    def windows_texts(self, package, root, version):
        """Both texts with Windows line ends; the README in Shift-JIS, naming
        every program and the guide; the licence the kit's, then the terms of
        what the programs link."""
        licence = read(os.path.join(root, "LICENSE.txt"))
        self.expect(licence.startswith(LICENSE.rstrip(b"\n").replace(b"\n", b"\r\n")) and
                    b"zlib" in licence and b"MinGW-w64" in licence and
                    b"\n" not in licence.replace(b"\r\n", b""),
                    "%s: LICENSE.txt is not the kit's licence with the linked terms" % package)
        raw = read(os.path.join(root, "README.txt"))
        try:
            text = raw.decode("cp932")
        except UnicodeDecodeError as error:
            text = ""
            self.expect(False, "%s: README.txt is no Shift-JIS: %s" % (package, error))
        missing = [word for word in EXES + [version, "docs\\ja\\guide.html",
                                            "docs\\en\\guide.html", "利用の手引き"]
                   if word not in text]
        self.expect(not missing and b"\n" not in raw.replace(b"\r\n", b""),
                    "%s: README.txt lacks %s or has lines not ended by CR LF" % (package, missing))

    def runtime(self, package, folder, arch):
        """The DLL of one kind: machine, undecorated exports of the header's
        functions, system imports; its import libraries' symbols."""
        functions = header_functions()
        pe = pefile.PE(os.path.join(folder, "zetrt.dll"))
        machine, magic = RUNTIMES[arch]
        self.expect(pe.FILE_HEADER.Machine == machine and pe.OPTIONAL_HEADER.Magic == magic and
                    pe.is_dll(), "%s: runtime/%s/zetrt.dll is no %s DLL" % (package, arch, arch))
        exports = {e.name.decode() for e in pe.DIRECTORY_ENTRY_EXPORT.symbols if e.name}
        self.expect(exports == functions, "%s: runtime/%s/zetrt.dll exports %s" %
                    (package, arch, sorted(exports)))
        imports = {i.dll.decode().lower() for i in pe.DIRECTORY_ENTRY_IMPORT}
        self.expect(imports <= SYSTEM_DLLS, "%s: runtime/%s/zetrt.dll imports %s" %
                    (package, arch, sorted(imports - SYSTEM_DLLS)))
        # What a call compiles to: _Name@n for 32-bit stdcall, Name for 64-bit.
        call = r"_(\w+)@\d+" if arch == "x86" else r"(\w+)"
        for library in ("libzetrt.dll.a", "zetrt.lib"):
            nm = subprocess.run(["llvm-nm", os.path.join(folder, library)], capture_output=True,
                                text=True)
            symbols = set(re.findall(r" [TI] __imp_" + call + "$", nm.stdout, re.M))
            self.expect(symbols == functions, "%s: runtime/%s/%s gives %s" %
                        (package, arch, library, sorted(symbols)))

    def exe(self, package, path, version):
        name = os.path.basename(path)
        pe = pefile.PE(path)
        self.expect(pe.FILE_HEADER.Machine == 0x14C and pe.OPTIONAL_HEADER.Magic == 0x10B,
                    "%s: %s is no 32-bit Windows program" % (package, name))
        if name not in DESCRIPTIONS:
            return
        strings = {}
        for info in getattr(pe, "FileInfo", []):
            for entry in info:
                for table in getattr(entry, "StringTable", []):
                    strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
        numbers = ", ".join(version.split("."))
        self.expect(strings.get("OriginalFilename") == name and
                    strings.get("FileDescription") == DESCRIPTIONS[name],
                    "%s: %s's version block: %r" % (package, name, strings))
        if name == "Zetcomp.exe":
            fixed = pe.VS_FIXEDFILEINFO[0]
            parts = [int(p) for p in version.split(".")]
            self.expect(strings.get("FileVersion") == numbers and
                        fixed.FileVersionMS == parts[0] << 16 | parts[1] and
                        fixed.FileVersionLS == parts[2] << 16 | parts[3],
                        "%s: Zetcomp.exe's version %r" % (package, strings.get("FileVersion")))


def main():
    dist, native_build = sys.argv[1:3]
    version = sys.argv[3] if len(sys.argv) > 3 else project_version()
    checker = Checker(os.path.abspath(native_build))
    packages = {
        "deb": os.path.join(dist, "zetrova_%s_amd64.deb" % version),
        "tgz": os.path.join(dist, "zetrova-%s-linux-x86_64.tar.gz" % version),
        "zip": os.path.join(dist, "zetrova-%s-win32.zip" % version),
    }
    # Its contents are checked where it is made (the vscode_vsix test).
    extension = glob.glob(os.path.join(dist, "zetrova-zts-*.vsix"))
    checker.expect(len(extension) == 1, "%s holds no single VS Code extension" % dist)
    for kind, path in packages.items():
        if checker.expect(os.path.exists(path), "%s is missing" % path):
            getattr(checker, kind)(path, version)
    leftovers = sorted(set(glob.glob(os.path.join(dist, "*"))) - set(packages.values()) -
                       set(extension))
    for failure in checker.failures:
        print("FAIL:", failure)
    print("%d packages checked, %d failures; also in %s: %s" % (
        len(packages), len(checker.failures), dist, [os.path.basename(p) for p in leftovers]))
    return 1 if checker.failures else 0


if __name__ == "__main__":
    sys.exit(main())
