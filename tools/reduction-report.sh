#!/usr/bin/env bash
# Measures the reductions on the photographs of Debian's lomiri-wallpapers
# packages (CC BY / CC BY-SA, see /usr/share/doc/lomiri-wallpapers-*/copyright)
# and prints the Markdown table of docs/reduction-quality.md. Needs a native build.
# With --picture OUT.png: the side-by-side picture of docs/reductions.png instead.
# With --grids: the table of whole assembled pictures (the dither across designs);
# with --grid-picture OUT.png: the picture of docs/across-designs.png.
set -euo pipefail
cd "$(dirname "$0")/.."

report=build/native/bench/quality/reduction_report
photos=/usr/share/backgrounds
# The photographs among the wallpapers; the drawn and rendered ones are left out.
names=(
  Bridge_by_Sander_Klootwijk Dragonfly_by_Bolly Kleiber_by_Lukas_Baubkus
  Picture_0B_by_freespace Picture_1A_by_freespace Wine_by_Jakkub_Mede
  aitzgorri_by_Aitzol_Berasategi free_by_Peter_Nerlich friends_by_Aitzol_Berasategi
  greentock_by_Peter_Nerlich life_by_Aitzol_Berasategi picosdeeuropa_by_Aitzol_Berasategi
  seeding_by_Clements_Engelhardt sunset_by_Aitzol_Berasategi
)

if [ "${1:-}" = "--picture" ]; then
  exec "$report" --picture "$2" "$photos/friends_by_Aitzol_Berasategi.jpg"
fi
if [ "${1:-}" = "--grid-picture" ]; then
  exec "$report" --grid-picture "$2" "$photos/sunset_by_Aitzol_Berasategi.jpg"
fi
files=()
for name in "${names[@]}"; do
  files+=("$photos/$name.jpg")
done
if [ "${1:-}" = "--grids" ]; then
  exec "$report" --grids "${files[@]}"
fi
exec "$report" "${files[@]}"
