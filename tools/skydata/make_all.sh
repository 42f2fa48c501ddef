#!/usr/bin/env bash
# Regenerates the sky data and the body textures in share/ (and the Milky Way
# meshes in sky/) from Debian's data packages, then reads everything back.
# Only these converters need the packages; building and testing do not.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"

packages=(python3-numpy python3-scipy python3-pil python3-skimage
          kstars-data stellarium-data xplanet-images openuniverse-common)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

py=/usr/bin/python3
$py "$here/make_stars.py" "$root/share"
$py "$here/make_constes.py" "$root/share"
$py "$here/make_names.py" "$root/share"
$py "$here/make_textures.py" "$root/share"
$py "$here/make_milkyway.py" "$root/share" "$root"
# Again, now that the Milky Way's picture is made too.
$py "$here/make_textures.py" "$root/share" --folders
$py "$here/check_skydata.py" "$root/share"
