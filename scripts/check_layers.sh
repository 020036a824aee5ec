#!/usr/bin/env bash
# Every project include must point down the layers:
#   core <- output <- ephemeris, aspectarian <- app <- cli, ui
#   core <- natal <- transits (with output, aspectarian) <- app
#   core <- natal <- graph (with output, aspectarian) <- render, app
#   core <- output <- render <- ui
# Prints each include that points up or sideways and exits 1 when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

allowed() {
  case "$1" in
    core)        echo "core" ;;
    natal)       echo "core natal" ;;
    output)      echo "core output" ;;
    ephemeris)   echo "core output ephemeris" ;;
    aspectarian) echo "core output aspectarian" ;;
    transits)    echo "core output natal aspectarian transits" ;;
    graph)       echo "core output natal aspectarian graph" ;;
    app)         echo "core natal output ephemeris aspectarian transits graph app" ;;
    cli)         echo "core natal output ephemeris aspectarian transits graph app cli" ;;
    render)      echo "core natal output graph render" ;;
    ui)          echo "core natal output ephemeris aspectarian transits graph app render ui" ;;
  esac
}

status=0
for layer in core natal output ephemeris aspectarian transits graph app cli render ui; do
  [[ -d $layer ]] || continue
  ok=" $(allowed "$layer") "
  while IFS=: read -r file line text; do
    target=$(sed -E 's/^#include "([a-z_]+)\/.*/\1/' <<<"$text")
    # The headers of render/ without Qt: the command line's --pdf and graph
    # open the printing module through them.
    [[ $layer == cli && $text == '#include "render/pdf_book.h"' ]] && continue
    [[ $layer == cli && $text == '#include "render/graph_book.h"' ]] && continue
    if [[ $ok != *" $target "* ]]; then
      echo "$file:$line: $layer must not include $target: $text"
      status=1
    fi
  done < <(grep -rnE '^#include "[a-z_]+/' "$layer" --include='*.h' --include='*.cpp' || true)
done
exit $status
