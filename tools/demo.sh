#!/usr/bin/env bash
# Installs what is missing, builds, starts the simulated box on 127.0.0.1 and
# then the tool. Connect with "IP Address", 127.0.0.1, Connect.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2

port="${LUMERA_TCP_PORT:-7007}"
export LUMERA_TCP_PORT="$port"
sim_pid=""
if [ -x build/tools/boxsim/lumera-boxsim ]; then
  build/tools/boxsim/lumera-boxsim --address 127.0.0.1 --port "$port" &
  sim_pid=$!
  trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null' EXIT
  echo "Simulated box listening on 127.0.0.1:$port"
fi
build/lumera-control "$@"
