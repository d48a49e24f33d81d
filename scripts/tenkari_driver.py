"""Client of tenkari_e2e_driver.exe: sends it one command per line and reads its JSON replies.

    with WineSession(prefix) as wine, DriverClient(wine, driver_exe) as driver:
        driver.call("start", windows_path(exe), windows_path(work_dir))
"""
import json
import pathlib
import selectors
import subprocess

REPLY_TIMEOUT_S = 120
DRIVER_LIFETIME_S = 1800


class DriverError(RuntimeError):
    pass


def windows_path(path):
    """The path as Wine's Z: drive shows it."""
    return "Z:" + str(pathlib.Path(path).resolve()).replace("/", "\\")


class DriverClient:
    def __init__(self, wine, driver_exe):
        self._wine = wine
        self._driver_exe = driver_exe
        self._process = None
        # Set once a reply has not come in time: a late reply would answer the next command.
        self.broken = False

    def __enter__(self):
        self._process = self._wine.popen([self._driver_exe], timeout=DRIVER_LIFETIME_S,
                                         stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                         stderr=subprocess.DEVNULL)
        self._selector = selectors.DefaultSelector()
        self._selector.register(self._process.stdout, selectors.EVENT_READ)
        return self

    def __exit__(self, *exc):
        if self._process is not None:
            try:
                self._process.stdin.close()
                self._process.wait(timeout=30)
            except (OSError, subprocess.TimeoutExpired):
                self._process.kill()
            self._selector.close()
        return False

    def call(self, *fields, check=True):
        """Sends one command and returns its reply; raises DriverError when it failed."""
        if self.broken:
            raise DriverError("the driver stopped answering earlier")
        line = "\t".join(str(field) for field in fields) + "\n"
        self._process.stdin.write(line.encode("utf-8"))
        self._process.stdin.flush()
        if not self._selector.select(timeout=REPLY_TIMEOUT_S):
            self.broken = True
            raise DriverError(f"no reply to {fields[0]} within {REPLY_TIMEOUT_S} s")
        reply_line = self._process.stdout.readline()
        if not reply_line:
            self.broken = True
            raise DriverError(f"the driver ended during {fields[0]}")
        reply = json.loads(reply_line.decode("utf-8"))
        if check and not reply.get("ok"):
            raise DriverError(f"{' '.join(map(str, fields))}: {reply.get('error')}")
        return reply
