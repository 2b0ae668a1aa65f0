#!/usr/bin/env bash
# The program's main job on the demo week: generates a demo program folder and runs it through
# every workflow step the command line has. Usage: scripts/demo-week.sh [DIR] [friday|monday]
# DIR is taken from the folder the script is started in; without it, demo-week/ in the repository.
set -euo pipefail
dir=${1:+$(realpath -m -- "$1")}
cd "$(dirname "$0")/.."
dir=${dir:-$PWD/demo-week}
state=${2:-monday}
bash scripts/install-deps.sh
bash scripts/build.sh
cli=${BUILD_DIR:-build}/src/cli/radadovur-cli
usage=$("$cli" 2>&1 || true)
steps=()
# After ② the week's odds and their matrices, then the realtime odds and theirs; ④ and ⑤, ⑥ the
# results pass, and last the realtime results, which patch the runner files ⑥ wrote.
for step in demo startup download structure odds matrices realtime-odds matrices-realtime daybefore predict results realtime-results; do
  if grep -q "radadovur-cli ${step%-realtime} " <<<"$usage"; then steps+=("$step"); fi
done
for step in "${steps[@]}"; do
  echo "== $step"
  case $step in
    demo) "$cli" demo "$dir" --state "$state" ;;
    # ② as the main window runs it with the cancellation option selected.
    structure) if grep -q -- "structure DIR \[--cancel\]" <<<"$usage"; then "$cli" structure "$dir" --cancel; else "$cli" structure "$dir"; fi ;;
    matrices-realtime) "$cli" matrices "$dir" --realtime ;;
    *) "$cli" "$step" "$dir" ;;
  esac
done
echo
echo "完了: プログラムフォルダは $dir です"
# A path as the shell reads it back: quoted when it holds anything but plain characters.
quoted() {
  if [[ $1 =~ ^[A-Za-z0-9_./+-]+$ ]]; then printf '%s' "$1"; else printf "'%s'" "${1//\'/\'\\\'\'}"; fi
}
echo "メインウィンドウで開くには: $(quoted "$(realpath -m -- "${BUILD_DIR:-build}/src/ui/radadovur")") $(quoted "$dir")"
