#!/usr/bin/env python3
"""Makes a throw-away certificate authority and a server certificate for 127.0.0.1 and
localhost with the openssl tool.

Usage: make_certs.py DIR
Writes DIR/ca.pem (the CA certificate, for the client), DIR/server.pem and DIR/server.key
(for the server). Keys are P-256; certificates are valid for two days.
"""

import os
import subprocess
import sys


def run(*args, cwd):
    subprocess.run(["openssl", *args], cwd=cwd, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)


def make_certs(folder):
    os.makedirs(folder, exist_ok=True)
    ec = ["-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"]
    run("req", "-x509", *ec, "-keyout", "ca.key", "-out", "ca.pem", "-days", "2",
        "-subj", "/CN=Quarrendelvish Test CA",
        "-addext", "basicConstraints=critical,CA:TRUE",
        "-addext", "keyUsage=critical,keyCertSign,cRLSign", cwd=folder)
    run("req", *ec, "-keyout", "server.key", "-out", "server.csr", "-subj", "/CN=localhost",
        cwd=folder)
    with open(os.path.join(folder, "server.ext"), "w") as f:
        f.write("subjectAltName=IP:127.0.0.1,DNS:localhost\n"
                "basicConstraints=CA:FALSE\n"
                "keyUsage=critical,digitalSignature,keyEncipherment\n"
                "extendedKeyUsage=serverAuth\n")
    run("x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
        "-CAcreateserial", "-out", "server.pem", "-days", "2", "-extfile", "server.ext",
        cwd=folder)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    make_certs(sys.argv[1])
