#!/usr/bin/env bash
# A long run of the crash test: a copy of the program saving into a full
# group is killed with SIGKILL at random moments, 1,000 times by default; after
# every kill the group file must be the old or the new content whole, with no
# temporary file left in the DataFolder, and the next start must run. Then as
# many kills of a copy that merges into a new group, makes groups and removes
# them: after each the next start must show every group whose file is there,
# whole, and no other, without a message. Last as many kills of the command
# line's --import, each followed by a command line's start that must settle
# what is left. Each part prints the states it saw.
#
#   bash tools/crashrun.sh [build folder] [kills] [seed]
#
# Needs a build of the suite (cmake --build build --target app_tst_crash).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
export TELEFIKA_CRASH_KILLS=${2:-1000}
[ -n "${3:-}" ] && export TELEFIKA_CRASH_SEED=$3
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
# the test makes its own home for the DataFolder below the temporary folder
# (the test's watchdog would stop a long run after five minutes)
HOME=$home TMPDIR=$home QTEST_FUNCTION_TIMEOUT=86400000 QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.qpa.*=false' \
  "$build/app_tst_crash" -maxwarnings 0
