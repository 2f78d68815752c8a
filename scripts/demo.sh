#!/usr/bin/env bash
# Sets up everything and runs the updater's main job against local demo servers:
# an HTTPS version service and an HTTP update file server on 127.0.0.1, a demo
# installation folder with an old version of a module, and the demo-configured updater
# (a real window when a display is there, headless otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
bash scripts/install-deps.sh

DEMO="$ROOT/build/demo-data"
INSTALL="$ROOT/build/demo-install"
VERSION_PORT=18443
FILE_PORT=18080
rm -rf "$DEMO" "$INSTALL"
mkdir -p "$DEMO" "$INSTALL"

# The program, pointed at the local servers.
cmake --preset demo \
  -DQD_VERSION_HOST=127.0.0.1:$VERSION_PORT -DQD_VERSION_HOST_S=127.0.0.1:$VERSION_PORT \
  -DQD_LAN_PREFIX= -DQD_LAN_BASE_URL=http://127.0.0.1:$FILE_PORT/atualizacao/ \
  -DQD_PUBLIC_BASE_URL=http://127.0.0.1:$FILE_PORT/ -DQD_PROBE_URL=http://127.0.0.1:$FILE_PORT/index.html \
  -DQD_CA_FILE="$DEMO/pki/ca.pem" > "$DEMO/configure.log"
cmake --build --preset demo --target quarrendelvish

# The update the servers offer: version 2.0.1 of brackenvalePDV with nested folders, the
# package list and one extra package.
python3 "$ROOT/tests/servers/make_certs.py" "$DEMO/pki" > /dev/null
python3 - "$DEMO/www" <<'PY'
import os, sys, zipfile
www = sys.argv[1]
def make_zip(path, entries):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data, mode in entries:
            info = zipfile.ZipInfo(name)
            info.create_system = 3
            info.external_attr = mode << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, data)
module = '#!/bin/sh\necho "brackenvalePDV 2.0.1 started in $(pwd)" | tee -a restarted.txt\n'
make_zip(f"{www}/versoes/pdv/2.0.1.zip", [
    ("brackenvalePDV.exe", module, 0o100755),
    ("config/empresa.cfg", "versao=2.0.1\n", 0o100644),
    ("relatorios/vendas/mensal.rpt", "relatorio mensal\n", 0o100644),
    ("LEIAME.txt", "Versao 2.0.1 instalada pelo atualizador.\n", 0o100644),
])
make_zip(f"{www}/arquivos/SuporteVNC.zip", [("suporte/vnc.txt", "suporte remoto\n", 0o100644)])
os.makedirs(f"{www}/arquivos", exist_ok=True)
with open(f"{www}/arquivos/download.ini", "w") as f:
    f.write("[DOWNLOAD]\r\nSUPORTEVNC=1\r\nDUMP=0\r\nDLL=0\r\nSCHEMAS=0\r\nARQINI=0\r\nSCHEMASERVICO=0\r\n"
            "CARREGANDO=0\r\nTOQUES=0\r\nREPORT=0\r\nBACKUP=0\r\nCHROMIUM=0\r\nTASSENBURY=0\r\n")
with open(f"{www}/index.html", "w") as f:
    f.write("<html><body>Torvelix</body></html>\n")
PY
cat > "$DEMO/service.json" <<'JSON'
{"default": {"json": {"status": 1, "msg": "", "dados": {"versao": "2.0.1"}}}}
JSON

python3 "$ROOT/tests/servers/file_server.py" --root "$DEMO/www" --log "$DEMO/files.log" \
  --port $FILE_PORT --no-stdin-watch > "$DEMO/file_server.out" 2>&1 &
FILES_PID=$!
python3 "$ROOT/tests/servers/version_service.py" --cert "$DEMO/pki/server.pem" --key "$DEMO/pki/server.key" \
  --scenario "$DEMO/service.json" --log "$DEMO/service.log" --port $VERSION_PORT --no-stdin-watch \
  > "$DEMO/service.out" 2>&1 &
SERVICE_PID=$!
trap 'kill $FILES_PID $SERVICE_PID 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  grep -q PORT "$DEMO/file_server.out" 2>/dev/null && grep -q PORT "$DEMO/service.out" 2>/dev/null && break
  sleep 0.1
done

# The demo installation: settings, the old module, a stale work folder.
cp "$ROOT/build/demo/app/quarrendelvish" "$INSTALL/quarrendelvish"
printf '[ATUALIZADOR]\r\nCNPJ=12345678000199\r\nNomeEXE=brackenvalePDV\r\nVersaoEXE=1.0.4\r\n' > "$INSTALL/ERP.INI"
printf '#!/bin/sh\necho "brackenvalePDV 1.0.4 (old) started"\n' > "$INSTALL/brackenvalePDV.exe"
chmod +x "$INSTALL/brackenvalePDV.exe"
echo old > "$INSTALL/brackenvalePDV.old"
mkdir -p "$INSTALL/temp" && echo stale > "$INSTALL/temp/stale.txt"

echo "Running the updater in $INSTALL (about 45 seconds of status steps)..."
(cd "$INSTALL" && ./quarrendelvish "$@")

sleep 1
echo
echo "== The installation after the update ($INSTALL)"
(cd "$INSTALL" && find . -path ./quarrendelvish -prune -o -print | sort)
echo
echo "== The restarted module's output"
cat "$INSTALL/restarted.txt" 2>/dev/null || echo "(the module was not restarted)"
echo
echo "== Requests the servers saw: $DEMO/service.log and $DEMO/files.log"
