#!/usr/bin/env bash
# Proves that the two commands work from nothing: makes a minimal Debian 12 root with
# debootstrap, clones this project into it and runs ./test.sh there with chroot, as root and
# without a display.
#
#   scripts/check-bare-machine.sh [--ci] [--keep] [--dir DIR] [REVISION]
#
# REVISION is what is cloned (default HEAD: commit what you want checked). --ci goes on after the
# suite with the rest of what CI runs (the sanitizer suite, the fuzzing) and a short benchmark
# run. --dir puts the root in DIR (default: a new folder under /var/tmp), --keep leaves it there
# afterwards. Needs root and
# debootstrap; the package mirror is the one this machine's apt sources use for bookworm (MIRROR
# overrides it). Takes many minutes: the base system, the packages, a full build and the suite.
set -euo pipefail
project=$(cd "$(dirname "$0")/.." && pwd)

usage() { echo "usage: check-bare-machine.sh [--ci] [--keep] [--dir DIR] [REVISION]" >&2; exit 2; }
keep=0
ci=0
root=""
revision=HEAD
while [ $# -gt 0 ]; do
  case $1 in
    --ci) ci=1 ;;
    --keep) keep=1 ;;
    --dir) [ $# -ge 2 ] || usage; root=$2; shift ;;
    -h | --help) sed -n '2,14s/^# \{0,1\}//p' "$0"; exit 0 ;;
    -*) usage ;;
    *) revision=$1 ;;
  esac
  shift
done

[ "$(id -u)" -eq 0 ] || { echo "check-bare-machine: run as root (debootstrap and chroot need it)" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "check-bare-machine: debootstrap is not installed (apt-get install debootstrap)" >&2; exit 1; }
commit=$(git -C "$project" rev-parse --verify "$revision^{commit}") ||
  { echo "check-bare-machine: no revision '$revision'" >&2; exit 1; }

# The first bookworm archive this machine's apt sources name.
find_mirror() {
  local site
  site=$(apt-get indextargets --format '$(TARGET_OF) $(RELEASE) $(SITE)' 2>/dev/null |
    awk '$1 == "deb" && $2 == "bookworm" && !found { print $3; found = 1 }')
  [ -n "$site" ] || site=$(apt-cache policy 2>/dev/null | awk '$3 ~ /^bookworm\/main$/ && !found { print $2; found = 1 }')
  echo "$site"
}
mirror=${MIRROR:-$(find_mirror)}
[ -n "$mirror" ] || { echo "check-bare-machine: no bookworm mirror in this machine's apt sources (set MIRROR)" >&2; exit 1; }

if [ -z "$root" ]; then root=$(mktemp -d /var/tmp/bare-bookworm.XXXXXX); fi
mkdir -p "$root"
root=$(cd "$root" && pwd)
[ "$root" != / ] || { echo "check-bare-machine: refusing to use / as the root" >&2; exit 1; }

mounted=()
cleanup() {
  # Anything still running inside the root (an X server of a killed test) goes first.
  for link in /proc/[0-9]*/root; do
    [ "$(readlink "$link" 2>/dev/null)" = "$root" ] || continue
    pid=${link#/proc/}; pid=${pid%/root}
    kill -9 "$pid" 2>/dev/null || true
  done
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R "${mounted[i]}" 2>/dev/null || umount -R -l "${mounted[i]}" 2>/dev/null || true
  done
  if [ "$keep" -eq 1 ]; then
    echo "check-bare-machine: the root stays in $root"
  elif findmnt -rn -o TARGET | grep -q "^$root/"; then
    echo "check-bare-machine: $root still has mounts; not removing it" >&2
  else
    rm -rf --one-file-system "$root"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

timings=()
stage() {  # name what-it-runs command...
  local name=$1 start=$SECONDS status=0
  echo "== $name"
  echo "ran: $2"
  shift 2
  "$@" || status=$?
  timings+=("$(printf '%-10s %5d s  (exit %d)' "$name" $((SECONDS - start)) "$status")")
  return $status
}

in_root() {  # command line run in the project's clone inside the root, with a clean environment
  chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /root/brinova && $1"
}

bind_system() {
  mount -t proc proc "$root/proc" && mounted+=("$root/proc")
  mount -t sysfs sysfs "$root/sys" && mounted+=("$root/sys")
  mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev" && mounted+=("$root/dev")
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  # Packages must not start services inside the root: they would outlive the check.
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod +x "$root/usr/sbin/policy-rc.d"
}

echo "Checking $(git -C "$project" log -1 --format='%h %s' "$commit")"
echo "Root: $root, mirror: $mirror"
make_base() {  # quiet unless it fails
  local log
  log=$(mktemp)
  if ! debootstrap --variant=minbase bookworm "$root" "$mirror" >"$log" 2>&1; then
    tail -20 "$log"; rm -f "$log"; return 1
  fi
  rm -f "$log"
}
stage base "debootstrap --variant=minbase bookworm $root $mirror" make_base
bind_system
git clone --quiet --no-hardlinks "$project" "$root/root/brinova"
git -C "$root/root/brinova" checkout --quiet "$commit"

status=0
in_project="chroot $root, as root, no DISPLAY, in /root/brinova:"
stage packages "$in_project scripts/install-deps.sh" in_root "scripts/install-deps.sh" &&
  stage build "$in_project scripts/build.sh" in_root "scripts/build.sh" &&
  stage tests "$in_project ./test.sh" in_root './test.sh 2>&1 | tee /root/test.log; exit ${PIPESTATUS[0]}' ||
  status=$?
if [ "$status" -eq 0 ] && [ "$ci" -eq 1 ]; then
  stage sanitizers "$in_project tests/sanitize.sh -LE production" in_root "tests/sanitize.sh -LE production" &&
    stage fuzzing "$in_project tests/fuzz/run.sh 30" in_root "tests/fuzz/run.sh 30" &&
    stage benchmarks "$in_project build/bench/kvr_bench --benchmark_filter=Track" \
      in_root "build/bench/kvr_bench --benchmark_filter=Track --benchmark_min_time=0.05" || status=$?
fi

echo "== Stages (debootstrap $mirror)"
printf '%s\n' "${timings[@]}"
grep -E "tests passed|tests failed" "$root/root/test.log" 2>/dev/null | tail -n 1 || true
if [ "$status" -eq 0 ]; then
  echo "check-bare-machine: ./test.sh$([ "$ci" -eq 1 ] && echo " and the rest of CI") passed on a bare Debian 12"
else
  echo "check-bare-machine: FAILED (exit $status)"
fi
exit "$status"
