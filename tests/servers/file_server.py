#!/usr/bin/env python3
"""Plain-HTTP file server over a folder, laid out like the update file server
(versoes/<folder>/<version>.zip, arquivos/download.ini and the packages, atualizacao/...).

Faults can be injected per path with a JSON file (--faults), read again on every request so
a test can change it while the server runs. Keys are request paths (without the query):

  {"/arquivos/dump.zip":    {"status": 404},
   "/arquivos/dll.zip":     {"status": 500, "body": "boom"},
   "/versoes/nfce/1.zip":   {"stall": 6, "after_bytes": 100},   # headers, 100 bytes, silence
   "/slow-start":           {"stall": 6, "before_headers": true},
   "/arquivos/Report.zip":  {"chunked": true},                  # no Content-Length
   "/":                     {"redirect": "/index.html", "code": 302},
   "/closed":               {"close_after_bytes": 10},          # Content-Length, then hang up
   "/a.txt":                {"headers": {"Set-Cookie": "k=v"}},  # extra response headers
   "/slow.bin":             {"trickle": 80000, "chunk": 2000}}  # bytes per second, in chunks

Usage: file_server.py --root DIR --log requests.jsonl [--faults faults.json] [--port 0]
"""

import json
import mimetypes
import os
import posixpath
import sys
import urllib.parse

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import serverlib  # noqa: E402

CHUNK = 64 * 1024


class FileHandler(serverlib.LoggingHandler):
    def do_HEAD(self):
        self.handle_get()

    def do_GET(self):
        self.handle_get()

    def fault_for(self, path):
        faults_file = self.server.faults_file
        if not faults_file or not os.path.exists(faults_file):
            return None
        with open(faults_file, encoding="utf-8") as f:
            faults = json.load(f)
        return faults.get(path)

    def local_path(self, path):
        parts = [p for p in path.split("/") if p not in ("", ".")]
        if any(p == ".." for p in parts):
            return None
        full = os.path.join(self.server.root, *parts)
        if os.path.isdir(full):
            full = os.path.join(full, "index.html")
        return full if os.path.isfile(full) else None

    def handle_get(self):
        body_in = self.read_body()
        raw_path = urllib.parse.urlsplit(self.path).path
        path = urllib.parse.unquote(raw_path)
        fault = self.fault_for(path) or {}
        self.log_request_record(body_in, {"fault": fault} if fault else None)

        if fault.get("delay"):
            serverlib.sleep_bounded(fault["delay"])
        if fault.get("stall") and fault.get("before_headers"):
            serverlib.sleep_bounded(fault["stall"])
            self.close_connection = True
            return
        extra = fault.get("headers", {})
        if "redirect" in fault:
            self.send_bytes(int(fault.get("code", 302)), b"redirecting\n", "text/plain",
                            dict(extra, Location=fault["redirect"]))
            return
        if "status" in fault and int(fault["status"]) >= 300:
            body = fault.get("body", "").encode("utf-8")
            self.send_bytes(int(fault["status"]), body, "text/html; charset=utf-8")
            return

        local = self.local_path(path)
        if local is None:
            self.send_bytes(404, b"<html><body>Not Found</body></html>", "text/html")
            return
        size = os.path.getsize(local)
        ctype = mimetypes.guess_type(local)[0] or "application/octet-stream"
        if fault.get("content_type"):
            ctype = fault["content_type"]

        with open(local, "rb") as f:
            if fault.get("chunked"):
                self.send_response(200)
                self.send_header("Content-Type", ctype)
                for k, v in extra.items():
                    self.send_header(k, v)
                self.send_header("Transfer-Encoding", "chunked")
                self.end_headers()
                if self.command == "HEAD":
                    return
                while True:
                    block = f.read(CHUNK)
                    if not block:
                        break
                    self.wfile.write(b"%x\r\n" % len(block) + block + b"\r\n")
                self.wfile.write(b"0\r\n\r\n")
                return

            self.send_response(200)
            self.send_header("Content-Type", ctype)
            for k, v in extra.items():
                self.send_header(k, v)
            self.send_header("Content-Length", str(size))
            self.end_headers()
            if self.command == "HEAD":
                return
            if "trickle" in fault:
                chunk = int(fault.get("chunk", 1000))
                pause = chunk / float(fault["trickle"])
                while True:
                    block = f.read(chunk)
                    if not block:
                        break
                    self.wfile.write(block)
                    self.wfile.flush()
                    serverlib.sleep_bounded(pause)
                return
            if "stall" in fault or "close_after_bytes" in fault:
                first = int(fault.get("after_bytes", fault.get("close_after_bytes", 0)))
                self.wfile.write(f.read(first))
                self.wfile.flush()
                if "stall" in fault:
                    serverlib.sleep_bounded(fault["stall"])
                self.close_connection = True
                return
            self.wfile.flush()
            try:
                self.connection.sendfile(f)
            except (BrokenPipeError, ConnectionResetError):
                self.close_connection = True


def main():
    p = serverlib.common_arguments("HTTP file server with injectable faults")
    p.add_argument("--root", required=True)
    p.add_argument("--faults")
    args = p.parse_args()

    def setup(server):
        server.root = os.path.abspath(args.root)
        server.faults_file = args.faults

    serverlib.serve(FileHandler, args, setup=setup)


if __name__ == "__main__":
    main()
