#!/usr/bin/env bash
# The tools that judge the other cases: sound and gap measurement, the list of
# recordings opened, and the expected chains.
set -euo pipefail
cd "$(dirname "$0")"
python3 -m unittest -v analysis_test
