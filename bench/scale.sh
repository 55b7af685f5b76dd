#!/usr/bin/env bash
# Scale figures for the two passes: a generated 10,000,000-entry tree in memory (time per entry,
# peak resident set per entry above an empty run), and real folders on disk: 1,000,000 files
# in one folder, a chain 1,000 folders deep, and a chain deeper than PATH_MAX, whose folders
# past the limit must come out as empty folders with the scan ending normally.
#
#   bench/scale.sh [BUILD_DIR [WORK_DIR]]   (defaults: build/linux, a new folder under /tmp)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/linux}
work=${2:-$(mktemp -d /tmp/ombrelith-scale.XXXXXX)}
tool=$build/ombrelith-scale
cmake --build "$build" --target ombrelith-scale -j2 >/dev/null
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

field() { sed -n "s/.*\b$1=\([0-9-]*\).*/\1/p" <<<"$2" | head -n 1; }

echo "== load: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"

echo "== generated tree in memory"
empty=$("$tool" fake 0)
full=$("$tool" fake "${FAKE_ENTRIES:-10000000}")
echo "$full"
entries=$(field entries "$full")
base=$(field peak_rss_kb "$empty")
peak=$(field peak_rss_kb "$full")
echo "peak RSS above the empty run: $(( (peak - base) * 1024 / entries )) bytes/entry" \
     "(empty run $base kB, full run $peak kB)"

echo "== 1,000,000 files in one folder"
python3 - "$work/wide" <<'PY'
import os, sys
folder = sys.argv[1]
os.makedirs(folder)
for i in range(1000000):
    fd = os.open(os.path.join(folder, "f%07d" % i), os.O_WRONLY | os.O_CREAT, 0o644)
    if i % 4096:
        os.ftruncate(fd, i % 4096)  # sparse: an apparent size without writing data
    os.close(fd)
PY
"$tool" disk "$work/wide" >/dev/null  # warms the caches
wide=$("$tool" disk "$work/wide")
echo "$wide"
files_total=$(python3 -c 'import os,sys; print(sum(e.stat(follow_symlinks=False).st_size for e in os.scandir(sys.argv[1])))' "$work/wide")
echo "sum of the files' sizes: $files_total; scan: $(sed -n 's/.* size=\([0-9]*\).*/\1/p' <<<"$wide")"

# A chain DEPTH folders deep below DIR, one 1-byte file "f" at every level, made by walking
# down with relative paths so that depth is not limited by PATH_MAX.
make_chain() {
  python3 - "$1" "$2" <<'PY'
import os, sys
folder, depth = sys.argv[1], int(sys.argv[2])
os.makedirs(folder)
fd = os.open(folder, os.O_RDONLY)
for level in range(depth):
    with open(os.open("f", os.O_WRONLY | os.O_CREAT, 0o644, dir_fd=fd), "w") as f:
        f.write("x")
    os.mkdir("d", dir_fd=fd)
    down = os.open("d", os.O_RDONLY, dir_fd=fd)
    os.close(fd)
    fd = down
os.close(fd)
PY
}

echo "== a chain 1,000 folders deep"
make_chain "$work/deep" 1000
deep=$("$tool" disk "$work/deep")
echo "$deep"

echo "== a chain 3,000 folders deep (paths past PATH_MAX)"
make_chain "$work/deeper" 3000
deeper=$("$tool" disk "$work/deeper")
echo "$deeper"
root_len=$(( ${#work} + 8 ))
echo "root path $root_len bytes; deepest listable level by PATH_MAX 4096:" \
     "$(( (4095 - root_len) / 2 )); deepest listed: $(field deepest_listed "$deeper")"
