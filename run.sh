#!/usr/bin/env bash
# Installs what is missing, builds every edition for every target into dist/, puts the command-line
# tools into dist/bin/, renders a demo through the built plug-in, measures and draws the response
# gallery, writes the artwork preview, then says what is where.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
scripts/build.sh

mkdir -p dist/bin dist/demo dist/screenshots
cp build/linux/host/render/qx71-render build/linux/host/response/qx71-response dist/bin/
render=dist/bin/qx71-render
plugin=dist/linux-x86_64/QX71.so

echo
echo "Rendering a demo through $plugin:"
"$render" --plugin "$plugin" --signal sweep --seconds 4 --out dist/demo/sweep-dry.wav
"$render" --plugin "$plugin" --signal sweep --seconds 4 --out dist/demo/sweep-eq.wav \
  --set "HF Freq=0.5714286" --set "HF Gain=0.75" --set "HF Mode=1" \
  --set "LF Freq=0.2857143" --set "LF Gain=0.25" \
  --set "Hi-Pass=0.4" --set "Hi Slope=0.6666667" --set "Analog=1"

echo
echo "Measuring the response gallery of $plugin:"
/usr/bin/python3 tools/plots/gallery.py --tool dist/bin/qx71-response --plugin "$plugin" --out dist/plots

if [ -x scripts/screenshots.sh ]; then
  scripts/screenshots.sh dist/screenshots
fi

echo
echo "Built:"
find dist -type f \( -name '*.dll' -o -name '*.so' -o -name '*.clap' \) | sort | while read -r f; do
  printf '  %-32s %8d bytes\n' "$f" "$(stat -c %s "$f")"
done
echo "Tools:        $(ls dist/bin/* | tr '\n' ' ')"
echo "Demo audio:   $(ls dist/demo/*.wav | tr '\n' ' ')"
echo "Plots:        dist/plots/*.png (the curves as CSV in dist/plots/data/)"
ls dist/screenshots/*.png >/dev/null 2>&1 && echo "Screenshots:  $(ls dist/screenshots/*.png | tr '\n' ' ')"
cat <<'TEXT'

Install into a host:
  Linux (Ardour, Qtractor, Audacity ...): copy dist/linux-x86_64/QX71G.so (with its editor)
    or QX71.so into ~/.vst or ~/.lxvst (or a folder listed in VST_PATH / LXVST_PATH) and
    rescan plug-ins.
  Linux, LV2 hosts (Ardour, Qtractor, Carla, Zrythm ...): copy the folder dist/lv2/qx71.lv2
    into ~/.lv2 and rescan plug-ins (URI urn:qx71:channel-eq).
  CLAP hosts (Bitwig, REAPER, Qtractor, Carla ...): copy dist/clap/linux-x86_64/QX71.clap
    into ~/.clap, or dist/clap/windows-x64/QX71.clap into %COMMONPROGRAMFILES%\CLAP, and rescan.
  Windows: copy dist/windows-x64/QX71.dll (64-bit hosts) or dist/windows-x86/QX71.dll
    (32-bit hosts) into the host's VST 2 plug-in folder, e.g. C:\Program Files\VSTPlugins,
    and rescan.
TEXT
