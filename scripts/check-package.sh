#!/usr/bin/env bash
# Proves the Debian package on a minimal Debian 12 root: builds it (`package` preset, then
# `cpack -G DEB`), installs it with `apt install ./file.deb` into a fresh root of the same cache
# as scripts/check-clean-install.sh, checks the installed layout, runs `mouse-driver --demo`
# (offscreen, as a normal user; it must show its window and end cleanly on SIGTERM) and
# `mouse-driver-cli --simulate mouse info` from the installed paths, reinstalls it with dpkg,
# purges it and checks that nothing of it is left, then validates its desktop entry and
# AppStream file as they were installed.
#
# Usage: sudo scripts/check-package.sh [--keep] [--deb FILE]
#   --keep      leave the root in place after the run (its path is printed)
#   --deb FILE  check this package instead of building one
# Environment: MD_CHECK_CACHE, MD_CHECK_MIRROR (see scripts/lib/clean-root.sh) and
#   MD_CHECK_RUN_SECONDS  how long the application runs before SIGTERM (default 5)
# On a shared machine run it under the build lock, since it builds.
# Prints one line per step and the package's figures; exits non-zero on the first failure.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
run_seconds=${MD_CHECK_RUN_SECONDS:-5}
check_name=check-package
keep=0
deb=""
while [ $# -gt 0 ]; do
    case $1 in
        --keep) keep=1 ;;
        --deb) deb=$(realpath "$2"); shift ;;
        *) echo "usage: $0 [--keep] [--deb FILE]" >&2; exit 2 ;;
    esac
    shift
done
# shellcheck source=scripts/lib/clean-root.sh
. "$here/scripts/lib/clean-root.sh"
clean_root_require cmake cpack dpkg-deb
logs="$cache/package"
mkdir -p "$logs"

# 1. The package, from the work tree.
if [ -z "$deb" ]; then
    step "build the package (preset package, cpack)"
    if ! { cmake --preset package && cmake --build --preset package &&
        (cd "$here/build/package" && cpack -G DEB); } >"$logs/build.log" 2>&1; then
        tail -n 30 "$logs/build.log"
        step_fail "whole output in $logs/build.log"
    fi
    deb=$(ls -t "$here"/build/package/mouse-driver_*.deb 2>/dev/null | head -n 1)
    [ -n "$deb" ] || step_fail "cpack made no mouse-driver_*.deb"
    step_ok
fi
deb_name=$(basename "$deb")
echo "  $deb_name: $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "  Depends: $(dpkg-deb -f "$deb" Depends)"

# 2. The root, with a user account made before the snapshot. The validators come only after
#    the package is purged, so that what apt removes again is exactly what it brought.
clean_root_create

step "apt sources, a user"
in_root 'apt-get update -qq && useradd -m mdcheck' >"$logs/prepare.log" 2>&1 ||
    step_fail "see $logs/prepare.log"
step_ok

# Every path of the root except the virtual, volatile and per-user ones and apt's and dpkg's
# own records, which installing and purging rewrite.
snapshot='find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /run -o -path /tmp \
    -o -path /home -o -path /root -o -path /var/cache -o -path /var/log -o -path /var/lib/apt \
    -o -path /var/lib/dpkg \) -prune -o -print | LC_ALL=C sort'
packages='dpkg-query -W -f "\${db:Status-Abbrev} \${Package} \${Version}\n" | LC_ALL=C sort'
in_root "$snapshot" >"$logs/before.list"
in_root "$packages" >"$logs/packages-before.list"
cp "$deb" "$root/tmp/$deb_name"

# 3. apt install ./file.deb: the package and the dependencies it computed.
step "apt install ./$deb_name"
t0=$(date +%s%N)
in_root "cd /tmp && DEBIAN_FRONTEND=noninteractive apt-get install -y ./$deb_name" \
    >"$logs/install.log" 2>&1 || { tail -n 30 "$logs/install.log"; step_fail "see $logs/install.log"; }
apt_ms=$((($(date +%s%N) - t0) / 1000000))
step_ok

step "installed layout"
missing=""
for f in /usr/bin/mouse-driver /usr/bin/mouse-driver-cli \
    /usr/share/mouse-driver/DefaultData/devices.json /usr/share/mouse-driver/skin/res.xml \
    /usr/share/mouse-driver/Font /usr/lib/mouse-driver/SDK/libDrvInDll.so \
    /usr/lib/mouse-driver/SDK/libCommFunc.so /usr/lib/udev/rules.d/70-mouse-driver.rules \
    /usr/share/man/man1/mouse-driver.1.gz /usr/share/man/man1/mouse-driver-cli.1.gz \
    /usr/share/bash-completion/completions/mouse-driver-cli \
    /usr/share/zsh/vendor-completions/_mouse-driver-cli \
    /usr/share/fish/vendor_completions.d/mouse-driver-cli.fish \
    /usr/share/doc/mouse-driver/copyright /usr/share/doc/mouse-driver/changelog.gz \
    /usr/share/applications/org.mousedriver.MouseDriver.desktop \
    /usr/share/metainfo/org.mousedriver.MouseDriver.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/mouse-driver.svg \
    /usr/share/icons/hicolor/16x16/apps/mouse-driver.png \
    /usr/share/icons/hicolor/48x48/apps/mouse-driver.png \
    /usr/share/icons/hicolor/256x256/apps/mouse-driver.png; do
    [ -e "$root$f" ] || missing="$missing $f"
