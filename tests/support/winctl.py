"""The one Python client of winctl, for the GUI tests: a winctl session that
takes a command per line and answers "ok N" and N lines, or "error" and a
reason. Fields are Shift-JIS bytes, escaped as winctl escapes them (fields.cpp):
backslash, tab, CR and LF by name, other control bytes as \\xHH; a trail byte
0x5C is no backslash."""
import subprocess

NAMED = {b"\\": b"\\\\", b"\t": b"\\t", b"\r": b"\\r", b"\n": b"\\n"}
UNNAMED = {b"\\": b"\\", b"t": b"\t", b"r": b"\r", b"n": b"\n", b"s": b" "}


def is_lead_byte(byte):
    return 0x81 <= byte <= 0x9F or 0xE0 <= byte <= 0xFC


def characters(data):
    """Shift-JIS characters as byte strings."""
    i = 0
    while i < len(data):
        step = 2 if is_lead_byte(data[i]) and i + 1 < len(data) else 1
        yield data[i:i + step]
        i += step


def encode(value):
    """A field's bytes: bytes as they are, text in Shift-JIS, numbers in ASCII."""
    return value if isinstance(value, bytes) else str(value).encode("cp932")


def escape(data):
    out = bytearray()
    for char in characters(data):
        if char in NAMED:
            out += NAMED[char]
        elif len(char) == 1 and (char[0] < 0x20 or char[0] == 0x7F or is_lead_byte(char[0])):
            out += b"\\x%02X" % char[0]
        else:
            out += char
    return bytes(out)


def unescape(field):
    """winctl's escapes back to bytes."""
    out = bytearray()
    chars = characters(field)
    for char in chars:
        if char != b"\\":
            out += char
            continue
        kind = next(chars)
        out += bytes([int(next(chars) + next(chars), 16)]) if kind == b"x" else UNNAMED[kind]
    return bytes(out)


class WinctlError(Exception):
    pass


class Winctl:
    """One session. Calls return the answer's lines as bytes; text=True gives
    them decoded from Shift-JIS."""

    def __init__(self, wine_run, exe, text=False):
        self.text = text
        self.process = subprocess.Popen([wine_run, exe, "-"], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)

    def __call__(self, *fields):
        self.process.stdin.write(b"\t".join(escape(encode(f)) for f in fields) + b"\n")
        self.process.stdin.flush()
        head = self._read_line()
        if head.startswith(b"error\t"):
            raise WinctlError("%s: %s" % (fields[0], unescape(head[6:]).decode("cp932")))
        if not head.startswith(b"ok "):
            raise WinctlError("winctl %r: %r" % (fields, head))
        lines = [self._read_line() for _ in range(int(head[3:]))]
        return [line.decode("cp932") for line in lines] if self.text else lines

    def fields(self, *command):
        """Each line split into its fields, unescaped."""
        lines = self(*command)
        if self.text:
            return [[unescape(f.encode("cp932")).decode("cp932") for f in line.split("\t")]
                    for line in lines]
        return [[unescape(f) for f in line.split(b"\t")] for line in lines]

    def _read_line(self):
        line = self.process.stdout.readline()
        if not line:
            raise WinctlError("winctl ended")
        return line.rstrip(b"\r\n")

    def close(self):
        self.process.stdin.close()
        self.process.wait(timeout=10)
        self.process.stdout.close()
