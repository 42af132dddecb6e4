#!/usr/bin/env bash
# Fuzzes the icon readers and the resource editor with libFuzzer for a bounded
# time each.
#
#   scripts/fuzz/icons_fuzz.sh [seconds per target, default 60] [build dir with test fixtures]
#
# Seeds: the committed hostile cases and, when a build dir is given, the ICO
# and PE files its test suite generated. Crashes land in the output folder
# printed at the end; copy each into tests/packager/icons/hostile/ once fixed.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
SECONDS_EACH="${1:-60}"
FIXTURES="${2:-}"
OUT="${FUZZ_OUT:-$(mktemp -d "${TMPDIR:-/tmp}/icons-fuzz.XXXXXX")}"
CXX="${CXX_FUZZ:-clang++}"
FLAGS=(-std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$ROOT/packager/sfx" -I"$ROOT/packager/engine" -I"$ROOT/packager/tools")
QT_FLAGS=($(pkg-config --cflags --libs Qt6Gui))

mkdir -p "$OUT/seeds-reader" "$OUT/seeds-editor" "$OUT/crashes"
cp "$ROOT"/tests/packager/icons/hostile/* "$OUT/seeds-reader/" 2>/dev/null || true
cp "$ROOT"/tests/packager/icons/hostile/* "$OUT/seeds-editor/" 2>/dev/null || true
if [ -n "$FIXTURES" ] && [ -d "$FIXTURES" ]; then
    find "$FIXTURES" \( -name '*.ico' -o -name '*.exe' \) -size -200k -exec cp {} "$OUT/seeds-reader/" \;
    # Editor seeds: a four-byte split, a small product (a bare ELF header,
    # with and without an icon block, a configuration block and archive
    # bytes), then an icon file.
    python3 - "$FIXTURES" "$OUT/seeds-editor" <<'PY'
import glob, os, struct, sys
elf = bytearray(64)
elf[0:4] = b"\x7fELF"; elf[4] = 2; elf[5] = 1; elf[52:54] = struct.pack("<H", 64)
config = b';!@Install@!UTF-8!\nTitle="app Portable"\nExecuteFile="app.exe"\n;!@InstallEnd@!\n'
for path in sorted(glob.glob(os.path.join(sys.argv[1], "*.ico"))):
    ico = open(path, "rb").read()
    for block in (b"", b"CFICON\x01\x00" + struct.pack("<I", len(ico)) + ico):
        product = bytes(elf) + block + config + b"7z\xbc\xaf\x27\x1c" + bytes(32)
        name = "%s-%s.split" % (os.path.basename(path), "icon" if block else "plain")
        open(os.path.join(sys.argv[2], name), "wb").write(struct.pack("<I", len(product)) + product + ico)
PY
fi

echo "building fuzzers in $OUT" >&2
nice "$CXX" "${FLAGS[@]}" -o "$OUT/fuzz_reader" "$ROOT/scripts/fuzz/icons_fuzz_reader.cpp" \
    "$ROOT/packager/engine/iconreader.cpp" "$ROOT/packager/sfx/productlayout.cpp" "${QT_FLAGS[@]}"
nice "$CXX" "${FLAGS[@]}" -o "$OUT/fuzz_editor" "$ROOT/scripts/fuzz/icons_fuzz_editor.cpp" \
    "$ROOT/packager/tools/reseditor.cpp" "$ROOT/packager/sfx/productlayout.cpp"

status=0
for target in reader editor; do
    echo "fuzzing $target for $SECONDS_EACH s" >&2
    mkdir -p "$OUT/corpus-$target"
    # Leak checks stay off: Qt's image plug-in cache lives until exit.
    (cd "$OUT" && ASAN_OPTIONS=detect_leaks=0 nice ./fuzz_$target -max_total_time="$SECONDS_EACH" -timeout=10 \
        -rss_limit_mb=2048 -max_len=65536 -artifact_prefix="$OUT/crashes/$target-" \
        "$OUT/corpus-$target" "$OUT/seeds-$target" > "$OUT/$target.log" 2>&1) || status=1
    tail -n 3 "$OUT/$target.log" >&2
done
echo "crashes: $(ls "$OUT/crashes" | wc -l) in $OUT/crashes" >&2
exit $status
