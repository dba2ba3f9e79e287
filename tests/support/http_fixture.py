#!/usr/bin/env python3
"""A local HTTP server for the download tests, on 127.0.0.1 only.

    http_fixture.py ROOT [--lifetime SECONDS]

Prints "PORT n" once it listens, then serves until its standard input closes or its
lifetime ends, whichever comes first. Every request is logged to ROOT/requests.log
as "path<TAB>referer". Paths:

  /NAME                 the file ROOT/NAME (404 when there is none)
  /status/CODE          that HTTP status with a short HTML page (200 gives the page too)
  /redirect/N/REST      302 to /redirect/N-1/REST, and from N = 1 to /REST
  /silent/ANY           accepts, reads the request, never answers
  /trickle/NAME         announces ROOT/NAME in full, sends 64 KB, again 64 KB a moment
                        later (clients may report progress only for data that follows
                        other data), then stalls
"""
import argparse
import http.server
import os
import sys
import threading
import time

parser = argparse.ArgumentParser()
parser.add_argument("root")
parser.add_argument("--lifetime", type=float, default=300.0)
options = parser.parse_args()
root = os.path.abspath(options.root)
deadline = time.monotonic() + options.lifetime
stop = threading.Event()


def stall(handler):
    """Holds the connection open without a word until the peer leaves or the server stops."""
    handler.close_connection = True
    handler.connection.settimeout(0.2)
    while not stop.is_set() and time.monotonic() < deadline:
        try:
            if handler.connection.recv(1024) == b"":
                return
        except OSError as error:
            if "timed out" not in str(error):
                return


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send_body(self, status, body, content_type):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def file_bytes(self, name):
        path = os.path.normpath(os.path.join(root, name))
        if not path.startswith(root + os.sep) or not os.path.isfile(path):
            return None
        with open(path, "rb") as f:
            return f.read()

    def do_GET(self):
        with open(os.path.join(root, "requests.log"), "a") as log:
            log.write("%s\t%s\n" % (self.path, self.headers.get("Referer", "")))
        parts = self.path.lstrip("/").split("/")
        if parts[0] == "status":
            page = b"<html><body>page</body></html>"
            return self.send_body(int(parts[1]), page, "text/html")
        if parts[0] == "redirect":
            left = int(parts[1]) - 1
            rest = "/".join(parts[2:])
            target = "/redirect/%d/%s" % (left, rest) if left > 0 else "/" + rest
            self.send_response(302)
            self.send_header("Location", target)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if parts[0] == "silent":
            return stall(self)
        if parts[0] == "trickle":
            body = self.file_bytes("/".join(parts[1:])) or b""
            self.send_response(200)
            self.send_header("Content-Type", "application/zip")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body[:65536])
            self.wfile.flush()
            time.sleep(0.3)
            self.wfile.write(body[65536:131072])
            self.wfile.flush()
            return stall(self)
        body = self.file_bytes("/".join(parts))
        if body is None:
            return self.send_body(404, b"<html><body>not found</body></html>", "text/html")
        self.send_body(200, body, "application/zip")


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
threading.Thread(target=server.serve_forever, daemon=True).start()
print("PORT %d" % server.server_address[1], flush=True)


def wait_for_stdin():
    sys.stdin.read()
    stop.set()


threading.Thread(target=wait_for_stdin, daemon=True).start()
stop.wait(max(0.0, deadline - time.monotonic()))
stop.set()
# Every request was logged as it came; ending at once spares the half second that
# shutdown() waits for the serving loop to notice.
os._exit(0)
