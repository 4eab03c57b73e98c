#!/usr/bin/env bash
# Runs the protected-folder tests of veskconf_test.exe as the unprivileged user "nobody": in game
# folders owned by root, where nobody may write the files it was given but create none. Wine
# refuses a prefix another user owns, so nobody gets a prefix of its own in the build tree.
# Needs root; without it the tests skip (exit 77).
set -euo pipefail
build=$1 test_program=$2
user=nobody

if [ "$(id -u)" != 0 ] || ! id "$user" >/dev/null 2>&1 || ! command -v setpriv >/dev/null; then
  echo "not root, no user $user or no setpriv: the protected-folder tests skip"
  exit 77
fi
group=$(id -g "$user")
base=$build/unprivileged
home=$base/home
games=$base/games

# The user may read everything, so that the build tree is reachable wherever it lies, but writes
# only where the permissions let it.
as_user() {
  setpriv --reuid="$user" --regid="$group" --clear-groups \
    --inh-caps=+dac_read_search --ambient-caps=+dac_read_search -- "$@"
}

mkdir -p "$home"
chown "$user:$group" "$home"
rm -rf "$games"
mkdir -p "$games/writable" "$games/no-key-file" "$games/read-only-settings"
for file in writable/vesk.cfg writable/key.cfg no-key-file/vesk.cfg read-only-settings/key.cfg; do
  touch "$games/$file"
  chown "$user:$group" "$games/$file"
done
# Read-only and root's: the user may not make it writable.
printf '[MOUSE_INFO]\r\nAUTO_CLEAR=3\r\n' >"$games/read-only-settings/vesk.cfg"
chmod 444 "$games/read-only-settings/vesk.cfg"

export HOME=$home WINEPREFIX=$home/wineprefix VESK_PROTECTED_GAMES=$games
export XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache XDG_DATA_HOME=$home/.local/share
unset XDG_RUNTIME_DIR
status=0
as_user "$build/wine-run" "$test_program" --gtest_filter='ProtectedFolder.*' || status=$?
as_user wineserver -k 2>/dev/null || true
rm -rf "$games"
exit "$status"
