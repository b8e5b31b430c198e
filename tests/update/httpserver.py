"""A small HTTP server for the tests of the games file's download.

Usage: httpserver.py ROOT LOG [tls]

Listens on 127.0.0.1 on a free port, prints the port on the first line, and
answers these paths:

  /files/NAME           ROOT/NAME with an ETag and a Last-Modified; 304 when
                        If-None-Match names the current ETag
  /status/CODE          that status, with a short body (none for 204 and 304)
  /busy/SECONDS         503 with Retry-After: SECONDS
  /redirect/N/NAME      N redirects, then /files/NAME
  /loop                 redirects to itself
  /stall/NAME           announces NAME's size, sends half, then nothing
  /short/NAME           announces NAME's size, sends half and closes
  /nolength/NAME        NAME without announcing its size, then closes
  /slow/NAME            announces NAME's size, then sends a byte every 50 ms
  /gzip                 a body announced as gzip that is none
  /html                 a web page instead of a file

Every request is appended to LOG as "path<TAB>If-None-Match" lines. With
"tls" the server speaks HTTPS with a self-signed certificate made at start.
"""

import email.utils
import hashlib
import http.server
import os
import ssl
import subprocess
import sys
import time

ROOT = sys.argv[1]
LOG = sys.argv[2]
TLS = len(sys.argv) > 3 and sys.argv[3] == "tls"


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def record(self):
        with open(LOG, "a") as log:
            log.write("%s\t%s\n" % (self.path, self.headers.get("If-None-Match", "")))

    def answer(self, code, body=b"", headers=()):
        if code in (204, 304):
            body = b""
        self.send_response(code)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def content(self, name):
        path = os.path.join(ROOT, name)
        with open(path, "rb") as f:
            return f.read(), os.path.getmtime(path)

    def do_GET(self):
        self.record()
        parts = self.path.strip("/").split("/")
        kind = parts[0]
        if kind == "files":
            body, mtime = self.content(parts[1])
            etag = '"%s"' % hashlib.sha1(body).hexdigest()[:16]
            if self.headers.get("If-None-Match") == etag:
                self.send_response(304)
                self.send_header("ETag", etag)
                self.end_headers()
                return
            modified = email.utils.formatdate(mtime, usegmt=True)
            self.answer(200, body, [("ETag", etag), ("Last-Modified", modified),
                                    ("Content-Type", "text/csv")])
        elif kind == "status":
            self.answer(int(parts[1]), b"status page\n")
        elif kind == "busy":
            self.answer(503, b"busy\n", [("Retry-After", parts[1])])
        elif kind == "gzip":
            self.answer(200, b"not gzip at all\n", [("Content-Encoding", "gzip")])
        elif kind == "slow":
            body, _ = self.content(parts[1])
            self.send_response(200)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            try:
                for byte in body:
                    self.wfile.write(bytes([byte]))
                    self.wfile.flush()
                    time.sleep(0.05)
            except OSError:
                pass
            self.close_connection = True
        elif kind == "redirect":
            left = int(parts[1])
            target = "/redirect/%d/%s" % (left - 1, parts[2]) if left > 1 else "/files/" + parts[2]
            self.answer(302, b"", [("Location", target)])
        elif kind == "loop":
            self.answer(302, b"", [("Location", "/loop")])
        elif kind in ("stall", "short"):
            body, _ = self.content(parts[1])
            self.send_response(200)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
            if kind == "stall":
                time.sleep(60)
            self.close_connection = True
        elif kind == "nolength":
            body, _ = self.content(parts[1])
            self.send_response(200)
            self.send_header("Connection", "close")
            self.end_headers()
            self.wfile.write(body)
            self.close_connection = True
        elif kind == "html":
            self.answer(200, b"<!DOCTYPE html>\n<html><body>Not here</body></html>\n",
                        [("Content-Type", "text/html")])
        else:
            self.answer(404, b"no such path\n")


def main():
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    if TLS:
        folder = os.path.dirname(LOG)
        key = os.path.join(folder, "key.pem")
        certificate = os.path.join(folder, "certificate.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-subj",
                        "/CN=127.0.0.1", "-keyout", key, "-out", certificate, "-days", "1"],
                       check=True, capture_output=True)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(certificate, key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print(server.server_address[1], flush=True)
    server.serve_forever()


main()
