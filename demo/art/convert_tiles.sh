#!/bin/sh
# Converts the demo's frame images (png/<id>.png) into the scenario's frame
# files (../DATA1/<id>.til). Usage: convert_tiles.sh [path/to/korva-tool]
set -e
here=$(cd "$(dirname "$0")" && pwd)
tool=${1:-korva-tool}
for png in "$here"/png/*.png; do
  id=$(basename "$png" .png)
  "$tool" image2til "$png" "$here/../DATA1/$id.til"
done
