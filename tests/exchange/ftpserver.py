# A throw-away FTP server for the tests: serves one folder on 127.0.0.1,
# to one user with every right, to one who may not rename, and to anonymous
# readers, on a port the system
# picks, which it prints on the first line of its output once it listens.
import logging
import sys

# The tests need no TLS; loading pyOpenSSL would take most of the start-up.
sys.modules["OpenSSL"] = None

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

root, user, password = sys.argv[1:4]
logging.basicConfig(level=logging.WARNING)

authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elradfmwMT")
authorizer.add_anonymous(root, perm="elr")
# A user who may write and delete but not rename, as some servers are set up.
authorizer.add_user(user + "-norename", password, root, perm="elrwd")


class Handler(FTPHandler):
    authorizer = authorizer
    # Answer a wrong password at once instead of after the usual pause.
    auth_failed_timeout = 0


server = FTPServer(("127.0.0.1", 0), Handler)
print(server.address[1], flush=True)
server.serve_forever()
