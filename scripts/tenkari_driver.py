"""Client of tenkari_e2e_driver.exe: sends it one command per line and reads its JSON replies.

    with WineSession(prefix) as wine, DriverClient(wine, driver_exe) as driver:
        driver.call("start", windows_path(exe), windows_path(work_dir))

Each command and its reply also go to the session's log, between the lines Wine writes, so
that the log tells what the driver was doing when Wine said something; last_words gives the
last of them for a failure's message.
"""
import collections
import json
import pathlib
import selectors
import subprocess

REPLY_TIMEOUT_S = 120
DRIVER_LIFETIME_S = 1800
LAST_WORDS = 6
SHOWN_LINE = 240


class DriverError(RuntimeError):
    pass


def failure_report(what, failure, wine, driver=None, since=None):
    """What a failure needs to be explained: what was being done, the failure, the driver's last
    words and Wine's (since the log's note of since, where given), and where the whole log is."""
    words = f"\n      the driver's last words:\n{driver.last_words()}" if driver else ""
    return f"FAIL  {what}\n      {failure}{words}{wine.stderr_tail(since)}"


def windows_path(path):
    """The path as Wine's Z: drive shows it."""
    return "Z:" + str(pathlib.Path(path).resolve()).replace("/", "\\")


class DriverClient:
    def __init__(self, wine, driver_exe):
        self._wine = wine
        self._driver_exe = driver_exe
        self._process = None
        self._said = collections.deque(maxlen=LAST_WORDS)
        # Set once a reply has not come in time: a late reply would answer the next command.
        self.broken = False

    def __enter__(self):
        return self.open()

    def __exit__(self, *exc):
        self.close()
        return False

    def open(self):
        self._process = self._wine.popen([self._driver_exe], timeout=DRIVER_LIFETIME_S,
                                         stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self._selector = selectors.DefaultSelector()
        self._selector.register(self._process.stdout, selectors.EVENT_READ)
        return self

    def close(self):
        if self._process is not None:
            try:
                self._process.stdin.close()
                self._process.wait(timeout=30)
            except (OSError, subprocess.TimeoutExpired):
                self._process.kill()
            self._selector.close()

    def _record(self, line):
        self._said.append(line)
        self._wine.note(line)

    def last_words(self):
        """The last commands and replies, and how the driver ended if it did, one a line."""
        ended = self._process.poll() if self._process is not None else None
        words = list(self._said) + ([f"the driver ended with exit status {ended}"]
                                    if ended is not None else [])
        return "\n".join("      > " + line[:SHOWN_LINE] for line in words)

    def call(self, *fields, check=True):
        """Sends one command and returns its reply; raises DriverError when it failed."""
        if self.broken:
            raise DriverError("the driver stopped answering earlier")
        line = "\t".join(str(field) for field in fields)
        self._record("driver < " + line)
        try:
            self._process.stdin.write((line + "\n").encode("utf-8"))
            self._process.stdin.flush()
        except OSError as failure:
            self.broken = True
            raise DriverError(f"the driver took no command {fields[0]}: {failure}") from None
        if not self._selector.select(timeout=REPLY_TIMEOUT_S):
            self.broken = True
            self._record(f"driver: no reply within {REPLY_TIMEOUT_S} s")
            raise DriverError(f"no reply to {fields[0]} within {REPLY_TIMEOUT_S} s")
        reply_line = self._process.stdout.readline()
        if not reply_line:
            self.broken = True
            try:
                status = self._process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                status = "none yet"
            self._record(f"driver: ended, exit status {status}")
            raise DriverError(f"the driver ended during {fields[0]} (exit status {status})")
        text = reply_line.decode("utf-8").rstrip("\n")
        self._record("driver > " + text)
        reply = json.loads(text)
        if check and not reply.get("ok"):
            raise DriverError(f"{' '.join(map(str, fields))}: {reply.get('error')}")
        return reply
