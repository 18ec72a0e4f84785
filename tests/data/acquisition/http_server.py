#!/usr/bin/env python3
"""Loopback HTTP server for the acquisition tests and benchmark.

Serves --root on 127.0.0.1 at a free port, written to --port-file once listening, and appends
"METHOD PATH" for every request to --log. Two extra paths:
  /status/NNN     answers with status NNN
  /cut/NAME       announces the length of NAME plus 1000 bytes, sends NAME and closes
The server stops by itself after --max-requests requests, after --idle seconds without one, or
when the process that started it is gone.
"""
import argparse
import functools
import http.server
import os
import threading
import time


class Handler(http.server.SimpleHTTPRequestHandler):
    log_path = None
    lock = threading.Lock()
    count = 0

    def log_message(self, *args):
        pass

    def record(self):
        with Handler.lock, open(Handler.log_path, "a") as log:
            Handler.count += 1
            log.write(f"{self.command} {self.path}\n")

    def answered_here(self):
        if self.path.startswith("/status/"):
            self.send_error(int(self.path[len("/status/"):]))
            return True
        if self.path.startswith("/cut/"):
            with open(os.path.join(self.directory, self.path[len("/cut/"):]), "rb") as f:
                body = f.read()
            self.send_response(200)
            self.send_header("Content-Length", str(len(body) + 1000))
            self.end_headers()
            if self.command == "GET":
                self.wfile.write(body)
            self.close_connection = True
            return True
        return False

    def do_GET(self):
        self.record()
        if not self.answered_here():
            super().do_GET()

    def do_HEAD(self):
        self.record()
        if not self.answered_here():
            super().do_HEAD()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--max-requests", type=int, default=2000)
    parser.add_argument("--idle", type=float, default=300)
    args = parser.parse_args()

    Handler.log_path = args.log
    open(args.log, "a").close()
    handler = functools.partial(Handler, directory=args.root)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    server.daemon_threads = True
    server.timeout = 0.5
    with open(args.port_file + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.rename(args.port_file + ".tmp", args.port_file)

    parent = os.getppid()
    seen, seen_at = 0, time.monotonic()
    while Handler.count < args.max_requests and os.getppid() == parent:
        server.handle_request()
        now = time.monotonic()
        if Handler.count != seen:
            seen, seen_at = Handler.count, now
        elif now - seen_at > args.idle:
            break


if __name__ == "__main__":
    main()
