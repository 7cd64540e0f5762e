#!/usr/bin/python3
"""Reads what valgrind and strace recorded while the program ran and says
whether the program kept to its promises.

  check-trace.py memcheck --program EXE --tree DIR... XML...
      No block is definitely lost by the program's own code, and its own code
      makes no invalid read, write or free and no use of uninitialised memory.
      A finding is the program's own when its innermost frame in the program's
      code does more than create Qt's application object or run its event
      loop; inline code from Qt's headers does not count as the program's.

  check-trace.py strace --program EXE --tree DIR... [--bus ADDRESS] TRACE...
      TRACE files are strace -ff -yy output, one per thread. The program, its
      threads and any process it starts, whether or not a call succeeds:
      - read no file of the program's own: nothing in the source or build
        trees (Qt's look for plugin folders beside the executable aside), no
        .bmp, .ico, .cur or .page file anywhere, no .svg, .ttf or .otf file
        outside the system's data folders, nothing named after the program;
        system libraries, Qt's plugins and translations, fontconfig's
        configuration and caches and the system's fonts are fine;
      - write no file: no open for writing or creating, no write to a file,
        nothing created, removed, renamed, linked or changed in mode, owner or
        times; /dev/null, /dev/zero, /dev/full, /dev/tty, /dev/dri/*, the
        shared memory in /dev/shm and memfd files, standard output and error,
        and a mkdir that finds its folder already there are fine;
      - start no other program;
      - open only local sockets, and connect only to the X server's, to
        glibc's name service cache, to the session bus at ADDRESS and, when
        there is one, to the accessibility bus; take no connections.

Each finding is printed with where it happened; the exit status is 1 if
there was any.
"""
import argparse
import os
import re
import sys
import xml.etree.ElementTree as ET

# ---------------------------------------------------------------- memcheck

# Functions of Qt that only create the application or run its event loop.
# When the program's innermost frame merely calls one of these, what went
# wrong happened inside Qt or a system library, not in the program's code.
EVENT_LOOP = re.compile(
    r"^(QCoreApplication|QGuiApplication|QApplication)::(QCoreApplication|QGuiApplication|QApplication|exec)\("
    r"|^Q(Core|Gui)?ApplicationPrivate::init\("
    r"|^QEventLoop::(exec|processEvents)\("
    r"|^QCoreApplication::processEvents\("
    r"|^QDialog::exec\("
    r"|^QMessageBox::(exec|critical|warning|information|question)\("
)

MEMORY_ERRORS = {
    "InvalidRead", "InvalidWrite", "InvalidFree", "MismatchedFree", "InvalidMemPool", "Overlap",
    "UninitCondition", "UninitValue", "SyscallParam", "ClientCheck", "FishyValue",
}


def within(path, trees):
    path = os.path.realpath(path)
    return any(path == tree or path.startswith(tree + os.sep) for tree in trees)


def is_own_frame(frame, program, trees):
    """A frame of the program's executable whose source, when known, is in
    the source or build tree; inline code of Qt's headers is not the
    program's own."""
    obj = frame.findtext("obj")
    if not obj or os.path.realpath(obj) != program:
        return False
    directory, name = frame.findtext("dir"), frame.findtext("file")
    return not (directory and name) or within(os.path.join(directory, name), trees)


def describe_frame(frame):
    function = frame.findtext("fn") or frame.findtext("ip")
    where = frame.findtext("file")
    if where:
        where += ":" + (frame.findtext("line") or "?")
    else:
        where = frame.findtext("obj") or "?"
    return f"{function} ({where})"


def owning_frame(stack, program, trees):
    """The program's innermost frame, unless that frame only starts Qt or
    runs its event loop."""
    frames = stack.findall("frame")
    for index, frame in enumerate(frames):
        if is_own_frame(frame, program, trees):
            callee = (frames[index - 1].findtext("fn") or "") if index > 0 else ""
            return None if EVENT_LOOP.search(callee) else frame
    return None


def check_memcheck(arguments):
    program = os.path.realpath(arguments.program)
    trees = [os.path.realpath(tree) for tree in arguments.tree]
    findings = 0
    runs = 0
    for path in arguments.files:
        try:
            root = ET.parse(path).getroot()
        except ET.ParseError as error:
            print(f"{path}: valgrind's record is incomplete ({error}); did the program end normally?")
            findings += 1
            continue
        exe = root.findtext("args/argv/exe") or ""
        if os.path.realpath(exe) != program:
            continue
        runs += 1
        pid = root.findtext("pid")
        lost = 0
        for error in root.findall("error"):
            kind = error.findtext("kind")
            leak = kind == "Leak_DefinitelyLost"
            if not leak and kind not in MEMORY_ERRORS:
                continue
            stack = error.find("stack")
            frame = owning_frame(stack, program, trees) if stack is not None else None
            if frame is None:
                what = error.findtext("xwhat/text") or error.findtext("what")
                print(f"run {pid}: not the program's own, left alone: {what}")
                continue
            findings += 1
            if leak:
                lost += int(error.findtext("xwhat/leakedbytes") or 0)
            print(f"run {pid}: {error.findtext('xwhat/text') or error.findtext('what')}")
            print(f"    in the program's own {describe_frame(frame)}, from:")
            for each in stack.findall("frame"):
                print(f"      {describe_frame(each)}")
        print(f"run {pid}: {lost} bytes definitely lost by the program's own code")
    if runs == 0:
        print("memcheck: no record of the program was found")
        return 1
    return 1 if findings else 0


