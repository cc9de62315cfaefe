#!/usr/bin/env bash
# ui/ and app/ see only the seams of platform/: its top level and the main
# window's room, platform/window/. Every other room is the platform's own
# business, reached through those seams. Lists each include that crosses.
set -euo pipefail
cd "$(dirname "$0")/../.."

crossings=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]platform/' ui app |
    grep -vE '[<"]platform/(window/)?[^/]+\.h[>"]' || true)
if [ -n "$crossings" ]; then
    echo "ui/ and app/ may include only platform/*.h and platform/window/*.h:"
    echo "$crossings"
    exit 1
fi
echo "ui/ and app/ include only the seams of platform/"