done
[ -z "$missing" ] || step_fail "missing:$missing"
in_root 'dpkg -L mouse-driver' >"$logs/files.list"
# Copies for the validators, which run after the purge.
mkdir -p "$root/tmp/validate"
cp "$root/usr/share/applications/org.mousedriver.MouseDriver.desktop" \
    "$root/usr/share/metainfo/org.mousedriver.MouseDriver.metainfo.xml" "$root/tmp/validate/"
# Nothing may point back into a build folder.
if grep -l "$here" "$root"/usr/bin/mouse-driver* "$root"/usr/lib/mouse-driver/SDK/*.so >/dev/null 2>&1; then
    step_fail "an installed binary names the build folder $here"
fi
step_ok

# 4. The installed programs, as a normal user with a private runtime folder and no session bus.
as_user='setpriv --reuid=mdcheck --regid=mdcheck --init-groups env -i HOME=/home/mdcheck \
    PATH=/usr/bin:/bin LANG=C.UTF-8 XDG_RUNTIME_DIR=/tmp/md-run QT_QPA_PLATFORM=offscreen \
    MOUSE_DRIVER_DEBUG=1'
step "mouse-driver --demo (installed, offscreen)"
run_window_check 'mkdir -m 700 -p /tmp/md-run && chown mdcheck:mdcheck /tmp/md-run
cd /' "$as_user /usr/bin/mouse-driver --demo" "$logs/run.log" 120
! grep -q "skin resource index missing" "$logs/run.log" || step_fail "the skin was not found"
grep -q "input synthesis plugins .* /usr/lib/mouse-driver/SDK/" "$logs/run.log" ||
    step_fail "the plugins were not looked for in /usr/lib/mouse-driver/SDK/"
step_ok
grep "input synthesis plugins" "$logs/run.log" | head -n 1 | sed 's/^/  /'

step "mouse-driver-cli --simulate mouse info"
in_root "cd / && $as_user /usr/bin/mouse-driver-cli --simulate mouse info" >"$logs/cli.log" 2>&1 ||
    { cat "$logs/cli.log"; step_fail "the command failed"; }
[ -s "$logs/cli.log" ] || step_fail "the command printed nothing"
step_ok

# 5. Removed and installed again with dpkg alone (the dependencies stay): the package's own
#    install time.
step "dpkg -r, then dpkg -i again"
in_root 'dpkg -r mouse-driver' >"$logs/reinstall.log" 2>&1 || step_fail "see $logs/reinstall.log"
t0=$(date +%s%N)
in_root "dpkg -i /tmp/$deb_name" >>"$logs/reinstall.log" 2>&1 || step_fail "see $logs/reinstall.log"
dpkg_ms=$((($(date +%s%N) - t0) / 1000000))
step_ok

# 6. Purged with the dependencies it brought: the same packages as before, none of its files,
#    and no new file naming it.
# The minimal root's apt recommends ca-certificates without having it; once the package's
# dependencies brought it, apt would keep it for that alone, so recommendations do not count.
step "apt purge --autoremove, nothing left"
in_root 'DEBIAN_FRONTEND=noninteractive apt-get purge -y --autoremove \
    -o APT::AutoRemove::RecommendsImportant=false mouse-driver' \
    >"$logs/purge.log" 2>&1 || { tail -n 30 "$logs/purge.log"; step_fail "see $logs/purge.log"; }
in_root "$snapshot" >"$logs/after.list"
left=""
while read -r f; do
    if [ -e "$root$f" ] && ! grep -qxF "$f" "$logs/before.list"; then left="$left $f"; fi
done <"$logs/files.list"
[ -z "$left" ] || step_fail "left behind:$left"
LC_ALL=C comm -13 "$logs/before.list" "$logs/after.list" >"$logs/new.list"
if grep -i -E 'mouse.?driver|mousedriver' "$logs/new.list"; then
    step_fail "new paths above name the package"
fi
if in_root 'dpkg -s mouse-driver' >/dev/null 2>&1; then step_fail "dpkg still knows the package"; fi
in_root "$packages" >"$logs/packages-after.list"
if ! diff "$logs/packages-before.list" "$logs/packages-after.list" >"$logs/packages.diff"; then
    cat "$logs/packages.diff"
    step_fail "the packages installed differ from before"
fi
step_ok
if [ -s "$logs/new.list" ]; then
    echo "  other new paths (left by the dependencies' scripts): $(wc -l <"$logs/new.list")"
    head -n 10 "$logs/new.list" | sed 's/^/    /'
fi

# 7. The desktop entry and AppStream file as installed.
step "desktop-file-validate, appstreamcli validate"
in_root 'DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends desktop-file-utils appstream >/dev/null &&
    desktop-file-validate /tmp/validate/org.mousedriver.MouseDriver.desktop &&
    appstreamcli validate --no-net /tmp/validate/org.mousedriver.MouseDriver.metainfo.xml' \
    >"$logs/validate.log" 2>&1 || { cat "$logs/validate.log"; step_fail "validation failed"; }
step_ok
sed '/^$/d; s/^/  /' "$logs/validate.log"

echo "figures: package $(stat -c %s "$deb") bytes; apt install (with dependencies) ${apt_ms} ms;" \
    "dpkg -i (package alone) ${dpkg_ms} ms"
echo "package check passed"