# ------------------------------------------------------------------ strace

LINE = re.compile(r"^(?P<call>[a-z_0-9]+)\((?P<args>.*)\)\s+=\s+(?P<result>.*)$")
STRING = re.compile(r'"((?:[^"\\]|\\.)*)"')
# A file descriptor as strace -yy shows it: 5</some/path> or AT_FDCWD</cwd>.
FD_PATH = re.compile(r"^(\d+|AT_FDCWD)<(/[^<>]*)")

WRITE_FLAGS = ("O_WRONLY", "O_RDWR", "O_CREAT", "O_TRUNC", "O_APPEND", "O_TMPFILE")
CHANGES_FILES = {
    "creat", "unlink", "unlinkat", "rename", "renameat", "renameat2", "mkdir", "mkdirat", "rmdir",
    "link", "linkat", "symlink", "symlinkat", "truncate", "mknod", "mknodat", "chmod", "fchmodat",
    "chown", "lchown", "fchownat", "utime", "utimes", "utimensat", "futimesat",
    "setxattr", "lsetxattr", "removexattr", "lremovexattr",
}
WRITES = {"write", "writev", "pwrite64", "pwritev", "pwritev2", "sendfile", "copy_file_range", "fallocate",
          "ftruncate"}
# Devices anyone may write to, and the shared memory the X server and the
# program exchange pictures through (POSIX shared memory and memfd files).
WRITABLE = re.compile(r"^/dev/(null|zero|full|tty|dri/.*|shm/.*)$|^/memfd:")
# The X server's socket, and glibc's name service cache.
SYSTEM_SOCKETS = re.compile(r"^@?/tmp/\.X11-unix/X\d+$|^(/var)?/run/nscd/socket$")
# Qt makes fontconfig start its set of application fonts by adding this file,
# which does not exist, before it adds the built-in menu typeface.
QT_APPLICATION_FONTS = ":/non-existent"
OWN_EXTENSIONS = (".bmp", ".ico", ".cur", ".page")
FONT_OR_DRAWING = (".svg", ".ttf", ".otf")
SYSTEM_DATA = ("/usr/share/", "/usr/local/share/", "/etc/", os.path.expanduser("~/.local/share/fonts/"),
               os.path.expanduser("~/.fonts/"))


def bus_socket_paths(address):
    """Socket paths of a D-Bus address such as
    unix:path=/tmp/dbus-x,guid=... or unix:abstract=/tmp/dbus-y"""
    paths = set()
    for transport in (address or "").split(";"):
        for part in transport.split(":", 1)[-1].split(","):
            key, _, value = part.partition("=")
            if key == "path":
                paths.add(value)
            elif key == "abstract":
                paths.add("@" + value)
    return paths


class Trace:
    """One thread's system calls, from one strace -ff file."""

    def __init__(self, path):
        self.tid = int(path.rsplit(".", 1)[1])
        self.calls = []
        unfinished = None
        with open(path, errors="replace") as file:
            for text in file:
                text = text.rstrip("\n")
                if text.endswith("<unfinished ...>"):
                    unfinished = text[: -len("<unfinished ...>")].rstrip()
                    continue
                resumed = re.match(r"^<\.\.\. [a-z_0-9]+ resumed>\s?(.*)$", text)
                if resumed and unfinished is not None:
                    text, unfinished = unfinished + resumed.group(1), None
                match = LINE.match(text)
                if match:
                    self.calls.append(match)
        self.spawned = []  # (tid, whether it is a thread of the same process)
        for match in self.calls:
            if match["call"] in ("clone", "clone3", "fork", "vfork"):
                child = re.match(r"^(\d+)", match["result"])
                if child:
                    self.spawned.append((int(child.group(1)), "CLONE_THREAD" in match["args"]))

    def executed(self):
        return [STRING.search(m["args"]).group(1) for m in self.calls if m["call"] == "execve" and m["result"] == "0"]


