#!/usr/bin/env bash
# Installs what is missing, builds, starts the simulated box on 127.0.0.1 and
# then the tool. Connect with "IP Address", 127.0.0.1, Connect.
#
# LUMERA_BOXSIM_OPTIONS passes further options to the simulator, for example
#   LUMERA_BOXSIM_OPTIONS="--model 0x24 --signal-after 20" tools/demo.sh
# (see build/tools/boxsim/lumera-boxsim --help).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2

port="${LUMERA_TCP_PORT:-7007}"
export LUMERA_TCP_PORT="$port"
sim=build/tools/boxsim/lumera-boxsim
sim_pid=""
if [ -x "$sim" ]; then
  # shellcheck disable=SC2086  # the options are meant to split into words
  exec 3< <(exec "$sim" --address 127.0.0.1 --port "$port" ${LUMERA_BOXSIM_OPTIONS:-})
  sim_pid=$!
  trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null' EXIT
  # The simulator prints one line once it listens; without it, it has failed
  # (for example because the port is taken) and said why on stderr.
  if read -r -t 10 line <&3; then
    echo "$line"
  else
    echo "The simulated box did not start; the tool runs without it." >&2
    sim_pid=""
  fi
fi
build/lumera-control "$@"
