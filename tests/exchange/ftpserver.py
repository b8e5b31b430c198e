# A throw-away FTP server for the tests: serves one folder on 127.0.0.1 to
# anonymous readers and to one user with every right, and to accounts set up
# the way some real servers are (or misbehave), on a port the system picks,
# which it prints on the first line of its output once it listens. Every
# PASS command is noted, by user name, in the log file before it is answered.
import io
import logging
import select
import sys
import time

# The tests need no TLS; loading pyOpenSSL would take most of the start-up.
sys.modules["OpenSSL"] = None

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

root, user, password, log = sys.argv[1:5]
logging.basicConfig(level=logging.WARNING)

NO_RENAME = user + "-norename"
NO_STORE = user + "-nostore"
NO_REPLACE = user + "-noreplace"
STALLING = user + "-stalling"
NO_SIZE = user + "-nosize"
SILENT = user + "-silent"
NO_RENAME_TO = user + "-nornto"
# Longest a stalled transfer waits for the client to give up.
STALL_SECONDS = 60

authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elradfmwMT")
authorizer.add_anonymous(root, perm="elr")
# May write and delete but not rename.
authorizer.add_user(NO_RENAME, password, root, perm="elrwd")
# May delete but not write.
authorizer.add_user(NO_STORE, password, root, perm="elrd")
# May rename, but onto no existing name.
authorizer.add_user(NO_REPLACE, password, root, perm="elradfmwMT")
# Sends half of every file it is asked for, then nothing.
authorizer.add_user(STALLING, password, root, perm="elradfmwMT")
# Never tells the size of a file before sending it.
authorizer.add_user(NO_SIZE, password, root, perm="elradfmwMT")
# Takes a rename's RNFR, then refuses every RNTO.
authorizer.add_user(NO_RENAME_TO, password, root, perm="elradfmwMT")


class StallingFile:
    """The first half of a file, then a stall until the client hangs up."""

    def __init__(self, path, handler):
        with open(path, "rb") as real:
            self.data = real.read()
        self.name = path
        self.closed = False
        self.handler = handler
        self.sent = False

    def read(self, size):
        if not self.sent:
            self.sent = True
            return self.data[: max(1, len(self.data) // 2)]
        # The whole server waits with it, as a hung server would; the data
        # connection turns readable when the client closes it.
        channel = self.handler.data_channel
        deadline = time.monotonic() + STALL_SECONDS
        while channel is not None and time.monotonic() < deadline:
            readable, _, _ = select.select([channel.socket], [], [], 0.05)
            if readable:
                break
        return b""

    def fileno(self):
        raise io.UnsupportedOperation("no sendfile for a stalling file")

    def close(self):
        self.closed = True


class TestFS(AbstractedFS):
    def open(self, filename, mode):
        if self.cmd_channel.username == STALLING and "r" in mode:
            return StallingFile(filename, self.cmd_channel)
        return super().open(filename, mode)


class Handler(FTPHandler):
    authorizer = authorizer
    abstracted_fs = TestFS
    # Answer a wrong password at once instead of after the usual pause.
    auth_failed_timeout = 0

    def ftp_USER(self, line):
        if line != SILENT:
            return super().ftp_USER(line)
        # Never answers, as a hung server: the whole server waits until the
        # client hangs up.
        select.select([self.socket], [], [], STALL_SECONDS)
        return None

    def ftp_PASS(self, line):
        with open(log, "a") as attempts:
            attempts.write(self.username + "\n")
        return super().ftp_PASS(line)

    def ftp_RNTO(self, path):
        if self.username == NO_RENAME_TO or (
                self.username == NO_REPLACE and self._rnfr and self.fs.lexists(path)):
            self._rnfr = None
            self.respond("553 File exists.")
            return None
        return super().ftp_RNTO(path)

    def ftp_SIZE(self, path):
        if self.username == NO_SIZE:
            self.respond("502 SIZE not offered.")
            return None
        return super().ftp_SIZE(path)


server = FTPServer(("127.0.0.1", 0), Handler)
print(server.address[1], flush=True)
server.serve_forever()
