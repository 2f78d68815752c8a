"""Shared parts of the loopback test servers (Python 3 standard library only).

Every server binds to 127.0.0.1 on the given port (0: a free one), announces the port as
"PORT <n>" on standard output (and in --port-file when given), logs each request as one
JSON line before answering it, and ends by itself: when its standard input closes (the
test that started it has gone) or after --max-seconds.
"""

import argparse
import json
import os
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

# No answer waits longer than this, whatever a scenario asks for.
MAX_DELAY_SECONDS = 30.0


def common_arguments(description):
    p = argparse.ArgumentParser(description=description)
    p.add_argument("--port", type=int, default=0, help="port on 127.0.0.1 (0: a free one)")
    p.add_argument("--port-file", help="also write the chosen port into this file")
    p.add_argument("--log", required=True, help="JSON-lines request log")
    p.add_argument("--max-seconds", type=float, default=900.0, help="end after this long")
    p.add_argument("--no-stdin-watch", action="store_true",
                   help="do not end when standard input closes")
    return p


class RequestLog:
    def __init__(self, path):
        self._lock = threading.Lock()
        self._file = open(path, "a", encoding="utf-8")

    def write(self, record):
        line = json.dumps(record, ensure_ascii=False)
        with self._lock:
            self._file.write(line + "\n")
            self._file.flush()


class LoggingHandler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "QdTestServer/1.0"
    sys_version = ""

    def setup(self):
        # TLS is negotiated here, in the connection's own thread, so a client that fails
        # or stalls the handshake never holds up the accept loop.
        if self.server.wrap_connection:
            self.request = self.server.wrap_connection(self.request)
        super().setup()

    def log_message(self, fmt, *args):  # keep standard error quiet
        pass

    def read_body(self):
        length = self.headers.get("Content-Length")
        if length is not None:
            return self.rfile.read(int(length))
        if "chunked" in self.headers.get("Transfer-Encoding", "").lower():
            out = b""
            while True:
                size = int(self.rfile.readline().split(b";")[0].strip(), 16)
                if size == 0:
                    self.rfile.readline()
                    return out
                out += self.rfile.read(size)
                self.rfile.readline()
        return b""

    def log_request_record(self, body, extra=None):
        record = {
            "method": self.command,
            "path": self.path,
            "version": self.request_version,
            "headers": [[k, v] for k, v in self.headers.items()],
            "body_hex": body.hex(),
            "body": body.decode("utf-8", errors="replace"),
            "time": time.time(),
        }
        if extra:
            record.update(extra)
        self.server.request_log.write(record)

    def send_bytes(self, status, body, content_type=None, headers=None, reason=None):
        self.send_response(status, reason)
        if content_type:
            self.send_header("Content-Type", content_type)
        for k, v in (headers or {}).items():
            self.send_header(k, v)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)


def sleep_bounded(seconds):
    time.sleep(max(0.0, min(float(seconds), MAX_DELAY_SECONDS)))


class QuietServer(ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # failed handshakes and clients that hang up are part of the tests


def serve(handler, args, wrap_connection=None, setup=None):
    server = QuietServer(("127.0.0.1", args.port), handler)
    server.request_log = RequestLog(args.log)
    server.wrap_connection = wrap_connection
    if setup:
        setup(server)
    port = server.server_address[1]

    def end(_code=0):
        os._exit(_code)

    timer = threading.Timer(args.max_seconds, end)
    timer.daemon = True
    timer.start()
    if not args.no_stdin_watch:
        def watch():
            try:
                while sys.stdin.buffer.read(1):
                    pass
            except OSError:
                pass
            end()
        threading.Thread(target=watch, daemon=True).start()

    if args.port_file:
        tmp = args.port_file + ".tmp"
        with open(tmp, "w") as f:
            f.write(str(port))
        os.replace(tmp, args.port_file)
    print("PORT %d" % port, flush=True)
    try:
        server.serve_forever(poll_interval=0.2)
    except KeyboardInterrupt:
        pass
