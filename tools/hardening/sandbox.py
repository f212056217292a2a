# SPDX-License-Identifier: GPL-3.0-or-later
"""A private place to run the real player from the hardening scripts.

Everything the player reads or writes lives in one temporary folder: its own
copy of the executable (the default playlist is kept beside it), the XDG
configuration, data and runtime folders, and a private X server. The session
and system buses point nowhere, so the player cannot reach real services.
"""
import os
import shutil
import socket
import struct
import subprocess
import tempfile
import time

INSTANCE_QUERY = 0xD6128E64
INSTANCE_NAME = "{D6128E64-61F4-4e9f-8984-52B04B58042C}"
COPYDATA_OPEN_FILE, COPYDATA_CLOSE, COPYDATA_ACTIVATE = 12000, 12001, 12002


class Sandbox:
    def __init__(self, binary, name="velmora-hardening"):
        self.root = tempfile.mkdtemp(prefix=name + "-")
        for sub in ("bin", "config", "data", "runtime", "media"):
            os.makedirs(os.path.join(self.root, sub))
        os.chmod(os.path.join(self.root, "runtime"), 0o700)
        self.executable = os.path.join(self.root, "bin", "velmora")
        shutil.copy2(binary, self.executable)
        self.xvfb = None
        self.display = None
        self.player = None

    # Paths.
    def path(self, *parts):
        return os.path.join(self.root, *parts)

    @property
    def default_playlist(self):
        return self.path("bin", "default.vml")

    @property
    def socket_path(self):
        return self.path("runtime", INSTANCE_NAME)

    def environment(self, extra=None):
        env = dict(os.environ)
        env.update({
            "HOME": self.root,
            "XDG_CONFIG_HOME": self.path("config"),
            "XDG_DATA_HOME": self.path("data"),
            "XDG_RUNTIME_DIR": self.path("runtime"),
            "XDG_CACHE_HOME": self.path("cache"),
            "DBUS_SESSION_BUS_ADDRESS": "unix:path=/nonexistent",
            "DBUS_SYSTEM_BUS_ADDRESS": "unix:path=/nonexistent",
            "QT_QPA_PLATFORM": "xcb",
            "DISPLAY": self.display or "",
            "VELMORA_AUDIO_SINK": "fakeaudiosink",
            "GST_REGISTRY": self.path("gst-registry.bin"),
        })
        env.pop("WAYLAND_DISPLAY", None)
        if extra:
            env.update(extra)
        return env

    # The X server.
    def start_display(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()

    # The player.
    def start_player(self, args=(), extra_env=None, stderr=None):
        self.player = subprocess.Popen([self.executable, *args], env=self.environment(extra_env),
                                       stdout=subprocess.DEVNULL, stderr=stderr)
        return self.player

    def exchange(self, payload, timeout=2.0):
        """Sends raw bytes to the player's socket; what came back, or None."""
        try:
            with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
                s.settimeout(timeout)
                s.connect(self.socket_path)
                s.sendall(payload)
                received = b""
                while True:
                    chunk = s.recv(4096)
                    if not chunk:
                        return received
                    received += chunk
        except OSError:
            return None

    def answering(self, timeout=2.0):
        reply = self.exchange(record(INSTANCE_QUERY) + record(COPYDATA_ACTIVATE), timeout)
        return reply is not None and len(reply) == 8

    def wait_until_answering(self, limit=60.0):
        deadline = time.monotonic() + limit
        while time.monotonic() < deadline:
            if self.answering(1.0):
                return True
            time.sleep(0.1)
        return False

    def open_file(self, path):
        units = path.encode("utf-16-le", "surrogatepass") if isinstance(path, str) else path
        return self.exchange(record(INSTANCE_QUERY) + record(COPYDATA_OPEN_FILE, units + b"\0\0"))

    def xdotool(self, *args):
        done = subprocess.run(["xdotool", *args], env=self.environment(), capture_output=True, text=True)
        return done.stdout.strip()

    def press_in_main_window(self, key):
        window = self.xdotool("search", "--onlyvisible", "--name", "^Velmora$").split("\n")[0]
        if window:
            self.xdotool("windowfocus", "--sync", window)
            self.xdotool("key", key)
        return bool(window)

    def stop_player(self):
        if self.player and self.player.poll() is None:
            self.player.kill()
            self.player.wait()
        self.player = None

    def close(self):
        self.stop_player()
        if self.xvfb:
            self.xvfb.kill()
            self.xvfb.wait()
        shutil.rmtree(self.root, ignore_errors=True)


def record(code, body=b""):
    return struct.pack("<II", code, len(body)) + body


def gst(pipeline, location):
    subprocess.run(["gst-launch-1.0", "-q", *pipeline.format(location=location).split()], check=True,
                   stdout=subprocess.DEVNULL)
    return location


def process_figures(pid):
    """Resident memory in kB, open descriptors and threads of a process."""
    rss = threads = 0
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                rss = int(line.split()[1])
            elif line.startswith("Threads:"):
                threads = int(line.split()[1])
    fds = len(os.listdir(f"/proc/{pid}/fd"))
    return rss, fds, threads
