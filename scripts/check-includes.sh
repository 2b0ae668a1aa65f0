#!/usr/bin/env bash
# Fails when a file under src/ includes a header of a module its target does not link, or when
# code outside src/ui includes Qt. The allowed edges follow the link lines of src/*/CMakeLists.txt
# (docs/architecture.md); a new module adds its line here.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
  [common]="common"
  [jvdata]="jvdata common"
  [jvlink]="jvlink common"
  [store]="store jvdata common"
  [engine]="engine store jvdata common"
  [results]="results engine store jvdata common"
  [factors]="factors engine store jvdata common"
  [documents]="documents results engine store jvdata common"
  [export]="export documents results engine store jvdata common"
  [viewer]="viewer results engine store jvdata common"
  [formation]="formation documents results engine store jvdata common"
  [history]="history results engine store jvdata common"
  [steps]="steps formation export documents history results engine store jvlink jvdata common"
  [demo]="demo engine store jvdata common"
  [cli]="cli steps demo viewer history results factors engine store jvlink jvdata common"
  [ui]="ui steps viewer history results factors engine store jvlink jvdata common"
)

status=0
while IFS= read -r file; do
  module=${file#src/}
  module=${module%%/*}
  if [ -z "${allowed[$module]+x}" ]; then
    echo "$file: module '$module' is not listed in scripts/check-includes.sh"
    status=1
    continue
  fi
  while IFS=: read -r line target; do
    used=${target%%/*}
    if [[ " ${allowed[$module]} " != *" $used "* ]]; then
      echo "$file:$line: $module may not include \"$target\" (its target does not link $used)"
      status=1
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]*/' "$file" |
           sed -E 's/^([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1:\2/')
  if [ "$module" != ui ] && grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file" >/dev/null; then
    echo "$file: Qt is included outside src/ui"
    status=1
  fi
done < <(find src -name '*.h' -o -name '*.cpp' | sort)

[ "$status" -eq 0 ] && echo "includes: every module includes only what it links"
exit "$status"
