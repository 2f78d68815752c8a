#!/usr/bin/env python3
"""HTTPS version service (TLS 1.2 or newer) for the updater's version query.

It logs every request (method, path, headers, body bytes) and answers from a scenario file
that is read again on every request. A scenario is a JSON object:

  {"sequence": [<answer>, ...],          # used first, one per request, in order
   "modules":  {"Torvelix": <answer> or [<answer>, ...], ...},   # by the body's dados.modulo;
                                          # a list answers in order and repeats its last
   "default":  <answer>}

An answer is an object with any of:
  "status": 200, "reason": "OK", "json": <any JSON value, sent compactly as given>,
  "body": "exact text" (UTF-8), "body_hex": "7b7d0a", "content_type": "application/json",
  "headers": {"X-Name": "value"}, "delay": seconds (bounded)

Usage: version_service.py --cert server.pem --key server.key --scenario s.json --log log.jsonl
Certificates come from make_certs.py.
"""

import json
import os
import re
import ssl
import sys
import threading

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import serverlib  # noqa: E402


def module_of(body):
    try:
        return json.loads(body.decode("utf-8"))["dados"]["modulo"]
    except Exception:
        m = re.search(rb'"modulo"\s*:\s*"([^"]*)"', body)
        return m.group(1).decode("utf-8", errors="replace") if m else None


class VersionHandler(serverlib.LoggingHandler):
    def do_POST(self):
        self.answer()

    def do_GET(self):
        self.answer()

    def choose(self, module):
        srv = self.server
        with srv.state_lock:
            with open(srv.scenario_file, encoding="utf-8") as f:
                scenario = json.load(f)
            seq = scenario.get("sequence", [])
            if srv.sequence_used < len(seq):
                srv.sequence_used += 1
                return seq[srv.sequence_used - 1]
            by_module = scenario.get("modules", {})
            if module in by_module:
                answers = by_module[module]
                if isinstance(answers, list):
                    n = srv.module_used.get(module, 0)
                    srv.module_used[module] = n + 1
                    return answers[min(n, len(answers) - 1)] if answers else None
                return answers
            return scenario.get("default")

    def answer(self):
        body = self.read_body()
        module = module_of(body)
        self.log_request_record(body, {"module": module})
        answer = self.choose(module)
        if answer is None:
            self.send_bytes(500, b"no scenario for this request", "text/plain")
            return
        if answer.get("delay"):
            serverlib.sleep_bounded(answer["delay"])
        if "body_hex" in answer:
            data = bytes.fromhex(answer["body_hex"])
        elif "body" in answer:
            data = answer["body"].encode("utf-8")
        elif "json" in answer:
            data = json.dumps(answer["json"], ensure_ascii=False, separators=(",", ":")).encode("utf-8")
        else:
            data = b""
        self.send_bytes(int(answer.get("status", 200)), data,
                        answer.get("content_type", "application/json"),
                        answer.get("headers"), answer.get("reason"))


def main():
    p = serverlib.common_arguments("HTTPS version service")
    p.add_argument("--cert", required=True)
    p.add_argument("--key", required=True)
    p.add_argument("--scenario", required=True)
    args = p.parse_args()

    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.minimum_version = ssl.TLSVersion.TLSv1_2
    context.load_cert_chain(args.cert, args.key)

    def setup(server):
        server.scenario_file = args.scenario
        server.state_lock = threading.Lock()
        server.sequence_used = 0
        server.module_used = {}

    def wrap(sock):
        sock.settimeout(30)
        return context.wrap_socket(sock, server_side=True)

    serverlib.serve(VersionHandler, args, wrap_connection=wrap, setup=setup)


if __name__ == "__main__":
    main()
