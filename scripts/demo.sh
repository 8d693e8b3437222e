#!/bin/bash
# Installs what is missing, builds the Windows programs and shows them at
# work under Wine, beside a stand-in for ACT!.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target tessivar rovandel2 actstandin boxdriver seedact keepalive actconfig demoaddon routepages_server
exec scripts/demo-run.sh