def check_strace(arguments):
    program = os.path.realpath(arguments.program)
    app_dir = os.path.dirname(program)
    trees = [os.path.realpath(tree) for tree in arguments.tree]
    bus = bus_socket_paths(arguments.bus)
    traces = {}
    for path in arguments.files:
        trace = Trace(path)
        traces[trace.tid] = trace

    # Who is who: each run begins with the execve of the program; its threads
    # are the program, and processes it forks are what it started.
    names = {}
    roots = [tid for tid, trace in traces.items() if [os.path.realpath(p) for p in trace.executed()[:1]] == [program]]
    pending = [(tid, "quelvara") for tid in roots]
    while pending:
        tid, name = pending.pop()
        if tid not in traces or tid in names:
            continue
        executed = traces[tid].executed()
        if executed and os.path.realpath(executed[-1]) != program:
            name = f"{os.path.basename(executed[-1])}, started by quelvara"
        names[tid] = name
        for child, thread in traces[tid].spawned:
            pending.append((child, name if thread else f"a process forked by {name}"))
    if not roots:
        print("strace: no run of the program was found")
        return 1

    findings = []

    def finding(tid, text, match):
        call = f"{match['call']}({match['args'][:240]}) = {match['result'][:60]}"
        findings.append(f"{names[tid]} (thread {tid}) {text}\n    {call}")

    def own_content(path, flags):
        if path == program or path == QT_APPLICATION_FONTS:
            return False
        real = os.path.realpath(path)
        if within(real, trees):
            # Qt looks for plugin folders beside the executable.
            return not (os.path.dirname(real) == app_dir and "O_DIRECTORY" in flags)
        lower = path.lower()
        if lower.endswith(OWN_EXTENSIONS) or "quelvara" in lower:
            return True
        return lower.endswith(FONT_OR_DRAWING) and not path.startswith(SYSTEM_DATA)

    for tid in sorted(names):
        for match in traces[tid].calls:
            call, args = match["call"], match["args"]
            first = STRING.search(args)
            if call == "execve":
                if os.path.realpath(first.group(1)) != program:
                    finding(tid, f"starts another program, {first.group(1)}", match)
            elif call in ("open", "openat", "openat2", "creat"):
                path = first.group(1)
                flags = "O_CREAT" if call == "creat" else args[first.end():]
                if not path.startswith("/") and path != QT_APPLICATION_FONTS:
                    directory = FD_PATH.match(args) if call != "open" else None
                    path = os.path.normpath(os.path.join(directory.group(2) if directory else "/", path))
                if any(flag in flags for flag in WRITE_FLAGS):
                    if not WRITABLE.match(path):
                        finding(tid, f"opens {path} for writing", match)
                elif own_content(path, flags):
                    finding(tid, f"reads {path}, which is the program's own", match)
            elif call in CHANGES_FILES:
                path = first.group(1) if first else args
                # Qt makes sure its runtime folder is there; a folder that is
                # there already is left as it was.
                unchanged = call in ("mkdir", "mkdirat") and " EEXIST " in f"{match['result']} "
                if not path.startswith("/dev/shm/") and not unchanged:
                    finding(tid, f"changes the file system at {path}", match)
            elif call in WRITES:
                target = FD_PATH.match(args)
                if target and int(target.group(1)) > 2 and not WRITABLE.match(target.group(2)):
                    finding(tid, f"writes to the file {target.group(2)}", match)
            elif call == "socket":
                if not args.startswith("AF_UNIX"):
                    finding(tid, "opens a socket that is not a local one", match)
            elif call in ("connect", "sendto", "sendmsg"):
                address = re.search(r'sun_path=(@?)"((?:[^"\\]|\\.)*)"', args)
                family = re.search(r"sa_family=(AF_[A-Z0-9]+)", args)
                if address:
                    where = address.group(1) + address.group(2)
                    accessibility = bool(bus) and "at-spi" in where
                    if not SYSTEM_SOCKETS.match(where) and where not in bus and not accessibility:
                        finding(tid, f"connects to the socket {where}", match)
                elif family and family.group(1) != "AF_UNIX":
                    finding(tid, f"sends to an {family.group(1)} address", match)
            elif call in ("bind", "listen", "accept", "accept4"):
                finding(tid, "takes connections", match)

    for text in findings:
        print(text)
    threads = sum(1 for name in names.values() if name == "quelvara")
    print(f"strace: {len(roots)} runs, {threads} threads of the program, {len(names) - threads} threads and "
          f"processes it started; {len(findings)} findings")
    return 1 if findings else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("mode", choices=("memcheck", "strace"))
    parser.add_argument("--program", required=True)
    parser.add_argument("--tree", action="append", default=[], help="the source or build tree")
    parser.add_argument("--bus", help="the session bus's address, if one was there")
    parser.add_argument("files", nargs="+")
    arguments = parser.parse_args()
    sys.exit(check_memcheck(arguments) if arguments.mode == "memcheck" else check_strace(arguments))


if __name__ == "__main__":
    main()
