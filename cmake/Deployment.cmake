# Deployment values of the updater. Production defaults; any build can point them elsewhere.
set(QD_VERSION_HOST "api.torvelix.com.br" CACHE STRING "Main version-service host (host[:port])")
set(QD_VERSION_HOST_S "api-s.torvelix.com.br" CACHE STRING "Version-service host of the newer product line (host[:port])")
set(QD_VERSION_API_KEY "9b4e07d2c85a1f36e0d94b7a2c61f58e" CACHE STRING "Key the version service expects in every request")
set(QD_LAN_PREFIX "192.168.10." CACHE STRING "Local-network address prefix that selects the LAN file server")
set(QD_LAN_BASE_URL "http://192.168.10.2/atualizacao/" CACHE STRING "LAN file server base URL, ending in /")
set(QD_PUBLIC_BASE_URL "http://atualizacao.torvelix.com.br/" CACHE STRING "Public file server base URL, ending in /")
set(QD_PROBE_URL "http://www.google.com/" CACHE STRING "Connectivity probe URL")
set(QD_CA_FILE "" CACHE STRING "CA bundle for the version service's TLS; empty means the system store")
