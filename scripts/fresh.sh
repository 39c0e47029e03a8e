#!/usr/bin/env bash
# What a new user meets: a minimal Debian 12 made with debootstrap from the mirror this machine's
# apt already uses, the committed state of this branch cloned to /root/brickwrath in it, and the
# README's two commands run there as root in a clean environment. The root is removed at the end.
# Needs root, the Debian archive and about ten minutes; CI does not run it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
[ "$(id -u)" -eq 0 ] || { echo "Run --fresh as root: it makes a Debian root with debootstrap."; exit 1; }
install_missing debootstrap git
mirror=$(apt-cache policy | awk '$3 == "bookworm/main" { print $2; exit }')
[ -n "$mirror" ] || { echo "apt knows no bookworm mirror on this machine; run apt-get update first."; exit 1; }

root=$(mktemp -d /var/tmp/brickwrath-fresh.XXXXXX)
chmod 755 "$root" # it becomes /, which every user must be able to enter
log=$(mktemp)
cleanup() {
    # The mounts live in a mount namespace of their own; refuse to remove anything still mounted.
    if findmnt -rn -o TARGET | grep -q "^$root/"; then
        echo "still mounted under $root; not removing it"
        return
    fi
    rm -rf --one-file-system "$root" "$log"
}
trap cleanup EXIT

echo "=== debootstrap --variant=minbase bookworm from $mirror ($(date +%T))"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$log" 2>&1 || { tail -n 20 "$log"; exit 1; }
git clone -q --no-checkout . "$root/root/brickwrath"
git -C "$root/root/brickwrath" checkout -q "$(git rev-parse HEAD)"
echo "cloned $(git log -1 --format='%h %s') to /root/brickwrath"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cat >"$root/root/readme-commands.sh" <<'INNER'
set -euo pipefail
cd /root/brickwrath
for command in "./scripts/play.sh --help" "./scripts/test.sh --quick"; do
    echo "=== $command ($(date +%T))"
    start=$SECONDS
    $command
    packages=$(dpkg-query -W -f='${db:Status-Abbrev}\n' | grep -c '^ii')
    echo "=== $command: status 0 after $((SECONDS - start)) s; $packages packages installed"
done
INNER

# In namespaces of its own: the mounts are the run's alone, and whatever the tests leave running
# (a D-Bus daemon that SDL started) is ended before they are unmounted.
# shellcheck disable=SC2016 # expanded inside the namespace
unshare --mount --propagation private --pid --fork bash -c '
    set -euo pipefail
    root=$1
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --rbind /dev "$root/dev"
    end() {
        # $$ is 1 only in the new PID namespace, where -1 means its own processes alone.
        if [ $$ -eq 1 ]; then
            kill -KILL -1 2>/dev/null || true
            sleep 1
        fi
        umount -R "$root/dev" "$root/sys" "$root/proc"
    }
    trap end EXIT
    chroot "$root" /usr/bin/env -i HOME=/root USER=root LOGNAME=root SHELL=/bin/bash \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/bash /root/readme-commands.sh
' fresh "$root"
echo "=== the README's two commands passed on a fresh Debian 12 ($(date +%T))"
